#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Turns a statement as the windows write it into the SQL the engine runs. The windows' dialect:
// '#date#' literals, TRUE/False, LIKE on the numeric id, keywords in any case. Text literals
// become bound parameters; comparisons of text columns ignore letter case for every letter and
// ORDER BY word gives dictionary order, while prefix searches on `word` still use its index.
namespace store {

struct TranslatedStatement {
    QByteArray sql;
    std::vector<QByteArray> params; // UTF-8 text bound to ?1, ?2, ...
    // The statement ended in ORDER BY word: the rows come unordered and the record set sorts
    // them by word in dictionary order (cheaper than the engine's sorter, and an
    // index scan already delivers them nearly in order).
    bool sortByWord = false;
    // "SELECT *" was narrowed to kLightColumns (see translateStatement).
    bool lightColumns = false;
};

// The table's columns in their order, and those a kept record set reads at once when it opens
// "SELECT *": the long texts (synonym, part_speech, usage, notes) are read per row when a field
// of that row asks for them.
extern const char* const kTableColumns[10];
extern const char* const kLightColumns;

// withRowId: the select list gets the row id in front, so rows can be written back by id.
// lightOnly: a select list of "*" becomes the row id and kLightColumns, for a statement that
// reads the whole table (no WHERE).
TranslatedStatement translateStatement(const QString& statement, bool withRowId,
                                       bool lightOnly = false);

// The SQL condition (and its parameters, appended to params) that finds a row whose word
// equals the given text without regard to case.
QByteArray wordEqualsCondition(const QString& word, std::vector<QByteArray>& params);

} // namespace store
