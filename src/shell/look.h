#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
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

// A label whose lines, in a stand-in font with taller line metrics than the designed font, would
// run past the bottom of its designed box: its text is centred vertically instead, so the
// overflow falls on the blank space above the capitals and below the baseline and no letter is
// cut. Run after its font and text are set.
void fitTextHeight(QLabel* label);

} // namespace shell
