#include "shell/accesskeys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace shell {

bool isStrayAccessKey(QObject* receiver, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return false;
    const bool letterOrDigit = (key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) ||
                               (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9);
    return letterOrDigit &&
           (qobject_cast<QPlainTextEdit*>(receiver) || qobject_cast<QTextEdit*>(receiver) ||
            qobject_cast<QLineEdit*>(receiver));
}

} // namespace shell
