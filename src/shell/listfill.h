#pragma once

#include <QString>

namespace store {
class Connection;
}

namespace shell {

class WordListBox;

// Runs a statement on a connection (forward-only, read-only) and refills the list with the
// `word` of each row, in the order the statement returns them. A failing statement throws
// before the list is cleared, so the list keeps its entries.
void fillListFromStatement(WordListBox* list, store::Connection& connection,
                           const QString& statement);

} // namespace shell
