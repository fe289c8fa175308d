// Update and Delete from the search window.
#include "searchfixture.h"

#include <QCheckBox>
#include <QPushButton>

using shell::Answer;
using testsupport::WordRow;

namespace {

const QDate kToday(2026, 3, 15);
const QDate kLongAgo(2025, 6, 1);

WordRow row(const QString& word) {
    WordRow r;
    r.word = word;
    r.synonym = QStringLiteral("syn of ") + word;
    r.part_speech = QStringLiteral("noun");
    r.usage = QStringLiteral("use of ") + word;
    r.notes = QStringLiteral("notes");
    r.entrydate = kLongAgo;
    r.last_seen = kLongAgo;
    r.is_used = true;
    return r;
}

} // namespace

class TestChange : public QObject {
    Q_OBJECT

private slots:
    void init() {
        f = std::make_unique<SearchFixture>();
        for (const char* word : {"abate", "abbey", "abhor", "o'clock"})
            f->db.insert(row(QString::fromUtf8(word)));
        f->open();
        f->confirm(QStringLiteral("word"));
        f->w->txtlike->setText(QStringLiteral("a"));
        f->w->txtlike->clear();
        QCOMPARE(f->listed(), (QStringList{"abate", "abbey", "abhor", "o'clock"}));
        f->harness.dialogs.clear();
    }
    void cleanup() { f.reset(); }

    void updateWritesTheBoxesWithDefaults_data() {
        QTest::addColumn<QString>("synonym");
        QTest::addColumn<QString>("partOfSpeech");
        QTest::addColumn<QString>("storedSynonym");
        QTest::addColumn<QString>("storedPart");
        QTest::newRow("empty boxes get markers") << ""
                                                 << ""
                                                 << "not entered"
                                                 << "?";
        QTest::newRow("blanks are kept") << "  "
                                         << " "
                                         << "  "
                                         << " ";
        QTest::newRow("typed text") << "decrease"
                                    << "verb"
                                    << "decrease"
                                    << "verb";
    }
    void updateWritesTheBoxesWithDefaults() {
        QFETCH(QString, synonym);
        QFETCH(QString, partOfSpeech);
        QFETCH(QString, storedSynonym);
        QFETCH(QString, storedPart);
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        f->typeInto(1, synonym);
        f->typeInto(3, partOfSpeech);
        f->typeInto(2, QString());
        f->typeInto(4, QString());
        f->w->chkdifficult->setCheckState(Qt::Checked);
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);

        const auto& question = f->harness.dialogs.calls().first();
        QCOMPARE(question.text,
                 QStringLiteral("Are you sure  you want to Update the info on 'abate'  ?"));
        QCOMPARE(question.buttons, shell::Buttons::YesNo);
        QCOMPARE(question.defaultButton, shell::DefaultButton::First);
        QCOMPARE(question.title, shell::programTitle());
        QCOMPARE(f->harness.dialogs.calls().size(), 1); // no message after success

        const auto stored = f->db.row(QStringLiteral("abate"));
        QVERIFY(stored);
        QCOMPARE(stored->synonym, storedSynonym);
        QCOMPARE(stored->part_speech, storedPart);
        QCOMPARE(stored->usage, QString());
        QCOMPARE(stored->notes, QString());
        QCOMPARE(stored->last_seen, kToday);
        QCOMPARE(stored->entrydate, kLongAgo);
        QVERIFY(stored->frequent);
        QVERIFY(stored->is_used);
        QCOMPARE(f->w->fieldText(1), storedSynonym);
        QCOMPARE(f->w->fieldText(3), storedPart);
    }

    void updateWritesTheRowTheListNames() {
        QVERIFY(f->clickWord(QStringLiteral("abbey")));
        f->typeInto(0, QStringLiteral("abbot"));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
        QCOMPARE(f->harness.dialogs.texts().first(),
                 QStringLiteral("Are you sure  you want to Update the info on 'abbot'  ?"));
        QVERIFY(!f->db.row(QStringLiteral("abbey")));
        QCOMPARE(f->db.row(QStringLiteral("abbot"))->synonym, QStringLiteral("syn of abbey"));
        QCOMPARE(f->listed().at(1), QStringLiteral("abbey")); // the list is not refreshed

        // The old entry now finds no row; updating it again changes nothing and says so.
        f->harness.dialogs.clear();
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::keyClick(f->w->lstword, Qt::Key_F2);
        QCOMPARE(f->harness.dialogs.calls().size(), 2);
        QVERIFY(f->harness.dialogs.texts().last().contains(QStringLiteral("'abbey'")));
        QCOMPARE(f->db.row(QStringLiteral("abbot"))->synonym, QStringLiteral("syn of abbey"));
        QCOMPARE(f->db.count(), 4);
    }

    void updateUnstampedWhenNothingChanged() {
        QVERIFY(f->clickWord(QStringLiteral("abhor")));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
        QCOMPARE(f->db.row(QStringLiteral("abhor"))->last_seen, kToday);
        QVERIFY(!f->db.row(QStringLiteral("abhor"))->frequent);
    }

    void noChangesNothing_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("update") << 0;
        QTest::newRow("delete") << 1;
    }
    void noChangesNothing() {
        QFETCH(int, button);
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        f->typeInto(1, QString());
        f->harness.dialogs.queueAnswer(Answer::No);
        QTest::mouseClick(f->w->cmdchange[button], Qt::LeftButton);
        QCOMPARE(f->harness.dialogs.calls().size(), 1);
        QCOMPARE(f->db.row(QStringLiteral("abate"))->synonym, QStringLiteral("syn of abate"));
        QCOMPARE(f->db.row(QStringLiteral("abate"))->last_seen, kLongAgo);
        QCOMPARE(f->listed().size(), 4);
        QCOMPARE(f->w->fieldText(1), QString());
        QCOMPARE(f->w->fieldText(0), QStringLiteral("abate"));
        QVERIFY(f->w->cmdchange[button]->isEnabled());
    }

    void deleteRemovesTheWordAndEmptiesTheDetails() {
        QVERIFY(f->clickWord(QStringLiteral("abbey")));
        QTest::keyClick(f->w->lstword, Qt::Key_Return);
        f->harness.dialogs.queueAnswer(Answer::Yes);
        f->harness.dialogs.queueAnswer(Answer::Ok);
        QTest::mouseClick(f->w->cmdchange[1], Qt::LeftButton);

        const auto& calls = f->harness.dialogs.calls();
        QCOMPARE(calls.size(), 2);
        QCOMPARE(
            calls[0].text,
            QStringLiteral("Are you sure  you want to delete 'abbey'  and all its information?"));
        QCOMPARE(calls[0].defaultButton, shell::DefaultButton::First);
        QCOMPARE(calls[0].title, shell::programTitle());
        QCOMPARE(calls[1].text, QStringLiteral("'abbey'  has been successfully deleted."));
        QCOMPARE(calls[1].buttons, shell::Buttons::Ok);
        QCOMPARE(calls[1].icon, shell::Icon::Information);

        QVERIFY(!f->db.row(QStringLiteral("abbey")));
        QCOMPARE(f->db.count(), 3);
        QCOMPARE(f->listed(), (QStringList{"abate", "abhor", "o'clock"}));
        QVERIFY(f->w->lstword->selectedRow() < 0);
        // The Enter that closed the message is released over the list: nothing comes back.
        QTest::keyRelease(f->w->lstword, Qt::Key_Return);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(f->w->fieldText(i), QString());
            QVERIFY(!f->w->txtfield[i]->isEnabled());
        }
        QVERIFY(!f->w->cmdchange[0]->isEnabled());
        QVERIFY(!f->w->cmdchange[1]->isEnabled());
        // The mark and the card stay as they were.
        QCOMPARE(f->w->txtflashword->text(), QStringLiteral("abbey"));
        QVERIFY(!f->w->txtflashmeaning->isHidden());

        // Another word makes the boxes editable again, but not the word box.
        QVERIFY(f->clickWord(QStringLiteral("abhor")));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(f->w->txtfield[i]->isEnabled());
        QVERIFY(!f->w->txtfield[0]->isEnabled());
        QCOMPARE(f->w->fieldText(0), QStringLiteral("abhor"));
    }

    void vanishedRowIsReportedAndNothingChanges_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("update") << 0;
        QTest::newRow("delete") << 1;
    }
    void vanishedRowIsReportedAndNothingChanges() {
        QFETCH(int, button);
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        // Another window renames the word meanwhile.
        f->db.exec(QStringLiteral("UPDATE listofwords SET word = 'abated' WHERE word = 'abate'"));
        f->typeInto(1, QString());
        f->harness.dialogs.queueAnswer(Answer::Yes);
        f->harness.dialogs.queueAnswer(Answer::Ok);
        QTest::mouseClick(f->w->cmdchange[button], Qt::LeftButton);

        QCOMPARE(f->harness.dialogs.calls().size(), 2);
        QVERIFY(f->harness.dialogs.texts().last().contains(QStringLiteral("'abate'")));
        QVERIFY(f->harness.dialogs.failures().isEmpty());
        const auto stored = f->db.row(QStringLiteral("abated"));
        QCOMPARE(stored->synonym, QStringLiteral("syn of abate"));
        QCOMPARE(stored->last_seen, kLongAgo);
        QCOMPARE(f->db.count(), 4);
        QCOMPARE(f->listed().size(), 4);
        QCOMPARE(f->w->fieldText(1), QString());
        QVERIFY(f->w->txtfield[0]->isEnabled());
    }

    void nothingSelectedIsReported() {
        QVERIFY(f->w->lstword->selectedRow() < 0);
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::keyClick(f->w->lstword, Qt::Key_F2);
        QCOMPARE(f->harness.dialogs.calls().size(), 2);
        QCOMPARE(f->harness.dialogs.texts().first(),
                 QStringLiteral("Are you sure  you want to Update the info on ''  ?"));
        QCOMPARE(f->db.count(), 4);
    }

    void duplicateWordIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("same case") << "abhor";
        QTest::newRow("other case") << "ABHOR";
    }
    void duplicateWordIsRefused() {
        QFETCH(QString, typed);
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        f->typeInto(0, typed);
        f->typeInto(1, QStringLiteral("changed"));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);

        QCOMPARE(f->harness.dialogs.calls().size(), 2);
        QVERIFY(f->harness.dialogs.texts().last().contains(QStringLiteral("already in the list")));
        QCOMPARE(f->db.row(QStringLiteral("abate"))->synonym, QStringLiteral("syn of abate"));
        QCOMPARE(f->db.row(QStringLiteral("abate"))->last_seen, kLongAgo);
        QCOMPARE(f->db.row(QStringLiteral("abhor"))->synonym, QStringLiteral("syn of abhor"));
        QCOMPARE(f->w->fieldText(0), typed);

        // The user corrects the word and saves.
        f->typeInto(0, QStringLiteral("abates"));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
        QCOMPARE(f->db.row(QStringLiteral("abates"))->synonym, QStringLiteral("changed"));
    }

    void emptyWordIsRefused() {
        QVERIFY(f->clickWord(QStringLiteral("abate")));
        f->typeInto(0, QString());
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
        QCOMPARE(f->harness.dialogs.calls().size(), 2);
        QVERIFY(f->db.row(QStringLiteral("abate")));
        QCOMPARE(f->db.count(), 4);
    }

    void wordWithAnApostropheIsUpdatedAndDeleted() {
        QVERIFY(f->clickWord(QStringLiteral("o'clock")));
        QCOMPARE(f->w->fieldText(1), QStringLiteral("syn of o'clock"));
        f->typeInto(1, QStringLiteral("by the clock"));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
        QCOMPARE(f->db.row(QStringLiteral("o'clock"))->synonym, QStringLiteral("by the clock"));

        f->harness.dialogs.queueAnswer(Answer::Yes);
        f->harness.dialogs.queueAnswer(Answer::Ok);
        QTest::mouseClick(f->w->cmdchange[1], Qt::LeftButton);
        QVERIFY(!f->db.row(QStringLiteral("o'clock")));
    }

private:
    std::unique_ptr<SearchFixture> f;
};

QTEST_MAIN(TestChange)
#include "test_change.moc"
