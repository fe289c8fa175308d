#include "store/connection.h"

#include "store/database.h"
#include "store/fileidentity.h"
#include "store/sqlitecall.h"
#include "store/storeerror.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

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
    const FileIdentity now = FileIdentity::of(path, db);
    m_device = now.device;
    m_inode = now.inode;
    // The first connection records the file; a later one never hides a change made since.
    if (!rememberedFile(path).identity.exists)
        noteCommitted();
}

namespace {

// The copy of what a connection still holds, made once per file: later refused saves point to
// the same copy.
QString recoveryCopyOf(sqlite3* db, const QString& path) {
    static QHash<QString, QString> made;
    if (const auto it = made.constFind(path); it != made.constEnd())
        return *it;
    QString base = path;
    if (base.endsWith(QLatin1String(".db")))
        base.chop(3);
    const QString copy = base + QDateTime::currentDateTime().toString(
                                    QStringLiteral("'.recovered-'yyyyMMdd-HHmmss'.db'"));
    sqlite3* out = nullptr;
    bool saved = false;
    if (sqlite3_open_v2(QFile::encodeName(copy).constData(), &out,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK) {
        if (sqlite3_backup* b = sqlite3_backup_init(out, "main", db, "main")) {
            sqlite3_backup_step(b, -1);
            saved = sqlite3_backup_finish(b) == SQLITE_OK;
        }
    }
    sqlite3_close(out);
    if (!saved) {
        QFile::remove(copy);
        return {};
    }
    made.insert(path, copy);
    return copy;
}

} // namespace

void Connection::checkFileStillThere() {
    const FileIdentity now = FileIdentity::of(m_path, m_db);
    const RememberedFile remembered = rememberedFile(m_path);
    const FileIdentity& known = remembered.identity;
    const bool openedHere = now.exists && now.device == m_device && now.inode == m_inode;
    if (openedHere && (!known.exists || known == now))
        return;
    const bool sameFileAsKnown = known.device == now.device && known.inode == now.inode;
    if (openedHere && sameFileAsKnown && now.onlyCommittedSince(known) &&
        (remembered.oldestRow.isEmpty() || sqlitecall::oldestRow(m_db) == remembered.oldestRow)) {
        // Another program saved with SQLite (the engine re-reads what changed): go on. A list
        // that was empty had no rows to confuse with another file's.
        noteCommitted();
        return;
    }
    const bool holdsKnownFile =
        !known.exists || (known.device == m_device && known.inode == m_inode);
    if (openedHere || !holdsKnownFile)
        // Rewritten in place (a copy over it), or another file this connection opened after
        // the switch: the words this process had are not in it, and its kept rows would land
        // on other words of the new file.
        throw StoreError(errnum::FileReplaced,
                         QStringLiteral("The word list file \"%1\" was replaced or overwritten "
                                        "by another program while this program was running. "
                                        "Nothing more is saved to it, so it stays exactly as "
                                        "it is now; start the program again to work with the "
                                        "words it holds.")
                             .arg(m_path));
    // Deleted, or another file moved in under the name: this connection still reads the file
    // the program used. Copy it out beside the path before reporting.
    const QString copy = recoveryCopyOf(m_db, m_path);
    if (copy.isEmpty())
        throw StoreError(errnum::FileMissing,
                         QStringLiteral("The word list file \"%1\" was deleted or replaced while "
                                        "the program was running; nothing was saved.")
                             .arg(m_path));
    if (!now.exists)
        throw StoreError(errnum::FileMissing,
                         QStringLiteral("The word list file \"%1\" was deleted or replaced "
                                        "while the program was running, so nothing more can "
                                        "be saved to it. Every word saved so far has been "
                                        "copied to \"%2\": rename that file to \"%3\" to go "
                                        "on using it.")
                             .arg(m_path, copy, QFileInfo(m_path).fileName()));
    throw StoreError(errnum::FileReplaced,
                     QStringLiteral("The word list file \"%1\" was replaced by another file "
                                    "while the program was running. Nothing more is saved to "
                                    "it: \"%1\" now holds the file that replaced it, left as "
                                    "it is, and \"%2\" holds every word this program had "
                                    "saved until then.")
                         .arg(m_path, copy));
}

void Connection::noteCommitted() {
    QString oldest = rememberedFile(m_path).oldestRow;
    try {
        oldest = sqlitecall::oldestRow(m_db);
    } catch (const StoreError&) {
        // Saved all the same; the row read before stands.
    }
    rememberFile(m_path, oldest, m_db);
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
    if (m_transactionDepth == 1) {
        try {
            // A file copied over this one while the transaction ran gets none of its pages.
            checkFileStillThere();
        } catch (const StoreError&) {
            RollbackTrans();
            throw;
        }
        sqlitecall::exec(handle(), "COMMIT");
        noteCommitted();
    }
    --m_transactionDepth;
}

void Connection::RollbackTrans() {
    if (m_transactionDepth == 0)
        return;
    m_transactionDepth = 0;
    sqlite3_exec(handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

} // namespace store
