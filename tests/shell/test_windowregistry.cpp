#include "shell/dialogs.h"
#include "shell/windowregistry.h"
#include "support/countingform.h"
#include "support/shellharness.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

using shell::registry;
using shell::WindowKind;
using testsupport::CountingForm;
using testsupport::FormLog;

namespace {

void flushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestWindowRegistry : public QObject {
    Q_OBJECT

private slots:
    void init() {
        harness = std::make_unique<testsupport::ShellHarness>();
        log = FormLog{};
        other = FormLog{};
        testsupport::registerCountingForm(WindowKind::Search, &log);
    }
    void cleanup() {
        harness.reset();
        registry().registerKind(WindowKind::Search, {});
        registry().registerKind(WindowKind::Splash, {});
    }

    void loadCreatesOnceAndRunsFormLoadOnce() {
        shell::Form* first = registry().load(WindowKind::Search);
        QVERIFY(first);
        shell::Form* again = registry().load(WindowKind::Search);
        QCOMPARE(again, first);
        QCOMPARE(log.created, 1);
        QCOMPARE(log.loads, 1);
        QVERIFY(registry().isLoaded(WindowKind::Search));
        QVERIFY(!first->isVisible()); // loading alone does not show
    }

    void unknownKindLoadsNothing() {
        QVERIFY(!registry().isRegistered(WindowKind::Test));
        QVERIFY(!registry().load(WindowKind::Test));
        registry().show(WindowKind::Test);
        QVERIFY(!registry().isLoaded(WindowKind::Test));
    }

    void showLoadsAndOpensMaximizedOrNot() {
        FormLog& small = other;
        testsupport::registerCountingForm(WindowKind::Splash, &small, false);
        registry().show(WindowKind::Search);
        registry().show(WindowKind::Splash);
        QVERIFY(registry().window(WindowKind::Search)->isVisible());
        QVERIFY(registry().window(WindowKind::Search)->isMaximized());
        QVERIFY(registry().window(WindowKind::Splash)->isVisible());
        QVERIFY(!registry().window(WindowKind::Splash)->isMaximized());
        QVERIFY(!registry().isModal(WindowKind::Search));
        QCOMPARE(log.loads, 1);
        QCOMPARE(small.loads, 1);
    }

    void showingAnOpenWindowAgainKeepsIt() {
        registry().show(WindowKind::Search);
        shell::Form* form = registry().window(WindowKind::Search);
        form->showMinimized();
        registry().show(WindowKind::Search);
        QCOMPARE(registry().window(WindowKind::Search), form);
        QCOMPARE(log.loads, 1);
        QVERIFY(!form->isMinimized());
    }

    void unloadRunsFormUnloadAndNextLoadStartsAfresh() {
        registry().show(WindowKind::Search);
        QPointer<shell::Form> first = registry().window(WindowKind::Search);
        registry().unload(WindowKind::Search);
        QCOMPARE(log.unloads, 1);
        QVERIFY(!registry().isLoaded(WindowKind::Search));
        QVERIFY(!first || !first->isVisible());
        flushDeletions();
        QVERIFY(first.isNull());
        QCOMPARE(log.destroyed, 1);

        registry().load(WindowKind::Search);
        QCOMPARE(log.created, 2);
        QCOMPARE(log.loads, 2);
        registry().unload(WindowKind::Search);
        registry().unload(WindowKind::Search); // not loaded any more: nothing happens
        QCOMPARE(log.unloads, 2);
    }

    void closeBoxUnloads() {
        registry().show(WindowKind::Search);
        QVERIFY(registry().window(WindowKind::Search)->close());
        QCOMPARE(log.unloads, 1);
        QVERIFY(!registry().isLoaded(WindowKind::Search));
    }

    void windowMayUnloadItselfFromItsOwnHandler() {
        registry().show(WindowKind::Search);
        auto* form = registry().window(WindowKind::Search);
        auto* button = new QPushButton(QStringLiteral("Close"), form);
        QObject::connect(button, &QPushButton::clicked, form,
                         [] { registry().unload(WindowKind::Search); });
        QPointer<QPushButton> guard(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(log.unloads, 1);
        QVERIFY(!registry().isLoaded(WindowKind::Search));
        flushDeletions();
        QVERIFY(guard.isNull());
    }

    void unloadCalledAgainFromFormUnloadRunsItOnce() {
        log.onUnload = [](CountingForm*) { registry().unload(WindowKind::Search); };
        registry().show(WindowKind::Search);
        registry().unload(WindowKind::Search);
        QCOMPARE(log.unloads, 1);
        QVERIFY(!registry().isLoaded(WindowKind::Search));
    }

    void modalShowWaitsForTheRunner() {
        bool modalInside = false;
        bool visibleInside = false;
        harness->onModal = [&](shell::Form* form) {
            modalInside = registry().isModal(WindowKind::Search);
            visibleInside = form->isVisible();
            QCOMPARE(form->windowModality(), Qt::ApplicationModal);
        };
        registry().show(WindowKind::Search, true);
        QVERIFY(modalInside);
        QVERIFY(visibleInside);
        QCOMPARE(harness->modalShows, QList<WindowKind>{WindowKind::Search});
        // The harness ends the wait with the close box, as a user would.
        QCOMPARE(log.unloads, 1);
        QVERIFY(!registry().isModal(WindowKind::Search));
    }

    void modalShowRunsALocalLoopUntilUnloaded() {
        registry().setModalRunner({});
        bool unloadedInsideLoop = false;
        QTimer::singleShot(0, [&] {
            unloadedInsideLoop = registry().isModal(WindowKind::Search);
            registry().unload(WindowKind::Search);
        });
        registry().show(WindowKind::Search, true);
        QVERIFY(unloadedInsideLoop);
        QVERIFY(!registry().isLoaded(WindowKind::Search));
        QCOMPARE(log.unloads, 1);
    }

    void modalLoopEndsWhenClosedByTheUser() {
        registry().setModalRunner({});
        QTimer::singleShot(0, [] { registry().window(WindowKind::Search)->close(); });
        registry().show(WindowKind::Search, true);
        QCOMPARE(log.unloads, 1);
    }

    void windowReopeningItselfFromItsModalWaitIsModalAgain() {
        QList<bool> modal;
        harness->onModal = [&](shell::Form*) {
            modal.append(registry().isModal(WindowKind::Search));
            if (log.loads == 1) {
                registry().unload(WindowKind::Search);
                registry().show(WindowKind::Search, true);
            }
        };
        registry().show(WindowKind::Search, true);
        QCOMPARE(harness->modalShows.size(), 2);
        QCOMPARE(modal, (QList<bool>{true, true}));
        QCOMPARE(log.loads, 2);
        QCOMPARE(log.unloads, 2);
    }

    void endProgramRunsNoUnloadHandler() {
        testsupport::registerCountingForm(WindowKind::Splash, &other, false);
        registry().show(WindowKind::Search);
        registry().show(WindowKind::Splash);
        QPointer<shell::Form> search = registry().window(WindowKind::Search);

        registry().endProgram(3);
        QCOMPARE(harness->quitCodes, QList<int>{3});
        QCOMPARE(log.unloads, 0);
        QCOMPARE(other.unloads, 0);
        QVERIFY(!registry().isLoaded(WindowKind::Search));
        QVERIFY(!registry().isLoaded(WindowKind::Splash));
        QVERIFY(!search || !search->isVisible());
        // Nothing opens any more once the program is ending.
        QVERIFY(!registry().load(WindowKind::Search));
        flushDeletions();
        QVERIFY(search.isNull());
    }

    void endProgramFromInsideAModalWait() {
        registry().setModalRunner({});
        QTimer::singleShot(0, [] { registry().endProgram(); });
        registry().show(WindowKind::Search, true); // must return
        QCOMPARE(harness->quitCodes, QList<int>{0});
        QCOMPARE(log.unloads, 0);
    }

    void deletingAWindowDirectlyIsNoticed() {
        registry().show(WindowKind::Search);
        delete registry().window(WindowKind::Search);
        QVERIFY(!registry().isLoaded(WindowKind::Search));
        QCOMPARE(log.unloads, 0);
    }

    void staleHarnessLeavesTheNewOneInForce() {
        // A fixture that skipped its tear-down: the old harness dies after the new one exists.
        auto newer = std::make_unique<testsupport::ShellHarness>();
        harness.reset();
        QCOMPARE(&shell::dialogs(), static_cast<shell::Dialogs*>(&newer->dialogs));
        registry().show(WindowKind::Search, true); // returns: the test runner is still in force
        QCOMPARE(newer->modalShows, QList<WindowKind>{WindowKind::Search});
        harness = std::move(newer);
    }

private:
    // Declared before the harness: the windows outlive a test function, not the fixture.
    FormLog log;
    FormLog other;
    std::unique_ptr<testsupport::ShellHarness> harness;
};

QTEST_MAIN(TestWindowRegistry)
#include "test_windowregistry.moc"
