// Import and export of whole word lists, each beside the bare SQLite engine doing the same
// inserts or reads in one transaction.
#include "benchkit.h"
#include "store/database.h"
#include "transfer/exportcommand.h"
#include "transfer/importcommand.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <sqlite3.h>

namespace {

void reportBeside(const QString& what, double ms, double bareMs, const QString& goal) {
    std::printf("  %-44s %8.2f ms  bare engine %8.2f ms  (goal: %s)\n", qPrintable(what), ms,
                bareMs, qPrintable(goal));
    std::fflush(stdout);
}

int importFile(const QString& database, const QString& file) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = transfer::importCommand(database, file, false, o, e);
    if (code != 0)
        std::printf("  import failed: %s\n", qPrintable(err));
    return code;
}

int exportFile(const QString& database, const QString& file) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = transfer::exportCommand(database, file, QStringLiteral("csv"), true, o, e);
    if (code != 0)
        std::printf("  export failed: %s\n", qPrintable(err));
    return code;
}

// A word file with its empty table, made the way the program makes it.
void makeEmptyList(const QString& path) {
    for (const char* side : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(side));
    store::setDatabasePath(path);
    store::ensureDatabase();
}

// The same rows the import writes, inserted straight through the engine in one transaction.
void bareInsert(const QString& path, int rows, int firstSerial) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO listofwords (id, word, synonym, part_speech, usage, notes, "
                       "entrydate, last_seen, is_used, frequent) VALUES (?,?,?,?,?,?,?,?,?,?)",
                       -1, &st, nullptr);
    for (int i = 0; i < rows; ++i) {
        const QByteArray word = "bareword" + QByteArray::number(firstSerial + i);
        const QByteArray syn = "a meaning of " + word;
        const QByteArray usage = "The * was used in a sentence about " + word + ".";
        sqlite3_bind_null(st, 1);
        sqlite3_bind_text(st, 2, word.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, syn.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, "adj.", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 5, usage.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 6, "", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 7, "2025-03-04", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 8, "2025-03-04", -1, SQLITE_STATIC);
        sqlite3_bind_int(st, 9, 0);
        sqlite3_bind_int(st, 10, i % 7 == 0);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// Every row in id order, straight through the engine, joined with commas and written out.
void bareExport(const QString& path, const QString& file) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM listofwords ORDER BY id", -1, &st, nullptr);
    QByteArray out;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < 10; ++c) {
            if (c)
                out += ',';
            out += reinterpret_cast<const char*>(sqlite3_column_text(st, c));
        }
        out += "\r\n";
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write(out);
}

void run() {
    QTemporaryDir dir;
    const QString wholeList = dir.filePath(QStringLiteral("all.csv"));
    const QString empty = dir.filePath(QStringLiteral("empty.db"));
    exportFile(bench::templateDatabase(), wholeList);

    const double importAll = bench::medianPreparedMs(
        3, [&] { makeEmptyList(empty); }, [&] { importFile(empty, wholeList); });
    const double bareAll = bench::medianPreparedMs(
        3, [&] { makeEmptyList(empty); }, [&] { bareInsert(empty, bench::kWords, 0); });
    reportBeside(QStringLiteral("import %1 words into an empty list").arg(bench::kWords), importAll,
                 bareAll, QStringLiteral("< 1 s"));

    const QString thousand = dir.filePath(QStringLiteral("new.csv"));
    {
        QByteArray csv = "word,synonym,part_speech,usage,entrydate,frequent\r\n";
        for (int i = 0; i < 1000; ++i) {
            const QByteArray word = "newword" + QByteArray::number(i);
            csv += word + ",a meaning of " + word + ",adj.,\"The * was used, once.\",7/1/2001," +
                   (i % 7 == 0 ? "True" : "False") + "\r\n";
        }
        QFile f(thousand);
        f.open(QIODevice::WriteOnly);
        f.write(csv);
    }
    QString full;
    const double importFew = bench::medianPreparedMs(
        5, [&] { full = bench::freshDatabase(); }, [&] { importFile(full, thousand); });
    const double bareFew = bench::medianPreparedMs(
        5, [&] { full = bench::freshDatabase(); }, [&] { bareInsert(full, 1000, 0); });
    reportBeside(QStringLiteral("import 1,000 words into a list of %1").arg(bench::kWords),
                 importFew, bareFew, QStringLiteral("< 200 ms"));

    const QString exported = dir.filePath(QStringLiteral("out.csv"));
    full = bench::freshDatabase();
    const double exportAll = bench::medianMs(3, [&] { exportFile(full, exported); });
    const double bareOut = bench::medianMs(3, [&] { bareExport(full, exported); });
    reportBeside(QStringLiteral("export %1 words").arg(bench::kWords), exportAll, bareOut,
                 QStringLiteral("< 1 s"));
}

bench::Register reg(QStringLiteral("transfer"), run);

} // namespace
