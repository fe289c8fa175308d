#include "store/wordbatch.h"

#include "store/connection.h"
#include "store/sqlitecall.h"
#include "store/storeerror.h"
#include "store/textcompare.h"

#include <unordered_map>

namespace store {

namespace {

// Whether `id` is the table's row key (declared INTEGER PRIMARY KEY), so that the engine numbers
// new rows itself. Tables made by other tools may declare a plain `id INTEGER` column instead.
bool idIsRowKey(sqlite3* db) {
    sqlitecall::StatementGuard g{sqlitecall::prepare(
        db, "SELECT upper(type) = 'INTEGER' AND pk = 1 AND "
            "(SELECT count(*) FROM pragma_table_info('listofwords') WHERE pk > 0) = 1 "
            "FROM pragma_table_info('listofwords') WHERE name = 'id' COLLATE NOCASE")};
    const int rc = sqlite3_step(g.stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        sqlitecall::fail(db, rc);
    return rc == SQLITE_ROW && sqlite3_column_int(g.stmt, 0) != 0;
}

// The id the next new row takes when the engine does not number rows itself: one above the
// highest, so that the ids stay between 1 and MAX(id).
qint64 nextFreeId(sqlite3* db) {
    sqlitecall::StatementGuard g{
        sqlitecall::prepare(db, "SELECT COALESCE(MAX(id), 0) + 1 FROM listofwords")};
    const int rc = sqlite3_step(g.stmt);
    if (rc != SQLITE_ROW)
        sqlitecall::fail(db, rc);
    return sqlite3_column_int64(g.stmt, 0);
}

void bindText(sqlite3_stmt* stmt, int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
}

void bindDate(sqlite3_stmt* stmt, int index, const QDate& date) {
    if (date.isValid())
        bindText(stmt, index, date.toString(Qt::ISODate));
    else
        sqlite3_bind_null(stmt, index);
}

} // namespace

struct WordBatch::Impl {
    Connection& conn;
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    qint64 nextId = 0; // 0: the engine numbers new rows
    bool open = false;
    // Folded word -> whether it was in the table before the batch.
    std::unordered_map<std::string, bool> words;

    explicit Impl(Connection& c) : conn(c) {}
    ~Impl() {
        sqlite3_finalize(insert);
        if (open)
            conn.RollbackTrans();
    }
};

WordBatch::WordBatch(Connection& connection) : d(std::make_unique<Impl>(connection)) {
    d->db = connection.handle();
    connection.BeginTrans();
    d->open = true;
    if (!idIsRowKey(d->db))
        d->nextId = nextFreeId(d->db);
    sqlitecall::StatementGuard all{sqlitecall::prepare(d->db, "SELECT word FROM listofwords")};
    int rc;
    while ((rc = sqlite3_step(all.stmt)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(all.stmt, 0));
        if (text)
            d->words.emplace(
                textcompare::foldedKey(std::string_view(
                    text, static_cast<std::size_t>(sqlite3_column_bytes(all.stmt, 0)))),
                true);
    }
    if (rc != SQLITE_DONE)
        sqlitecall::fail(d->db, rc);
    d->insert = sqlitecall::prepare(
        d->db, "INSERT INTO listofwords (id, word, synonym, part_speech, usage, notes, entrydate, "
               "last_seen, is_used, frequent) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
}

WordBatch::~WordBatch() = default;

WordBatch::Outcome WordBatch::add(const NewWord& row) {
    if (row.word.isEmpty())
        throw StoreError(errnum::EmptyWord,
                         QStringLiteral("A word cannot be saved without the word itself."));
    const QByteArray word = row.word.toUtf8();
    const auto [it, isNew] = d->words.emplace(
        textcompare::foldedKey(std::string_view(word.constData(), word.size())), false);
    if (!isNew)
        return it->second ? Outcome::AlreadyInList : Outcome::RepeatedInBatch;

    sqlite3_stmt* st = d->insert;
    sqlite3_reset(st);
    if (d->nextId > 0)
        sqlite3_bind_int64(st, 1, d->nextId);
    else
        sqlite3_bind_null(st, 1);
    sqlite3_bind_text(st, 2, word.constData(), static_cast<int>(word.size()), SQLITE_TRANSIENT);
    bindText(st, 3, row.synonym);
    bindText(st, 4, row.partSpeech);
    bindText(st, 5, row.usage);
    bindText(st, 6, row.notes);
    bindDate(st, 7, row.entrydate);
    bindDate(st, 8, row.lastSeen);
    sqlite3_bind_int(st, 9, row.isUsed ? 1 : 0);
    sqlite3_bind_int(st, 10, row.frequent ? 1 : 0);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_DONE) {
        d->words.erase(it);
        sqlitecall::fail(d->db, rc);
    }
    if (d->nextId > 0)
        ++d->nextId;
    return Outcome::Added;
}

void WordBatch::commit() {
    sqlite3_finalize(d->insert);
    d->insert = nullptr;
    d->conn.CommitTrans();
    d->open = false;
}

} // namespace store
