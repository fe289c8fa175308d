// Drawing the ten words of a test and the wrong choices of a question.
#include "quiz/module1.h"
#include "shell/random.h"
#include "store/dataenvironment.h"
#include "store/storeerror.h"
#include "support/shellharness.h"
#include "support/testdatabase.h"

#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>

using testsupport::TestDatabase;
using testsupport::WordRow;

namespace {

WordRow wordRow(qint64 id, const QString& word, const QString& usage = {}) {
    WordRow row;
    row.id = id;
    row.word = word;
    row.synonym = QStringLiteral("meaning of ") + word;
    row.part_speech = QStringLiteral("?");
    row.usage = usage;
    row.last_seen = QDate(2020, 5, 6);
    return row;
}

QSet<QString> drawnWords() {
    return QSet<QString>(Module1::testwords.begin(), Module1::testwords.end());
}

} // namespace

class TestModule1 : public QObject {
    Q_OBJECT
private slots:
    void drawsEveryFreeRowAcrossGaps();
    void drawsIdsBeyondSixteenBits();
    void drawsOnlyFreeRows();
    void usageOrFallbackAndLastSeen_data();
    void usageOrFallbackAndLastSeen();
    void statementsCarryTheIdAfterTwoBlanks();
    void choicesDifferFromTheRightWordAndWriteNothing();
    void choicesComparedWithTheRightWordCaseSensitively();
    void choicesStopWhenNoOtherWordIsLeft();
    void emptyTableFailsInsteadOfDrawingForever();
    void denseTableDrawsTheSameWordsAsEver();
    void wideAndMissingIdsDrawOnlyRowsWithIds();
};

void TestModule1::drawsEveryFreeRowAcrossGaps() {
    // Ten rows spread over ids 1..500: draws that miss are repeated until all ten are found.
    TestDatabase db;
    testsupport::ShellHarness harness;
    const QList<qint64> ids{1, 3, 50, 99, 200, 201, 333, 400, 470, 500};
    QSet<QString> words;
    for (const qint64 id : ids) {
        const QString word = QStringLiteral("word%1").arg(id);
        db.insert(wordRow(id, word, QStringLiteral("a * sentence")));
        words.insert(word);
    }

    Module1::picktestwords();

    QCOMPARE(drawnWords(), words);
    for (const qint64 id : ids)
        QVERIFY(db.rowById(id)->is_used);
    QVERIFY(!store::degrewordlist().rscommwordlist.isOpen());
}

void TestModule1::drawsIdsBeyondSixteenBits() {
    TestDatabase db;
    testsupport::ShellHarness harness;
    for (qint64 id = 32768; id < 32768 + 1000; ++id)
        db.insert(wordRow(id, QStringLiteral("word%1").arg(id)));

    Module1::picktestwords();

    QCOMPARE(drawnWords().size(), 10);
    for (const QString& word : Module1::testwords)
        QVERIFY(db.row(word)->is_used);
    // Exactly the ten drawn rows are marked used.
    db.exec(QStringLiteral("DELETE FROM listofwords WHERE is_used = 1"));
    QCOMPARE(db.count(), 990);
}

void TestModule1::drawsOnlyFreeRows() {
    TestDatabase db;
    testsupport::ShellHarness harness;
    QSet<QString> free;
    for (int i = 1; i <= 30; ++i) {
        WordRow row = wordRow(0, QStringLiteral("w%1").arg(i));
        row.is_used = i % 3 != 0; // ten free rows: 3, 6, ..., 30
        db.insert(row);
        if (!row.is_used)
            free.insert(row.word);
    }

    Module1::picktestwords();

    QCOMPARE(drawnWords(), free);
}

void TestModule1::usageOrFallbackAndLastSeen_data() {
    QTest::addColumn<QString>("synonym");
    QTest::addColumn<QString>("usage"); // "<null>": no value at all
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("stamped");

    QTest::newRow("usage") << "calm"
                           << "the storm did * at last"
                           << "the storm did * at last" << true;
    QTest::newRow("empty usage") << "calm"
                                 << ""
                                 << "USAGE NOT ENTERED BY YOU, TRY THE SYNONYM :calm" << false;
    QTest::newRow("usage without value")
        << "calm"
        << "<null>"
        << "USAGE NOT ENTERED BY YOU, TRY THE SYNONYM :calm" << false;
    QTest::newRow("no synonym either")
        << "not entered"
        << ""
        << "USAGE NOT ENTERED BY YOU, TRY THE SYNONYM :not entered" << false;
}

void TestModule1::usageOrFallbackAndLastSeen() {
    QFETCH(QString, synonym);
    QFETCH(QString, usage);
    QFETCH(QString, question);
    QFETCH(bool, stamped);

    TestDatabase db;
    testsupport::ShellHarness harness;
    harness.clock.setDay(QDate(2026, 4, 9));
    for (int i = 0; i < 10; ++i) {
        WordRow row = wordRow(0, QStringLiteral("w%1").arg(i), QStringLiteral("usage %1").arg(i));
        if (i == 4) {
            row.word = QStringLiteral("abate");
            row.synonym = synonym;
            row.usage = usage == QLatin1String("<null>") ? QString() : usage;
        }
        db.insert(row);
    }
    if (usage == QLatin1String("<null>"))
        db.exec(QStringLiteral("UPDATE listofwords SET usage = NULL WHERE word = 'abate'"));

    Module1::picktestwords();

    const auto at = std::find(Module1::testwords.begin(), Module1::testwords.end(), "abate");
    QVERIFY(at != Module1::testwords.end());
    const auto k = at - Module1::testwords.begin();
    QCOMPARE(Module1::testusages[k], question);
    QCOMPARE(Module1::testsynonyms[k], synonym);
    const auto row = db.row(QStringLiteral("abate"));
    QVERIFY(row->is_used);
    QCOMPARE(row->last_seen, stamped ? QDate(2026, 4, 9) : QDate(2020, 5, 6));
}

void TestModule1::statementsCarryTheIdAfterTwoBlanks() {
    TestDatabase db;
    testsupport::ShellHarness harness;
    for (int i = 0; i < 12; ++i)
        db.insert(wordRow(0, QStringLiteral("w%1").arg(i)));
    store::Recordset& rs = store::degrewordlist().rscommwordlist;

    Module1::picktestwords();
    QVERIFY2(
        QRegularExpression(QStringLiteral(R"(^SELECT \* FROM listofwords WHERE \(id =  [1-9]\d*\) )"
                                          R"(AND \(is_used = False\)$)"))
            .match(rs.source())
            .hasMatch(),
        qPrintable(rs.source()));

    Module1::testchoices[0] = QStringLiteral("w0");
    Module1::pickchoices();
    QVERIFY2(
        QRegularExpression(QStringLiteral(R"(^SELECT word FROM listofwords WHERE id =  [1-9]\d*$)"))
            .match(rs.source())
            .hasMatch(),
        qPrintable(rs.source()));
}

void TestModule1::choicesDifferFromTheRightWordAndWriteNothing() {
    TestDatabase db;
    testsupport::ShellHarness harness;
    QSet<QString> words;
    for (int i = 0; i < 10; ++i) {
        WordRow row = wordRow(0, QStringLiteral("w%1").arg(i));
        row.is_used = i < 5; // used words serve as wrong choices too
        db.insert(row);
        words.insert(row.word);
    }

    QSet<QString> seen;
    for (int round = 0; round < 50; ++round) {
        Module1::testchoices[0] = QStringLiteral("w3");
        Module1::pickchoices();
        QCOMPARE(Module1::testchoices[0], QStringLiteral("w3"));
        for (int k = 1; k < 5; ++k) {
            QVERIFY(Module1::testchoices[k] != QStringLiteral("w3"));
            QVERIFY(words.contains(Module1::testchoices[k]));
            seen.insert(Module1::testchoices[k]);
        }
    }
    QCOMPARE(seen.size(), 9); // every other word comes up
    for (int i = 0; i < 10; ++i)
        QCOMPARE(db.row(QStringLiteral("w%1").arg(i))->is_used, i < 5);
}

void TestModule1::choicesComparedWithTheRightWordCaseSensitively() {
    // The right word as the test holds it may differ in case from its row (changed meanwhile):
    // that row then counts as a different word.
    TestDatabase db;
    testsupport::ShellHarness harness;
    db.insert(wordRow(0, QStringLiteral("Abate")));
    db.insert(wordRow(0, QStringLiteral("zeal")));
    Module1::testchoices[0] = QStringLiteral("abate");
    Module1::pickchoices();
    QSet<QString> offered(Module1::testchoices.begin() + 1, Module1::testchoices.end());
    QVERIFY(offered.contains(QStringLiteral("Abate")) || offered.size() == 1);
    QVERIFY(!offered.contains(QStringLiteral("abate")));
}

void TestModule1::choicesStopWhenNoOtherWordIsLeft() {
    // All other words deleted during a test: the question gets empty wrong choices.
    TestDatabase db;
    testsupport::ShellHarness harness;
    db.insert(wordRow(0, QStringLiteral("lone")));
    Module1::testchoices = {QStringLiteral("lone"), QStringLiteral("x"), QStringLiteral("x"),
                            QStringLiteral("x"), QStringLiteral("x")};
    Module1::pickchoices();
    for (int k = 1; k < 5; ++k)
        QVERIFY(Module1::testchoices[k].isEmpty());
    QVERIFY(!store::degrewordlist().rscommwordlist.isOpen());
}

void TestModule1::emptyTableFailsInsteadOfDrawingForever() {
    TestDatabase db;
    testsupport::ShellHarness harness;
    QVERIFY_THROWS_EXCEPTION(store::StoreError, Module1::drawid());
    QVERIFY(!store::degrewordlist().rscommwordlist.isOpen());
}

void TestModule1::denseTableDrawsTheSameWordsAsEver() {
    // Ids 1..40 with gaps, every third row used. The draw guesses an id in 1..MAX(id) per
    // attempt, re-seeding first, and keeps the first free row it has not taken yet: with the
    // same seed it must pick exactly these words in this order.
    TestDatabase db;
    testsupport::ShellHarness harness;
    QMap<qint64, QString> freeWords;
    for (qint64 id = 1; id <= 40; ++id) {
        if (id % 7 == 0)
            continue;
        WordRow row = wordRow(id, QStringLiteral("w%1").arg(id), QStringLiteral("u *"));
        row.is_used = id % 3 == 0;
        db.insert(row);
        if (!row.is_used)
            freeWords.insert(id, row.word);
    }
    QStringList expected;
    shell::seedRandom(99);
    while (expected.size() < 10) {
        shell::randomize();
        const auto n = static_cast<qint64>(std::floor(40.0 * shell::rnd() + 1.0));
        if (freeWords.contains(n) && !expected.contains(freeWords[n]))
            expected << freeWords[n];
    }

    shell::seedRandom(99);
    Module1::picktestwords();

    QCOMPARE(QStringList(Module1::testwords.begin(), Module1::testwords.end()), expected);
}

void TestModule1::wideAndMissingIdsDrawOnlyRowsWithIds() {
    // A table made by another tool: id a plain column, ids spread up to 2^53 (one of them
    // 2^40), free rows without any id or with id 0, and flags the way Access and spreadsheets
    // write them. Guessing ids in 1..MAX(id) would practically never hit: the draw must still
    // end, draw only free rows that have an id, and mark exactly those.
    TestDatabase db;
    testsupport::ShellHarness harness;
    db.exec(QStringLiteral(
        "DROP TABLE listofwords; CREATE TABLE listofwords (id INTEGER, word TEXT, synonym TEXT, "
        "part_speech TEXT, usage TEXT, notes TEXT, entrydate TEXT, last_seen TEXT, is_used, "
        "frequent)"));
    const QStringList freeFlags{QStringLiteral("0"), QStringLiteral("'False'"),
                                QStringLiteral("'no'"), QStringLiteral("0.0")};
    const QStringList usedFlags{QStringLiteral("-1"), QStringLiteral("'True'"),
                                QStringLiteral("'YES'"), QStringLiteral("NULL")};
    QRandomGenerator ids(7);
    QSet<QString> drawable;
    auto add = [&](const QString& id, const QString& word, const QString& flag) {
        db.exec(QStringLiteral("INSERT INTO listofwords (id, word, synonym, usage, is_used) "
                               "VALUES (%1, '%2', 's', 'u *', %3)")
                    .arg(id, word, flag));
    };
    for (int i = 0; i < 24; ++i) {
        const QString word = QStringLiteral("free%1").arg(i);
        add(QString::number(ids.bounded(Q_INT64_C(1) << 53) + 1), word, freeFlags[i % 4]);
        drawable.insert(word);
    }
    add(QString::number(Q_INT64_C(1) << 40), QStringLiteral("far"), QStringLiteral("0"));
    drawable.insert(QStringLiteral("far"));
    for (int i = 0; i < 8; ++i)
        add(QString::number(ids.bounded(Q_INT64_C(1) << 53) + 1), QStringLiteral("used%1").arg(i),
            usedFlags[i % 4]);
    for (int i = 0; i < 25; ++i)
        add(QStringLiteral("NULL"), QStringLiteral("noid%1").arg(i), QStringLiteral("0"));
    add(QStringLiteral("0"), QStringLiteral("zero"), QStringLiteral("0"));

    Module1::picktestwords();

    QSet<QString> drawn = drawnWords();
    QCOMPARE(drawn.size(), 10);
    QVERIFY(drawn.subtract(drawable).isEmpty());
    // Exactly the drawn rows changed, to the program's own true.
    for (const QString& word : Module1::testwords)
        QVERIFY(db.row(word)->is_used);
    db.exec(QStringLiteral("DELETE FROM listofwords WHERE is_used = 1"));
    QCOMPARE(db.count(), 24 + 1 + 8 + 25 + 1 - 10);

    for (int round = 0; round < 3; ++round) {
        Module1::testchoices[0] = QStringLiteral("free0");
        Module1::pickchoices();
        for (int k = 1; k < 5; ++k)
            QVERIFY(!Module1::testchoices[k].startsWith(QStringLiteral("noid")) &&
                    Module1::testchoices[k] != QStringLiteral("zero") &&
                    Module1::testchoices[k] != QStringLiteral("free0"));
    }
}

QTEST_MAIN(TestModule1)
#include "test_module1.moc"
