// The flash card over the details, and the right-click pop-up menu of the search window.
#include "search/frmsearch.h"
#include "shell/windowregistry.h"

#include <QCursor>
#include <QGroupBox>
#include <QMenu>
#include <QMouseEvent>

namespace search {

namespace {

// Mouse buttons as the MouseDown handlers number them: 1 left, 2 right, 4 middle.
int buttonValue(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

} // namespace

void frmsearch::mnuflashcard_Click() {
    frameflash->setVisible(true);
    frameflash->raise();
}

void frmsearch::cmdflashhide_Click() {
    frameflash->setVisible(false);
}

void frmsearch::Form_MouseDown(int button) {
    if ((button & 2) == 0)
        return;
    const QPoint at = QCursor::pos();
    if (m_popupRunner)
        m_popupRunner(mypopupmenu, at);
    else
        mypopupmenu->exec(at);
}

void frmsearch::Frame1_MouseDown(int button) {
    Form_MouseDown(button);
}

void frmsearch::mnuclose_Click() {
    hide();
    shell::registry().unload(shell::WindowKind::Search);
}

bool frmsearch::bareMousePress(QWidget* surface, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // A press a control left unhandled travels on to its parent: only a press on the bare
    // surface itself counts.
    QWidget* under = surface->childAt(mouse->position().toPoint());
    if (surface == Frame1 && under == nullptr) {
        Frame1_MouseDown(buttonValue(mouse->button()));
        return true;
    }
    if (surface == m_designArea && under == nullptr) {
        Form_MouseDown(buttonValue(mouse->button()));
        return true;
    }
    if (surface == this && (under == nullptr || under == m_designArea)) {
        Form_MouseDown(buttonValue(mouse->button()));
        return true;
    }
    return false;
}

} // namespace search
