// Opening the search window on a word from the word entry window's list and from a running
// test: with the search window closed (modal, the opener waits unchanged) and already open from
// the main menu (it comes forward on the word).
#include "entry/word_adder.h"
#include "search/frmsearch.h"
#include "shell/programvalues.h"
#include "shell/windowregistry.h"
#include "shell/wordlistbox.h"
#include "support/shellharness.h"
#include "support/testdatabase.h"
#include "quiz/frmtestusage.h"
#include "quiz/module1.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using shell::registry;
using shell::WindowKind;
using testsupport::WordRow;

namespace {

const QDate kOldDay(2020, 5, 6);

// What the search window shows when it has been opened on a word.
struct SearchView {
    QString filter, selected, wordBox;
    bool requestCleared = false;
};

SearchView viewOf(search::frmsearch* s) {
    SearchView v;
    v.filter = s->txtlike->text();
    v.selected = s->lstword->selectedText();
    v.wordBox = qobject_cast<QLineEdit*>(s->txtfield[0])->text();
    v.requestCleared = shell::wordtoshow.isEmpty() && !shell::showwordonopen;
    return v;
}

} // namespace

class TestLookups : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::TestDatabase> db;
    std::unique_ptr<testsupport::ShellHarness> harness;
    QDate today;

    void addWords(const QStringList& words) {
        for (const QString& w : words) {
            WordRow row;
            row.word = w;
            row.synonym = "meaning of " + w;
            row.part_speech = "n.";
            row.usage = "a * in use";
            row.last_seen = kOldDay;
            db->insert(row);
        }
    }

    int stampedToday() const {
        int n = 0;
        for (qint64 id = 1; id <= db->count() + 5; ++id)
            if (auto r = db->rowById(id); r && r->last_seen == today)
                ++n;
        return n;
    }

    word_adder* openEntry() {
        registry().show(WindowKind::WordAdder);
        return registry().windowAs<word_adder>(WindowKind::WordAdder);
    }

    search::frmsearch* openSearchPlainly() {
        registry().show(WindowKind::Search);
        return registry().windowAs<search::frmsearch>(WindowKind::Search);
    }

    void clickListRow(shell::WordListBox* list, int row) {
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }

    // Starts a usage test in the test window and returns it at its first question.
    frmtestusage* startTest() {
        registry().show(WindowKind::Test);
        auto* t = registry().windowAs<frmtestusage>(WindowKind::Test);
        harness->dialogs.queueInput("0");
        QTest::mouseClick(t->cmdstart, Qt::LeftButton);
        return t;
    }

    int lineOf(frmtestusage* t, const QString& text) {
        for (int i = 0; i < t->lstoptions->count(); ++i)
            if (t->lstoptions->item(i)->text() == text)
                return i;
        return -1;
    }

    QPoint lineCentre(frmtestusage* t, int line) {
        return t->lstoptions->visualItemRect(t->lstoptions->item(line)).center();
    }

private slots:
    void init() {
        db = std::make_unique<testsupport::TestDatabase>();
        harness = std::make_unique<testsupport::ShellHarness>();
        today = harness->clock.now().date();
        search::searchfield.clear();
        registry().registerKind(WindowKind::WordAdder, [] { return new word_adder; });
        registry().registerKind(WindowKind::Search, [] { return new search::frmsearch; });
        registry().registerKind(WindowKind::Test, [] { return new frmtestusage; });
    }
    void cleanup() {
        harness.reset();
        for (auto kind : {WindowKind::WordAdder, WindowKind::Search, WindowKind::Test})
            registry().registerKind(kind, {});
        db.reset();
    }

    void entryListClickOpensSearchModallyOnTheWord() {
        addWords({"abate", "abeyance", "abjure", "zeal"});
        word_adder* e = openEntry();
        QTest::keyClicks(e->Text3, "ab");
        const QStringList listed = e->List1->words();
        SearchView seen;
        harness->onModal = [&](shell::Form* form) {
            seen = viewOf(static_cast<search::frmsearch*>(form));
        };
        clickListRow(e->List1, 1);
        QCOMPARE(harness->modalShows, QList<WindowKind>{WindowKind::Search});
        QCOMPARE(seen.filter, QString("abeyance"));
        QCOMPARE(seen.selected, QString("abeyance"));
        QCOMPARE(seen.wordBox, QString("abeyance"));
        QVERIFY(seen.requestCleared);
        QCOMPARE(db->row("abeyance")->last_seen, today);
        QCOMPARE(stampedToday(), 1);
        // The search window is gone again; the entry window is as it was.
        QVERIFY(!registry().isLoaded(WindowKind::Search));
        QCOMPARE(e->Text3->text(), QString("ab"));
        QCOMPARE(e->List1->words(), listed);
        QVERIFY(e->List1->isVisible());
        QVERIFY(harness->dialogs.failures().isEmpty());
    }

    void entryListArrowKeyOpensAtOnce() {
        addWords({"abate", "abeyance"});
        word_adder* e = openEntry();
        QTest::keyClicks(e->Text3, "ab");
        QStringList opened;
        harness->onModal = [&](shell::Form* form) {
            opened << static_cast<search::frmsearch*>(form)->lstword->selectedText();
        };
        e->List1->setFocus();
        QTest::keyClick(e->List1, Qt::Key_Down);
        QCOMPARE(opened.size(), 1);
        QVERIFY(e->List1->words().contains(opened.first()));
        QCOMPARE(stampedToday(), 1);
    }

    void entryRequestBringsAnOpenSearchWindowForward() {
        addWords({"abate", "abeyance", "candor"});
        search::frmsearch* s = openSearchPlainly();
        // The search window shows a date range when the request comes.
        s->Combo1->setEditText("date of entry");
        harness->dialogs.queueAnswer(shell::Answer::Yes);
        QTest::mouseClick(s->cmdok, Qt::LeftButton);
        QVERIFY(s->cmdgo->isVisible());
        word_adder* e = openEntry();
        QTest::keyClicks(e->Text3, "ab");
        clickListRow(e->List1, 0);
        QVERIFY(harness->modalShows.isEmpty());
        QCOMPARE(registry().window(WindowKind::Search), static_cast<shell::Form*>(s));
        const SearchView v = viewOf(s);
        QCOMPARE(v.filter, QString("abate"));
        QCOMPARE(v.selected, QString("abate"));
        QCOMPARE(v.wordBox, QString("abate"));
        QVERIFY(v.requestCleared);
        QVERIFY(s->txtlike->isVisible());
        QVERIFY(!s->cmdgo->isVisible());
        QCOMPARE(db->row("abate")->last_seen, today);
        QCOMPARE(stampedToday(), 1);
        QCOMPARE(e->Text3->text(), QString("ab"));
    }

    void verdictBoxOpensOnTheRightWordAndTheTestGoesOn() {
        QStringList words;
        for (int i = 0; i < 12; ++i)
            words << QString("word%1").arg(i);
        addWords(words);
        frmtestusage* t = startTest();
        const QString right = Module1::testwords[0];
        // Before an answer, a double click on the (empty) verdict box of the first question is
        // answered by nothing: the box is hidden.
        int wrong = lineOf(t, right) == 0 ? 1 : 0;
        QTest::mouseDClick(t->lstoptions->viewport(), Qt::LeftButton, {}, lineCentre(t, wrong));
        QVERIFY(t->lblresult->text().startsWith("Incorrect: Correct answer = "));
        const QString verdict = t->lblresult->text();
        QStringList options;
        for (int i = 0; i < t->lstoptions->count(); ++i)
            options << t->lstoptions->item(i)->text();
        SearchView seen;
        harness->onModal = [&](shell::Form* form) {
            seen = viewOf(static_cast<search::frmsearch*>(form));
        };
        QTest::mouseDClick(t->lblresult, Qt::LeftButton);
        QCOMPARE(harness->modalShows.size(), 1);
        QCOMPARE(seen.selected, right);
        QCOMPARE(seen.wordBox, right);
        QVERIFY(seen.requestCleared);
        // The test is unchanged, and the question can still be answered.
        QCOMPARE(t->questioncount, 1);
        QCOMPARE(t->lblresult->text(), verdict);
        QVERIFY(t->cmdnext->isEnabled());
        QStringList after;
        for (int i = 0; i < t->lstoptions->count(); ++i)
            after << t->lstoptions->item(i)->text();
        QCOMPARE(after, options);
        QCOMPARE(t->lblno->text(), QString(" 9"));
        // (The synthetic release of the double click went to the search window; answer by key.)
        t->lstoptions->setCurrentRow(lineOf(t, right));
        QTest::keyClick(t->lstoptions, Qt::Key_Return);
        QCOMPARE(t->lblresult->text(), QString("Correct"));
    }

    void choiceLookupsByRightClickAndByKey_data() {
        QTest::addColumn<int>("how"); // 0 right click on another line, 1 "i", 2 "I"
        QTest::newRow("right click") << 0;
        QTest::newRow("i") << 1;
        QTest::newRow("I") << 2;
    }
    void choiceLookupsByRightClickAndByKey() {
        QFETCH(int, how);
        QStringList words;
        for (int i = 0; i < 12; ++i)
            words << QString("word%1").arg(i);
        addWords(words);
        frmtestusage* t = startTest();
        // Nothing highlighted yet: the request names no word and is ignored.
        if (how == 0)
            QTest::mouseClick(t->lstoptions->viewport(), Qt::RightButton, {}, lineCentre(t, 2));
        else
            QTest::keyClick(t->lstoptions, how == 1 ? Qt::Key_I : Qt::Key_I,
                            how == 1 ? Qt::NoModifier : Qt::ShiftModifier);
        QVERIFY(harness->modalShows.isEmpty());
        QCOMPARE(t->lstoptions->currentRow(), -1);

        t->lstoptions->setCurrentRow(1);
        const QString highlighted = t->lstoptions->item(1)->text();
        QString shown;
        harness->onModal = [&](shell::Form* form) {
            shown = static_cast<search::frmsearch*>(form)->lstword->selectedText();
        };
        if (how == 0)
            QTest::mouseClick(t->lstoptions->viewport(), Qt::RightButton, {}, lineCentre(t, 3));
        else
            QTest::keyClick(t->lstoptions, Qt::Key_I,
                            how == 1 ? Qt::NoModifier : Qt::ShiftModifier);
        QCOMPARE(harness->modalShows.size(), 1);
        QCOMPARE(shown, highlighted);
        // A right click does not move the highlight; the question is still open.
        QCOMPARE(t->lstoptions->currentRow(), 1);
        QVERIFY(!t->cmdnext->isEnabled());
        QCOMPARE(db->row(highlighted)->last_seen, today);
    }

    void testRequestWhileSearchIsOpenBringsItForward() {
        QStringList words;
        for (int i = 0; i < 12; ++i)
            words << QString("word%1").arg(i);
        addWords(words);
        search::frmsearch* s = openSearchPlainly();
        frmtestusage* t = startTest();
        t->lstoptions->setCurrentRow(0);
        const QString highlighted = t->lstoptions->item(0)->text();
        QTest::keyClick(t->lstoptions, Qt::Key_I);
        QVERIFY(harness->modalShows.isEmpty());
        QCOMPARE(s->lstword->selectedText(), highlighted);
        QCOMPARE(qobject_cast<QLineEdit*>(s->txtfield[0])->text(), highlighted);
        QVERIFY(shell::wordtoshow.isEmpty());
        QVERIFY(!shell::showwordonopen);
        QCOMPARE(t->questioncount, 1);
    }

    void verdictBoxBeforeTheFirstQuestionIsIgnored() {
        registry().show(WindowKind::Test);
        auto* t = registry().windowAs<frmtestusage>(WindowKind::Test);
        QTest::mouseDClick(t->lblresult, Qt::LeftButton);
        QVERIFY(harness->modalShows.isEmpty());
        QVERIFY(!registry().isLoaded(WindowKind::Search));
    }
};

QTEST_MAIN(TestLookups)
#include "test_lookups.moc"
