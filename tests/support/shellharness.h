#pragma once

#include "shell/form.h"
#include "support/fixedclock.h"
#include "support/scripteddialogs.h"

#include <QList>
#include <cstdint>
#include <functional>

namespace testsupport {

// Puts the program's services into test mode for the lifetime of the object: scripted dialogs,
// a fixed clock, a seeded random generator, modal shows that return at once and an end of the
// program that is only recorded. Construction starts from no windows; the destructor destroys
// every window and restores the real services, unless a newer harness has taken over.
class ShellHarness {
public:
    explicit ShellHarness(std::uint64_t seed = 20260315);
    ~ShellHarness();
    ShellHarness(const ShellHarness&) = delete;
    ShellHarness& operator=(const ShellHarness&) = delete;

    ScriptedDialogs dialogs;
    FixedClock clock;

    // Each modal show, in order; while it lasts, onModal runs with the window. Afterwards the
    // window is closed with its close box (as a user would end the modal wait), unless
    // closeModalAfterRun is false.
    QList<shell::WindowKind> modalShows;
    std::function<void(shell::Form*)> onModal;
    bool closeModalAfterRun = true;

    // Exit codes passed to the end of the program, in order.
    QList<int> quitCodes;
};

} // namespace testsupport
