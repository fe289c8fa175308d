#pragma once

#include <QString>

class QWidget;

// The text of a text box, one-line (QLineEdit) or several lines (QPlainTextEdit), so the
// window and its data control treat both kinds of box alike.
namespace entry {

QString boxText(const QWidget* box);
void setBoxText(QWidget* box, const QString& text);

} // namespace entry
