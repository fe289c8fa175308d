#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Reading delimited text (RFC 4180 CSV, and the same with tabs or semicolons) through libcsv.
namespace transfer {

struct CsvRecord {
    int line = 0; // the line of the file where the record begins (1-based)
    std::vector<QByteArray> cells;
};

struct CsvContent {
    std::vector<CsvRecord> records; // blank lines give none
    QString error;                  // empty, or why the text is malformed (naming the line)
};

// The separator of a file: a tab for ".tsv" and ".tab" files; otherwise the first of comma,
// tab and semicolon that splits the first line into cells one of which is `wantedCell`
// (letter case and surrounding blanks and quotes aside); a comma when none does.
char chooseSeparator(const QString& fileName, const QByteArray& utf8, const QByteArray& wantedCell);

// Splits UTF-8 text into records. Quoted cells may hold separators, doubled quotes and line
// breaks; blanks around unquoted cells are dropped. A misplaced or unclosed quote makes the
// whole text malformed.
CsvContent readCsv(const QByteArray& utf8, char separator);

} // namespace transfer
