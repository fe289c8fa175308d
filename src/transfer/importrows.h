#pragma once

#include "store/wordbatch.h"
#include "transfer/csvreader.h"

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

// Reads the records of a file, the first one being its header line. Empty cells take what the
// word entry window stores ("not entered", "?", `today` for both dates, false for both flags);
// dates and flags are read in every form other tools write; the word loses its surrounding
// blanks, and a line without a word is skipped. A line with more cells than the header names,
// or a date or flag that cannot be read, makes the file fail.
ImportPlan planImport(const std::vector<CsvRecord>& records, const QDate& today);

} // namespace transfer
