#include "store/storedvalues.h"

#include "store/dialect.h"

#include <QRegularExpression>

namespace store {

std::optional<bool> parseFlagText(const QString& raw) {
    const QString t = raw.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("no"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = t.toDouble(&ok);
    if (ok)
        return number != 0;
    return std::nullopt;
}

QDate parseStoredDate(const QString& raw) {
    if (const QDate plain = parseDateText(raw); plain.isValid())
        return plain;
    // The date part, then a time of day the calendar day does not depend on.
    static const QRegularExpression withTime(QStringLiteral(
        "^\\s*(\\S+?)(?:[T ]\\s*\\d{1,2}:\\d{2}(?::\\d{2}(?:\\.\\d+)?)?\\s*(?:[AaPp][Mm])?)\\s*$"));
    if (const auto m = withTime.match(raw); m.hasMatch())
        return parseDateText(m.captured(1));
    return {};
}

} // namespace store
