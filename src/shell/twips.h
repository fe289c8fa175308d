#pragma once

#include <QRect>

// Window layouts are designed in twips (1/1440 inch): 15 twips make one pixel at 96 dpi, and the
// result is scaled with the screen's logical dpi so a layout keeps its size on larger settings.
namespace shell {

int twipsToPixels(int twips);
// A rectangle given as left, top, width, height in twips.
QRect twipsRect(int left, int top, int width, int height);

} // namespace shell
