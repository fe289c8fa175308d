#pragma once

#include "store/wordbatch.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <vector>

// What an imported file holds, before anything reaches the word list.
namespace transfer {

struct ImportedRow {
    int line = 0;
    store::NewWord word;
};

struct ImportPlan {
    std::vector<ImportedRow> rows;
    std::vector<int> linesWithoutWord;
    QStringList ignoredColumns; // named in the header but not columns of the word list
    QString error;              // non-empty: the file cannot be imported, and why
};

// The header line the import reads, with the columns in their usual order.
QString expectedHeader();

// Reads delimited UTF-8 text whose first line is its header line. Empty cells take what the
// word entry window stores ("not entered", "?", `today` for both dates, false for both flags);
// dates and flags are read in every form other tools write; the word loses its surrounding
// blanks, and a line without a word is skipped. Malformed quoting, a line with more cells than
// the header names, or a date or flag that cannot be read makes the file fail.
ImportPlan planImport(const QByteArray& utf8, char separator, const QDate& today);

} // namespace transfer
