#include "quiz/testtypeanswer.h"

#include <QLocale>
#include <cmath>

namespace testanswer {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

double leadingNumber(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (const QChar c : text)
        if (!isBlank(c))
            s += c;

    // Longest prefix of the form [sign] digits [. digits] [e|d [sign] digits].
    qsizetype pos = 0;
    QString number;
    if (pos < s.size() && (s[pos] == QLatin1Char('+') || s[pos] == QLatin1Char('-')))
        number += s[pos++];
    bool digits = false;
    while (pos < s.size() && isDigit(s[pos])) {
        number += s[pos++];
        digits = true;
    }
    if (pos < s.size() && s[pos] == QLatin1Char('.')) {
        number += s[pos++];
        while (pos < s.size() && isDigit(s[pos])) {
            number += s[pos++];
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (pos < s.size() &&
        (s[pos].toLower() == QLatin1Char('e') || s[pos].toLower() == QLatin1Char('d'))) {
        qsizetype p = pos + 1;
        QString exponent = QStringLiteral("e");
        if (p < s.size() && (s[p] == QLatin1Char('+') || s[p] == QLatin1Char('-')))
            exponent += s[p++];
        bool expDigits = false;
        while (p < s.size() && isDigit(s[p])) {
            exponent += s[p++];
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    // A number too large for a double stays too large (asked again), never 0.
    if (!ok && std::isinf(value))
        return value;
    return ok ? value : 0.0;
}

double nearestWholeNumber(const QString& text) {
    const double value = leadingNumber(text);
    if (!std::isfinite(value))
        return value;
    // Round half to even regardless of the rounding mode in force.
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5)
        return floor;
    if (diff > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

} // namespace testanswer
