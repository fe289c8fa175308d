#pragma once

#include "store/connection.h"
#include "store/database.h"
#include "store/recordset.h"
#include "support/recordsets.h"

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <sqlite3.h>

// A fresh word file in a temporary folder, with rows added through the record-set layer and
// read back straight from the file.
struct StoreFile {
    QTemporaryDir dir;
    QString path = dir.path() + "/gre_wordlist.db";

    StoreFile() {
        store::setDatabasePath(path);
        store::ensureDatabase();
    }

    // Adds one word through a static record set; returns its id.
    qint64 add(const QString& word, const QString& synonym = "syn", const QString& usage = {},
               bool frequent = false, QDate entry = QDate(2026, 1, 1), bool used = false) {
        store::Connection conn;
        store::Recordset rs;
        testsupport::openBound(rs, conn, "select * from listofwords where id = 0");
        rs.AddNew();
        rs.setField("word", word);
        rs.setField("synonym", synonym);
        rs.setField("usage", usage);
        rs.setField("frequent", frequent);
        rs.setField("is_used", used);
        rs.setField("entrydate", entry);
        rs.setField("last_seen", entry);
        rs.UpdateBatch();
        return rs.field("id").toLongLong();
    }

    // One value straight from the file with the stock engine (no functions of the program).
    QVariant raw(const QString& sql) const {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        QVariant out;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            if (sqlite3_column_type(st, 0) == SQLITE_INTEGER)
                out = static_cast<qlonglong>(sqlite3_column_int64(st, 0));
            else if (sqlite3_column_type(st, 0) != SQLITE_NULL)
                out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }
};

// The words of a statement, read forward-only as the windows read their lists.
inline QStringList wordsOf(store::Connection& conn, const QString& statement,
                           const QString& column = "word") {
    store::Recordset rs;
    rs.setSource(statement);
    rs.setActiveConnection(&conn);
    rs.Open();
    QStringList out;
    while (!rs.eof()) {
        out << rs.field(column).toString();
        rs.MoveNext();
    }
    rs.Close();
    return out;
}
