#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

// The file formats a word list is written out in.
namespace transfer {

enum class ExportFormat { Csv, Tsv, Anki };

// By name ("csv", "tsv", "anki", any letter case); an empty name chooses by the file's
// extension (tsv for ".tsv" and ".tab", csv otherwise). Nothing for an unknown name.
std::optional<ExportFormat> exportFormat(const QString& name, const QString& fileName);

// One row as it is written out: the texts of the table's ten columns in the table's order,
// dates as yyyy-mm-dd and flags as 0 or 1.
using ExportedRow = std::array<QString, 10>;

// What the file begins with: the header line of csv and tsv, the header lines a flash-card
// program's plain-text importer reads for anki.
QByteArray exportHeader(ExportFormat format);

// csv and tsv: every column, quoted where needed. anki: one note, the word on the front; on the
// back the synonym, the part of speech, the usage sentence with `*` replaced by the word, and
// the notes (HTML-escaped, lines joined with <br>; the markers of missing input left out); the
// tag "difficult" on a difficult word.
void appendExportRow(QByteArray& out, ExportFormat format, const ExportedRow& row);

} // namespace transfer
