#include "store/rowchoice.h"

#include "store/recordset.h"

namespace store {

void moveToId(Recordset& rs, qint64 id) {
    if (rs.RecordCount() < 2)
        return;
    for (; !rs.eof(); rs.MoveNext())
        if (rs.field(QStringLiteral("id")).toLongLong() == id)
            return;
    rs.MoveFirst();
}

} // namespace store
