#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// The look the windows were designed with: the fonts they name and their colours.
namespace shell {

// A font the design names. Machines without it get fonts of the same letter widths that are
// common on Linux, then a face of the same style, so texts still fit their boxes.
QFont designFont(const QString& family, qreal points, bool bold, bool italic = false);

// Text colour of labels, buttons, check boxes, lists and text boxes.
void setTextColour(QWidget* widget, const QColor& colour);
// Background of labels, frames, check boxes and windows (filled by the widget itself; children
// that have no background of their own show it too).
void setBackground(QWidget* widget, const QColor& colour);
// Background of text boxes and lists (where the text is typed or listed).
void setBoxBackground(QWidget* widget, const QColor& colour);
// Both, for a label or a button.
void setColours(QWidget* widget, const QColor& text, const QColor& background);

} // namespace shell
