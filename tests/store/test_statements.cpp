// The statement shapes the windows write, run through the record-set layer.
#include "store/dialect.h"
#include "store/storedvalues.h"
#include "store/storeerror.h"
#include "storetestutil.h"

#include <QTest>

using namespace store;

class TestStatements : public QObject {
    Q_OBJECT
private slots:
    void emptyTableGivesEofAtOnce();
    void textComparisonIgnoresCaseForEveryLetter_data();
    void textComparisonIgnoresCaseForEveryLetter();
    void orderByWordIgnoresCase();
    void likeWildcardsAndIdPrefix();
    void dateLiteralsAndBooleans();
    void dialectKeywordsAndBlanks();
    void quotesNeverBreakAStatement();
    void badStatementsFailCleanly();
    void dateTextIsMonthDayYear();
    void valuesWrittenByOtherTools();
};

void TestStatements::emptyTableGivesEofAtOnce() {
    StoreFile f;
    Connection conn;
    QVERIFY(
        wordsOf(conn, "SELECT * FROM listofwords WHERE  word LIKE '%' ORDER BY  word").isEmpty());
    Recordset rs;
    rs.setCursorType(CursorType::Keyset);
    rs.setLockType(LockType::Optimistic);
    rs.setSource("SELECT * FROM listofwords ORDER BY id");
    rs.setActiveConnection(&conn);
    rs.Open();
    QVERIFY(rs.eof());
    QVERIFY(rs.bof());
    QCOMPARE(rs.RecordCount(), 0);
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.field("word"));
}

void TestStatements::textComparisonIgnoresCaseForEveryLetter_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("asked");
    QTest::newRow("ascii") << "Abate"
                           << "aBATE";
    QTest::newRow("accented") << "élan"
                              << "ÉLAN";
    QTest::newRow("accent inside") << "café"
                                   << "CAFÉ";
    QTest::newRow("greek") << "λόγος"
                           << "ΛΌΓΟΣ";
    QTest::newRow("cyrillic") << "слово"
                              << "СЛОВО";
}

void TestStatements::textComparisonIgnoresCaseForEveryLetter() {
    QFETCH(QString, stored);
    QFETCH(QString, asked);
    StoreFile f;
    f.add(stored);
    f.add("zzz");
    Connection conn;
    const QString eq = "SELECT * FROM listofwords WHERE word = '" + escapeQuotes(asked) + "'";
    QCOMPARE(wordsOf(conn, eq), QStringList{stored});
    const QString like =
        "SELECT * FROM listofwords WHERE  word LIKE '" + asked.left(2) + "%' ORDER BY  word";
    QCOMPARE(wordsOf(conn, like), QStringList{stored});
    // A second row with the same word in another case is refused as a duplicate.
    try {
        f.add(asked);
        QFAIL("duplicate saved");
    } catch (const StoreError& e) {
        QCOMPARE(e.number(), errnum::DuplicateWord);
        QVERIFY(e.description().contains(asked));
    }
    QCOMPARE(f.raw("SELECT count(*) FROM listofwords").toInt(), 2);
}

void TestStatements::orderByWordIgnoresCase() {
    StoreFile f;
    for (const char* w : {"écrire", "Zebra", "apple", "Éclat", "Banana", "émigré", "cherry", "Ab"})
        f.add(QString::fromUtf8(w));
    Connection conn;
    const QStringList all = wordsOf(conn, "select * from listofwords Order by word");
    QCOMPARE(all, (QStringList{"Ab", "apple", "Banana", "cherry", "Zebra", "Éclat", "écrire",
                               "émigré"}));
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE  word LIKE 'é%' ORDER BY  word"),
             (QStringList{"Éclat", "écrire", "émigré"}));
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE  word LIKE 'A%' ORDER BY  word"),
             (QStringList{"Ab", "apple"}));
}

void TestStatements::likeWildcardsAndIdPrefix() {
    StoreFile f;
    for (int i = 1; i <= 120; ++i)
        f.add(QString("w%1").arg(i, 3, 10, QChar('0')));
    Connection conn;
    const QStringList ids =
        wordsOf(conn, "SELECT * FROM listofwords WHERE id LIKE '1%' ORDER BY id", "id");
    QStringList expected{"1"};
    for (int i = 10; i <= 19; ++i)
        expected << QString::number(i);
    for (int i = 100; i <= 120; ++i)
        expected << QString::number(i);
    QCOMPARE(ids, expected);
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE word LIKE 'w_1%' ORDER BY word").size(),
             20);
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE word LIKE '%20%' ORDER BY word"),
             (QStringList{"w020", "w120"}));
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE word LIKE 'x%' ORDER BY word"),
             QStringList{});
    // Prefixes next to the letters in the character table match exactly their own words.
    for (const char* w : {"k@b", "k[x", "kAb", "K_z", "kZ", "k{"})
        f.add(w);
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE word LIKE 'k@%' ORDER BY word"),
             QStringList{"k@b"});
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE word LIKE 'KZ%' ORDER BY word"),
             QStringList{"kZ"});
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE word LIKE 'k[%' ORDER BY word"),
             QStringList{"k[x"});
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE word LIKE 'k%' ORDER BY word"),
             (QStringList{"k@b", "k[x", "K_z", "kAb", "kZ", "k{"}));
}

void TestStatements::dateLiteralsAndBooleans() {
    StoreFile f;
    f.add("before", "s", "", false, QDate(2026, 2, 28));
    f.add("first", "s", "", true, QDate(2026, 3, 1));
    f.add("last", "not entered", "", false, QDate(2026, 3, 10));
    f.add("after", "NOT ENTERED", "", true, QDate(2026, 3, 11));
    Connection conn;
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE (entrydate >= #3/1/2026#) AND "
                           "(entrydate <= #" +
                               dateLiteralText(QDate(2026, 3, 10)) + "#) ORDER BY word"),
             (QStringList{"first", "last"}));
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE frequent = TRUE "),
             (QStringList{"first", "after"}));
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE (id = 1) AND (is_used = False)"),
             QStringList{"before"});
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE synonym = 'not entered' "),
             (QStringList{"last", "after"}));
    QCOMPARE(
        wordsOf(conn, "select * from listofwords WHERE id = (SELECT MAX(id) FROM listofwords)"),
        QStringList{"after"});
}

void TestStatements::dialectKeywordsAndBlanks() {
    StoreFile f;
    f.add("Abc");
    Connection conn;
    QCOMPARE(
        wordsOf(conn, "select  *  FROM   listofwords  where  WORD  like  'a%'  order  BY  Word "),
        QStringList{"Abc"});
    QCOMPARE(wordsOf(conn, "SELECT word FROM listofwords WHERE id =  1"), QStringList{"Abc"});
}

void TestStatements::quotesNeverBreakAStatement() {
    StoreFile f;
    const QString hostile = "x'; DROP TABLE listofwords; --";
    f.add("o'clock");
    f.add(hostile);
    f.add("\"quoted\" \\ back;slash");
    Connection conn;
    QCOMPARE(
        wordsOf(conn, "SELECT * FROM listofwords WHERE word = '" + escapeQuotes("O'CLOCK") + "'"),
        QStringList{"o'clock"});
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE  word LIKE '" + escapeQuotes("o'") +
                               "%' ORDER BY  word"),
             QStringList{"o'clock"});
    QCOMPARE(
        wordsOf(conn, "SELECT * FROM listofwords WHERE word = '" + escapeQuotes(hostile) + "'"),
        QStringList{hostile});
    QCOMPARE(
        wordsOf(conn, "SELECT * FROM listofwords WHERE word = '\"quoted\" \\ back;slash'").size(),
        1);
    QCOMPARE(f.raw("SELECT count(*) FROM listofwords").toInt(), 3);
    QCOMPARE(escapeQuotes("it's"), QString("it''s"));
    QCOMPARE(escapeQuotes("plain"), QString("plain"));
}

void TestStatements::badStatementsFailCleanly() {
    StoreFile f;
    f.add("one");
    Connection conn;
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             wordsOf(conn, "SELECT * FROM listofwords WHERE word = 'it's'"));
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             wordsOf(conn, "SELECT * FROM listofwords; DELETE FROM listofwords"));
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             wordsOf(conn, "SELECT * FROM listofwords WHERE  LIKE 'a%'"));
    QVERIFY_THROWS_EXCEPTION(
        StoreError, wordsOf(conn, "SELECT * FROM listofwords WHERE entrydate >= #31/31/2001#"));
    QCOMPARE(f.raw("SELECT count(*) FROM listofwords").toInt(), 1);
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords"), QStringList{"one"});
}

void TestStatements::dateTextIsMonthDayYear() {
    QCOMPARE(parseDateText("7/1/01"), QDate(2001, 7, 1));
    QCOMPARE(parseDateText("12/31/1999"), QDate(1999, 12, 31));
    QCOMPARE(parseDateText("2026-12-07"), QDate(2026, 12, 7));
    QCOMPARE(parseDateText("3/5/45"), QDate(1945, 3, 5));
    QVERIFY(!parseDateText("13/1/01").isValid());
    QVERIFY(!parseDateText("yesterday").isValid());
}

void TestStatements::valuesWrittenByOtherTools() {
    QCOMPARE(parseStoredDate("7/1/2001 0:00:00"), QDate(2001, 7, 1));
    QCOMPARE(parseStoredDate("07/01/01 00:00:00"), QDate(2001, 7, 1));
    QCOMPARE(parseStoredDate("2001-07-01 00:00:00"), QDate(2001, 7, 1));
    QCOMPARE(parseStoredDate("2001-07-01T10:30:00"), QDate(2001, 7, 1));
    QCOMPARE(parseStoredDate("7/1/2001 12:05:00 PM"), QDate(2001, 7, 1));
    QVERIFY(!parseStoredDate("7/1/2001 later").isValid());
    for (const char* t : {"1", "-1", "2", "TRUE", "yes", " Yes "})
        QCOMPARE(parseFlagText(t), std::optional<bool>(true));
    for (const char* t : {"0", "false", "No", "0.0"})
        QCOMPARE(parseFlagText(t), std::optional<bool>(false));
    for (const char* t : {"", "maybe"})
        QVERIFY(!parseFlagText(t).has_value());
}

QTEST_GUILESS_MAIN(TestStatements)
#include "test_statements.moc"
