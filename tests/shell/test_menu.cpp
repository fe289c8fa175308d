#include "shell/frmsplash.h"
#include "shell/lumora_menu.h"
#include "shell/windowregistry.h"
#include "support/countingform.h"
#include "support/shellharness.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

using shell::registry;
using shell::WindowKind;
using testsupport::FormLog;

Q_DECLARE_METATYPE(shell::WindowKind)

class TestMenu : public QObject {
    Q_OBJECT

private slots:
    void init() {
        harness = std::make_unique<testsupport::ShellHarness>();
        for (FormLog& log : logs)
            log = FormLog{};
        registry().registerKind(WindowKind::Menu, [] { return new shell::lumora_menu; });
        registry().registerKind(WindowKind::Splash, [] { return new shell::frmSplash; });
        registry().show(WindowKind::Menu);
        menu = registry().windowAs<shell::lumora_menu>(WindowKind::Menu);
        QVERIFY(menu);
    }
    void cleanup() {
        harness.reset();
        for (WindowKind kind : {WindowKind::WordAdder, WindowKind::Search, WindowKind::Test})
            registry().registerKind(kind, {});
    }

    void opensMaximizedWithItsCaptions() {
        QVERIFY(menu->isMaximized());
        QCOMPARE(menu->windowTitle(), QStringLiteral("menu"));
        QCOMPARE(control<QRadioButton>("opselect(0)")->text(),
                 QStringLiteral("ADD WORDS TO THE LIST"));
        QCOMPARE(control<QRadioButton>("opselect(1)")->text(),
                 QStringLiteral("SEARCH FOR WORDS IN  THE LIST"));
        QCOMPARE(control<QRadioButton>("opselect(2)")->text(),
                 QStringLiteral("TEST : MATCH THE LIST"));
        QCOMPARE(control<QPushButton>("cbenter")->text(), QStringLiteral("E&nter"));
        QCOMPARE(control<QPushButton>("cbexit")->text(), QStringLiteral("E&xit"));
        QCOMPARE(control<QPushButton>("cmdreset")->text(), QStringLiteral("Re&set"));
        QCOMPARE(control<QLabel>("Label1")->text(),
                 QStringLiteral("Click here to get additional info"));
        QCOMPARE(menu->palette().color(QPalette::Window), QColor(255, 224, 192));
    }

    void optionsFormOneGroupWithTheFirstSelected() {
        QVERIFY(menu->opselect[0]->isChecked());
        QVERIFY(!menu->opselect[1]->isChecked());
        QTest::mouseClick(menu->opselect[2], Qt::LeftButton);
        QVERIFY(menu->opselect[2]->isChecked());
        QVERIFY(!menu->opselect[0]->isChecked());
        QVERIFY(!menu->opselect[1]->isChecked());
    }

    void layoutAndLook() {
        const auto* opt0 = menu->opselect[0];
        QVERIFY(opt0->font().bold());
        QCOMPARE(opt0->font().pointSizeF(), 8.25);
        QCOMPARE(opt0->palette().color(QPalette::WindowText), QColor(255, 0, 255));
        QCOMPARE(opt0->palette().color(opt0->backgroundRole()),
                 QColor(64, 64, 0)); // what it fills with
        // Options stacked in index order, buttons in one row below them.
        QVERIFY(menu->opselect[0]->y() < menu->opselect[1]->y());
        QVERIFY(menu->opselect[1]->y() < menu->opselect[2]->y());
        QCOMPARE(menu->cbenter->y(), menu->cbexit->y());
        QCOMPARE(menu->cbexit->y(), menu->cmdreset->y());
        QVERIFY(menu->cbenter->x() < menu->cbexit->x());
        QVERIFY(menu->cbexit->x() < menu->cmdreset->x());
        QVERIFY(menu->cbenter->y() > menu->opselect[2]->y());
        // The label runs across the top.
        QCOMPARE(menu->Label1->y(), 0);
        QCOMPARE(menu->Label1->width(), menu->width());
        QVERIFY(menu->Label1->font().italic());
        QVERIFY(menu->Label1->font().bold());
        QCOMPARE(menu->Label1->font().pointSizeF(), 9.75);
        QCOMPARE(menu->Label1->palette().color(QPalette::Window), QColor(0, 0, 0));
        QCOMPARE(menu->Label1->palette().color(QPalette::WindowText), QColor(255, 0, 255));
    }

    void tabOrder() {
        QCOMPARE(menu->opselect[0]->nextInFocusChain(), menu->opselect[1]);
        QCOMPARE(menu->opselect[1]->nextInFocusChain(), menu->opselect[2]);
        QCOMPARE(menu->opselect[2]->nextInFocusChain(), menu->cbenter);
        QCOMPARE(menu->cbenter->nextInFocusChain(), menu->cbexit);
        QCOMPARE(menu->cbexit->nextInFocusChain(), menu->cmdreset);
    }

    void resetIsDisabled() {
        QVERIFY(!menu->cmdreset->isEnabled());
        QTest::mouseClick(menu->cmdreset, Qt::LeftButton);
        QVERIFY(harness->dialogs.calls().isEmpty());
    }

    void enterOpensTheSelectedActivity_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<WindowKind>("kind");
        QTest::newRow("add words") << 0 << WindowKind::WordAdder;
        QTest::newRow("search") << 1 << WindowKind::Search;
        QTest::newRow("test") << 2 << WindowKind::Test;
    }
    void enterOpensTheSelectedActivity() {
        QFETCH(int, option);
        QFETCH(WindowKind, kind);
        testsupport::registerCountingForm(WindowKind::WordAdder, &logs[0]);
        testsupport::registerCountingForm(WindowKind::Search, &logs[1]);
        testsupport::registerCountingForm(WindowKind::Test, &logs[2]);

        menu->opselect[option]->setChecked(true);
        QTest::mouseClick(menu->cbenter, Qt::LeftButton);
        QVERIFY(registry().isLoaded(kind));
        QVERIFY(registry().window(kind)->isVisible());
        QVERIFY(!registry().isModal(kind));
        QVERIFY(harness->modalShows.isEmpty());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(logs[i].loads, i == option ? 1 : 0);

        // Enter again brings the open window forward without loading it again.
        shell::Form* opened = registry().window(kind);
        QTest::mouseClick(menu->cbenter, Qt::LeftButton);
        QCOMPARE(registry().window(kind), opened);
        QCOMPARE(logs[option].loads, 1);
        QCOMPARE(logs[option].created, 1);
        QVERIFY(menu->isVisible());
    }

    void enterOnAnActivityWithoutWindowOpensNothing() {
        menu->opselect[1]->setChecked(true);
        QTest::mouseClick(menu->cbenter, Qt::LeftButton);
        QVERIFY(!registry().isLoaded(WindowKind::Search));
        QVERIFY(harness->dialogs.calls().isEmpty());
    }

    void exitAnsweredNoChangesNothing() {
        FormLog& test = logs[2];
        testsupport::registerCountingForm(WindowKind::Test, &test);
        registry().show(WindowKind::Test);
        harness->dialogs.queueAnswer(shell::Answer::No);
        QTest::mouseClick(menu->cbexit, Qt::LeftButton);

        QCOMPARE(harness->dialogs.calls().size(), 1);
        const auto& call = harness->dialogs.calls().first();
        QCOMPARE(call.text, QStringLiteral("Are you sure you want to quit this application?"));
        QCOMPARE(call.buttons, shell::Buttons::YesNo);
        QCOMPARE(call.title, QStringLiteral("GRE Wordlist"));
        QVERIFY(harness->quitCodes.isEmpty());
        QVERIFY(menu->isVisible());
        QVERIFY(registry().window(WindowKind::Test)->isVisible());
        QCOMPARE(test.unloads, 0);
    }

    void exitAnsweredYesEndsWithoutUnloadHandlers() {
        FormLog& test = logs[2];
        testsupport::registerCountingForm(WindowKind::Test, &test);
        registry().show(WindowKind::Test);
        harness->dialogs.queueAnswer(shell::Answer::Yes);
        QTest::mouseClick(menu->cbexit, Qt::LeftButton);

        QVERIFY(harness->dialogs.failures().isEmpty());
        QCOMPARE(harness->quitCodes, QList<int>{0});
        QCOMPARE(test.unloads, 0);
        QVERIFY(!registry().isLoaded(WindowKind::Test));
        QVERIFY(!registry().isLoaded(WindowKind::Menu));
    }

    void exitByAccessKey() {
        QVERIFY(QTest::qWaitForWindowActive(menu));
        harness->dialogs.queueAnswer(shell::Answer::No);
        QTest::keyClick(menu->windowHandle(), Qt::Key_X, Qt::AltModifier);
        // An access key presses the button visibly first, then clicks it.
        QTRY_COMPARE(
            harness->dialogs.texts(),
            QStringList{QStringLiteral("Are you sure you want to quit this application?")});
    }

    void labelOpensTheAboutWindowNotModal() {
        QTest::mouseClick(menu->Label1, Qt::LeftButton);
        QVERIFY(registry().isLoaded(WindowKind::Splash));
        QVERIFY(registry().window(WindowKind::Splash)->isVisible());
        QVERIFY(!registry().isModal(WindowKind::Splash));
        QVERIFY(harness->modalShows.isEmpty());
        QVERIFY(menu->isVisible());
    }

    void closingTheMenuUnloadsOnlyIt() {
        FormLog& test = logs[2];
        testsupport::registerCountingForm(WindowKind::Test, &test);
        registry().show(WindowKind::Test);
        menu->close();
        QVERIFY(!registry().isLoaded(WindowKind::Menu));
        QVERIFY(registry().isLoaded(WindowKind::Test));
        QVERIFY(harness->quitCodes.isEmpty());
    }

private:
    template <class T> T* control(const char* name) {
        auto* found = menu->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    // Declared before the harness: the windows outlive a test function, not the fixture.
    FormLog logs[3];
    std::unique_ptr<testsupport::ShellHarness> harness;
    shell::lumora_menu* menu = nullptr;
};

QTEST_MAIN(TestMenu)
#include "test_menu.moc"
