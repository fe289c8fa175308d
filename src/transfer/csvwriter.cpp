#include "transfer/csvwriter.h"

#include <csv.h>

namespace transfer {

namespace {

bool needsQuotes(const QByteArray& cell, char separator) {
    if (cell.isEmpty())
        return false;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (blank(cell.front()) || blank(cell.back()))
        return true;
    for (const char c : cell)
        if (c == separator || c == '"' || c == '\n' || c == '\r')
            return true;
    return false;
}

} // namespace

void appendCsvRecord(QByteArray& out, const std::vector<QByteArray>& cells, char separator) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += separator;
        const QByteArray& cell = cells[i];
        if (!needsQuotes(cell, separator)) {
            out += cell;
            continue;
        }
        const auto size = static_cast<std::size_t>(cell.size());
        const std::size_t quoted = csv_write(nullptr, 0, cell.constData(), size);
        const qsizetype at = out.size();
        out.resize(at + static_cast<qsizetype>(quoted));
        csv_write(out.data() + at, quoted, cell.constData(), size);
    }
    out += "\r\n";
}

} // namespace transfer
