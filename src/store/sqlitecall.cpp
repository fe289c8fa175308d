#include "store/sqlitecall.h"

#include "store/dictionaryorder.h"
#include "store/pathcheck.h"
#include "store/storedvalues.h"
#include "store/storeerror.h"
#include "store/textcompare.h"

namespace store::sqlitecall {

namespace {

QString describe(sqlite3* db, int rc) {
    const QString detail =
        db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("The word list is in use by another program and could not be "
                              "changed; nothing was saved. Try again in a moment.");
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN: {
        // A save refused because the folder, not the file, cannot be written says so.
        const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
        if (file && *file) {
            if (const QString folder = folderProblem(QString::fromUtf8(file)); !folder.isEmpty())
                return folder;
        }
        if ((rc & 0xff) == SQLITE_CANTOPEN)
            return QStringLiteral("The word list file could not be opened (%1).").arg(detail);
        return QStringLiteral("The word list file is read-only; nothing was saved.");
    }
    case SQLITE_FULL:
        return QStringLiteral("The disk is full; nothing was saved.");
    case SQLITE_NOTADB:
        return QStringLiteral("The file is not a word list (%1).").arg(detail);
    case SQLITE_CORRUPT:
        return QStringLiteral("The word list file is damaged (%1).").arg(detail);
    case SQLITE_IOERR:
        return QStringLiteral("The word list file could not be read or written (%1).").arg(detail);
    default:
        return detail;
    }
}

void collationFree(void*) {}

int unicaseCompare(void*, int na, const void* a, int nb, const void* b) {
    return textcompare::compare(std::string_view(static_cast<const char*>(a), na),
                                std::string_view(static_cast<const char*>(b), nb));
}

int dictionaryCompare(void*, int na, const void* a, int nb, const void* b) {
    return dictionary::compare(std::string_view(static_cast<const char*>(a), na),
                               std::string_view(static_cast<const char*>(b), nb));
}

void likeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int np = sqlite3_value_bytes(argv[0]);
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int nt = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(ctx, textcompare::like(std::string_view(p, np), std::string_view(t, nt)));
}

} // namespace

void fail(sqlite3* db, int rc) {
    throw StoreError(sqlite3_extended_errcode(db) ? sqlite3_extended_errcode(db) : rc,
                     describe(db, rc));
}

sqlite3_stmt* prepare(sqlite3* db, const QByteArray& sql, const std::vector<QByteArray>& params) {
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &stmt, &tail);
    if (rc != SQLITE_OK)
        fail(db, rc);
    if (!stmt) // empty text
        throw StoreError(1, QStringLiteral("The statement is empty."));
    for (const char* p = tail; p && *p; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\n' && *p != '\r' && *p != ';') {
            sqlite3_finalize(stmt);
            throw StoreError(1, QStringLiteral("Only one statement can be run at a time."));
        }
    }
    for (std::size_t i = 0; i < params.size(); ++i)
        sqlite3_bind_text(stmt, static_cast<int>(i + 1), params[i].constData(),
                          static_cast<int>(params[i].size()), SQLITE_TRANSIENT);
    return stmt;
}

void exec(sqlite3* db, const QByteArray& sql, const std::vector<QByteArray>& params) {
    StatementGuard g{prepare(db, sql, params)};
    int rc;
    while ((rc = sqlite3_step(g.stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(db, rc);
}

void registerTextFunctions(sqlite3* db) {
    sqlite3_create_collation_v2(db, "GRE_UNICASE", SQLITE_UTF8, nullptr, unicaseCompare,
                                collationFree);
    sqlite3_create_collation_v2(db, "GRE_DICTIONARY", SQLITE_UTF8, nullptr, dictionaryCompare,
                                collationFree);
    sqlite3_create_function(db, "gre_like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            likeFunction, nullptr, nullptr);
    registerStoredValueFunctions(db);
}

void configure(sqlite3* db) {
    sqlite3_busy_timeout(db, 4000);
    sqlite3_extended_result_codes(db, 1);
    // A 64 MB page cache keeps a list of 100,000 words in memory after the first read.
    exec(db, "PRAGMA cache_size = -65536");
    exec(db, "PRAGMA temp_store = MEMORY");
    // Every commit reaches the disk before the journal goes: a killed program or a power cut
    // never loses a word it reported saved.
    exec(db, "PRAGMA synchronous = FULL");
}

void checkWordTable(sqlite3* db, const QString& path) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray probe = "SELECT id, word, synonym, part_speech, usage, notes, entrydate, "
                             "last_seen, is_used, frequent FROM listofwords LIMIT 0";
    const int rc = sqlite3_prepare_v2(db, probe.constData(), -1, &stmt, nullptr);
    sqlite3_finalize(stmt);
    const int code = rc & 0xff;
    if (rc == SQLITE_OK) {
        // Every word is changed and deleted by its row id: a table without one cannot be served.
        stmt = nullptr;
        const int rowid =
            sqlite3_prepare_v2(db, "SELECT rowid FROM listofwords LIMIT 0", -1, &stmt, nullptr);
        sqlite3_finalize(stmt);
        if (rowid == SQLITE_OK)
            return;
        throw StoreError(errnum::NotAWordDatabase,
                         QStringLiteral("The file \"%1\" cannot be used as the word list: its "
                                        "listofwords has no row ids (it was made WITHOUT ROWID, "
                                        "or it is a view), so its words could be read but not "
                                        "changed or deleted. Copy the words into a table made "
                                        "without that clause.")
                             .arg(path));
    }
    if (code == SQLITE_ERROR || code == SQLITE_NOTADB)
        throw StoreError(errnum::NotAWordDatabase,
                         QStringLiteral("The file \"%1\" is not a word list (%2).")
                             .arg(path, QString::fromUtf8(sqlite3_errmsg(db))));
    fail(db, rc);
}

bool idIsRowKey(sqlite3* db) {
    StatementGuard g{prepare(db, "SELECT name, type, pk FROM pragma_table_info('listofwords') "
                                 "WHERE pk > 0")};
    int keys = 0;
    bool idKey = false;
    while (sqlite3_step(g.stmt) == SQLITE_ROW) {
        ++keys;
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(g.stmt, 0));
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(g.stmt, 1));
        idKey = name && type && sqlite3_stricmp(name, "id") == 0 &&
                sqlite3_stricmp(type, "INTEGER") == 0;
    }
    return keys == 1 && idKey;
}

QString oldestRow(sqlite3* db) {
    StatementGuard g{
        prepare(db, "SELECT id, word FROM listofwords WHERE id IS NOT NULL ORDER BY id LIMIT 1")};
    const int rc = sqlite3_step(g.stmt);
    if (rc == SQLITE_DONE)
        return {};
    if (rc != SQLITE_ROW)
        fail(db, rc);
    return QString::number(sqlite3_column_int64(g.stmt, 0)) + u':' +
           QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(g.stmt, 1)));
}

} // namespace store::sqlitecall
