#include "shell/keycodes.h"

#include <QKeyEvent>

namespace shell {

int keyAscii(const QKeyEvent* key) {
    // Alt with a key chooses a menu or a button's access key; it types nothing. (Alt together
    // with Ctrl is AltGr on some keyboards, which does type characters.)
    const Qt::KeyboardModifiers mods = key->modifiers();
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier))
        return 0;
    switch (key->key()) {
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Delete: // its text is the DEL control code, but it deletes; it types nothing
        return 0;
    default:
        return key->text().isEmpty() ? 0 : key->text().at(0).unicode();
    }
}

int virtualKeyCode(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1); // F1 is 112
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

} // namespace shell
