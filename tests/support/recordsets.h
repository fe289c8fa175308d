#pragma once

#include <QString>

namespace store {
class Connection;
class Recordset;
} // namespace store

// Record sets opened the way the windows open them, for tests that work below the windows.
namespace testsupport {

// The word entry window's bound record set: client-side, static, optimistic.
void openBound(
    store::Recordset& rs, store::Connection& conn,
    const QString& statement = QStringLiteral("select * from listofwords Order by word"));
// An updatable record set as the search and test windows open one: keyset, optimistic.
void openKeyset(store::Recordset& rs, store::Connection& conn, const QString& statement);

} // namespace testsupport
