#include "entry/boxtext.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace entry {

QString boxText(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(box))
        return lines->toPlainText();
    return {};
}

void setBoxText(QWidget* box, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else if (auto* lines = qobject_cast<QPlainTextEdit*>(box))
        lines->setPlainText(text);
}

} // namespace entry
