#include "store/filecopy.h"

#include "store/sqlitecall.h"
#include "store/storedvalues.h"
#include "store/storeerror.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace store {

namespace {

// Owns one handle; closing it never throws.
struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close(db); }
};

void openFile(Handle& h, const QString& path, int flags) {
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h.db, flags, nullptr);
    if (rc != SQLITE_OK)
        sqlitecall::fail(h.db, rc);
    sqlite3_busy_timeout(h.db, 4000);
    sqlite3_extended_result_codes(h.db, 1);
}

// Read-write, so that a save a killed program left half done is undone before reading; a file
// the user may not write is opened read-only by SQLite itself.
void openExisting(Handle& h, const QString& path, int flags) {
    if (!QFileInfo(path).isFile())
        throw StoreError(errnum::FileMissing,
                         QStringLiteral("The file \"%1\" does not exist.").arg(path));
    openFile(h, path, flags);
}

// A flag read the way the windows read it; a flag with no value is no answer.
std::optional<bool> flag(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, column) != 0;
    default:
        return parseFlagText(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column))));
    }
}

void countWords(sqlite3* db, WordListSummary& s) {
    sqlitecall::StatementGuard g{
        sqlitecall::prepare(db, "SELECT is_used, frequent, synonym FROM listofwords")};
    int rc;
    while ((rc = sqlite3_step(g.stmt)) == SQLITE_ROW) {
        ++s.words;
        s.free += flag(g.stmt, 0) == false;
        s.difficult += flag(g.stmt, 1) == true;
        const auto* synonym = reinterpret_cast<const char*>(sqlite3_column_text(g.stmt, 2));
        s.pending += synonym && std::strcmp(synonym, "not entered") == 0;
    }
    if (rc != SQLITE_DONE)
        sqlitecall::fail(db, rc);
}

// Copies into `temp` and leaves it synced, in rollback-journal mode, with nothing beside it.
void backupInto(const QString& from, const QString& temp) {
    Handle source;
    openExisting(source, from, SQLITE_OPEN_READWRITE);
    sqlitecall::checkWordTable(source.db, from);
    QFile::remove(temp);
    Handle target;
    openFile(target, temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    // A new file needs no journal: until the rename it is nobody's word list.
    sqlitecall::exec(target.db, "PRAGMA journal_mode = OFF");
    sqlite3_backup* b = sqlite3_backup_init(target.db, "main", source.db, "main");
    if (!b)
        sqlitecall::fail(target.db, sqlite3_errcode(target.db));
    int rc;
    do {
        rc = sqlite3_backup_step(b, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(50);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    rc = sqlite3_backup_finish(b);
    if (rc != SQLITE_OK)
        sqlitecall::fail(target.db, rc);
}

// A source kept in WAL mode hands its mode on in the header; the copy uses a journal.
void useRollbackJournal(const QString& path) {
    Handle h;
    openFile(h, path, SQLITE_OPEN_READWRITE);
    sqlitecall::exec(h.db, "PRAGMA journal_mode = DELETE");
}

void placeCopy(const QString& from, const QString& to, bool removeSideFiles) {
    const QString temp = to + QStringLiteral(".part");
    try {
        backupInto(from, temp);
        useRollbackJournal(temp);
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    if (removeSideFiles)
        for (const char* side : {"-journal", "-wal", "-shm"})
            QFile::remove(to + QLatin1String(side));
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(to).constData()) != 0) {
        QFile::remove(temp);
        throw StoreError(errnum::FileMissing,
                         QStringLiteral("The copy could not be put in place as \"%1\" (%2).")
                             .arg(to, QString::fromLocal8Bit(std::strerror(errno))));
    }
}

} // namespace

void copyWordList(const QString& from, const QString& to) {
    placeCopy(from, to, false);
}

void replaceWordList(const QString& from, const QString& to) {
    placeCopy(from, to, true);
}

WordListSummary inspectWordList(const QString& path) {
    Handle h;
    openExisting(h, path, SQLITE_OPEN_READWRITE);
    WordListSummary s;
    {
        sqlitecall::StatementGuard g{sqlitecall::prepare(h.db, "PRAGMA integrity_check")};
        const int rc = sqlite3_step(g.stmt);
        if (rc != SQLITE_ROW)
            sqlitecall::fail(h.db, rc);
        s.integrity =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(g.stmt, 0)));
    }
    if (s.integrity != QLatin1String("ok"))
        return s;
    sqlitecall::checkWordTable(h.db, path);
    countWords(h.db, s);
    return s;
}

} // namespace store
