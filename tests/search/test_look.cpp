// The search window as it first appears: captions, tool tips, colours, places and states.
#include "searchfixture.h"
#include "shell/twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

class TestLook : public QObject {
    Q_OBJECT

private slots:
    void init() {
        f = std::make_unique<SearchFixture>();
        f->open();
    }
    void cleanup() { f.reset(); }

    void captions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Frame1") << "Frame1"
                                << "Search for the word" << true << true;
        QTest::newRow("lblsearchby") << "lblsearchby"
                                     << "Search by:" << true << true;
        QTest::newRow("cmdok") << "cmdok"
                               << "O&k" << true << true;
        QTest::newRow("Label4") << "Label4"
                                << "Choose a date and click   on any of the pink boxes below"
                                << false << true;
        QTest::newRow("Label2") << "Label2"
                                << "Search for words entered between " << false << true;
        QTest::newRow("Label3") << "Label3"
                                << "&" << false << true;
        QTest::newRow("cmdgo") << "cmdgo"
                               << "&Go" << false << false;
        QTest::newRow("Label5") << "Label5"
                                << "" << false << true;
        QTest::newRow("Label6") << "Label6"
                                << "Double click on the word or scroll down to get the details "
                                   "of the words you want"
                                << true << true;
        QTest::newRow("Label1") << "Label1"
                                << "Info on  the word" << true << true;
        QTest::newRow("Label7") << "Label7"
                                << "To get info on any word or a group of  alphabets, just drag "
                                   "the mouse over it, and highlight it."
                                << true << true;
        const char* labels[] = {"word :",   "meaning :",        "usage :",      "part of speech :",
                                "notes : ", "word id number :", "Used before?:"};
        for (int i = 0; i < 7; ++i) {
            const QString name = QStringLiteral("lblfield(%1)").arg(i);
            QTest::newRow(qPrintable(name)) << name << labels[i] << true << true;
        }
        QTest::newRow("chkdifficult") << "chkdifficult"
                                      << "Difficult ? " << true << true;
        QTest::newRow("Update") << "cmdchange(0)"
                                << "&Update" << true << false;
        QTest::newRow("Delete") << "cmdchange(1)"
                                << "&Delete" << true << false;
        QTest::newRow("frameflash") << "frameflash"
                                    << "Flash cards" << false << true;
    }
    void captions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, shown);
        QFETCH(bool, enabled);
        auto* widget = f->w->findChild<QWidget*>(name);
        QVERIFY(widget);
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* frame = qobject_cast<QGroupBox*>(widget))
            text = frame->title();
        QCOMPARE(text, caption);
        QCOMPARE(!widget->isHidden(), shown);
        QCOMPARE(widget->isEnabled(), enabled);
    }

    void detailBoxes() {
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(f->w->txtfield[i]->objectName(), QStringLiteral("txtfield(%1)").arg(i));
            QCOMPARE(f->w->txtfield[i]->isEnabled(), i != 5 && i != 6);
            const bool severalLines = i == 1 || i == 2 || i == 4;
            QCOMPARE(f->textBox(i) != nullptr, severalLines);
            if (severalLines)
                QCOMPARE(f->textBox(i)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }
    }

    void tipsColoursAndFonts() {
        auto* w = f->w;
        QCOMPARE(w->lblsearchby->toolTip(),
                 QStringLiteral("You can search for the word by any of the available categories"));
        QCOMPARE(w->Combo1->toolTip(),
                 QStringLiteral("Select one of the available categories to search for the word"));
        QVERIFY(w->Combo1->isEditable());
        QCOMPARE(w->palette().color(QPalette::Window), QColor(0, 0, 0));
        QCOMPARE(w->Frame1->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x00));
        QCOMPARE(w->Frame1->font().pointSizeF(), 18.0);
        QCOMPARE(w->txtdate[0]->palette().color(QPalette::Base), QColor(0xFF, 0x80, 0xFF));
        QCOMPARE(w->txtdate[1]->palette().color(QPalette::Base), QColor(0xFF, 0x80, 0xFF));
        QCOMPARE(w->lstword->palette().color(QPalette::Text), QColor(0x00, 0x00, 0x80));
        QCOMPARE(w->Label4->palette().color(QPalette::WindowText), QColor(0xC0, 0x00, 0x00));
        QCOMPARE(w->Label1->palette().color(QPalette::WindowText), QColor(0x00, 0xFF, 0x00));
        QCOMPARE(w->Label7->palette().color(QPalette::WindowText), QColor(0xFF, 0x80, 0x00));
        QCOMPARE(w->lblfield[3]->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0x00));
        QVERIFY(w->lblfield[3]->alignment() & Qt::AlignRight);
        QCOMPARE(w->chkdifficult->palette().color(QPalette::Window), QColor(0, 0, 0));
        QCOMPARE(w->frameflash->palette().color(QPalette::Window), QColor(255, 255, 255));
        QCOMPARE(w->txtflashword->palette().color(QPalette::Text), QColor(0x00, 0x00, 0xC0));
        QCOMPARE(w->txtflashmeaning->palette().color(QPalette::Text), QColor(0x80, 0x00, 0x80));
        QCOMPARE(w->txtflashword->font().pointSizeF(), 24.0);
        QVERIFY(w->lstword->font().bold());
        QVERIFY(!w->cmdok->font().bold());
    }

    void placesFollowTheDesign() {
        auto* w = f->w;
        QCOMPARE(w->Frame1->geometry(), shell::twipsRect(0, 0, 5175, 8655));
        QCOMPARE(w->lstword->geometry(), shell::twipsRect(2760, 4320, 1695, 1815));
        QCOMPARE(w->txtfield[1]->geometry(), shell::twipsRect(6840, 1800, 4695, 2055));
        QCOMPARE(w->frameflash->geometry(), shell::twipsRect(5160, 0, 6735, 7335));
        QCOMPARE(w->cmdflashhide->geometry(), shell::twipsRect(480, 6240, 1695, 495));
        // Every control lies inside its parent, and the design area below the menu bar.
        const auto widgets = w->Frame1->parentWidget()->findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            if (widget->objectName().isEmpty() || widget->isWindow() ||
                widget->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()),
                     qPrintable(widget->objectName()));
        }
        QVERIFY(w->menuBar->geometry().bottom() < w->Frame1->mapTo(w, QPoint(0, 0)).y());
    }

    void tabOrder() {
        auto* w = f->w;
        QWidget* afterCombo = w->Combo1->nextInFocusChain();
        while (w->Combo1->isAncestorOf(afterCombo))
            afterCombo = afterCombo->nextInFocusChain();
        QCOMPARE(afterCombo, static_cast<QWidget*>(w->cmdok));
        QCOMPARE(w->cmdok->nextInFocusChain(), static_cast<QWidget*>(w->txtlike));
        QCOMPARE(w->txtlike->nextInFocusChain(), static_cast<QWidget*>(w->lstword));
    }

private:
    std::unique_ptr<SearchFixture> f;
};

QTEST_MAIN(TestLook)
#include "test_look.moc"
