// Importing word lists written by other programs: encodings, quoting, duplicates, and a file
// or a store failure that leaves the list as it was.
#include "support/tablesnapshot.h"
#include "support/testdatabase.h"
#include "transfertestutil.h"

#include <QTest>
#include <sqlite3.h>

using testsupport::TestDatabase;

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void accessExportInWindows1252();
    void markTabsAndQuotedLineBreaks();
    void plainTabsKeepTheirQuotes();
    void duplicatesByCaseInFileAndList_data();
    void duplicatesByCaseInFileAndList();
    void malformedFileChangesNothing_data();
    void malformedFileChangesNothing();
    void lockedListChangesNothing();
    void foreignTableIdsCountUpFromMax();
};

void TestImport::accessExportInWindows1252() {
    TestDatabase db;
    const QString file = db.folder() + "/access.csv";
    // As Access writes a table out: every column, an id, Windows-1252 text, True/False and
    // dates with a time of day, CR LF line ends.
    writeBytes(file, "\"ID\",\"word\",\"synonym\",\"part_speech\",\"usage\",\"notes\","
                     "\"entrydate\",\"last_seen\",\"is_used\",\"frequent\"\r\n"
                     "7,\"caf\xe9\",\"r\xe9sum\xe9 \x93short\x94\",\"noun\",\"A * au lait.\",\"\","
                     "7/1/2001 0:00:00,12/31/2001 0:00:00,True,False\r\n"
                     "8,\"na\xefve\",\"\",\"\",\"\",\"\",2001-07-02,,-1,1\r\n");
    const CommandRun run = runImport(db.path(), file);
    QCOMPARE(run.code, 0);
    QVERIFY2(run.out.startsWith("Imported 2 words from " + file + "."), qPrintable(run.out));
    QVERIFY2(run.out.contains("read as Windows-1252"), qPrintable(run.out));

    const auto cafe = db.row(QStringLiteral("café"));
    QVERIFY(cafe);
    QVERIFY(cafe->id != 7); // ids are the list's own
    QCOMPARE(cafe->synonym, QStringLiteral("résumé “short”"));
    QCOMPARE(cafe->usage, QStringLiteral("A * au lait."));
    QCOMPARE(cafe->entrydate, QDate(2001, 7, 1));
    QCOMPARE(cafe->last_seen, QDate(2001, 12, 31));
    QVERIFY(cafe->is_used);
    QVERIFY(!cafe->frequent);

    // Empty cells take what the word entry window stores.
    const auto naive = db.row(QStringLiteral("naïve"));
    QVERIFY(naive);
    QCOMPARE(naive->synonym, QStringLiteral("not entered"));
    QCOMPARE(naive->part_speech, QStringLiteral("?"));
    QCOMPARE(naive->entrydate, QDate(2001, 7, 2));
    QCOMPARE(naive->last_seen, QDate::currentDate());
    QVERIFY(naive->is_used);
    QVERIFY(naive->frequent);
}

void TestImport::markTabsAndQuotedLineBreaks() {
    TestDatabase db;
    const QString file = db.folder() + "/words.txt";
    // UTF-8 with a byte-order mark, tabs found from the header, columns in another order and
    // case, a column the list lacks, a quoted cell over three lines, a line without a word.
    writeBytes(
        file, "\xEF\xBB\xBF"
              "Usage\tWORD\tsource\tFrequent\t\n"
              "\"The storm did not *.\r\nIt raged.\n\"\"Still\"\" raging.\"\t  abate  \tbook\tyes\n"
              "\t\tbook\t\n"
              "\n"
              "One.\tzeal\t\tno\n"
              "\t \tweb\tno\n");
    const CommandRun run = runImport(db.path(), file);
    QCOMPARE(run.code, 0);
    QCOMPARE(run.out, QStringLiteral("Imported 2 words from %1; 2 lines had no word (lines 5, 8); "
                                     "ignored the column source.\n")
                          .arg(file));
    QVERIFY(run.err.isEmpty()); // no progress line on a stream that is not a terminal
    const auto abate = db.row(QStringLiteral("abate"));
    QVERIFY(abate);
    QCOMPARE(abate->usage, QStringLiteral("The storm did not *.\r\nIt raged.\n\"Still\" raging."));
    QVERIFY(abate->frequent);
    QCOMPARE(abate->entrydate, QDate::currentDate());
    QVERIFY(db.row(QStringLiteral("zeal")));
    QCOMPARE(db.count(), 2);
}

void TestImport::plainTabsKeepTheirQuotes() {
    TestDatabase db;
    const QString file = db.folder() + "/plain.tsv";
    // Written by a tool that knows no quoting: the quotes are part of the text.
    writeBytes(file, "word\tusage\nabate\tHe said \"abate\" twice.\n\"zeal\"\tx\n");
    QCOMPARE(runImport(db.path(), file).code, 0);
    QCOMPARE(db.row(QStringLiteral("abate"))->usage, QStringLiteral("He said \"abate\" twice."));
    QVERIFY(db.row(QStringLiteral("\"zeal\"")));
}

void TestImport::duplicatesByCaseInFileAndList_data() {
    // A short list is read whole; in a long one each word is looked up through the index.
    QTest::addColumn<int>("otherWords");
    QTest::newRow("short list") << 0;
    QTest::newRow("long list") << 25000;
}

void TestImport::duplicatesByCaseInFileAndList() {
    QFETCH(int, otherWords);
    TestDatabase db;
    db.insert(QStringLiteral("Abate"), QStringLiteral("lessen"));
    db.insert(QStringLiteral("ÉCLAT"), QStringLiteral("brilliance"));
    db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                           "i < %1) INSERT INTO listofwords (word) SELECT 'filler' || i FROM n")
                .arg(otherWords));
    const QStringList before = testsupport::tableSnapshot(db.path());
    const QString file = db.folder() + "/dupes.csv";
    writeBytes(file, "word,synonym\nabate,changed\néclat,changed\nzeal,ardour\nZEAL,again\n"
                     "Zèle,x\nzÈLE,y\n");

    // A dry run says the same and writes nothing.
    const CommandRun dry = runImport(db.path(), file, true);
    QCOMPARE(dry.code, 0);
    QCOMPARE(testsupport::tableSnapshot(db.path()), before);

    const CommandRun run = runImport(db.path(), file);
    QCOMPARE(run.code, 0);
    const QString tail = QStringLiteral("2 words from %1; skipped 2 already in the list (abate, "
                                        "éclat); skipped 2 repeated in the file (ZEAL, zÈLE).")
                             .arg(file);
    QCOMPARE(run.out, "Imported " + tail + "\n");
    QCOMPARE(dry.out, "Dry run: would import " + tail + " Nothing was written.\n");
    // The rows already there are untouched; the new ones follow them.
    const QStringList after = testsupport::tableSnapshot(db.path());
    QCOMPARE(after.mid(0, before.size()), before);
    QCOMPARE(after.size(), before.size() + 2);
    QCOMPARE(db.row(QStringLiteral("zeal"))->synonym, QStringLiteral("ardour"));
    QCOMPARE(db.row(QStringLiteral("Zèle"))->synonym, QStringLiteral("x"));
}

void TestImport::malformedFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unterminated quote")
        << QByteArray("word,usage\nabate,\"never closed\nzeal,fine\n")
        << "line 2: a quote is never closed";
    QTest::newRow("quote out of place") << QByteArray("word,usage\nabate,fine\nzeal,\"one\" two\n")
                                        << "line 3: a quote is out of place";
    QTest::newRow("more cells than the header")
        << QByteArray("word,usage\nabate,fine\nzeal,a,b\n") << "line 3 has 3 cells";
    QTest::newRow("date that is no date")
        << QByteArray("word,entrydate\nabate,soon\n") << "line 2: \"soon\" in the column entrydate";
    QTest::newRow("no header naming word")
        << QByteArray("abate,lessen\nzeal,ardour\n") << "word,synonym,part_speech,usage,notes";
}

void TestImport::malformedFileChangesNothing() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    TestDatabase db;
    db.insert(QStringLiteral("before"));
    const QStringList snapshot = testsupport::tableSnapshot(db.path());
    const QString file = db.folder() + "/bad.csv";
    writeBytes(file, content);
    const CommandRun run = runImport(db.path(), file);
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains(reason) && run.err.contains("Nothing was imported"),
             qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QCOMPARE(testsupport::tableSnapshot(db.path()), snapshot);
}

void TestImport::lockedListChangesNothing() {
    TestDatabase db;
    db.insert(QStringLiteral("before"));
    const QStringList snapshot = testsupport::tableSnapshot(db.path());
    const QString file = db.folder() + "/words.csv";
    writeBytes(file, "word\nabate\nzeal\n");
    // Another program holds a write transaction for longer than the store waits.
    sqlite3* other = nullptr;
    sqlite3_open(db.path().toUtf8().constData(), &other);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const CommandRun run = runImport(db.path(), file);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains("in use by another program"), qPrintable(run.err));
    QCOMPARE(testsupport::tableSnapshot(db.path()), snapshot);
    // Once the other program is done, the same import goes through.
    QCOMPARE(runImport(db.path(), file).code, 0);
    QCOMPARE(db.count(), 3);
}

void TestImport::foreignTableIdsCountUpFromMax() {
    TestDatabase db;
    // A table another tool made: id is a plain column, not the row key.
    db.exec("DROP TABLE listofwords");
    db.exec("CREATE TABLE listofwords (id INTEGER, word TEXT, synonym TEXT, part_speech TEXT, "
            "usage TEXT, notes TEXT, entrydate DATE, last_seen DATE, is_used BOOLEAN, "
            "frequent BOOLEAN)");
    db.exec("INSERT INTO listofwords (id, word) VALUES (4, 'abate'), (9, 'zeal')");
    const QString file = db.folder() + "/words.csv";
    writeBytes(file, "word\nbanal\ncalm\n");
    QCOMPARE(runImport(db.path(), file).code, 0);
    QCOMPARE(db.row(QStringLiteral("banal"))->id, 10);
    QCOMPARE(db.row(QStringLiteral("calm"))->id, 11);
}

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
