// The statement shapes the windows write, run through the record-set layer.
#include "store/dialect.h"
#include "store/dictionaryorder.h"
#include "store/storedvalues.h"
#include "store/storeerror.h"
#include "storetestutil.h"

#include <QCollator>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace store;

class TestStatements : public QObject {
    Q_OBJECT
private slots:
    void emptyTableGivesEofAtOnce();
    void textComparisonIgnoresCaseForEveryLetter_data();
    void textComparisonIgnoresCaseForEveryLetter();
    void orderByWordIsADictionarysOrder();
    void dictionaryFastPathAgreesWithTheCollation();
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

void TestStatements::orderByWordIsADictionarysOrder() {
    StoreFile f;
    for (const char* w : {"Zeitgeist", "élan", "stratum", "Élite", "dz", "déjà vu", "Banana",
                          "Straße", "apple", "strass", "elephant", "Ab"})
        f.add(QString::fromUtf8(w));
    const QStringList expected{"Ab",       "apple", "Banana", "déjà vu", "dz",      "élan",
                               "elephant", "Élite", "strass", "Straße",  "stratum", "Zeitgeist"};
    Connection conn;
    // Sorted by the record set (a closing ORDER BY word) and by the engine (any other).
    QCOMPARE(wordsOf(conn, "select * from listofwords Order by word"), expected);
    QStringList reversed = expected;
    std::reverse(reversed.begin(), reversed.end());
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords ORDER BY word DESC"), reversed);
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE  word LIKE 'E%' ORDER BY  word"),
             (QStringList{"elephant"})); // LIKE still tells é from e
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE  word LIKE 'é%' ORDER BY  word"),
             (QStringList{"élan", "Élite"}));
}

void TestStatements::dictionaryFastPathAgreesWithTheCollation() {
    // Words of letters, digits, blanks and hyphens skip the collation; their order must be the
    // collation's all the same, or lists mixing them with accented words come out unsorted.
    QCollator collator(QLocale(QLocale::English, QLocale::UnitedStates));
    const QByteArray alphabet = "aAbBmzZ09 -";
    QRandomGenerator gen(7);
    auto randomWord = [&] {
        QByteArray w;
        for (int n = gen.bounded(6); n >= 0; --n)
            w += alphabet.at(gen.bounded(alphabet.size()));
        return w;
    };
    for (int i = 0; i < 3000; ++i) {
        const QByteArray a = randomWord(), b = randomWord();
        int expected = collator.compare(QString::fromLatin1(a), QString::fromLatin1(b));
        if (expected == 0)
            expected = a.compare(b);
        const int got = dictionary::compare(std::string_view(a.constData(), a.size()),
                                            std::string_view(b.constData(), b.size()));
        QVERIFY2((got > 0) == (expected > 0) && (got < 0) == (expected < 0),
                 qPrintable(QStringLiteral("'%1' vs '%2'").arg(a, b)));
    }
    // Sorting a shuffled mix of plain and accented words gives the pairwise order.
    QList<QByteArray> words;
    for (int i = 0; i < 400; ++i)
        words << randomWord() + (i % 3 == 0 ? QByteArray("é") : QByteArray());
    const std::vector<std::size_t> order = dictionary::order(words.size(), [&](std::size_t i) {
        return std::string_view(words[i].constData(), words[i].size());
    });
    for (std::size_t i = 1; i < order.size(); ++i) {
        const QByteArray& x = words[order[i - 1]];
        const QByteArray& y = words[order[i]];
        QVERIFY(dictionary::compare({x.constData(), std::size_t(x.size())},
                                    {y.constData(), std::size_t(y.size())}) <= 0);
    }
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
             (QStringList{"K_z", "k[x", "k{", "k@b", "kAb", "kZ"})); // punctuation before letters
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
