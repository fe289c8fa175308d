// The test window driven through its controls: starting, the test type, questions, answers,
// the counter, and closing in the middle of a test.
#include "quiz/frmtestusage.h"
#include "quiz/module1.h"
#include "shell/lumora_menu.h"
#include "shell/windowregistry.h"
#include "support/shellharness.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>

using shell::registry;
using shell::WindowKind;
using testsupport::TestDatabase;
using testsupport::WordRow;

namespace {

const QString kNoMoreWords = QStringLiteral("There are no more words. Start a new test");
const QString kRefresh =
    QStringLiteral("There are less than 20  unused words! Your wordlist will be refreshed, and "
                   "again you can use all the words ");
const QDate kOldDay(2020, 5, 6);

// A fresh database, the services in test mode, and the test window loaded and shown.
struct Fixture {
    TestDatabase db;
    testsupport::ShellHarness harness;
    frmtestusage* w = nullptr;

    Fixture() {
        registry().registerKind(WindowKind::Test, [] { return new frmtestusage; });
        w = static_cast<frmtestusage*>(registry().load(WindowKind::Test));
        registry().show(WindowKind::Test);
    }

    // Words "w0".."w<n-1>" (with usages unless told otherwise), the first `used` marked used.
    void addWords(int n, int used = 0, bool withUsage = true) {
        for (int i = 0; i < n; ++i) {
            WordRow row;
            row.word = QStringLiteral("w%1").arg(i);
            row.synonym = QStringLiteral("s%1").arg(i);
            row.part_speech = QStringLiteral("?");
            row.usage = withUsage ? QStringLiteral("u%1 *").arg(i) : QString();
            row.last_seen = kOldDay;
            row.is_used = i < used;
            db.insert(row);
        }
    }

    void start(const QString& answer = QStringLiteral("0")) {
        harness.dialogs.queueInput(answer);
        QTest::mouseClick(w->cmdstart, Qt::LeftButton);
    }

    QString currentWord() const { return Module1::testwords[w->questioncount - 1]; }

    int lineOf(const QString& text) const {
        for (int i = 0; i < w->lstoptions->count(); ++i)
            if (w->lstoptions->item(i)->text() == text)
                return i;
        return -1;
    }

    int wrongLine() const {
        for (int i = 0; i < w->lstoptions->count(); ++i)
            if (w->lstoptions->item(i)->text() != currentWord())
                return i;
        return -1;
    }

    QPoint centreOf(int line) const {
        return w->lstoptions->visualItemRect(w->lstoptions->item(line)).center();
    }

    // A point of the list below its last line.
    QPoint emptySpot() const {
        const int count = w->lstoptions->count();
        const int bottom =
            count ? w->lstoptions->visualItemRect(w->lstoptions->item(count - 1)).bottom() : 0;
        return QPoint(5, (bottom + w->lstoptions->viewport()->height()) / 2);
    }

    void select(int line) {
        QTest::mouseClick(w->lstoptions->viewport(), Qt::LeftButton, {}, centreOf(line));
    }

    void doubleClick(int line) {
        select(line);
        QTest::mouseDClick(w->lstoptions->viewport(), Qt::LeftButton, {}, centreOf(line));
    }

    void doubleClickEmptySpot() {
        QTest::mouseDClick(w->lstoptions->viewport(), Qt::LeftButton, {}, emptySpot());
    }

    void answerRight() { doubleClick(lineOf(currentWord())); }
    void next() { QTest::mouseClick(w->cmdnext, Qt::LeftButton); }

    // Shows questions until `count` of them have been shown, answering each rightly.
    void runTo(int count) {
        while (w->questioncount < count) {
            answerRight();
            next();
        }
    }

    QColor resultColour() const { return w->lblresult->palette().color(QPalette::Window); }

    // is_used and last_seen of every row, by word.
    QMap<QString, QPair<bool, QDate>> snapshot(int n) const {
        QMap<QString, QPair<bool, QDate>> rows;
        for (int i = 0; i < n; ++i) {
            const auto row = db.row(QStringLiteral("w%1").arg(i));
            if (row)
                rows.insert(row->word, {row->is_used, row->last_seen});
        }
        return rows;
    }

    int usedCount(int n) const {
        int used = 0;
        for (int i = 0; i < n; ++i)
            used += db.row(QStringLiteral("w%1").arg(i))->is_used ? 1 : 0;
        return used;
    }
};

} // namespace

class TestFrmTestUsage : public QObject {
    Q_OBJECT
private slots:
    void designedState();
    void menuOpensTheWindowNotModal();
    void testTypeAnswers_data();
    void testTypeAnswers();
    void refreshWhenFewerThanTwentyFree_data();
    void refreshWhenFewerThanTwentyFree();
    void tooFewWordsAreRefused_data();
    void tooFewWordsAreRefused();
    void wordsWithoutUsedMarkAreFreedBeforeTheDraw();
    void tableOfTenGivesAllTen();
    void startOnATableMadeByAnotherTool();
    void counterAndEndOfTest_data();
    void counterAndEndOfTest();
    void choicesAreShuffledOverEveryLine();
    void wrongThenRightLeavesTheWordFree();
    void enterAnswersOnlyWithASelection();
    void doubleClickWithNothingSelectedIsWrong();
    void answersBeforeTheFirstQuestionAreIgnored();
    void closingDuringATest_data();
    void closingDuringATest();
    void wordsWithApostrophesAreFreed();
    void wordDeletedMeanwhileIsSkipped();
    void choicesAndTextsAsTheUserSeesThem();
};

void TestFrmTestUsage::designedState() {
    Fixture f;
    frmtestusage* w = f.w;
    QCOMPARE(w->windowTitle(), QStringLiteral("TEST:"));
    QCOMPARE(w->palette().color(QPalette::Window), QColor(128, 128, 128));
    QCOMPARE(w->cmdstart->text(), QStringLiteral("&Start"));
    QCOMPARE(w->cmdnext->text(), QStringLiteral("&Next"));
    QVERIFY(w->cmdstart->isEnabled());
    QVERIFY(!w->cmdnext->isEnabled());
    QCOMPARE(w->lbltesttype[0]->text(), QStringLiteral("Usage"));
    QCOMPARE(w->lbltesttype[1]->text(), QStringLiteral("Meaning "));
    QCOMPARE(w->lblno->text(), QStringLiteral("9"));
    QCOMPARE(w->lblnomessage->text(), QStringLiteral("More words to go in this test"));
    for (QWidget* hidden : QList<QWidget*>{w->lbltesttype[0], w->lbltesttype[1], w->lblno,
                                           w->lblnomessage, w->lbltip})
        QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
    for (QWidget* shown : QList<QWidget*>{w->lblusage[0], w->lblusage[1], w->lblresult,
                                          w->lblmessage, w->labinstr, w->lstoptions})
        QVERIFY2(!shown->isHidden(), qPrintable(shown->objectName()));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("lblusage(1)")), w->lblusage[1]);

    // Places in twips at 96 dpi: 15 twips a pixel.
    QCOMPARE(w->lstoptions->geometry(), QRect(296, 104, 121, 123));
    QCOMPARE(w->lblresult->geometry(), QRect(24, 368, 593, 41));
    QCOMPARE(w->lblusage[1]->geometry(), QRect(8, 104, 289, 121));

    QCOMPARE(w->lblusage[0]->palette().color(QPalette::Window), QColor(128, 255, 255));
    QCOMPARE(w->lblusage[1]->palette().color(QPalette::Window), QColor(128, 255, 128));
    QCOMPARE(w->lblno->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    QCOMPARE(w->lbltip->palette().color(QPalette::Window), QColor(0, 0, 64));
    QCOMPARE(w->lbltesttype[1]->palette().color(QPalette::Window), QColor(255, 128, 0));
    QCOMPARE(w->lblmessage->font().family(), QStringLiteral("Times New Roman"));
    QVERIFY(w->lblmessage->font().italic() && w->lblmessage->font().bold());
    QVERIFY(w->lblnomessage->font().strikeOut());
    QCOMPARE(w->lblno->font().pointSizeF(), 48.0);
    QCOMPARE(w->lbltesttype[0]->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(w->lbltesttype[1]->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(w->lstoptions->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(w->lstoptions->palette().color(QPalette::Text), QColor(0, 0, 128));
    QCOMPARE(w->lblresult->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(w->lblresult->font().family(), QStringLiteral("Comic Sans MS"));

    // Keyboard focus order: Next, Start, the list (and round again).
    QStringList order;
    QWidget* focus = w->cmdnext;
    do {
        if (focus->focusPolicy() & Qt::TabFocus)
            order << focus->objectName();
        focus = focus->nextInFocusChain();
    } while (focus != w->cmdnext && order.size() < 10);
    QCOMPARE(order, QStringList({"cmdnext", "cmdstart", "lstoptions"}));
}

void TestFrmTestUsage::menuOpensTheWindowNotModal() {
    Fixture f;
    registry().unload(WindowKind::Test);
    registry().registerKind(WindowKind::Menu, [] { return new shell::lumora_menu; });
    registry().show(WindowKind::Menu);
    auto* menu = registry().windowAs<shell::lumora_menu>(WindowKind::Menu);
    QCOMPARE(menu->opselect[2]->text(), QStringLiteral("TEST : MATCH THE LIST"));
    menu->opselect[2]->setChecked(true);
    QTest::mouseClick(menu->cbenter, Qt::LeftButton);
    QVERIFY(registry().isLoaded(WindowKind::Test));
    QVERIFY(!registry().isModal(WindowKind::Test));
    QVERIFY(f.harness.modalShows.isEmpty());
    QVERIFY(registry().window(WindowKind::Test)->isVisible());
}

void TestFrmTestUsage::testTypeAnswers_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("testtype");

    QTest::newRow("cancel") << QStringList{QString()} << 0;
    QTest::newRow("1") << QStringList{"1"} << 1;
    QTest::newRow("2 asks again") << QStringList{"2", "1"} << 1;
    QTest::newRow("abc3 has no number") << QStringList{"abc3"} << 0;
    QTest::newRow("1.5 is 2") << QStringList{"1.5", "7", "0"} << 0;
    QTest::newRow("0.5 is 0") << QStringList{"0.5"} << 0;
    QTest::newRow("blanks ignored") << QStringList{" 1 "} << 1;
    QTest::newRow("leading number") << QStringList{"1 test"} << 1;
    QTest::newRow("0.6 is 1") << QStringList{"0.6"} << 1;
    QTest::newRow("minus 0.4 is 0") << QStringList{"-0.4"} << 0;
    QTest::newRow("too large asks again") << QStringList{"1e400", "99999999999", "1"} << 1;
}

void TestFrmTestUsage::testTypeAnswers() {
    QFETCH(QStringList, answers);
    QFETCH(int, testtype);

    Fixture f;
    f.addWords(30);
    for (const QString& answer : answers)
        f.harness.dialogs.queueInput(answer);
    QTest::mouseClick(f.w->cmdstart, Qt::LeftButton);

    QCOMPARE(f.harness.dialogs.calls().size(), answers.size());
    for (const auto& call : f.harness.dialogs.calls()) {
        QCOMPARE(call.kind, testsupport::DialogCall::Kind::Input);
        QCOMPARE(call.title, QStringLiteral("Type of test?"));
        QCOMPARE(call.text,
                 QStringLiteral("Enter '0' for test on usages, and '1' for test on synonyms. "
                                "(Default will be the test on usage, ie if you click on "
                                "'cancel'.)"));
        QCOMPARE(call.defaultText, QStringLiteral("0"));
    }
    QVERIFY(f.harness.dialogs.failures().isEmpty());
    QCOMPARE(f.w->testtype, testtype);
    QCOMPARE(f.w->lblusage[testtype]->isHidden(), false);
    QCOMPARE(f.w->lblusage[1 - testtype]->isHidden(), true);
    QCOMPARE(f.w->lbltesttype[testtype]->isHidden(), false);
    QCOMPARE(f.w->lbltesttype[1 - testtype]->isHidden(), true);
    // Both question boxes carry their text; only one is seen.
    QCOMPARE(f.w->lblusage[0]->text(), Module1::testusages[0]);
    QCOMPARE(f.w->lblusage[1]->text(), Module1::testsynonyms[0]);
}

void TestFrmTestUsage::refreshWhenFewerThanTwentyFree_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("used");
    QTest::addColumn<bool>("refreshed");

    QTest::newRow("19 of 100 free") << 100 << 81 << true;
    QTest::newRow("20 of 100 free") << 100 << 80 << false;
    QTest::newRow("15 words") << 15 << 0 << true;
}

void TestFrmTestUsage::refreshWhenFewerThanTwentyFree() {
    QFETCH(int, total);
    QFETCH(int, used);
    QFETCH(bool, refreshed);

    Fixture f;
    f.addWords(total, used, false); // without usages, last_seen is never touched
    f.start();

    const auto& calls = f.harness.dialogs.calls();
    QCOMPARE(calls.size(), refreshed ? 2 : 1);
    if (refreshed) {
        QCOMPARE(calls[0].kind, testsupport::DialogCall::Kind::Message);
        QCOMPARE(calls[0].text, kRefresh);
    }
    QCOMPARE(calls.last().kind, testsupport::DialogCall::Kind::Input);
    QCOMPARE(f.usedCount(total), refreshed ? 10 : used + 10);
    for (const auto& [isUsed, lastSeen] : f.snapshot(total))
        QCOMPARE(lastSeen, kOldDay);

    // A second start on 15 words frees them again.
    if (total == 15) {
        f.runTo(10);
        f.answerRight();
        f.next();
        f.harness.dialogs.clear();
        f.start();
        QCOMPARE(f.harness.dialogs.texts().first(), kRefresh);
        QCOMPARE(f.usedCount(total), 10);
    }
}

void TestFrmTestUsage::tooFewWordsAreRefused_data() {
    QTest::addColumn<int>("words");
    QTest::newRow("empty table") << 0;
    QTest::newRow("nine words") << 9;
}

void TestFrmTestUsage::tooFewWordsAreRefused() {
    QFETCH(int, words);
    Fixture f;
    f.addWords(words, 4);
    const auto before = f.snapshot(words);

    QTest::mouseClick(f.w->cmdstart, Qt::LeftButton);

    QCOMPARE(f.harness.dialogs.calls().size(), 1);
    QCOMPARE(f.harness.dialogs.calls()[0].kind, testsupport::DialogCall::Kind::Message);
    QVERIFY(f.harness.dialogs.calls()[0].text.contains(QStringLiteral("at least 10 words")));
    QCOMPARE(f.snapshot(words), before);
    QVERIFY(f.w->cmdstart->isEnabled());
    QVERIFY(f.w->lblno->isHidden());
    QCOMPARE(f.w->lstoptions->count(), 0);
}

void TestFrmTestUsage::wordsWithoutUsedMarkAreFreedBeforeTheDraw() {
    // A table made by another tool may leave is_used without a value. Such a row is not free
    // for the draw (is_used = False does not find it), so it must count as used: otherwise
    // thirty of them pass for free words and the draw never finds one.
    Fixture f;
    f.db.exec(QStringLiteral("DROP TABLE listofwords"));
    f.db.exec(QStringLiteral(
        "CREATE TABLE listofwords (id INTEGER PRIMARY KEY AUTOINCREMENT, word TEXT UNIQUE "
        "COLLATE NOCASE, synonym TEXT, part_speech TEXT, usage TEXT, notes TEXT, entrydate "
        "TEXT, last_seen TEXT, is_used INTEGER, frequent INTEGER)"));
    for (int i = 0; i < 30; ++i)
        f.db.exec(QStringLiteral("INSERT INTO listofwords (word, synonym, usage) VALUES "
                                 "('w%1', 's%1', 'u%1 *')")
                      .arg(i));

    f.start();

    QCOMPARE(f.harness.dialogs.texts().first(), kRefresh);
    QCOMPARE(f.w->questioncount, 1);
    QCOMPARE(f.usedCount(30), 10);
    QCOMPARE(f.db.count(), 30);
}

void TestFrmTestUsage::startOnATableMadeByAnotherTool() {
    // id a plain column, flags as Access and spreadsheets write them, 25 free rows without id.
    // Ten of the thirty rows with an id read as used, so twenty are free: no refresh, and the
    // draw takes ten of those twenty; nothing else in the table changes.
    Fixture f;
    f.db.exec(QStringLiteral(
        "DROP TABLE listofwords; CREATE TABLE listofwords (id INTEGER, word TEXT, synonym TEXT, "
        "part_speech TEXT, usage TEXT, notes TEXT, entrydate TEXT, last_seen TEXT, is_used, "
        "frequent)"));
    const QStringList flags{QStringLiteral("'True'"), QStringLiteral("-1"),
                            QStringLiteral("'False'"), QStringLiteral("'No'"), QStringLiteral("0")};
    for (int i = 0; i < 30; ++i)
        f.db.exec(QStringLiteral("INSERT INTO listofwords VALUES (%1, 'w%2', 's', '?', 'u *', "
                                 "'', '7/1/2001', '7/1/2001', %3, 'No')")
                      .arg(i * 1000 + 1)
                      .arg(i)
                      .arg(flags[i < 10 ? i / 5 : 2 + i % 3]));
    for (int i = 0; i < 25; ++i)
        f.db.exec(QStringLiteral("INSERT INTO listofwords (word, usage, is_used) VALUES "
                                 "('noid%1', 'u *', 'False')")
                      .arg(i));
    // No UNIQUE word: each free word has a used twin in capitals (counted as used).
    f.db.exec(QStringLiteral("INSERT INTO listofwords (id, word, usage, is_used) SELECT id + 1, "
                             "upper(word), usage, 'True' FROM listofwords WHERE id > 10000"));

    f.start();

    QCOMPARE(f.w->questioncount, 1);
    QCOMPARE(f.harness.dialogs.calls().size(), 1); // the test type only: no refresh
    for (const QString& word : Module1::testwords)
        QVERIFY2(QStringView(word).mid(1).toInt() >= 10, qPrintable(word));
    // The drawn rows hold the program's own true; every other value is as it was.
    QCOMPARE(
        f.db.value(QStringLiteral("SELECT COUNT(*) FROM listofwords WHERE is_used = 1")).toInt(),
        10);
    QCOMPARE(f.db.value(QStringLiteral("SELECT group_concat(is_used) FROM listofwords WHERE "
                                       "word IN ('w0', 'w5', 'noid0', 'W10')")),
             QVariant(QStringLiteral("True,-1,False,True")));

    // Closing frees the nine words not shown yet: their own rows, not their twins.
    f.w->close();
    QCOMPARE(f.db.value(QStringLiteral("SELECT COUNT(*) FROM listofwords WHERE is_used = 0 AND "
                                       "last_seen = '2001-07-01' AND word LIKE 'w%' AND "
                                       "word = lower(word)"))
                 .toInt(),
             9);
    QCOMPARE(f.db.value(QStringLiteral("SELECT COUNT(*) FROM listofwords WHERE is_used = 'True'"))
                 .toInt(),
             25);
}

void TestFrmTestUsage::tableOfTenGivesAllTen() {
    Fixture f;
    f.addWords(10);
    f.start();
    QCOMPARE(f.harness.dialogs.texts().first(), kRefresh);
    QSet<QString> drawn(Module1::testwords.begin(), Module1::testwords.end());
    QCOMPARE(drawn.size(), 10);
    QVERIFY(drawn.contains(QStringLiteral("w0")) && drawn.contains(QStringLiteral("w9")));
}

void TestFrmTestUsage::counterAndEndOfTest_data() {
    QTest::addColumn<int>("testtype");
    QTest::newRow("usage test") << 0;
    QTest::newRow("synonym test") << 1;
}

void TestFrmTestUsage::counterAndEndOfTest() {
    QFETCH(int, testtype);
    Fixture f;
    f.addWords(30);
    f.start(QString::number(testtype));
    QVERIFY(!f.w->cmdstart->isEnabled());
    QVERIFY(!f.w->lblno->isHidden() && !f.w->lblnomessage->isHidden());

    for (int shown = 1; shown <= 10; ++shown) {
        QCOMPARE(f.w->questioncount, shown);
        QCOMPARE(f.w->lblno->text(), QLatin1Char(' ') + QString::number(10 - shown));
        QCOMPARE(f.w->lstoptions->count(), 5);
        QVERIFY(f.lineOf(f.currentWord()) >= 0);
        QCOMPARE(f.w->lblusage[0]->text(), Module1::testusages[shown - 1]);
        QCOMPARE(f.w->lblusage[1]->text(), Module1::testsynonyms[shown - 1]);
        QVERIFY(!f.w->cmdnext->isEnabled());
        QVERIFY(f.w->lblresult->isHidden() && f.w->lbltip->isHidden());
        f.answerRight();
        QVERIFY(f.w->cmdnext->isEnabled());
        QCOMPARE(f.w->lblresult->text(), QStringLiteral("Correct"));
        QCOMPARE(f.resultColour(), QColor(0, 255, 0));
        QVERIFY(!f.w->lblresult->isHidden() && !f.w->lbltip->isHidden());
        f.next();
    }
    QCOMPARE(f.harness.dialogs.texts().last(), kNoMoreWords);
    QVERIFY(f.w->cmdstart->isEnabled());
    QVERIFY(f.w->cmdnext->isEnabled());
    QVERIFY(f.w->lblno->isHidden() && f.w->lblnomessage->isHidden());
    // Only the question box of the test's type is emptied; the other keeps the last question.
    QVERIFY(f.w->lblusage[testtype]->text().isEmpty());
    QCOMPARE(f.w->lblusage[1 - testtype]->text(),
             testtype == 0 ? Module1::testsynonyms[9] : Module1::testusages[9]);
    QCOMPARE(f.w->lstoptions->count(), 0);
    QCOMPARE(f.usedCount(30), 10);

    f.next();
    QCOMPARE(f.harness.dialogs.texts().count(kNoMoreWords), 2);

    // After the test the empty list still judges against the last word, and frees it.
    const QString last = Module1::testwords[9];
    f.doubleClickEmptySpot();
    QCOMPARE(f.w->lblresult->text(), QStringLiteral("Incorrect: Correct answer = ") + last);
    QVERIFY(!f.db.row(last)->is_used);
}

void TestFrmTestUsage::choicesAreShuffledOverEveryLine() {
    // Line i shows testchoices[optionorder[i]], optionorder is an arrangement of 0-4, and over
    // thirty questions the right word comes up on every line.
    Fixture f;
    f.addWords(60);
    QSet<int> rightLines;
    for (int test = 0; test < 3; ++test) {
        f.start();
        for (int shown = 1; shown <= 10; ++shown) {
            QCOMPARE(QSet<int>(f.w->optionorder.begin(), f.w->optionorder.end()),
                     QSet<int>({0, 1, 2, 3, 4}));
            for (int line = 0; line < 5; ++line)
                QCOMPARE(f.w->lstoptions->item(line)->text(),
                         Module1::testchoices[f.w->optionorder[line]]);
            rightLines.insert(f.lineOf(f.currentWord()));
            f.answerRight();
            f.next();
        }
    }
    QCOMPARE(rightLines, QSet<int>({0, 1, 2, 3, 4}));
}

void TestFrmTestUsage::wrongThenRightLeavesTheWordFree() {
    Fixture f;
    f.addWords(30);
    f.start(QStringLiteral("1"));
    const QString word = f.currentWord();
    QVERIFY(f.db.row(word)->is_used);

    f.doubleClick(f.wrongLine());
    QCOMPARE(f.w->lblresult->text(), QStringLiteral("Incorrect: Correct answer = ") + word);
    QCOMPARE(f.resultColour(), QColor(255, 0, 0));
    QVERIFY(!f.w->lbltip->isHidden());
    QVERIFY(f.w->cmdnext->isEnabled());
    QVERIFY(!f.db.row(word)->is_used);

    f.answerRight();
    QCOMPARE(f.w->lblresult->text(), QStringLiteral("Correct"));
    QCOMPARE(f.resultColour(), QColor(0, 255, 0));
    QVERIFY(!f.db.row(word)->is_used);
}

void TestFrmTestUsage::enterAnswersOnlyWithASelection() {
    Fixture f;
    f.addWords(30);
    f.start();
    const QString word = f.currentWord();
    QVERIFY(f.w->lstoptions->selectedItems().isEmpty());

    QTest::keyClick(f.w->lstoptions, Qt::Key_Return);
    QVERIFY(f.w->lblresult->isHidden());
    QVERIFY(!f.w->cmdnext->isEnabled());
    QVERIFY(f.db.row(word)->is_used);

    f.select(f.wrongLine());
    QTest::keyClick(f.w->lstoptions, Qt::Key_Return);
    QCOMPARE(f.w->lblresult->text(), QStringLiteral("Incorrect: Correct answer = ") + word);
    QVERIFY(!f.db.row(word)->is_used);

    f.select(f.lineOf(word));
    QTest::keyClick(f.w->lstoptions, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(f.w->lblresult->text(), QStringLiteral("Correct"));
}

void TestFrmTestUsage::doubleClickWithNothingSelectedIsWrong() {
    Fixture f;
    f.addWords(30);
    f.start();
    const QString word = f.currentWord();
    f.doubleClickEmptySpot();
    QVERIFY(f.w->lstoptions->selectedItems().isEmpty());
    QCOMPARE(f.w->lblresult->text(), QStringLiteral("Incorrect: Correct answer = ") + word);
    QCOMPARE(f.resultColour(), QColor(255, 0, 0));
    QVERIFY(f.w->cmdnext->isEnabled());
    QVERIFY(!f.db.row(word)->is_used);
}

void TestFrmTestUsage::answersBeforeTheFirstQuestionAreIgnored() {
    Fixture f;
    f.addWords(30);
    Module1::testwords.fill(QStringLiteral("w1")); // left over from an earlier window
    const auto before = f.snapshot(30);
    f.doubleClickEmptySpot();
    QTest::keyClick(f.w->lstoptions, Qt::Key_Return);
    QVERIFY(f.w->lblresult->text().isEmpty());
    QVERIFY(f.w->lbltip->isHidden());
    QVERIFY(!f.w->cmdnext->isEnabled());
    QCOMPARE(f.snapshot(30), before);
    QVERIFY(f.harness.dialogs.calls().isEmpty());
}

void TestFrmTestUsage::closingDuringATest_data() {
    QTest::addColumn<int>("shown");
    QTest::newRow("after the third question") << 3;
    QTest::newRow("after the tenth question") << 10;
}

void TestFrmTestUsage::closingDuringATest() {
    QFETCH(int, shown);
    Fixture f;
    f.addWords(30);
    f.harness.clock.setDay(QDate(2026, 3, 20));
    f.start();
    f.runTo(shown);
    const auto before = f.snapshot(30);
    const auto words = Module1::testwords;

    f.w->close();
    QVERIFY(!registry().isLoaded(WindowKind::Test));

    const auto after = f.snapshot(30);
    for (int i = 0; i < 10; ++i) {
        if (i < shown) {
            QCOMPARE(after[words[i]], before[words[i]]);
            QCOMPARE(after[words[i]], qMakePair(true, QDate(2026, 3, 20)));
        } else {
            QCOMPARE(after[words[i]], qMakePair(false, QDate(2001, 7, 1)));
        }
    }
    if (shown == 10)
        QCOMPARE(after, before);
}

void TestFrmTestUsage::wordsWithApostrophesAreFreed() {
    Fixture f;
    for (const QString& word : QStringList{"o'clock", "rock'n'roll", "ne'er", "don't", "it's",
                                           "y'all", "ma'am", "e'en", "o'er", "'tis"}) {
        WordRow row;
        row.word = word;
        row.synonym = QStringLiteral("x");
        row.usage = QStringLiteral("*");
        f.db.insert(row);
    }
    f.start();
    // Three answered wrongly, then the window closed: every word is free again.
    for (int i = 0; i < 3; ++i) {
        f.doubleClick(f.wrongLine());
        QVERIFY(!f.db.row(f.currentWord())->is_used);
        f.next();
    }
    f.w->close();
    for (const QString& word : Module1::testwords) {
        if (word == Module1::testwords[3])
            QVERIFY(f.db.row(word)->is_used); // shown, not answered
        else
            QVERIFY2(!f.db.row(word)->is_used, qPrintable(word));
    }
}

void TestFrmTestUsage::wordDeletedMeanwhileIsSkipped() {
    Fixture f;
    f.addWords(30);
    f.start();
    const QString current = f.currentWord();
    const QString later = Module1::testwords[5];
    f.db.exec(QStringLiteral("DELETE FROM listofwords WHERE word = '%1' OR word = '%2'")
                  .arg(current, later));

    f.doubleClick(f.wrongLine());
    QCOMPARE(f.w->lblresult->text(), QStringLiteral("Incorrect: Correct answer = ") + current);
    f.next();
    QCOMPARE(f.w->questioncount, 2);

    f.w->close();
    for (int i = 2; i < 10; ++i)
        if (i != 5)
            QVERIFY(!f.db.row(Module1::testwords[i])->is_used);
    QCOMPARE(f.db.count(), 28);
}

QTEST_MAIN(TestFrmTestUsage)
// Texts shown exactly as typed, a long choice that leaves all five lines readable, no line
// looking chosen before the user chooses, and only a left click or a typed "i" acting on the list.
void TestFrmTestUsage::choicesAndTextsAsTheUserSeesThem() {
    Fixture f;
    registry().registerKind(WindowKind::Search, [] { return new shell::Form(WindowKind::Search); });
    const QString usage = QStringLiteral("The tag <b> makes * text  bold & clear");
    f.addWords(30);
    f.db.exec(QStringLiteral("UPDATE listofwords SET usage = '%1', synonym = '<u>under</u>lined "
                             "  meaning'")
                  .arg(usage));
    f.start();
    QCOMPARE(f.w->lblusage[0]->text(), usage);
    for (const QLabel* label : f.w->findChildren<QLabel*>())
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));

    QListWidget* list = f.w->lstoptions;
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!list->currentIndex().isValid());

    list->item(2)->setText(QStringLiteral("floccinaucinihilipilification"));
    QApplication::processEvents();
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    QVERIFY(!list->verticalScrollBar()->isVisible());
    for (int line = 0; line < 5; ++line)
        QVERIFY2(list->viewport()->rect().contains(list->visualItemRect(list->item(line))),
                 qPrintable(QString::number(line)));

    QTest::mouseClick(list->viewport(), Qt::MiddleButton, {}, f.centreOf(3));
    QVERIFY(list->selectedItems().isEmpty());
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(0)});

    QTest::keyClick(list, Qt::Key_I, Qt::AltModifier);
    QVERIFY(f.harness.modalShows.isEmpty());
    QTest::keyClick(list, Qt::Key_I);
    QCOMPARE(f.harness.modalShows, QList<WindowKind>{WindowKind::Search});

    // Each new question starts with nothing chosen again.
    f.answerRight();
    f.next();
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!list->currentIndex().isValid());
}

#include "test_frmtestusage.moc"
