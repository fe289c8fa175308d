#pragma once

#include "shell/form.h"

#include <functional>

namespace testsupport {

class CountingForm;

// What happened to the windows of one kind; outlives the instances. The hooks run inside the
// handlers of whichever instance is loaded.
struct FormLog {
    int created = 0;
    int destroyed = 0;
    int loads = 0;
    int unloads = 0;
    std::function<void(CountingForm*)> onLoad;
    std::function<void(CountingForm*)> onUnload;
};

// A bare window that counts its life for registry tests.
class CountingForm : public shell::Form {
public:
    CountingForm(shell::WindowKind kind, FormLog* log, bool maximized = true);
    ~CountingForm() override;

    void Form_Load() override;
    void Form_Unload() override;
    bool opensMaximized() const override { return m_maximized; }

private:
    FormLog* m_log;
    bool m_maximized;
};

// Registers a CountingForm factory for the kind, logging into log.
void registerCountingForm(shell::WindowKind kind, FormLog* log, bool maximized = true);

} // namespace testsupport
