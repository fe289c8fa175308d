#pragma once

#include <QApplication>

namespace store {
class StoreError;
}

namespace shell {

// A store failure that no handler caught: shows "number: description" and ends the program.
void reportFatal(const store::StoreError& error);
// Only the message of reportFatal (for failures before the event loop runs).
void showStoreFailure(const store::StoreError& error);

// The application object: catches store failures that reach the event loop, and drops the
// access keys of disabled buttons before they type into a text box.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace shell
