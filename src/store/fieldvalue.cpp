#include "store/fieldvalue.h"

#include "store/dialect.h"
#include "store/storedvalues.h"
#include "store/storeerror.h"

#include <QDate>
#include <sqlite3.h>

namespace store {

ColKind kindOf(const QString& name) {
    const QString n = name.toLower();
    if (n == QLatin1String("id"))
        return ColKind::Id;
    if (n == QLatin1String("entrydate") || n == QLatin1String("last_seen"))
        return ColKind::Date;
    if (n == QLatin1String("is_used") || n == QLatin1String("frequent"))
        return ColKind::Bool;
    return ColKind::Text;
}

namespace {

// Stored dates are "yyyy-mm-dd"; read them without making a string first.
QDate isoDateFromBytes(const char* t, int len) {
    if (len != 10 || t[4] != '-' || t[7] != '-')
        return {};
    int v[3] = {0, 0, 0};
    const int start[3] = {0, 5, 8}, width[3] = {4, 2, 2};
    for (int k = 0; k < 3; ++k)
        for (int i = start[k]; i < start[k] + width[k]; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return {};
            v[k] = v[k] * 10 + (t[i] - '0');
        }
    return QDate(v[0], v[1], v[2]);
}

} // namespace

QVariant toVariant(ColKind kind, int type, qint64 i, double d, const char* text, int len) {
    if (type == SQLITE_NULL)
        return {};
    switch (kind) {
    case ColKind::Bool:
        if (type == SQLITE_INTEGER)
            return QVariant(i != 0);
        if (type == SQLITE_FLOAT)
            return QVariant(d != 0);
        // Text other tools write ('True', 'No', '-1'); text that is no answer reads as no value.
        if (const auto flag = parseFlagText(QString::fromUtf8(text, len)))
            return QVariant(*flag);
        return {};
    case ColKind::Date:
        if (type == SQLITE_TEXT || type == SQLITE_BLOB) {
            if (const QDate iso = isoDateFromBytes(text, len); iso.isValid())
                return QVariant(iso);
            const QString t = QString::fromUtf8(text, len);
            const QDate date = parseStoredDate(t);
            return date.isValid() ? QVariant(date) : QVariant(t);
        }
        break;
    case ColKind::Id:
    case ColKind::Text:
        break;
    }
    if (type == SQLITE_INTEGER)
        return QVariant(static_cast<qlonglong>(i));
    if (type == SQLITE_FLOAT)
        return QVariant(d);
    return QVariant(QString::fromUtf8(text, len));
}

QVariant toVariant(ColKind kind, const DbValue& v) {
    return toVariant(kind, v.type, v.i, v.d, v.s.constData(), static_cast<int>(v.s.size()));
}

// Converts an assigned value to what the column stores; throws on a value that does not fit.
DbValue fromVariant(ColKind kind, const QString& name, const QVariant& value) {
    DbValue out;
    if (value.isNull() || !value.isValid())
        return out;
    switch (kind) {
    case ColKind::Date: {
        QDate date;
        if (value.typeId() == QMetaType::QDate)
            date = value.toDate();
        else if (value.typeId() == QMetaType::QDateTime)
            date = value.toDateTime().date();
        else {
            const QString text = value.toString();
            if (text.trimmed().isEmpty())
                return out;
            date = parseStoredDate(text);
            if (!date.isValid())
                throw StoreError(
                    errnum::BadValue,
                    QStringLiteral("\"%1\" is not a date (field %2).").arg(text, name));
        }
        out.type = SQLITE_TEXT;
        out.s = date.toString(Qt::ISODate).toUtf8();
        return out;
    }
    case ColKind::Bool: {
        out.type = SQLITE_INTEGER;
        if (value.typeId() == QMetaType::QString) {
            const QString t = value.toString().trimmed();
            if (t.isEmpty())
                out.i = 0;
            else if (const auto flag = parseFlagText(t))
                out.i = *flag ? 1 : 0;
            else
                throw StoreError(
                    errnum::BadValue,
                    QStringLiteral("\"%1\" is not Yes or No (field %2).").arg(t, name));
        } else {
            out.i = value.toBool() ? 1 : 0;
        }
        return out;
    }
    case ColKind::Id: {
        bool ok = false;
        const QString t = value.toString().trimmed();
        if (t.isEmpty())
            return out;
        out.i = t.toLongLong(&ok);
        if (!ok)
            throw StoreError(errnum::BadValue,
                             QStringLiteral("\"%1\" is not an identity number.").arg(t));
        out.type = SQLITE_INTEGER;
        return out;
    }
    case ColKind::Text:
        out.type = SQLITE_TEXT;
        // The word is a key: kept clean (see cleanWord); the other texts stay as typed.
        out.s = (name.compare(QLatin1String("word"), Qt::CaseInsensitive) == 0
                     ? cleanWord(value.toString())
                     : value.toString())
                    .toUtf8();
        return out;
    }
    return out;
}

void bindValue(sqlite3_stmt* stmt, int index, const DbValue& v) {
    switch (v.type) {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(stmt, index, v.i);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(stmt, index, v.d);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(stmt, index, v.s.constData(), static_cast<int>(v.s.size()),
                          SQLITE_TRANSIENT);
        break;
    default:
        sqlite3_bind_null(stmt, index);
    }
}

QByteArray quoteIdent(const QString& name) {
    QString n = name;
    n.replace('"', "\"\"");
    return "\"" + n.toUtf8() + "\"";
}

} // namespace store
