// The record-set layer against the bare SQLite C API, for each statement shape the windows use.
#include "benchkit.h"
#include "store/connection.h"
#include "store/database.h"
#include "store/recordset.h"

#include <QFile>
#include <sqlite3.h>

namespace {

using namespace store;

// Reads every column of every row, as a window reading its result would.
int readAllLayer(Connection& conn, const QString& sql, CursorType type = CursorType::ForwardOnly) {
    Recordset rs;
    rs.setCursorType(type);
    if (type != CursorType::ForwardOnly)
        rs.setLockType(LockType::Optimistic);
    rs.setSource(sql);
    rs.setActiveConnection(&conn);
    rs.Open();
    int n = 0;
    const QStringList names = rs.fieldNames();
    while (!rs.eof()) {
        for (const auto& name : names)
            rs.field(name);
        ++n;
        rs.MoveNext();
    }
    rs.Close();
    return n;
}

int readAllBare(sqlite3* db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    int n = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            else
                sqlite3_column_int64(st, c);
        }
        ++n;
    }
    sqlite3_finalize(st);
    return n;
}

sqlite3* openBare(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);
    return db;
}

void statementShapes() {
    const QString path = bench::freshDatabase();
    Connection conn;
    conn.Open();
    sqlite3* bare = openBare(path);
    struct Shape {
        const char* what;
        QString sql;
    };
    const Shape shapes[] = {
        {"prefix LIKE on word ('a', all rows read)",
         "SELECT * FROM listofwords WHERE  word LIKE 'a%' ORDER BY  word"},
        {"prefix LIKE on word ('abc')",
         "SELECT * FROM listofwords WHERE word LIKE 'abc%' ORDER BY word"},
        {"prefix LIKE on id ('1')", "SELECT * FROM listofwords WHERE id LIKE '1%' ORDER BY id"},
        {"= on word", "SELECT * FROM listofwords WHERE word = 'zzzz'"},
        {"pending words", "SELECT * FROM listofwords WHERE synonym = 'not entered' "},
        {"difficult words", "SELECT * FROM listofwords WHERE frequent = TRUE "},
        {"all words in word order",
         "SELECT * FROM listofwords WHERE  word LIKE '%' ORDER BY  word"},
    };
    // A word that exists, for the = shape.
    Recordset any;
    any.setSource("SELECT word FROM listofwords WHERE id = 5000");
    any.setActiveConnection(&conn);
    any.Open();
    const QString known = any.field("word").toString();
    any.Close();
    for (const Shape& s : shapes) {
        QString sql = s.sql;
        sql.replace("zzzz", known);
        int rows = 0;
        const double layer = bench::medianMs(15, [&] { rows = readAllLayer(conn, sql); });
        const double b = bench::medianMs(15, [&] { readAllBare(bare, sql); });
        bench::reportRatio(QString("%1 [%2 rows]").arg(s.what).arg(rows), layer, b, 2.0);
        if (QString(s.what).startsWith("prefix LIKE on word ('a'"))
            bench::report("  one-letter prefix on word, all rows read", layer, "under 12 ms");
    }
    {
        // A month of entry dates: the layer reads each stored date in any form it may have
        // (gre_date); the bare engine compares the text as it stands.
        int rows = 0;
        const double layer = bench::medianMs(15, [&] {
            rows =
                readAllLayer(conn, "SELECT * FROM listofwords WHERE (entrydate >= "
                                   "#2025-03-01#) AND (entrydate <= #2025-03-31#) ORDER BY word");
        });
        const double b = bench::medianMs(15, [&] {
            readAllBare(bare, "SELECT * FROM listofwords WHERE (entrydate >= '2025-03-01') AND "
                              "(entrydate <= '2025-03-31') ORDER BY word");
        });
        bench::reportRatio(QString("date range of a month [%1 rows]").arg(rows), layer, b, 2.0);
    }
    // Keyset open of one row, and an update of one row.
    const QString one = "SELECT * FROM listofwords WHERE word = '" + known + "'";
    const double keyset = bench::medianMs(25, [&] { readAllLayer(conn, one, CursorType::Keyset); });
    const double keysetBare = bench::medianMs(25, [&] { readAllBare(bare, one); });
    bench::reportRatio("keyset open of one row", keyset, keysetBare, 2.0);
    int flip = 0;
    const double upd = bench::medianMs(25, [&] {
        Recordset rs;
        rs.setCursorType(CursorType::Keyset);
        rs.setLockType(LockType::Optimistic);
        rs.setSource(one);
        rs.setActiveConnection(&conn);
        rs.Open();
        rs.setField("synonym", QString("meaning %1").arg(++flip));
        rs.Update();
        rs.Close();
    });
    const double updBare = bench::medianMs(25, [&] {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(bare, "SELECT * FROM listofwords WHERE word = ?1", -1, &st, nullptr);
        const QByteArray k = known.toUtf8();
        sqlite3_bind_text(st, 1, k.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        const qint64 id = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        sqlite3_prepare_v2(bare, "UPDATE listofwords SET synonym = ?1 WHERE id = ?2", -1, &st,
                           nullptr);
        const QByteArray v = QString("meaning %1").arg(++flip).toUtf8();
        sqlite3_bind_text(st, 1, v.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(st, 2, id);
        sqlite3_step(st);
        sqlite3_finalize(st);
    });
    bench::reportRatio("update of one row (open, assign, Update)", upd, updBare, 2.0);
    sqlite3_close(bare);
}

bench::Register reg("store", statementShapes);

} // namespace
