#include "support/tablesnapshot.h"

#include <QFile>
#include <sqlite3.h>

namespace testsupport {

namespace {

QStringList query(const QString& path, const char* sql) {
    QStringList rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return {QStringLiteral("<cannot open %1>").arg(path)};
    }
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        rows << QStringLiteral("<%1>").arg(QString::fromUtf8(sqlite3_errmsg(db)));
    } else {
        int rc;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList columns;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                if (sqlite3_column_type(statement, c) == SQLITE_NULL)
                    columns << QStringLiteral("<null>");
                else
                    columns << QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(statement, c)),
                        sqlite3_column_bytes(statement, c));
            }
            rows << columns.join(QLatin1Char('|'));
        }
        if (rc != SQLITE_DONE)
            rows << QStringLiteral("<%1>").arg(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

} // namespace

QStringList tableSnapshot(const QString& path) {
    return query(path, "SELECT id, word, synonym, part_speech, usage, notes, entrydate, "
                       "last_seen, is_used, frequent FROM listofwords ORDER BY id");
}

QStringList wordsInFile(const QString& path) {
    return query(path, "SELECT word FROM listofwords ORDER BY id");
}

QString integrityCheck(const QString& path) {
    return query(path, "PRAGMA integrity_check").join(QLatin1Char('\n'));
}

QStringList withRow(QStringList snapshot, qint64 id, const QString& replacement) {
    const QString prefix = QString::number(id) + QLatin1Char('|');
    for (int i = 0; i < snapshot.size(); ++i) {
        if (!snapshot[i].startsWith(prefix))
            continue;
        if (replacement.isEmpty())
            snapshot.removeAt(i);
        else
            snapshot[i] = replacement;
        break;
    }
    return snapshot;
}

} // namespace testsupport
