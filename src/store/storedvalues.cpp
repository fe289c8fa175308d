#include "store/storedvalues.h"

#include "store/dialect.h"

#include <QRegularExpression>
#include <sqlite3.h>

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

bool flagWithoutValue(const QString& column) {
    return column.compare(QLatin1String("is_used"), Qt::CaseInsensitive) == 0;
}

QString cleanWord(const QString& typed) {
    QString out;
    out.reserve(typed.size());
    bool inBreak = false;
    for (const QChar c : typed) {
        const bool breakOrTab = c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' ||
                                c == u'\f' || c == QChar(0x85) || c == QChar::LineSeparator ||
                                c == QChar::ParagraphSeparator;
        if (breakOrTab) {
            if (!inBreak)
                out += QLatin1Char(' ');
            inBreak = true;
            continue;
        }
        inBreak = false;
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format)
            continue;
        out += c;
    }
    return out.trimmed();
}

bool flagValue(const QVariant& field, const QString& column) {
    return field.isNull() ? flagWithoutValue(column) : field.toBool();
}

namespace {

QString valueText(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

void flagFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const bool without = sqlite3_value_int(argv[1]) != 0;
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER:
        sqlite3_result_int(ctx, sqlite3_value_int64(argv[0]) != 0);
        return;
    case SQLITE_FLOAT:
        sqlite3_result_int(ctx, sqlite3_value_double(argv[0]) != 0);
        return;
    case SQLITE_NULL:
        sqlite3_result_int(ctx, without);
        return;
    default:
        sqlite3_result_int(ctx, parseFlagText(valueText(argv[0])).value_or(without));
    }
}

void dateFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
        sqlite3_result_null(ctx);
        return;
    }
    // The program's own form passes through unchanged, without a copy.
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int n = sqlite3_value_bytes(argv[0]);
    if (n == 10 && t[4] == '-' && t[7] == '-') {
        sqlite3_result_value(ctx, argv[0]);
        return;
    }
    const QDate date = parseStoredDate(valueText(argv[0]));
    if (!date.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray iso = date.toString(Qt::ISODate).toUtf8();
    sqlite3_result_text(ctx, iso.constData(), static_cast<int>(iso.size()), SQLITE_TRANSIENT);
}

} // namespace

void registerStoredValueFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "gre_flag", 2, flags, nullptr, flagFunction, nullptr, nullptr);
    sqlite3_create_function(db, "gre_date", 1, flags, nullptr, dateFunction, nullptr, nullptr);
}

} // namespace store
