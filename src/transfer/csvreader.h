#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

// Reading delimited text (RFC 4180 CSV, and the same with tabs or semicolons) through libcsv.
namespace transfer {

// One record, valid only during the call that hands it over.
struct CsvRecord {
    int line = 0; // the line of the file where the record begins (1-based)
    std::vector<std::string_view> cells;
};

// The separator of a file: a tab for ".tsv" and ".tab" files; otherwise the first of comma,
// tab and semicolon that splits the first line into cells one of which is `wantedCell`
// (letter case and surrounding blanks and quotes aside); a comma when none does.
char chooseSeparator(const QString& fileName, const QByteArray& utf8, const QByteArray& wantedCell);

// Splits UTF-8 text into records and hands each to `take`, in order (blank lines give none).
// With `quoted`, quoted cells may hold separators, doubled quotes and line breaks; without it a
// quote is a character like any other and every line is a record. Blanks around unquoted cells
// are dropped. Returns why the text is malformed, naming the line (a misplaced or unclosed
// quote), or an empty text.
QString readCsv(const QByteArray& utf8, char separator, bool quoted,
                const std::function<void(const CsvRecord&)>& take);

} // namespace transfer
