#include "store/connection.h"

#include "store/database.h"
#include "store/sqlitecall.h"
#include "store/storeerror.h"

#include <QFile>
#include <QFileInfo>

namespace store {

Connection::Connection() = default;

Connection::~Connection() {
    Close();
}

void Connection::Open(const QString&, const QString&) {
    if (m_db)
        return;
    const QString path = databasePath();
    if (!QFileInfo::exists(path))
        throw StoreError(errnum::FileMissing,
                         QStringLiteral("The word list file \"%1\" does not exist.").arg(path));
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    try {
        if (rc != SQLITE_OK)
            sqlitecall::fail(db, rc);
        sqlitecall::configure(db);
        sqlitecall::registerTextFunctions(db);
        sqlitecall::checkWordTable(db, path);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    m_db = db;
}

void Connection::Close() {
    if (!m_db)
        return;
    if (m_transactionDepth > 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_transactionDepth = 0;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

sqlite3* Connection::handle() const {
    if (!m_db)
        throw StoreError(errnum::NotOpen,
                         QStringLiteral("The connection to the word list is not open."));
    return m_db;
}

void Connection::BeginTrans() {
    if (m_transactionDepth == 0)
        sqlitecall::exec(handle(), "BEGIN IMMEDIATE");
    ++m_transactionDepth;
}

void Connection::CommitTrans() {
    if (m_transactionDepth == 0)
        return;
    if (m_transactionDepth == 1)
        sqlitecall::exec(handle(), "COMMIT");
    --m_transactionDepth;
}

void Connection::RollbackTrans() {
    if (m_transactionDepth == 0)
        return;
    m_transactionDepth = 0;
    sqlite3_exec(handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

} // namespace store
