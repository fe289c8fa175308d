// The bound data control of the word entry window: moves, caption, leaving a row, errors.
#include "entry/datacontrol.h"
#include "entrytestutil.h"

#include <QLineEdit>
#include <QPlainTextEdit>

using shell::registry;
using shell::WindowKind;

namespace {

QString wordShown(word_adder* w) {
    return qobject_cast<QLineEdit*>(w->txtFields[0])->text();
}

QString synonymShown(word_adder* w) {
    return qobject_cast<QPlainTextEdit*>(w->txtFields[1])->toPlainText();
}

} // namespace

class TestDataControl : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fx.setUp();
        // Inserted out of order: the control lists them by word, ignoring letter case.
        for (const char* word : {"cherry", "Apple", "banana"})
            fx.db->insert(QString::fromLatin1(word), QStringLiteral("syn of %1").arg(word));
    }
    void cleanup() {
        const QStringList failures = fx.harness->dialogs.failures();
        fx.tearDown();
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

    void captionFollowsEveryMove_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("word");
        QTest::newRow("no move yet") << QStringList{} << " "
                                     << "";
        QTest::newRow("first") << QStringList{"cmdFirst"} << "Record: 1"
                               << "Apple";
        QTest::newRow("last") << QStringList{"cmdLast"} << "Record: 3"
                              << "cherry";
        QTest::newRow("next twice") << QStringList{"cmdFirst", "cmdNext", "cmdNext"} << "Record: 3"
                                    << "cherry";
        QTest::newRow("past the last stays")
            << QStringList{"cmdLast", "cmdNext", "cmdNext"} << "Record: 3"
            << "cherry";
        QTest::newRow("before the first stays")
            << QStringList{"cmdFirst", "cmdPrevious", "cmdPrevious"} << "Record: 1"
            << "Apple";
        QTest::newRow("previous from the new row") << QStringList{"cmdPrevious"} << "Record: 3"
                                                   << "cherry";
        QTest::newRow("next from the new row") << QStringList{"cmdNext"} << "Record: 3"
                                               << "cherry";
        QTest::newRow("last then previous") << QStringList{"cmdLast", "cmdPrevious"} << "Record: 2"
                                            << "banana";
    }
    void captionFollowsEveryMove() {
        QFETCH(QStringList, clicks);
        word_adder* w = fx.open();
        for (const QString& name : clicks)
            click(w, qPrintable(name));
        QTEST(dataCaption(w), "caption");
        QTEST(wordShown(w), "word");
        QVERIFY(fx.harness->dialogs.calls().isEmpty());
        // An untouched new row left with the buttons is dropped, never written.
        QCOMPARE(fx.db->count(), 3);
    }

    void leavingAnEditedRowWritesIt() {
        word_adder* w = fx.open();
        click(w, "cmdFirst");
        QCOMPARE(synonymShown(w), QStringLiteral("syn of Apple"));
        qobject_cast<QPlainTextEdit*>(w->txtFields[1])->clear();
        QTest::keyClicks(w->txtFields[1], "a fruit");
        click(w, "cmdNext");
        QCOMPARE(dataCaption(w), QStringLiteral("Record: 2"));
        const auto apple = fx.db->row(QStringLiteral("Apple"));
        QCOMPARE(apple->synonym, QStringLiteral("a fruit"));
        // Only the changed field was written.
        QCOMPARE(apple->entrydate, QDate());
        click(w, "cmdPrevious");
        QCOMPARE(synonymShown(w), QStringLiteral("a fruit"));
    }

    void leavingATypedNewRowIsRefusedWithTheErrorEvent() {
        word_adder* w = fx.open();
        QTest::keyClicks(w->txtFields[1], "meaning without a word");
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        click(w, "cmdNext");
        const QStringList texts = fx.harness->dialogs.texts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.first().startsWith(QStringLiteral("Data error event hit err:")) &&
                     texts.first().size() > 25,
                 qPrintable(texts.first()));
        QVERIFY(fx.harness->dialogs.calls().first().title.isEmpty());
        // Nothing written, the row and its text stay, the caption is unchanged.
        QCOMPARE(fx.db->count(), 3);
        QCOMPARE(synonymShown(w), QStringLiteral("meaning without a word"));
        QCOMPARE(dataCaption(w), QStringLiteral(" "));
        // Update still saves it with the typed word.
        QTest::keyClicks(w->Text3, "date");
        click(w, "cmdUpdate");
        QCOMPARE(fx.harness->dialogs.texts().size(), 1);
        QCOMPARE(fx.db->row("date")->synonym, QStringLiteral("meaning without a word"));
    }

    void updateAfterASaveWritesTheSameRow() {
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "date");
        click(w, "cmdUpdate");
        QTest::keyClicks(w->txtFields[3], "a usage");
        click(w, "cmdUpdate");
        QVERIFY(fx.harness->dialogs.calls().isEmpty());
        QCOMPARE(fx.db->count(), 4);
        QCOMPARE(fx.db->row("date")->usage, QStringLiteral("a usage"));
    }

    void emptyListHasNoRowToMoveTo() {
        fx.db->exec(QStringLiteral("DELETE FROM listofwords"));
        word_adder* w = fx.open();
        click(w, "cmdLast");
        QCOMPARE(dataCaption(w), QStringLiteral(" "));
        QVERIFY(fx.harness->dialogs.calls().isEmpty());
        // Update without a current row is refused with the store's description.
        fx.harness->dialogs.queueAnswer(shell::Answer::Ok);
        QTest::keyClicks(w->Text3, "zeal");
        click(w, "cmdUpdate");
        QCOMPARE(fx.harness->dialogs.calls().size(), 1);
        QVERIFY(fx.harness->dialogs.texts().first() != word_adder::duplicateMessage());
        QCOMPARE(fx.db->count(), 0);
    }

private:
    EntryFixture fx;
};

QTEST_MAIN(TestDataControl)
#include "test_datacontrol.moc"
