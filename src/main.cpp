#include "entry/word_adder.h"
#include "quiz/frmtestusage.h"
#include "search/frmsearch.h"
#include "shell/appidentity.h"
#include "shell/fatal.h"
#include "shell/form.h"
#include "shell/frmsplash.h"
#include "shell/lumora_menu.h"
#include "shell/windowregistry.h"
#include "store/database.h"
#include "store/storeerror.h"

#include <QCoreApplication>
#include <QEvent>

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

} // namespace

int main(int argc, char** argv) {
    shell::Application app(argc, argv);
    shell::nameApplication();

    try {
        store::ensureDatabase();
    } catch (const store::StoreError& error) {
        shell::showStoreFailure(error);
        return 1;
    }

    registerWindows();
    registry().show(WindowKind::Menu);
    const int exitCode = app.exec();

    // Windows closed at the end still wait for deletion; their destructors release connections.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}
