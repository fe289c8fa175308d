#pragma once

#include <QByteArray>
#include <vector>

namespace transfer {

// Appends one record of RFC 4180 text: the cells joined by the separator, the record ended by
// CR LF. A cell is quoted (its quotes doubled, through libcsv) when it holds the separator, a
// quote or a line break, or begins or ends with a blank, so that it reads back unchanged.
void appendCsvRecord(QByteArray& out, const std::vector<QByteArray>& cells, char separator);

} // namespace transfer
