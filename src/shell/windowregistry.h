#pragma once

#include "shell/form.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

class QEventLoop;

namespace shell {

// Owns one instance per window kind. load() creates the window and runs its Form_Load once;
// show() shows and raises it (modal: waits in a local event loop until it is unloaded);
// unload() runs Form_Unload and destroys the instance, so the next load starts afresh.
class WindowRegistry {
public:
    static WindowRegistry& instance();

    // An empty factory removes the kind again.
    void registerKind(WindowKind kind, std::function<Form*()> factory);
    bool isRegistered(WindowKind kind) const;

    // Returns the window, or nullptr when the kind has no factory or the program is ending.
    Form* load(WindowKind kind);
    // Loads the window if needed. A window already on screen only comes to the front
    // (or, asked to be modal, is shown again modally).
    void show(WindowKind kind, bool modal = false);
    void unload(WindowKind kind);
    void bringToFront(WindowKind kind);

    bool isLoaded(WindowKind kind) const;
    bool isModal(WindowKind kind) const; // shown modally and not yet unloaded
    Form* window(WindowKind kind) const;
    template <class T> T* windowAs(WindowKind kind) const { return static_cast<T*>(window(kind)); }

    // Exit: closes every window without running any unload handler, then ends the program.
    void endProgram(int exitCode = 0);
    bool isEnding() const { return m_ending; }

    // Tests: replace the local event loop of a modal show (called with the shown window;
    // it returns when the test is done with it) and the final quit.
    void setModalRunner(std::function<void(Form*)> runner);
    void setQuitHandler(std::function<void(int)> handler);
    // Tests: destroys every window without running unload handlers; keeps the factories.
    void destroyAll();

    // Called by Form::closeEvent.
    void windowClosedByUser(Form* form);
    // Called by ~Form, so a window deleted behind the registry's back is forgotten.
    void windowDestroyed(Form* form);

private:
    WindowRegistry() = default;
    void discard(WindowKind kind, Form* form);
    // Shows the window (maximized where it asks to be) and gives it the focus.
    void putOnScreen(Form* form);
    // Forgets every window and ends every modal wait; the caller closes or deletes them.
    std::vector<Form*> takeAllWindows();
    void quit(int exitCode);

    std::map<WindowKind, std::function<Form*()>> m_factories;
    std::map<WindowKind, Form*> m_windows;
    std::map<const Form*, int> m_modalDepth; // modal shows under way, per instance
    std::map<WindowKind, QEventLoop*> m_modalLoops;
    std::set<Form*> m_unloading;
    std::function<void(Form*)> m_modalRunner;
    std::function<void(int)> m_quitHandler;
    bool m_ending = false;
};

inline WindowRegistry& registry() {
    return WindowRegistry::instance();
}

} // namespace shell
