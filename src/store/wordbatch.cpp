#include "store/wordbatch.h"

#include "store/connection.h"
#include "store/sqlitecall.h"
#include "store/storeerror.h"
#include "store/textcompare.h"

#include <cstdio>
#include <unordered_set>

namespace store {

namespace {

qint64 singleNumber(sqlite3* db, const char* sql) {
    sqlitecall::StatementGuard g{sqlitecall::prepare(db, sql)};
    const int rc = sqlite3_step(g.stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        sqlitecall::fail(db, rc);
    return rc == SQLITE_ROW ? sqlite3_column_int64(g.stmt, 0) : 0;
}

// Whether `id` is the table's row key (declared INTEGER PRIMARY KEY), so that the engine numbers
// new rows itself. Tables made by other tools may declare a plain `id INTEGER` column instead.
bool idIsRowKey(sqlite3* db) {
    return singleNumber(db, "SELECT upper(type) = 'INTEGER' AND pk = 1 AND "
                            "(SELECT count(*) FROM pragma_table_info('listofwords') WHERE pk > 0) "
                            "= 1 FROM pragma_table_info('listofwords') WHERE name = 'id' COLLATE "
                            "NOCASE") != 0;
}

// The id the next new row takes when the engine does not number rows itself: one above the
// highest, so that the ids stay between 1 and MAX(id). The one place that numbers such rows.
qint64 nextFreeId(sqlite3* db) {
    return singleNumber(db, "SELECT COALESCE(MAX(id), 0) + 1 FROM listofwords");
}

// A date as the table stores it, yyyy-mm-dd (QDate::toString is slow for many rows).
QByteArray isoDate(const QDate& date) {
    char text[16];
    const int n =
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year(), date.month(), date.day());
    return QByteArray(text, n);
}

// Whether `word` leads an index with the NOCASE collation (the program's own table has one), so
// that one word is found without reading the table.
bool wordIsIndexed(sqlite3* db) {
    return singleNumber(db,
                        "SELECT count(*) FROM pragma_index_list('listofwords') AS l, "
                        "pragma_index_xinfo(l.name) AS x WHERE x.seqno = 0 AND "
                        "x.name = 'word' COLLATE NOCASE AND x.coll = 'NOCASE' COLLATE NOCASE") > 0;
}

// Lists up to this size are read whole into memory for the duplicate check; in a larger indexed
// list each new word is looked up, so a short file need not read the whole list.
constexpr qint64 kReadWholeListUpTo = 20000;

std::string keyOf(const QByteArray& utf8) {
    return textcompare::foldedKey(std::string_view(utf8.constData(), utf8.size()));
}

} // namespace

struct WordBatch::Impl {
    Connection& conn;
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    qint64 nextId = 0; // 0: the engine numbers new rows
    bool open = false;
    std::unordered_set<std::string> added; // folded words of this batch
    // The list before the batch: either its folded words, or (when lookUp is set) statements
    // that find one word through the index, the same conditions the store's own duplicate check
    // uses: ASCII case for ASCII words; for other words the index range of their ASCII beginning,
    // then the comparison that folds every letter.
    std::unordered_set<std::string> listed;
    bool lookUp = false;
    sqlite3_stmt* findAscii = nullptr;
    sqlite3_stmt* findOther = nullptr;

    explicit Impl(Connection& c) : conn(c) {}
    ~Impl() {
        finalize();
        if (open)
            conn.RollbackTrans();
    }
    void finalize() {
        for (sqlite3_stmt** st : {&insert, &findAscii, &findOther}) {
            sqlite3_finalize(*st);
            *st = nullptr;
        }
    }

    void readWholeList() {
        sqlitecall::StatementGuard all{sqlitecall::prepare(db, "SELECT word FROM listofwords")};
        int rc;
        while ((rc = sqlite3_step(all.stmt)) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(all.stmt, 0));
            if (text)
                listed.insert(textcompare::foldedKey(std::string_view(
                    text, static_cast<std::size_t>(sqlite3_column_bytes(all.stmt, 0)))));
        }
        if (rc != SQLITE_DONE)
            sqlitecall::fail(db, rc);
    }

    bool inList(const QByteArray& word, const std::string& key) {
        if (!lookUp)
            return listed.count(key) > 0;
        sqlite3_stmt* st = nullptr;
        QByteArray low, high;
        if (textcompare::isAscii(std::string_view(word.constData(), word.size()))) {
            st = findAscii;
            sqlite3_reset(st);
            sqlite3_bind_text(st, 1, word.constData(), static_cast<int>(word.size()),
                              SQLITE_STATIC);
        } else {
            // The stretch of the index where every word with the same ASCII beginning lies.
            qsizetype n = 0;
            while (n < word.size() && static_cast<unsigned char>(word[n]) < 0x80)
                ++n;
            low = word.left(n).toLower();
            high = low;
            if (high.isEmpty()) {
                low = QByteArray("\x80", 1);
                high = QByteArray("\xff", 1);
            } else {
                high[high.size() - 1] = static_cast<char>(high[high.size() - 1] + 1);
            }
            st = findOther;
            sqlite3_reset(st);
            sqlite3_bind_text(st, 1, low.constData(), static_cast<int>(low.size()), SQLITE_STATIC);
            sqlite3_bind_text(st, 2, high.constData(), static_cast<int>(high.size()),
                              SQLITE_STATIC);
            sqlite3_bind_text(st, 3, word.constData(), static_cast<int>(word.size()),
                              SQLITE_STATIC);
        }
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            sqlitecall::fail(db, rc);
        return rc == SQLITE_ROW;
    }
};

WordBatch::WordBatch(Connection& connection) : d(std::make_unique<Impl>(connection)) {
    d->db = connection.handle();
    connection.BeginTrans();
    d->open = true;
    if (!idIsRowKey(d->db))
        d->nextId = nextFreeId(d->db);
    d->lookUp = wordIsIndexed(d->db) &&
                singleNumber(d->db, "SELECT count(*) FROM listofwords") > kReadWholeListUpTo;
    if (d->lookUp) {
        d->findAscii = sqlitecall::prepare(
            d->db, "SELECT 1 FROM listofwords WHERE word = ?1 COLLATE NOCASE LIMIT 1");
        d->findOther = sqlitecall::prepare(
            d->db, "SELECT 1 FROM listofwords WHERE word >= ?1 COLLATE NOCASE AND word < ?2 "
                   "COLLATE NOCASE AND word = ?3 COLLATE GRE_UNICASE LIMIT 1");
    } else {
        d->readWholeList();
    }
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
    std::string key = keyOf(word);
    if (d->added.count(key))
        return Outcome::RepeatedInBatch;
    if (d->inList(word, key))
        return Outcome::AlreadyInList;

    // The texts stay alive until the step, so the engine need not copy them.
    const QByteArray texts[] = {row.synonym.toUtf8(), row.partSpeech.toUtf8(), row.usage.toUtf8(),
                                row.notes.toUtf8()};
    const QByteArray dates[] = {row.entrydate.isValid() ? isoDate(row.entrydate) : QByteArray(),
                                row.lastSeen.isValid() ? isoDate(row.lastSeen) : QByteArray()};
    sqlite3_stmt* st = d->insert;
    sqlite3_reset(st);
    if (d->nextId > 0)
        sqlite3_bind_int64(st, 1, d->nextId);
    else
        sqlite3_bind_null(st, 1);
    sqlite3_bind_text(st, 2, word.constData(), static_cast<int>(word.size()), SQLITE_STATIC);
    int index = 3;
    for (const QByteArray& text : texts)
        sqlite3_bind_text(st, index++, text.constData(), static_cast<int>(text.size()),
                          SQLITE_STATIC);
    for (const QByteArray& date : dates) {
        if (date.isNull())
            sqlite3_bind_null(st, index++);
        else
            sqlite3_bind_text(st, index++, date.constData(), static_cast<int>(date.size()),
                              SQLITE_STATIC);
    }
    sqlite3_bind_int(st, 9, row.isUsed ? 1 : 0);
    sqlite3_bind_int(st, 10, row.frequent ? 1 : 0);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_DONE)
        sqlitecall::fail(d->db, rc);
    d->added.insert(std::move(key));
    if (d->nextId > 0)
        ++d->nextId;
    return Outcome::Added;
}

void WordBatch::commit() {
    d->finalize();
    d->conn.CommitTrans();
    d->open = false;
}

} // namespace store
