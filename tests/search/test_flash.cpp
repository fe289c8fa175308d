// The flash card, the menu that shows it and the right-click pop-up menu.
#include "searchfixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWindow>

using shell::WindowKind;

class TestFlash : public QObject {
    Q_OBJECT

private slots:
    void init() {
        f = std::make_unique<SearchFixture>();
        f->db.insert(QStringLiteral("abate"), QStringLiteral("lessen"));
        f->db.insert(QStringLiteral("abbey"), QStringLiteral("monastery"));
        f->open();
        f->w->setPopupRunner([this](QMenu* menu, const QPoint&) { popups << menu; });
        popups.clear();
        f->confirm(QStringLiteral("word"));
        f->filterBy(QStringLiteral("ab"));
    }
    void cleanup() { f.reset(); }

    void menusAndCard() {
        auto* w = f->w;
        QVERIFY(w->frameflash->isHidden());
        QCOMPARE(w->frameflash->title(), QStringLiteral("Flash cards"));
        QCOMPARE(w->mnufile->title(), QStringLiteral("&File"));
        QCOMPARE(w->mnuflashcard->text(), QStringLiteral("Flash card mode"));
        QCOMPARE(w->mnuflashcard->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
        QCOMPARE(w->mypopupmenu->title(), QStringLiteral("popupmenu"));
        QCOMPARE(w->mnuclose->text(), QStringLiteral("Close"));
        QCOMPARE(w->cmdflashhide->text(), QStringLiteral("&Hide"));
        QVERIFY(w->menuBar->actions().contains(w->mnufile->menuAction()));
        QVERIFY(!w->menuBar->actions().contains(w->mypopupmenu->menuAction()));
        QCOMPARE(w->txtflashword->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(w->txtflashmeaning->focusPolicy(), Qt::ClickFocus);
    }

    void walkingTheListAsFlashCards() {
        auto* w = f->w;
        w->mnuflashcard->trigger();
        QVERIFY(!w->frameflash->isHidden());
        w->mnuflashcard->trigger(); // again: no change
        QVERIFY(!w->frameflash->isHidden());

        QVERIFY(f->clickWord(QStringLiteral("abate")));
        QCOMPARE(w->txtflashword->text(), QStringLiteral("abate"));
        QVERIFY(!w->txtflashmeaning->isVisible());
        QTest::keyClick(w->lstword, Qt::Key_Return);
        QVERIFY(w->txtflashmeaning->isVisible());
        QCOMPARE(w->txtflashmeaning->toPlainText(), QStringLiteral("lessen"));
        QTest::keyClick(w->lstword, Qt::Key_Down);
        QCOMPARE(w->txtflashword->text(), QStringLiteral("abbey"));
        QVERIFY(!w->txtflashmeaning->isVisible());

        QTest::mouseClick(w->cmdflashhide, Qt::LeftButton);
        QVERIFY(w->frameflash->isHidden());
        QVERIFY(w->txtfield[0]->isVisible());
        QCOMPARE(w->fieldText(0), QStringLiteral("abbey"));
    }

    void enterBeforeTheCardIsShown() {
        QVERIFY(f->clickWord(QStringLiteral("abbey")));
        QTest::keyClick(f->w->lstword, Qt::Key_Return);
        f->w->mnuflashcard_Click();
        QVERIFY(f->w->txtflashmeaning->isVisible());
        QCOMPARE(f->w->txtflashmeaning->toPlainText(), QStringLiteral("monastery"));
    }

    void emptyListKeepsTheLastCard() {
        QVERIFY(f->clickWord(QStringLiteral("abbey")));
        f->filterBy(QStringLiteral("zz"));
        QCOMPARE(f->w->lstword->count(), 0);
        QCOMPARE(f->w->txtflashword->text(), QStringLiteral("abbey"));
    }

    void shortcutShowsTheCardFromTheList() {
        f->w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->w));
        f->w->lstword->setFocus();
        QTest::keyClick(f->w->lstword, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(!f->w->frameflash->isHidden());
    }

    // Right clicks go to the window, which passes them to the widget under the mouse.
    void rightClickOpensThePopupOnBareParts_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("popups");
        QTest::newRow("bare window") << "designArea" << 1;
        QTest::newRow("bare search frame") << "Frame1" << 1;
        QTest::newRow("list") << "lstword" << 0;
        QTest::newRow("details box") << "txtfield(1)" << 0;
        QTest::newRow("label on the window") << "Label7" << 0;
        QTest::newRow("label in the frame") << "Label6" << 0;
        QTest::newRow("button") << "cmdok" << 0;
        QTest::newRow("check box") << "chkdifficult" << 0;
    }
    void rightClickOpensThePopupOnBareParts() {
        QFETCH(QString, target);
        QFETCH(int, popups);
        auto* w = f->w;
        auto* widget = w->findChild<QWidget*>(target);
        QVERIFY(widget);
        QPoint local = widget->rect().center();
        if (target == QLatin1String("designArea"))
            local = QPoint(widget->width() - 10, widget->height() - 10);
        else if (target == QLatin1String("Frame1"))
            local = QPoint(20, widget->height() - 20);
        const QPoint inWindow = widget->mapTo(w, local);
        QWidget* under = w->childAt(inWindow);
        QVERIFY(under == widget || widget->isAncestorOf(under));
        // The text boxes' own edit menus would wait for the user here.
        under->setContextMenuPolicy(Qt::NoContextMenu);
        widget->setContextMenuPolicy(Qt::NoContextMenu);

        QTest::mouseClick(w->windowHandle(), Qt::RightButton, {}, inWindow);
        QCOMPARE(int(this->popups.size()), popups);
        if (popups)
            QCOMPARE(this->popups.first(), w->mypopupmenu);

        // A left click does nothing, anywhere.
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, inWindow);
        QCOMPARE(int(this->popups.size()), popups);
    }

    void closeHidesAndUnloads() {
        f->w->mnuflashcard_Click();
        f->w->setPopupRunner([](QMenu*, const QPoint&) {});
        f->w->Form_MouseDown(2);
        f->w->mnuclose->trigger();
        QVERIFY(!shell::registry().isLoaded(WindowKind::Search));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        f->open();
        QVERIFY(f->w->frameflash->isHidden());
        QVERIFY(f->w->isVisible());
    }

private:
    std::unique_ptr<SearchFixture> f;
    QList<QMenu*> popups;
};

QTEST_MAIN(TestFlash)
#include "test_flash.moc"
