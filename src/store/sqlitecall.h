#pragma once

#include <QByteArray>
#include <QString>
#include <sqlite3.h>
#include <vector>

// Helpers of the store's own classes around the SQLite C API (not for the windows).
namespace store::sqlitecall {

// Throws StoreError with the engine's code and a description a user can act on.
[[noreturn]] void fail(sqlite3* db, int rc);

// Prepares one statement (a second statement in the text is refused) and binds text params.
sqlite3_stmt* prepare(sqlite3* db, const QByteArray& sql,
                      const std::vector<QByteArray>& params = {});

// Runs a statement that returns no rows.
void exec(sqlite3* db, const QByteArray& sql, const std::vector<QByteArray>& params = {});

// Registers the case-folding collation GRE_UNICASE, the dictionary-order collation
// GRE_DICTIONARY, the function gre_like(pattern, text) and the readings of flags and dates
// (gre_flag, gre_date; see storedvalues.h).
void registerTextFunctions(sqlite3* db);

// Sets the connection's busy time-out, cache and safety settings.
void configure(sqlite3* db);

// Whether the file holds a usable word table; throws StoreError, naming the file and what is
// wrong with it, when it does not.
void checkWordTable(sqlite3* db, const QString& path);

// Whether `id` is the table's row key (declared INTEGER PRIMARY KEY), so that the engine gives
// a new row its id. A table made by another tool may declare it a plain column instead.
bool idIsRowKey(sqlite3* db);

// "id:word" of the row with the lowest id (rows without an id aside); empty when there is none.
QString oldestRow(sqlite3* db);

// RAII finalizer.
struct StatementGuard {
    sqlite3_stmt* stmt;
    ~StatementGuard() { sqlite3_finalize(stmt); }
};

} // namespace store::sqlitecall
