#include "shell/windowregistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <vector>

namespace shell {

WindowRegistry& WindowRegistry::instance() {
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::registerKind(WindowKind kind, std::function<Form*()> factory) {
    if (factory)
        m_factories[kind] = std::move(factory);
    else
        m_factories.erase(kind);
}

bool WindowRegistry::isRegistered(WindowKind kind) const {
    return m_factories.count(kind) > 0;
}

Form* WindowRegistry::load(WindowKind kind) {
    if (Form* existing = window(kind))
        return existing;
    if (m_ending)
        return nullptr;
    const auto factory = m_factories.find(kind);
    if (factory == m_factories.end())
        return nullptr;

    Form* form = factory->second();
    m_windows[kind] = form;
    QPointer<Form> guard(form);
    form->Form_Load();
    // Form_Load may have unloaded the window again.
    return guard ? window(kind) : nullptr;
}

void WindowRegistry::show(WindowKind kind, bool modal) {
    Form* form = load(kind);
    if (!form)
        return;

    if (!modal) {
        if (form->isVisible())
            bringToFront(kind);
        else
            putOnScreen(form);
        return;
    }

    if (isModal(kind)) {
        bringToFront(kind);
        return;
    }
    // A modal window keeps the others from taking input until it is unloaded.
    if (form->isVisible() && form->windowModality() != Qt::ApplicationModal)
        form->hide();
    form->setWindowModality(Qt::ApplicationModal);
    if (!form->isVisible())
        putOnScreen(form);
    form->raise();
    form->activateWindow();

    // Counted per instance: a window that unloads and reloads itself from its own modal wait
    // (Add in the word entry window) gets a modal show of its own.
    const Form* const self = form;
    ++m_modalDepth[self];
    QPointer<Form> guard(form);
    if (m_modalRunner) {
        m_modalRunner(form);
    } else if (window(kind) == form) {
        QEventLoop loop;
        m_modalLoops[kind] = &loop;
        loop.exec();
        const auto mine = m_modalLoops.find(kind);
        if (mine != m_modalLoops.end() && mine->second == &loop)
            m_modalLoops.erase(mine);
    }
    if (const auto depth = m_modalDepth.find(self);
        depth != m_modalDepth.end() && --depth->second <= 0)
        m_modalDepth.erase(depth);
    // Still loaded (a test runner returned early): the next show decides its modality afresh.
    if (guard && window(kind) == guard && !isModal(kind))
        guard->setWindowModality(Qt::NonModal);
}

void WindowRegistry::putOnScreen(Form* form) {
    if (form->opensMaximized())
        form->showMaximized();
    else
        form->show();
    form->raise();
    form->activateWindow();
}

void WindowRegistry::unload(WindowKind kind) {
    Form* form = window(kind);
    if (!form || m_unloading.count(form))
        return;
    m_unloading.insert(form);
    QPointer<Form> guard(form);
    try {
        form->Form_Unload();
    } catch (...) {
        m_unloading.erase(form);
        throw;
    }
    if (!guard)
        return;
    discard(kind, form);
    // close() (not hide()) so the program ends when this was its last window.
    form->close();
    m_unloading.erase(form);
    form->deleteLater();
}

void WindowRegistry::bringToFront(WindowKind kind) {
    Form* form = window(kind);
    if (!form)
        return;
    if (form->isMinimized())
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->raise();
    form->activateWindow();
}

bool WindowRegistry::isLoaded(WindowKind kind) const {
    return window(kind) != nullptr;
}

bool WindowRegistry::isModal(WindowKind kind) const {
    const auto depth = m_modalDepth.find(window(kind));
    return depth != m_modalDepth.end() && depth->second > 0;
}

Form* WindowRegistry::window(WindowKind kind) const {
    const auto found = m_windows.find(kind);
    return found == m_windows.end() ? nullptr : found->second;
}

void WindowRegistry::endProgram(int exitCode) {
    m_ending = true;
    // The handler that asked for the end may belong to one of these windows: close them now,
    // delete them once control is back in the event loop.
    for (Form* form : takeAllWindows()) {
        form->close();
        form->deleteLater();
    }
    quit(exitCode);
}

std::vector<Form*> WindowRegistry::takeAllWindows() {
    std::vector<Form*> forms;
    for (const auto& [kind, form] : m_windows)
        forms.push_back(form);
    m_windows.clear();
    for (const auto& [kind, loop] : m_modalLoops)
        loop->quit();
    m_modalLoops.clear();
    return forms;
}

void WindowRegistry::setModalRunner(std::function<void(Form*)> runner) {
    m_modalRunner = std::move(runner);
}

void WindowRegistry::setQuitHandler(std::function<void(int)> handler) {
    m_quitHandler = std::move(handler);
}

void WindowRegistry::destroyAll() {
    const std::vector<Form*> forms = takeAllWindows();
    m_modalDepth.clear();
    m_unloading.clear();
    for (Form* form : forms)
        delete form;
    // Windows unloaded earlier may still wait for their deferred deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_ending = false;
}

void WindowRegistry::windowClosedByUser(Form* form) {
    if (m_ending || m_unloading.count(form) || window(form->kind()) != form)
        return;
    unload(form->kind());
}

void WindowRegistry::windowDestroyed(Form* form) {
    m_unloading.erase(form);
    if (window(form->kind()) == form)
        discard(form->kind(), form);
}

void WindowRegistry::discard(WindowKind kind, Form* form) {
    if (window(kind) == form)
        m_windows.erase(kind);
    m_modalDepth.erase(form);
    const auto loop = m_modalLoops.find(kind);
    if (loop != m_modalLoops.end()) {
        loop->second->quit();
        m_modalLoops.erase(loop);
    }
}

void WindowRegistry::quit(int exitCode) {
    if (m_quitHandler)
        m_quitHandler(exitCode);
    else
        QCoreApplication::exit(exitCode);
}

} // namespace shell
