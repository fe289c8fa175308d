#include "shell/look.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QStringList>
#include <QWidget>
#include <algorithm>

namespace shell {

namespace {

struct Substitutes {
    const char* family;
    QStringList fallbacks;
    QFont::StyleHint hint;
};

const Substitutes& substitutesFor(const QString& family) {
    static const Substitutes table[] = {
        {"MS Sans Serif",
         {"Microsoft Sans Serif", "Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"},
         QFont::SansSerif},
        {"Times New Roman",
         {"Liberation Serif", "Tinos", "Nimbus Roman", "DejaVu Serif"},
         QFont::Serif},
        {"Comic Sans MS", {"Comic Neue", "DejaVu Sans"}, QFont::SansSerif},
        {"News Gothic MT",
         {"Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed"},
         QFont::SansSerif},
        {"Garamond", {"EB Garamond", "Liberation Serif", "Nimbus Roman"}, QFont::Serif},
        {"Lucida Handwriting", {}, QFont::Cursive},
        {"Tempus Sans ITC", {}, QFont::Decorative},
    };
    static const Substitutes none{"", {}, QFont::AnyStyle};
    for (const Substitutes& s : table)
        if (family == QLatin1String(s.family))
            return s;
    return none;
}

} // namespace

QFont designFont(const QString& family, qreal points, bool bold, bool italic) {
    const Substitutes& subs = substitutesFor(family);
    QFont font(family);
    font.setFamilies(QStringList{family} + subs.fallbacks);
    font.setStyleHint(subs.hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    // Buttons, option buttons and check boxes fill with the Button role.
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setBoxBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

void setColours(QWidget* widget, const QColor& text, const QColor& background) {
    setTextColour(widget, text);
    setBackground(widget, background);
}

void fitTextHeight(QLabel* label) {
    const QFontMetrics metrics(label->font());
    const QRect box = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    if (metrics.boundingRect(box, flags, label->text()).height() <= box.height())
        return;
    // The lines' blank margins (above the capitals, below the baseline) then share the excess.
    label->setAlignment((label->alignment() & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter);
}

} // namespace shell
