// Writing the word list out: a round trip through csv and tsv, the flash-card notes, and the
// files an export refuses to write.
#include "support/tablesnapshot.h"
#include "support/testdatabase.h"
#include "transfertestutil.h"

#include <QTest>

using testsupport::TestDatabase;
using testsupport::WordRow;

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void roundTripGivesTheSameWords_data();
    void roundTripGivesTheSameWords();
    void ankiNotes();
    void refusedTargets();
};

namespace {

void fillAwkwardWords(TestDatabase& db) {
    WordRow row;
    row.word = QStringLiteral("abate");
    row.synonym = QStringLiteral("lessen, \"ease\"");
    row.part_speech = QStringLiteral("verb");
    row.usage = QStringLiteral("The storm did not *.\nIt raged;\ton.");
    row.notes = QStringLiteral("  spaced  ");
    row.entrydate = QDate(2001, 7, 1);
    row.last_seen = QDate(2026, 2, 28);
    row.is_used = true;
    row.frequent = true;
    db.insert(row);
    row = WordRow{};
    row.word = QStringLiteral("Éclat");
    row.synonym = QStringLiteral("not entered");
    row.part_speech = QStringLiteral("?");
    row.entrydate = row.last_seen = QDate(2020, 1, 2);
    db.insert(row);
    row = WordRow{};
    row.word = QStringLiteral("o'clock");
    row.synonym = QStringLiteral("<time> & place");
    row.part_speech = QStringLiteral("adverb");
    row.entrydate = row.last_seen = QDate(2026, 3, 1);
    db.insert(row);
}

} // namespace

void TestExport::roundTripGivesTheSameWords_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("format");
    QTest::newRow("csv") << "words.csv"
                         << "";
    QTest::newRow("tsv by extension") << "words.tsv"
                                      << "";
    QTest::newRow("tsv by name") << "words.txt"
                                 << "TSV";
}

void TestExport::roundTripGivesTheSameWords() {
    QFETCH(QString, fileName);
    QFETCH(QString, format);
    TestDatabase from;
    fillAwkwardWords(from);
    const QString file = from.folder() + "/" + fileName;
    const CommandRun exported = runExport(from.path(), file, format);
    QCOMPARE(exported.code, 0);
    QCOMPARE(exported.out, QStringLiteral("Exported 3 words to %1 (%2).\n")
                               .arg(file, format.isEmpty() ? fileName.section('.', 1) : "tsv"));
    const QByteArray bytes = readBytes(file);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.contains("2001-07-01"));

    TestDatabase to;
    const CommandRun imported = runImport(to.path(), file);
    QCOMPARE(imported.code, 0);
    QCOMPARE(withoutIds(testsupport::tableSnapshot(to.path())),
             withoutIds(testsupport::tableSnapshot(from.path())));
}

void TestExport::ankiNotes() {
    TestDatabase db;
    fillAwkwardWords(db);
    const QString file = db.folder() + "/cards.txt";
    QCOMPARE(runExport(db.path(), file, "anki").code, 0);
    QCOMPARE(QString::fromUtf8(readBytes(file)),
             QStringLiteral("#separator:tab\n#html:true\n#tags column:3\n"
                            "abate\tlessen, &quot;ease&quot;<br>verb<br>The storm did not abate."
                            "<br>It raged; on.<br>  spaced  \tdifficult\n"
                            "Éclat\t\t\n"
                            "o'clock\t&lt;time&gt; &amp; place<br>adverb\t\n"));
}

void TestExport::refusedTargets() {
    TestDatabase db;
    db.insert(QStringLiteral("abate"));
    const QString file = db.folder() + "/words.csv";
    writeBytes(file, "keep me");

    CommandRun run = runExport(db.path(), file);
    QCOMPARE(run.code, 1);
    QVERIFY2(run.err.contains("--force"), qPrintable(run.err));
    QCOMPARE(readBytes(file), QByteArray("keep me"));
    QCOMPARE(runExport(db.path(), file, "csv", true).code, 0);
    QVERIFY(readBytes(file).startsWith("id,word,"));

    const QStringList snapshot = testsupport::tableSnapshot(db.path());
    for (const QString& target : {db.path(), db.path() + "-wal"}) {
        run = runExport(db.path(), target, "csv", true);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains("the word list itself"), qPrintable(run.err));
    }
    QCOMPARE(testsupport::tableSnapshot(db.path()), snapshot);
    QCOMPARE(testsupport::integrityCheck(db.path()), QStringLiteral("ok"));

    run = runExport(db.path(), db.folder() + "/words.xls", "xls");
    QCOMPARE(run.code, 2);
    QVERIFY(!QFile::exists(db.folder() + "/words.xls"));
}

QTEST_GUILESS_MAIN(TestExport)
#include "test_export.moc"
