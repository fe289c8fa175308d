#include "shell/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace shell {

namespace {

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips / 15.0 * logicalDpi() / 96.0));
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

} // namespace shell
