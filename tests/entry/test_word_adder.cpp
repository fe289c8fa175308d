// The word entry window driven as a user drives it: typing, Update, Add, Close.
#include "entry/datacontrol.h"
#include "entrytestutil.h"
#include "shell/lumora_menu.h"
#include "store/connection.h"
#include "store/recordset.h"
#include "store/storeerror.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <sqlite3.h>

using shell::registry;
using shell::WindowKind;

namespace {

const QDate kToday(2026, 3, 15); // the harness's fixed clock

QStringList listEntries(const shell::WordListBox* list) {
    return list->words();
}

// The description the store gives for saving a new row without a word.
QString emptyWordDescription() {
    store::Connection connection;
    store::Recordset rs;
    rs.setCursorLocation(store::CursorLocation::Client);
    rs.setLockType(store::LockType::Optimistic);
    rs.setSource(QStringLiteral("select * from listofwords Order by word"));
    rs.setActiveConnection(&connection);
    rs.Open();
    rs.AddNew();
    rs.setField(QStringLiteral("word"), QString());
    try {
        rs.UpdateBatch();
    } catch (const store::StoreError& error) {
        return error.description();
    }
    return {};
}

} // namespace

class TestWordAdder : public QObject {
    Q_OBJECT

private slots:
    void init() { fx.setUp(); }
    void cleanup() {
        const QStringList failures = fx.harness->dialogs.failures();
        fx.tearDown();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

    void opensWithItsControls() {
        word_adder* w = fx.open();
        QVERIFY(w->isMaximized());
        QCOMPARE(w->windowTitle(), QStringLiteral("word adder"));
        QCOMPARE(w->Label1->text(), QStringLiteral("ADD WORDS"));
        QVERIFY(w->Label1->font().bold());
        QCOMPARE(w->Label1->font().pointSizeF(), 18.0);
        const QStringList captions{"word:", "synonym:", "part_speech:", "usage:", "notes:", "id:"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(control<QLabel>(w, qPrintable(QStringLiteral("lblLabels(%1)").arg(i)))->text(),
                     captions[i]);
        QCOMPARE(w->Label5->text(),
                 QStringLiteral("      You may just enter the word . The synonym can be entered "
                                "later, when you deem proper. In order to search for such words, "
                                "open the search window , and  from the category drop down list, "
                                "select \"pending words\".  This will give the list of the words, "
                                "WHOSE SYNONYMS  were not entered by you.  MAKE SURE YOU LEAVE THE "
                                "SYNONYMS  BOX COMPLETELY BLANK. THIS WILL ENABLE YOU TO SEARCH "
                                "FOR THE WORDS."));
        QCOMPARE(w->Label5->palette().color(QPalette::Window), QColor(128, 255, 255));
        QCOMPARE(w->Label5->palette().color(QPalette::WindowText), QColor(128, 64, 64));
        QCOMPARE(w->Check1->text(), QStringLiteral("Difficult ? "));
        QCOMPARE(w->Label2->text(), QStringLiteral("THE FOLLOWING WORDS ALREADY EXIST IN THE "
                                                   "WORDLIST, SO YOU NEED NOT ADD THEM AGAIN"));
        QCOMPARE(w->Label4->text(),
                 QStringLiteral("TO VIEW/CHANGE  THE DETAILS OF ANY WORD, JUST CLICK ON IT."));
        QCOMPARE(w->Label3->text(), QStringLiteral("note that here, the bound textbox is hidden"));
        QCOMPARE(w->Text3->palette().color(QPalette::Text), QColor(0, 0, 128));
        for (QWidget* box : {static_cast<QWidget*>(w->Text3), w->txtFields[0]}) {
            QVERIFY(box->font().bold());
            QCOMPARE(box->font().pointSizeF(), 12.0);
        }

        // Hidden controls; the lookup list starts hidden and empty.
        for (const char* name :
             {"txtFields(0)", "Text1", "Text2", "Label3", "List1", "Label2", "Label4"})
            QVERIFY2(!control<QWidget>(w, name)->isVisible(), name);
        QCOMPARE(w->List1->count(), 0);
        for (const char* name : {"Text3", "txtFields(1)", "txtFields(5)", "Check1", "Label5",
                                 "picButtons", "datPrimaryRS"})
            QVERIFY2(control<QWidget>(w, name)->isVisible(), name);

        QVERIFY(w->cmdAdd->isEnabled() && w->cmdUpdate->isEnabled() && w->cmdClose->isEnabled());
        QVERIFY(!w->cmdDelete->isEnabled());
        QVERIFY(!w->cmdRefresh->isEnabled());
        const QStringList buttons{"&Add", "&Update", "&Delete", "&Refresh", "&Close"};
        QPushButton* bar[] = {w->cmdAdd, w->cmdUpdate, w->cmdDelete, w->cmdRefresh, w->cmdClose};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(bar[i]->text(), buttons[i]);
            QCOMPARE(bar[i]->parentWidget(), w->picButtons);
            if (i > 0) // left to right along the bar
                QVERIFY(bar[i]->x() > bar[i - 1]->x());
        }
        // The load handler's new row is not a move: the caption stays a single blank.
        QCOMPARE(dataCaption(w), QStringLiteral(" "));

        // Tab order from Text3 through the fields to the buttons, the list and the check box,
        // then round to Text3 again (the data control's buttons are not on the way).
        QWidget* expected[] = {w->Text3,        w->txtFields[1], w->txtFields[2], w->txtFields[3],
                               w->txtFields[4], w->txtFields[5], w->cmdUpdate,    w->cmdAdd,
                               w->cmdDelete,    w->cmdRefresh,   w->cmdClose,     w->List1,
                               w->Check1};
        for (std::size_t i = 0; i + 1 < std::size(expected); ++i) {
            QWidget* next = expected[i]->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus)
                next = next->nextInFocusChain();
            QCOMPARE(next, expected[i + 1]);
        }
        QWidget* wrap = w->Check1->nextInFocusChain();
        while (!(wrap->focusPolicy() & Qt::TabFocus) || !wrap->isVisibleTo(w))
            wrap = wrap->nextInFocusChain();
        QCOMPARE(wrap, w->Text3);
    }

    void updateFillsDefaultsAndToday_data() {
        QTest::addColumn<QString>("synonym");
        QTest::addColumn<QString>("partOfSpeech");
        QTest::addColumn<bool>("difficult");
        QTest::addColumn<QString>("storedSynonym");
        QTest::addColumn<QString>("storedPart");
        QTest::newRow("both blank") << ""
                                    << "" << false << "not entered"
                                    << "?";
        QTest::newRow("synonym of blanks kept") << "   "
                                                << "" << false << "   "
                                                << "?";
        QTest::newRow("typed") << "to avoid"
                               << "verb" << true << "to avoid"
                               << "verb";
    }
    void updateFillsDefaultsAndToday() {
        QFETCH(QString, synonym);
        QFETCH(QString, partOfSpeech);
        QFETCH(bool, difficult);
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "eschew");
        QTest::keyClicks(w->txtFields[1], synonym);
        QTest::keyClicks(w->txtFields[2], partOfSpeech);
        QTest::keyClicks(w->txtFields[3], "We eschew waste.");
        if (difficult)
            QTest::mouseClick(w->Check1, Qt::LeftButton);
        click(w, "cmdUpdate");

        QVERIFY(fx.harness->dialogs.calls().isEmpty());
        QCOMPARE(fx.db->count(), 1);
        const auto row = fx.db->row(QStringLiteral("eschew"));
        QVERIFY(row);
        QTEST(row->synonym, "storedSynonym");
        QTEST(row->part_speech, "storedPart");
        QCOMPARE(row->usage, QStringLiteral("We eschew waste."));
        QCOMPARE(row->notes, QString());
        QCOMPARE(row->entrydate, kToday);
        QCOMPARE(row->last_seen, kToday);
        QCOMPARE(row->frequent, difficult);
        QCOMPARE(row->is_used, false);
        // The saved row shows its identity number.
        QCOMPARE(qobject_cast<QLineEdit*>(w->txtFields[5])->text(), QString::number(row->id));
    }

    void duplicateWithBlanksAroundShowsTheDuplicateMessage() {
        // "abate " is the word abate: refused like any duplicate, nothing saved.
        fx.db->insert(QStringLiteral("abate"), QStringLiteral("lessen"));
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "abate ");
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        click(w, "cmdUpdate");
        QCOMPARE(fx.harness->dialogs.texts(), QStringList{word_adder::duplicateMessage()});
        QCOMPARE(fx.db->count(), 1);
    }

    void duplicateInAnotherCaseShowsTheDuplicateMessage() {
        fx.db->insert(QStringLiteral("Abate"), QStringLiteral("lessen"));
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "aBATE");
        QCOMPARE(listEntries(w->List1), QStringList{"Abate"});
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        click(w, "cmdUpdate");
        QCOMPARE(fx.harness->dialogs.texts(),
                 QStringList{"This word already exists in your list. You cant add it again.To "
                             "make changes to the details of the word, click on that word which "
                             "appears in the list box, on the right half of the window."});
        const auto& call = fx.harness->dialogs.calls().first();
        QCOMPARE(call.buttons, shell::Buttons::Ok);
        QVERIFY(call.title.isEmpty());
        QCOMPARE(fx.db->count(), 1);
        QCOMPARE(fx.db->row("Abate")->synonym, QStringLiteral("lessen"));
        // The window stays usable: a corrected word saves.
        QTest::keyClick(w->Text3, Qt::Key_S);
        click(w, "cmdUpdate");
        QCOMPARE(fx.harness->dialogs.calls().size(), 1);
        QVERIFY(fx.db->row("aBATEs"));
    }

    void refusedSaveWithAnEmptyListShowsTheDescription() {
        fx.db->insert(QStringLiteral("abate"));
        const QString description = emptyWordDescription();
        QVERIFY(!description.isEmpty());
        word_adder* w = fx.open();
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        click(w, "cmdUpdate"); // nothing typed: no word, and no list
        QCOMPARE(fx.harness->dialogs.texts(), QStringList{description});
        QCOMPARE(fx.db->count(), 1);
        // The defaults stay in the boxes; the row is still unsaved and can be saved now.
        QCOMPARE(qobject_cast<QPlainTextEdit*>(w->txtFields[1])->toPlainText(),
                 QStringLiteral("not entered"));
        QTest::keyClicks(w->Text3, "zeal");
        click(w, "cmdUpdate");
        QCOMPARE(fx.harness->dialogs.calls().size(), 1);
        QCOMPARE(fx.db->row("zeal")->synonym, QStringLiteral("not entered"));
    }

    void failedNewRowOnLoadShowsTheDescriptionAndTheWindowOpens() {
        fx.db->insert(QStringLiteral("abate"));
        // A data control whose record source the store cannot run: AddNew fails on load.
        registry().registerKind(WindowKind::WordAdder, [] {
            auto* w = new word_adder;
            w->datPrimaryRS->setRecordSource(QStringLiteral("select * from nosuchtable"));
            return w;
        });
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        word_adder* w = fx.open();
        QVERIFY(w && w->isVisible());
        const auto calls = fx.harness->dialogs.calls();
        QCOMPARE(calls.size(), 1);
        QVERIFY(!calls.first().text.isEmpty());
        QVERIFY(!calls.first().text.startsWith(QStringLiteral("Data error event hit err:")));
        QCOMPARE(calls.first().buttons, shell::Buttons::Ok);
        QVERIFY(calls.first().title.isEmpty());
        // The lookup has its own connection and still works.
        QTest::keyClicks(w->Text3, "ab");
        QCOMPARE(listEntries(w->List1), QStringList{"abate"});
    }

    void saveRefusedByALockedFileKeepsTheRowForTheNextUpdate() {
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "zeal");
        QTest::keyClicks(w->txtFields[1], "ardour");
        // Another program holds the file for writing while Update is pressed.
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(fx.db->path().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        click(w, "cmdUpdate");
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        const QStringList texts = fx.harness->dialogs.texts();
        QCOMPARE(texts.size(), 1);
        QVERIFY(!texts.first().isEmpty() && texts.first() != word_adder::duplicateMessage());
        QCOMPARE(fx.db->count(), 0);
        // Nothing typed was lost: the next Update saves it.
        click(w, "cmdUpdate");
        QCOMPARE(fx.harness->dialogs.calls().size(), 1);
        QCOMPARE(fx.db->row("zeal")->synonym, QStringLiteral("ardour"));
    }

    void typedThenErasedListsEveryWordHidden() {
        for (const char* word : {"bane", "abate", "Zeal"})
            fx.db->insert(QString::fromLatin1(word));
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "ab");
        QVERIFY(w->List1->isVisible() && w->Label2->isVisible() && w->Label4->isVisible());
        QTest::keyClick(w->Text3, Qt::Key_Backspace);
        QTest::keyClick(w->Text3, Qt::Key_Backspace);
        QVERIFY(!w->List1->isVisible());
        QVERIFY(!w->Label2->isVisible());
        QVERIFY(!w->Label4->isVisible());
        QCOMPARE(listEntries(w->List1), (QStringList{"abate", "bane", "Zeal"}));
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        // An empty word is refused; the hidden list decides the message.
        click(w, "cmdUpdate");
        QCOMPARE(fx.harness->dialogs.texts(), QStringList{word_adder::duplicateMessage()});
        QCOMPARE(fx.db->count(), 3);
    }

    void lookupListsWordsBeginningWithTheText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("ab, any case, store order")
            << "ab" << QStringList{"Abase", "abate", "aberrant", "ABhor", "abstain"};
        QTest::newRow("capitals typed") << "ABE" << QStringList{"aberrant"};
        QTest::newRow("no word begins so") << "zz" << QStringList{};
        QTest::newRow("quote") << "o'" << QStringList{"o'clock", "O'er"};
        QTest::newRow("lone quote") << "'" << QStringList{};
    }
    void lookupListsWordsBeginningWithTheText() {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        for (const char* word : {"abstain", "aberrant", "Abase", "acumen", "ABhor", "abate", "bane",
                                 "O'er", "o'clock", "other"})
            fx.db->insert(QString::fromLatin1(word));
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, typed);
        QCOMPARE(listEntries(w->List1), expected);
        QVERIFY(w->Label2->isVisible());
        QVERIFY(w->Label4->isVisible());
        QVERIFY(w->List1->isVisible());
        QCOMPARE(w->List1->isEnabled(), !expected.isEmpty());
    }

    void wordWithAQuoteSavesAsTyped() {
        fx.db->insert(QStringLiteral("o'clock"));
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "ne'er-do-well");
        QCOMPARE(w->List1->count(), 0);
        click(w, "cmdUpdate");
        QVERIFY(fx.harness->dialogs.calls().isEmpty());
        QVERIFY(fx.db->row(QStringLiteral("ne'er-do-well")));
        // The same word again, in capitals, is found through the quote and refused.
        fx.harness->onModal = [&](shell::Form* form) {
            auto* again = qobject_cast<word_adder*>(form);
            QTest::keyClicks(again->Text3, "NE'ER");
            QCOMPARE(listEntries(again->List1), QStringList{"ne'er-do-well"});
            QTest::keyClicks(again->Text3, "-DO-WELL");
            click(again, "cmdUpdate");
        };
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        click(w, "cmdAdd");
        QCOMPARE(fx.harness->dialogs.texts(), QStringList{word_adder::duplicateMessage()});
        QCOMPARE(fx.db->count(), 2);
    }

    void navigatedRowIsOverwrittenWithTheTypedWordAndToday() {
        testsupport::WordRow old;
        old.word = QStringLiteral("alpha");
        old.synonym = QStringLiteral("first");
        old.part_speech = QStringLiteral("noun");
        old.entrydate = QDate(2001, 7, 1);
        old.last_seen = QDate(2002, 1, 1);
        const qint64 id = fx.db->insert(old);
        fx.db->insert(QStringLiteral("beta"));
        word_adder* w = fx.open();
        click(w, "cmdFirst");
        QCOMPARE(dataCaption(w), QStringLiteral("Record: 1"));
        QCOMPARE(qobject_cast<QPlainTextEdit*>(w->txtFields[1])->toPlainText(),
                 QStringLiteral("first"));
        QCOMPARE(qobject_cast<QLineEdit*>(w->txtFields[5])->text(), QString::number(id));
        QTest::keyClicks(w->Text3, "gamma");
        click(w, "cmdUpdate");
        QVERIFY(fx.harness->dialogs.calls().isEmpty());
        QCOMPARE(fx.db->count(), 2); // no new row was written
        const auto row = fx.db->rowById(id);
        QCOMPARE(row->word, QStringLiteral("gamma"));
        QCOMPARE(row->synonym, QStringLiteral("first"));
        QCOMPARE(row->part_speech, QStringLiteral("noun"));
        QCOMPARE(row->entrydate, kToday);
        QCOMPARE(row->last_seen, kToday);
    }

    void addReopensModallyWithAnEmptyForm() {
        fx.db->insert(QStringLiteral("abate"));
        word_adder* first = fx.open();
        QTest::keyClicks(first->Text3, "ab");
        QTest::keyClicks(first->txtFields[1], "typed but not saved");
        QPointer<word_adder> old(first);
        int checked = 0;
        fx.harness->onModal = [&](shell::Form* form) {
            auto* w = qobject_cast<word_adder*>(form);
            QVERIFY(w);
            QVERIFY(w != old.data());
            QVERIFY(registry().isModal(WindowKind::WordAdder));
            QCOMPARE(w->Text3->text(), QString());
            QCOMPARE(qobject_cast<QPlainTextEdit*>(w->txtFields[1])->toPlainText(), QString());
            QVERIFY(!w->List1->isVisible());
            QCOMPARE(w->List1->count(), 0);
            QCOMPARE(dataCaption(w), QStringLiteral(" "));
            // The new window saves a word of its own.
            QTest::keyClicks(w->Text3, "zeal");
            click(w, "cmdUpdate");
            ++checked;
        };
        click(first, "cmdAdd");
        QCOMPARE(checked, 1);
        QCOMPARE(fx.harness->modalShows, QList<WindowKind>{WindowKind::WordAdder});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!old); // the first window was unloaded
        QCOMPARE(fx.db->count(), 2);
        QVERIFY(fx.db->row("zeal"));
    }

    void addFromTheModalWindowReopensItModallyAgain() {
        int shown = 0;
        fx.harness->onModal = [&](shell::Form* form) {
            auto* w = qobject_cast<word_adder*>(form);
            QVERIFY(w && w->isVisible());
            QVERIFY(registry().isModal(WindowKind::WordAdder));
            QCOMPARE(w->Text3->text(), QString());
            if (++shown == 1) {
                QTest::keyClicks(w->Text3, "first try");
                click(w, "cmdAdd");
            }
        };
        word_adder* w = fx.open();
        click(w, "cmdAdd");
        QCOMPARE(shown, 2);
        QCOMPARE(fx.harness->modalShows.size(), 2);
        QCOMPARE(fx.db->count(), 0);
    }

    void closingDropsPendingChanges_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Close") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("Exit") << 2;
        QTest::newRow("Add") << 3;
    }
    void closingDropsPendingChanges() {
        QFETCH(int, how);
        const qint64 id = fx.db->insert(QStringLiteral("abate"), QStringLiteral("lessen"));
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "zeal");
        QTest::keyClicks(w->txtFields[1], "ardour");
        QTest::mouseClick(w->Check1, Qt::LeftButton);
        switch (how) {
        case 0:
            click(w, "cmdClose");
            break;
        case 1:
            w->close();
            break;
        case 2:
            registry().endProgram();
            break;
        case 3:
            click(w, "cmdAdd");
            break;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (how != 3)
            QVERIFY(!registry().isLoaded(WindowKind::WordAdder));
        QCOMPARE(fx.db->count(), 1);
        QCOMPARE(fx.db->rowById(id)->synonym, QStringLiteral("lessen"));
    }

    void menuEnterOpensItOnceAndBringsItForward() {
        registry().registerKind(WindowKind::Menu, [] { return new shell::lumora_menu; });
        registry().show(WindowKind::Menu);
        auto* menu = registry().windowAs<shell::lumora_menu>(WindowKind::Menu);
        fx.db->insert(QStringLiteral("abate"));
        QTest::mouseClick(menu->cbenter, Qt::LeftButton);
        word_adder* w = EntryFixture::current();
        QVERIFY(w && w->isVisible());
        QVERIFY(!registry().isModal(WindowKind::WordAdder));
        QTest::keyClicks(w->Text3, "zeal");
        QCOMPARE(w->datPrimaryRS->Recordset().RecordCount(), 2); // one row and the new one

        QTest::mouseClick(menu->cbenter, Qt::LeftButton);
        QCOMPARE(EntryFixture::current(), w);
        QCOMPARE(w->Text3->text(), QStringLiteral("zeal"));
        QCOMPARE(w->datPrimaryRS->Recordset().RecordCount(), 2); // no second new row
        QVERIFY(fx.harness->modalShows.isEmpty());
        registry().registerKind(WindowKind::Menu, {});
    }

private:
    EntryFixture fx;
};

QTEST_MAIN(TestWordAdder)
#include "test_word_adder.moc"
