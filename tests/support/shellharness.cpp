#include "support/shellharness.h"

#include "shell/clock.h"
#include "shell/dialogs.h"
#include "shell/programvalues.h"
#include "shell/random.h"
#include "shell/windowregistry.h"

#include <QPointer>

namespace testsupport {

namespace {

// The harness whose services are installed. A fixture that skipped its tear-down leaves an
// older harness alive; its destruction must not take the services from the newer one.
ShellHarness* active = nullptr;

} // namespace

ShellHarness::ShellHarness(std::uint64_t seed) {
    // Windows a previous test left behind would otherwise meet this test's services.
    shell::registry().destroyAll();
    active = this;
    shell::installDialogs(&dialogs);
    shell::installClock(&clock);
    shell::seedRandom(seed);
    shell::wordtoshow.clear();
    shell::showwordonopen = false;

    shell::registry().setModalRunner([this](shell::Form* form) {
        modalShows.append(form->kind());
        QPointer<shell::Form> guard(form);
        if (onModal)
            onModal(form);
        if (closeModalAfterRun && guard && shell::registry().window(guard->kind()) == guard)
            guard->close();
    });
    shell::registry().setQuitHandler([this](int exitCode) { quitCodes.append(exitCode); });
}

ShellHarness::~ShellHarness() {
    if (active != this)
        return;
    active = nullptr;
    shell::registry().destroyAll();
    shell::registry().setModalRunner({});
    shell::registry().setQuitHandler({});
    shell::installDialogs(nullptr);
    shell::installClock(nullptr);
    shell::wordtoshow.clear();
    shell::showwordonopen = false;
}

} // namespace testsupport
