#include "store/connection.h"

#include "store/database.h"
#include "store/sqlitecall.h"
#include "store/storeerror.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

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
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr); // one thread each
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
    m_path = path;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        m_device = st.st_dev;
        m_inode = st.st_ino;
    }
}

void Connection::checkFileStillThere() {
    struct stat st {};
    const bool same = ::stat(QFile::encodeName(m_path).constData(), &st) == 0 &&
                      st.st_dev == m_device && st.st_ino == m_inode;
    if (same)
        return;
    // The file this connection has open is no longer the one at the path: everything saved so
    // far would vanish with it. Copy it out beside the path before reporting.
    QString base = m_path;
    if (base.endsWith(QLatin1String(".db")))
        base.chop(3);
    const QString copy = base + QDateTime::currentDateTime().toString(
                                    QStringLiteral("'.recovered-'yyyyMMdd-HHmmss'.db'"));
    sqlite3* out = nullptr;
    bool saved = false;
    if (sqlite3_open_v2(QFile::encodeName(copy).constData(), &out,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK) {
        if (sqlite3_backup* b = sqlite3_backup_init(out, "main", m_db, "main")) {
            sqlite3_backup_step(b, -1);
            saved = sqlite3_backup_finish(b) == SQLITE_OK;
        }
    }
    sqlite3_close(out);
    throw StoreError(
        errnum::FileMissing,
        saved ? QStringLiteral("The word list file \"%1\" was deleted or replaced while the "
                               "program was running, so nothing more can be saved to it. "
                               "Every word saved so far has been copied to \"%2\": rename "
                               "that file to \"%3\" to go on using it.")
                    .arg(m_path, copy, QFileInfo(m_path).fileName())
              : QStringLiteral("The word list file \"%1\" was deleted or replaced while the "
                               "program was running; nothing was saved.")
                    .arg(m_path));
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
    if (m_transactionDepth == 0) {
        sqlite3* db = handle();
        checkFileStillThere();
        sqlitecall::exec(db, "BEGIN IMMEDIATE");
    }
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
