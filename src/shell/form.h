#pragma once

#include <QWidget>

namespace shell {

enum class WindowKind { Menu, Splash, WordAdder, Search, Test };

// Base of every window of the program: one instance per kind, owned by the WindowRegistry.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(WindowKind kind, QWidget* parent = nullptr);
    ~Form() override;
    WindowKind kind() const { return m_kind; }

    // Run once by the registry after the window is created, and when it is unloaded.
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    // Whether show() opens the window maximized.
    virtual bool opensMaximized() const { return true; }
    // Another window asks this loaded window to show something (the program-wide request
    // values say what); its load handler does not run again.
    virtual void requestWhileLoaded() {}

protected:
    // The window's own close box unloads it through the registry.
    void closeEvent(QCloseEvent* event) override;

private:
    WindowKind m_kind;
};

} // namespace shell
