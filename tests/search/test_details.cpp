// Showing the selected word, the list's keys and opening the window on a word.
#include "searchfixture.h"
#include "shell/searchrequest.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using shell::Answer;
using testsupport::WordRow;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

namespace {

const QDate kToday(2026, 3, 15);
const QDate kLongAgo(2025, 6, 1);

WordRow fullRow() {
    WordRow row;
    row.id = 17;
    row.word = QStringLiteral("abate");
    row.synonym = QStringLiteral("lessen\nreduce");
    row.part_speech = QStringLiteral("verb");
    row.usage = QStringLiteral("the storm *");
    row.notes = QStringLiteral("latin");
    row.entrydate = kLongAgo;
    row.last_seen = kLongAgo;
    row.is_used = true;
    row.frequent = true;
    return row;
}

} // namespace

class TestDetails : public QObject {
    Q_OBJECT

private slots:
    void init() {
        f = std::make_unique<SearchFixture>();
        f->db.insert(fullRow());
        WordRow bare;
        bare.word = QStringLiteral("abbey");
        bare.synonym = QStringLiteral("monastery");
        bare.last_seen = kLongAgo;
        f->db.insert(bare); // usage, notes and part of speech without value
        WordRow blank = bare;
        blank.word = QStringLiteral("abhor");
        blank.usage = blank.notes = blank.part_speech = QString(""); // empty text
        f->db.insert(blank);
        f->open();
        f->confirm(QStringLiteral("word"));
        f->filterBy(QStringLiteral("ab"));
        QCOMPARE(f->listed(), (QStringList{"abate", "abbey", "abhor"}));
    }
    void cleanup() { f.reset(); }

    void clickShowsEveryColumn() {
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        const QStringList expected{"abate", "lessen\nreduce", "the storm *", "verb", "latin", " 17",
                                   "Yes"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(f->w->fieldText(i), expected[i]);
        QCOMPARE(f->w->chkdifficult->checkState(), Qt::Checked);
        QVERIFY(f->w->cmdchange[0]->isEnabled());
        QVERIFY(f->w->cmdchange[1]->isEnabled());
        QCOMPARE(f->w->txtflashword->text(), QStringLiteral("abate"));
        QCOMPARE(f->w->txtflashmeaning->toPlainText(), QStringLiteral("lessen\nreduce"));
        QVERIFY(f->w->txtflashmeaning->isHidden());
        // Viewing writes nothing.
        QCOMPARE(f->db.row(QStringLiteral("abate"))->last_seen, kLongAgo);
    }

    void missingValuesShowEmptyBoxes_data() {
        QTest::addColumn<QString>("word");
        QTest::newRow("absent") << "abbey";
        QTest::newRow("empty text") << "abhor";
    }
    void missingValuesShowEmptyBoxes() {
        QFETCH(QString, word);
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        QVERIFY(f->clickWord(word));
        QCOMPARE(f->w->fieldText(0), word);
        QCOMPARE(f->w->fieldText(2), QString());
        QCOMPARE(f->w->fieldText(3), QString());
        QCOMPARE(f->w->fieldText(4), QString());
        QCOMPARE(f->w->fieldText(6), QStringLiteral("No"));
        QCOMPARE(f->w->chkdifficult->checkState(), Qt::Unchecked);
    }

    void vanishedWordEmptiesTheDetails() {
        QVERIFY(f->clickWord(QStringLiteral("abbey")));
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        f->db.exec(QStringLiteral("DELETE FROM listofwords WHERE word = 'abbey'"));
        QVERIFY(f->clickWord(QStringLiteral("abbey")));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(f->w->fieldText(i), QString());
        QVERIFY(!f->w->cmdchange[0]->isEnabled());
        QVERIFY(!f->w->cmdchange[1]->isEnabled());
        QVERIFY(f->w->isVisible());
    }

    void clickOnTheSelectedWordShowsItAgain() {
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        f->w->setFieldText(1, QStringLiteral("typed"));
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        QCOMPARE(f->w->fieldText(1), QStringLiteral("lessen\nreduce"));
    }

    void downArrowShowsTheNextWord() {
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        QTest::keyClick(f->w->lstword, Qt::Key_Return);
        QVERIFY(!f->w->txtflashmeaning->isHidden());
        QTest::keyClick(f->w->lstword, Qt::Key_Down);
        QCOMPARE(f->w->selectedWord(), QStringLiteral("abbey"));
        QCOMPARE(f->w->fieldText(0), QStringLiteral("abbey"));
        QCOMPARE(f->w->fieldText(2), QString());
        QCOMPARE(f->w->fieldText(5), QStringLiteral(" 18"));
        QCOMPARE(f->w->txtflashword->text(), QStringLiteral("abbey"));
        QCOMPARE(f->w->txtflashmeaning->toPlainText(), QStringLiteral("monastery"));
        QVERIFY(f->w->txtflashmeaning->isHidden());
    }

    void keyUpRefreshesButLeavesMarkAndCard() {
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        f->db.exec(QStringLiteral("UPDATE listofwords SET synonym = 'cut', is_used = 0, "
                                  "frequent = 0 WHERE word = 'abate'"));
        QTest::keyClick(f->w->lstword, Qt::Key_Shift);
        QCOMPARE(f->w->fieldText(1), QStringLiteral("cut"));
        QCOMPARE(f->w->fieldText(6), QStringLiteral("Yes"));
        QCOMPARE(f->w->chkdifficult->checkState(), Qt::Checked);
        QCOMPARE(f->w->txtflashmeaning->toPlainText(), QStringLiteral("lessen\nreduce"));
    }

    void keysActTheSameWithModifiers_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("none") << Qt::KeyboardModifiers();
        QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier);
    }
    void keysActTheSameWithModifiers() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QVERIFY(f->clickWord(QStringLiteral("abate")));

        // Enter reveals the meaning even while the card is hidden.
        QVERIFY(f->w->frameflash->isHidden());
        QTest::keyClick(f->w->lstword, Qt::Key_Return, modifiers);
        QVERIFY(!f->w->txtflashmeaning->isHidden());

        // F1 toggles the mark on screen only; twice is back where it was.
        QTest::keyClick(f->w->lstword, Qt::Key_F1, modifiers);
        QCOMPARE(f->w->chkdifficult->checkState(), Qt::Unchecked);
        QTest::keyClick(f->w->lstword, Qt::Key_F1, modifiers);
        QCOMPARE(f->w->chkdifficult->checkState(), Qt::Checked);
        QVERIFY(f->db.row(QStringLiteral("abate"))->frequent);

        // F2 asks the Update question.
        f->harness.dialogs.queueAnswer(Answer::No);
        QTest::keyClick(f->w->lstword, Qt::Key_F2, modifiers);
        QCOMPARE(f->harness.dialogs.texts().last(),
                 QStringLiteral("Are you sure  you want to Update the info on 'abate'  ?"));
    }

    void f1MarkIsSavedByF2() {
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        QTest::keyClick(f->w->lstword, Qt::Key_F1);
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::keyClick(f->w->lstword, Qt::Key_F2);
        QVERIFY(!f->db.row(QStringLiteral("abate"))->frequent);
        QCOMPARE(f->w->chkdifficult->checkState(), Qt::Unchecked);
    }

    void f2AsksWhileUpdateIsDisabled() {
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        QTest::keyClicks(f->w->txtlike, QStringLiteral("a"));
        QVERIFY(!f->w->cmdchange[0]->isEnabled());
        f->harness.dialogs.queueAnswer(Answer::No);
        QTest::keyClick(f->w->lstword, Qt::Key_F2);
        QCOMPARE(f->harness.dialogs.calls().size(), 2); // the confirmation of "word", then F2
        QCOMPARE(f->harness.dialogs.texts().last(),
                 QStringLiteral("Are you sure  you want to Update the info on 'abate'  ?"));
        QVERIFY(f->harness.dialogs.failures().isEmpty());
    }

private:
    std::unique_ptr<SearchFixture> f;
};

// Opening the window on a word another window asked for.
class TestOpenOnWord : public QObject {
    Q_OBJECT

private slots:
    void init() { f = std::make_unique<SearchFixture>(); }
    void cleanup() { f.reset(); }

    void selectsShowsAndStampsTheWord() {
        for (const char* word : {"abash", "abate", "abated", "abbey"}) {
            WordRow row;
            row.word = QString::fromUtf8(word);
            row.synonym = QStringLiteral("syn ") + row.word;
            row.last_seen = kLongAgo;
            f->db.insert(row);
        }
        shell::wordtoshow = QStringLiteral("abate");
        shell::showwordonopen = true;
        f->open();

        QVERIFY(!f->w->txtlike->isHidden());
        QVERIFY(!f->w->Label5->isHidden());
        QCOMPARE(f->w->Label5->text(), QString());
        QCOMPARE(f->w->txtlike->text(), QStringLiteral("abate"));
        QCOMPARE(f->listed(), (QStringList{"abate", "abated"}));
        QCOMPARE(f->w->selectedWord(), QStringLiteral("abate"));
        QCOMPARE(f->w->fieldText(1), QStringLiteral("syn abate"));
        QVERIFY(f->w->cmdchange[0]->isEnabled());
        QCOMPARE(search::searchfield, QStringLiteral("word"));
        QCOMPARE(f->db.row(QStringLiteral("abate"))->last_seen, kToday);
        QCOMPARE(f->db.row(QStringLiteral("abated"))->last_seen, kLongAgo);
        QVERIFY(!shell::showwordonopen);
        QVERIFY(shell::wordtoshow.isEmpty());

        // From now on viewing writes nothing.
        f->db.exec(QStringLiteral("UPDATE listofwords SET last_seen = '2025-06-01'"));
        QVERIFY(f->clickWord(QStringLiteral("abated")));
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        QCOMPARE(f->db.row(QStringLiteral("abate"))->last_seen, kLongAgo);
    }

    void wordWithAnApostrophe() {
        f->db.insert(QStringLiteral("o'clock"), QStringLiteral("of the clock"));
        shell::wordtoshow = QStringLiteral("o'clock");
        shell::showwordonopen = true;
        f->open();
        QCOMPARE(f->w->fieldText(1), QStringLiteral("of the clock"));
        QCOMPARE(f->db.row(QStringLiteral("o'clock"))->last_seen, kToday);
    }

    // A second request for the same word while the window is open, after the user has run
    // another search: the filter box already holds the word, and the list must still be
    // refilled by word with the word selected, under a prompt that names words.
    void repeatedRequestWhileOpenRefillsByWord_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("pending words") << "pending words"
                                       << "";
        QTest::newRow("identity number") << "identity number"
                                         << "Search for  the word beginning with";
    }
    void repeatedRequestWhileOpenRefillsByWord() {
        QFETCH(QString, category);
        QFETCH(QString, prompt);
        for (const char* word : {"abate", "abated", "zeal"}) {
            WordRow row;
            row.word = QString::fromUtf8(word);
            row.synonym = row.word == QLatin1String("zeal") ? QStringLiteral("not entered")
                                                            : QStringLiteral("syn ") + row.word;
            row.last_seen = kLongAgo;
            f->db.insert(row);
        }
        f->open();
        shell::openSearchWindowOn(QStringLiteral("abate"));
        QCOMPARE(f->w->selectedWord(), QStringLiteral("abate"));

        f->confirm(category);
        if (category == QLatin1String("identity number"))
            f->filterBy(QStringLiteral("3"));
        QCOMPARE(f->listed(), QStringList{"zeal"});
        f->db.exec(QStringLiteral("UPDATE listofwords SET last_seen = '2025-06-01'"));

        shell::openSearchWindowOn(QStringLiteral("abate"));
        QCOMPARE(f->w->txtlike->text(), QStringLiteral("abate"));
        QCOMPARE(f->listed(), (QStringList{"abate", "abated"}));
        QCOMPARE(f->w->selectedWord(), QStringLiteral("abate"));
        QCOMPARE(f->w->fieldText(1), QStringLiteral("syn abate"));
        QVERIFY(f->w->cmdchange[0]->isEnabled());
        QCOMPARE(f->db.row(QStringLiteral("abate"))->last_seen, kToday);
        QCOMPARE(search::searchfield, QStringLiteral("word"));
        QCOMPARE(f->w->Label5->text(), prompt);
        QVERIFY(f->harness.dialogs.failures().isEmpty());
    }

    void emptyWordSelectsNothing() {
        f->db.insert(QStringLiteral("abate"));
        shell::wordtoshow.clear();
        shell::showwordonopen = true;
        f->open();
        QVERIFY(f->w);
        QCOMPARE(f->w->selectedWord(), QString());
        QVERIFY(!f->w->cmdchange[0]->isEnabled());
        QVERIFY(!shell::showwordonopen);
    }

private:
    std::unique_ptr<SearchFixture> f;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        TestDetails details;
        status |= QTest::qExec(&details, argc, argv);
    }
    {
        TestOpenOnWord openOnWord;
        status |= QTest::qExec(&openOnWord, argc, argv);
    }
    return status;
}

#include "test_details.moc"
