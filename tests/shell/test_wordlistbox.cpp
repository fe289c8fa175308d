// The windows' word list: Click semantics, quiet refills, and the keys and buttons of a
// platform list box.
#include "shell/wordlistbox.h"

#include <QSignalSpy>
#include <QTest>

class TestWordListBox : public QObject {
    Q_OBJECT

    shell::WordListBox* list = nullptr;
    std::unique_ptr<QWidget> window;

    QPoint rowCentre(int row) const {
        return list->visualRect(list->model()->index(row, 0)).center();
    }

private slots:
    void init() {
        window = std::make_unique<QWidget>();
        list = new shell::WordListBox(window.get());
        list->resize(200, 200);
        list->setWords({"abate", "abeyance", "abjure"});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void refillSelectsNothingAndRaisesNoClick() {
        QSignalSpy clicks(list, &shell::WordListBox::click);
        list->setCurrentRow(1);
        QCOMPARE(clicks.count(), 1);
        list->setWords({"zeal", "zenith"});
        QCOMPARE(list->selectedRow(), -1);
        QCOMPARE(list->words(), (QStringList{"zeal", "zenith"}));
        list->removeRow(0);
        QCOMPARE(clicks.count(), 1);
    }

    void mouseClickRaisesOneClickOnReleaseEvenOnTheSelectedRow() {
        QSignalSpy clicks(list, &shell::WordListBox::click);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(list->selectedText(), QString("abjure"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
        QCOMPARE(clicks.count(), 2);
    }

    void rightClickNeitherSelectsNorClicks() {
        QSignalSpy clicks(list, &shell::WordListBox::click);
        list->setCurrentRow(0);
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(2));
        QCOMPARE(list->selectedRow(), 0);
        QCOMPARE(clicks.count(), 1);
    }

    void firstArrowSelectsTheFirstEntry() {
        QSignalSpy clicks(list, &shell::WordListBox::click);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectedText(), QString("abate"));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectedText(), QString("abeyance"));
        QCOMPARE(clicks.count(), 2);
    }

    void listIsNotEditable() {
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_F2);
        QTest::keyClicks(list, "x");
        QCOMPARE(list->text(0), QString("abate"));
    }
};

QTEST_MAIN(TestWordListBox)
#include "test_wordlistbox.moc"
