#include "shell/fatal.h"
#include "shell/windowregistry.h"
#include "store/storeerror.h"
#include "support/countingform.h"
#include "support/shellharness.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QtTest>
#include <memory>

using shell::registry;
using shell::WindowKind;

namespace {

// A widget whose event handler fails the way an uncaught store failure does.
class FailingWidget : public QWidget {
protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw store::StoreError(14, QStringLiteral("unable to open database file"));
        return QWidget::event(event);
    }
};

} // namespace

class TestFatal : public QObject {
    Q_OBJECT

private slots:
    void init() {
        log = testsupport::FormLog{};
        harness = std::make_unique<testsupport::ShellHarness>();
    }
    void cleanup() {
        harness.reset();
        registry().registerKind(WindowKind::Search, {});
    }

    void reportShowsNumberAndDescriptionThenEnds() {
        testsupport::registerCountingForm(WindowKind::Search, &log);
        registry().show(WindowKind::Search);
        harness->dialogs.queueAnswer(shell::Answer::Ok);

        shell::reportFatal(store::StoreError(26, QStringLiteral("file is not a database")));

        QCOMPARE(harness->dialogs.calls().size(), 1);
        const auto& call = harness->dialogs.calls().first();
        QCOMPARE(call.text, QStringLiteral("26: file is not a database"));
        QCOMPARE(call.buttons, shell::Buttons::Ok);
        QCOMPARE(call.title, QStringLiteral("GRE Wordlist"));
        QCOMPARE(harness->quitCodes, QList<int>{1});
        QVERIFY(!registry().isLoaded(WindowKind::Search));
        QCOMPARE(log.unloads, 0);
    }

    void failureInAnEventHandlerReachesTheMessage() {
        harness->dialogs.queueAnswer(shell::Answer::Ok);
        FailingWidget widget;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&widget, &event);
        QCOMPARE(harness->dialogs.texts(),
                 QStringList{QStringLiteral("14: unable to open database file")});
        QCOMPARE(harness->quitCodes, QList<int>{1});
    }

    void failureInAClickHandlerReachesTheMessage() {
        harness->dialogs.queueAnswer(shell::Answer::Ok);
        QPushButton button(QStringLiteral("Go"));
        QObject::connect(&button, &QPushButton::clicked,
                         [] { throw store::StoreError(5, QStringLiteral("database is locked")); });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(harness->dialogs.texts(), QStringList{QStringLiteral("5: database is locked")});
        QCOMPARE(harness->quitCodes, QList<int>{1});
        QVERIFY(harness->dialogs.failures().isEmpty());
    }

    void onlyOneMessageWhileEnding() {
        harness->dialogs.queueAnswer(shell::Answer::Ok);
        shell::reportFatal(store::StoreError(1, QStringLiteral("first")));
        shell::reportFatal(store::StoreError(2, QStringLiteral("second")));
        QCOMPARE(harness->dialogs.texts(), QStringList{QStringLiteral("1: first")});
        QCOMPARE(harness->quitCodes, QList<int>{1});
    }

private:
    testsupport::FormLog log;
    std::unique_ptr<testsupport::ShellHarness> harness;
};

// The failures must pass through the program's own application object.
int main(int argc, char** argv) {
    shell::Application app(argc, argv);
    TestFatal test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_fatal.moc"
