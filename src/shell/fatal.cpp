#include "shell/fatal.h"

#include "shell/accesskeys.h"
#include "shell/dialogs.h"
#include "shell/windowregistry.h"
#include "store/storeerror.h"

namespace shell {

void showStoreFailure(const store::StoreError& error) {
    dialogs().message(QStringLiteral("%1: %2").arg(error.number()).arg(error.description()),
                      Buttons::Ok, Icon::Critical, programTitle());
}

void reportFatal(const store::StoreError& error) {
    // Events delivered while the message is up may fail the same way; one message is enough.
    static bool reporting = false;
    if (reporting || registry().isEnding())
        return;
    reporting = true;
    try {
        showStoreFailure(error);
    } catch (...) {
        reporting = false;
        throw;
    }
    reporting = false;
    registry().endProgram(1);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    if (isStrayAccessKey(receiver, event))
        return true;
    try {
        return QApplication::notify(receiver, event);
    } catch (const store::StoreError& error) {
        reportFatal(error);
        return true;
    }
}

} // namespace shell
