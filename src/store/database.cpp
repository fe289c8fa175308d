#include "store/database.h"

#include "store/fileidentity.h"
#include "store/pathcheck.h"
#include "store/sidefiles.h"
#include "store/sqlitecall.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace store {

namespace {

QString& configuredPath() {
    static QString path;
    return path;
}

const char* const kSchema = "CREATE TABLE listofwords ("
                            " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                            " word TEXT NOT NULL UNIQUE COLLATE NOCASE,"
                            " synonym TEXT,"
                            " part_speech TEXT,"
                            " usage TEXT,"
                            " notes TEXT,"
                            " entrydate DATE,"
                            " last_seen DATE,"
                            " is_used BOOLEAN NOT NULL DEFAULT 0,"
                            " frequent BOOLEAN NOT NULL DEFAULT 0)";

// Builds the new file under a temporary name and moves it into place, so a crash never leaves a
// half-made word list behind and an existing file is never overwritten.
void createDatabase(const QString& path) {
    const QString temp = path + QStringLiteral(".creating");
    QFile::remove(temp);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(temp).constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    try {
        if (rc != SQLITE_OK)
            sqlitecall::fail(db, rc);
        sqlitecall::exec(db, kSchema);
    } catch (...) {
        sqlite3_close(db);
        QFile::remove(temp);
        throw;
    }
    sqlite3_close(db);
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        if (!QFileInfo::exists(path))
            throw StoreError(
                errnum::FileMissing,
                QStringLiteral("The word list file \"%1\" could not be created.").arg(path));
    }
}

// A rollback journal exists only while a save is under way, so no side file outlives a closed
// or idle program; a write-ahead log would lie beside the file for the whole session. A file
// kept in WAL mode (older versions of the program, other tools) is switched once; when another
// program has it open the switch waits for a later start.
void useRollbackJournal(sqlite3* db) {
    sqlite3_exec(db, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr);
}

} // namespace

QString defaultDatabasePath() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/gre_wordlist.db");
}

QString databasePath() {
    if (configuredPath().isEmpty())
        configuredPath() = defaultDatabasePath();
    return configuredPath();
}

void setDatabasePath(const QString& path) {
    configuredPath() = path;
}

void ensureDatabase() {
    const QString path = databasePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (const QString problem = pathProblem(path); !problem.isEmpty())
        throw StoreError(errnum::FileMissing, problem);
    if (!QFileInfo::exists(path))
        createDatabase(path);
    for (const QString& moved : setAsideForeignSideFiles(path))
        qWarning("A journal that did not belong to the word list file was set aside as \"%s\".",
                 qPrintable(moved));
    sqlite3* db = nullptr;
    const int rc =
        // Read-write (never creating) so that closing tidies the journal's side files; the
        // check itself writes nothing.
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    try {
        if (rc != SQLITE_OK)
            sqlitecall::fail(db, rc);
        sqlite3_busy_timeout(db, 4000);
        sqlitecall::checkWordTable(db, path);
        useRollbackJournal(db);
        rememberFile(path, sqlitecall::oldestRow(db), db);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

} // namespace store
