#pragma once

#include <QRect>

class QWidget;

// Window designs give places in twips: 15 twips make one pixel at 96 dpi, and the pixel count
// grows with the screen's logical dpi.
namespace shell {

// Pixels for a length in twips on the screen of `widget` (the primary screen when null).
int twipsToPixels(int twips, const QWidget* widget = nullptr);
// A place given as left, top, width, height in twips.
QRect twipsRect(int left, int top, int width, int height, const QWidget* widget = nullptr);
// Puts the widget at a place given in twips, relative to its parent.
void placeTwips(QWidget* widget, int left, int top, int width, int height);

} // namespace shell
