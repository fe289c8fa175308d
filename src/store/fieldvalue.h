#pragma once
// Conversion between the values the engine stores and the QVariant values record sets hand out:
// which columns hold dates, flags and ids, how a stored value reads, how an assigned one is
// written back.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <sqlite3.h>

namespace store {

enum class ColKind { Id, Text, Date, Bool };

// The kind of a column of listofwords, by its name (any letter case).
ColKind kindOf(const QString& name);

// One value as the engine holds it.
struct DbValue {
    int type = SQLITE_NULL;
    qint64 i = 0;
    double d = 0;
    QByteArray s;
};

// A stored value as the record set hands it out.
QVariant toVariant(ColKind kind, int type, qint64 i, double d, const char* text, int len);
QVariant toVariant(ColKind kind, const DbValue& v);
// Converts an assigned value to what the column stores; throws on a value that does not fit.
DbValue fromVariant(ColKind kind, const QString& name, const QVariant& value);
void bindValue(sqlite3_stmt* stmt, int index, const DbValue& v);
// A column name quoted for a statement.
QByteArray quoteIdent(const QString& name);

} // namespace store
