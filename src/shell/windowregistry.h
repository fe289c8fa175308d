#pragma once

#include "shell/form.h"

#include <functional>
#include <map>

namespace shell {

// Owns one instance per window kind. load() creates the window and runs its Form_Load once;
// show() shows and raises it (modal: waits in a local event loop until it is unloaded);
// unload() runs Form_Unload and destroys the instance, so the next load starts afresh.
class WindowRegistry {
public:
    static WindowRegistry& instance();

    void registerKind(WindowKind kind, std::function<Form*()> factory);

    Form* load(WindowKind kind);
    void show(WindowKind kind, bool modal = false);
    void unload(WindowKind kind);
    void bringToFront(WindowKind kind);

    bool isLoaded(WindowKind kind) const;
    bool isModal(WindowKind kind) const; // shown modally and not yet unloaded
    Form* window(WindowKind kind) const;
    template <class T> T* windowAs(WindowKind kind) const { return static_cast<T*>(window(kind)); }

    // Exit: closes every window without running any unload handler, then ends the program.
    void endProgram(int exitCode = 0);

    // Tests: replace the local event loop of a modal show (called with the shown window;
    // it returns when the test is done with it) and the final quit.
    void setModalRunner(std::function<void(Form*)> runner);
    void setQuitHandler(std::function<void(int)> handler);
    // Tests: destroys every window without running unload handlers; keeps the factories.
    void destroyAll();

    // Called by Form::closeEvent.
    void windowClosedByUser(Form* form);

private:
    WindowRegistry() = default;
    struct Entry;
    std::map<WindowKind, std::function<Form*()>> m_factories;
    std::map<WindowKind, Form*> m_windows;
    std::map<WindowKind, int> m_modalDepth;
    std::function<void(Form*)> m_modalRunner;
    std::function<void(int)> m_quitHandler;
    bool m_ending = false;
};

inline WindowRegistry& registry() { return WindowRegistry::instance(); }

} // namespace shell
