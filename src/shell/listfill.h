#pragma once

#include <QString>
#include <vector>

namespace store {
class Connection;
}

namespace shell {

class WordListBox;

// Runs a statement on a connection (forward-only, read-only) and refills the list with the
// `word` of each row, in the order the statement returns them. A failing statement throws
// before the list is cleared, so the list keeps its entries. With `ids`, it receives the `id` of
// each entry's row (0 for a row without one), so that a caller can tell apart rows whose words
// differ only in letter case.
void fillListFromStatement(WordListBox* list, store::Connection& connection,
                           const QString& statement, std::vector<qint64>* ids = nullptr);

} // namespace shell
