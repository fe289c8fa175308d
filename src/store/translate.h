#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Turns a statement as the windows write it into the SQL the engine runs. The windows' dialect:
// '#date#' literals, TRUE/False, LIKE on the numeric id, keywords in any case. Text literals
// become bound parameters; comparisons of text columns and ORDER BY word ignore letter case for
// every letter, while prefix searches on `word` still use its index.
namespace store {

struct TranslatedStatement {
    QByteArray sql;
    std::vector<QByteArray> params; // UTF-8 text bound to ?1, ?2, ...
    // The statement ended in ORDER BY word: the rows come unordered and the record set sorts
    // them by word, ignoring case for every letter (cheaper than the engine's sorter, and an
    // index scan already delivers them nearly in order).
    bool sortByWord = false;
};

// keyset: the select list gets the row id in front, so rows can be written back by id.
TranslatedStatement translateStatement(const QString& statement, bool withRowId);

// The SQL condition (and its parameters, appended to params) that finds a row whose word
// equals the given text without regard to case.
QByteArray wordEqualsCondition(const QString& word, std::vector<QByteArray>& params);

} // namespace store
