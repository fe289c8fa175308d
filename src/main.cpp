#include "entry/word_adder.h"
#include "quiz/frmtestusage.h"
#include "search/frmsearch.h"
#include "shell/appidentity.h"
#include "shell/dailybackup.h"
#include "shell/fatal.h"
#include "shell/form.h"
#include "shell/frmsplash.h"
#include "shell/lumora_menu.h"
#include "shell/singleinstance.h"
#include "shell/windowregistry.h"
#include "store/database.h"
#include "store/storeerror.h"
#include "transfer/commandline.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>

using shell::registry;
using shell::WindowKind;

namespace {

// Every window kind the menu and the other windows can open, by factory.
void registerWindows() {
    registry().registerKind(WindowKind::Menu, [] { return new shell::lumora_menu; });
    registry().registerKind(WindowKind::Splash, [] { return new shell::frmSplash; });
    registry().registerKind(WindowKind::WordAdder, [] { return new word_adder; });
    registry().registerKind(WindowKind::Search, [] { return new search::frmsearch; });
    registry().registerKind(WindowKind::Test, [] { return new frmtestusage; });
}

QStringList arguments(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// A command, --help or --version: no window, no display needed.
int runCommand(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return transfer::runCommandLine(app.arguments(), store::defaultDatabasePath(), out, err);
}

} // namespace

int main(int argc, char** argv) {
    if (!transfer::startsWindows(arguments(argc, argv)))
        return runCommand(argc, argv);
    shell::Application app(argc, argv);
    shell::nameApplication();
    if (const QString database = transfer::databaseArgument(app.arguments()); !database.isEmpty())
        store::setDatabasePath(database);

    // A second start on the same file shows the running program's menu and ends.
    shell::SingleInstance instance;
    switch (instance.claim(store::databasePath())) {
    case shell::SingleInstance::Claim::AlreadyRunning:
        return 0;
    case shell::SingleInstance::Claim::Blocked:
        std::fprintf(stderr, "The word list file \"%s\" is in use by another program.\n",
                     qPrintable(store::databasePath()));
        return 1;
    case shell::SingleInstance::Claim::Claimed:
        break;
    }

    try {
        store::ensureDatabase();
    } catch (const store::StoreError& error) {
        shell::showStoreFailure(error);
        return 1;
    }

    registerWindows();
    registry().show(WindowKind::Menu);
    QObject::connect(&instance, &shell::SingleInstance::activationRequested,
                     [] { registry().bringToFront(WindowKind::Menu); });
    // The day's backup starts once the menu is painted.
    shell::DailyBackup backup;
    QTimer::singleShot(0, &backup, [&backup] { backup.start(store::databasePath()); });
    const int exitCode = app.exec();

    // Windows closed at the end still wait for deletion; their destructors release connections.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
