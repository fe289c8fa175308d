#include "support/shellharness.h"

#include "shell/clock.h"
#include "shell/dialogs.h"
#include "shell/programvalues.h"
#include "shell/random.h"
#include "shell/windowregistry.h"

#include <QPointer>

namespace testsupport {

ShellHarness::ShellHarness(std::uint64_t seed) {
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
    shell::registry().destroyAll();
    shell::registry().setModalRunner({});
    shell::registry().setQuitHandler({});
    shell::installDialogs(nullptr);
    shell::installClock(nullptr);
    shell::wordtoshow.clear();
    shell::showwordonopen = false;
}

} // namespace testsupport
