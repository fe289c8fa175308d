#include "shell/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace shell {

namespace {

double logicalDpi(const QWidget* widget) {
    if (widget)
        return widget->logicalDpiY();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInch();
    return 96.0;
}

} // namespace

int twipsToPixels(int twips, const QWidget* widget) {
    return int(std::lround(twips / 15.0 * logicalDpi(widget) / 96.0));
}

QRect twipsRect(int left, int top, int width, int height, const QWidget* widget) {
    return QRect(twipsToPixels(left, widget), twipsToPixels(top, widget),
                 twipsToPixels(width, widget), twipsToPixels(height, widget));
}

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twipsRect(left, top, width, height, widget));
}

} // namespace shell
