#include "support/recordsets.h"

#include "store/connection.h"
#include "store/recordset.h"

namespace testsupport {

void openBound(store::Recordset& rs, store::Connection& conn, const QString& statement) {
    rs.setCursorLocation(store::CursorLocation::Client);
    rs.setCursorType(store::CursorType::Static);
    rs.setLockType(store::LockType::Optimistic);
    rs.setSource(statement);
    rs.setActiveConnection(&conn);
    rs.Open();
}

void openKeyset(store::Recordset& rs, store::Connection& conn, const QString& statement) {
    rs.setCursorType(store::CursorType::Keyset);
    rs.setLockType(store::LockType::Optimistic);
    rs.setSource(statement);
    rs.setActiveConnection(&conn);
    rs.Open();
}

} // namespace testsupport
