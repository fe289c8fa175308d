#include "transfer/exportcommand.h"

#include "store/connection.h"
#include "store/fieldvalue.h"
#include "store/recordset.h"
#include "store/storedvalues.h"
#include "store/storeerror.h"
#include "store/translate.h"
#include "transfer/databasescope.h"
#include "transfer/exportformats.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sys/stat.h>

namespace transfer {

namespace {

// Whether two paths name the same file (through links too).
bool sameFile(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
        ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The word file and the side files the engine keeps beside it.
bool isWordFile(const QString& file, const QString& database) {
    for (const char* side : {"", "-wal", "-shm", "-journal"})
        if (sameFile(file, database + QLatin1String(side)))
            return true;
    return false;
}

// A stored value in its exported form; values other tools wrote are read the program's way,
// and one that cannot be read is written as it is stored.
QString exportedText(store::ColKind kind, const QVariant& value) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    const QString text = value.toString();
    if (kind == store::ColKind::Date) {
        if (const QDate date = store::parseStoredDate(text); date.isValid())
            return date.toString(Qt::ISODate);
    } else if (kind == store::ColKind::Bool) {
        if (const auto flag = store::parseFlagText(text))
            return *flag ? QStringLiteral("1") : QStringLiteral("0");
    }
    return text;
}

// Every row of the word list in id order, in the given format; returns the number of rows.
qint64 writeRows(QByteArray& out, ExportFormat format) {
    store::Connection connection;
    connection.Open();
    store::Recordset rs;
    QString columns;
    std::array<store::ColKind, 10> kinds{};
    std::array<QString, 10> names;
    for (int c = 0; c < 10; ++c) {
        names[c] = QLatin1String(store::kTableColumns[c]);
        kinds[c] = store::kindOf(names[c]);
        columns += (c ? QStringLiteral(", ") : QString()) + names[c];
    }
    rs.setSource(QStringLiteral("SELECT %1 FROM listofwords ORDER BY id").arg(columns));
    rs.setActiveConnection(&connection);
    rs.Open();
    out += exportHeader(format);
    qint64 rows = 0;
    ExportedRow row;
    for (; !rs.eof(); rs.MoveNext(), ++rows) {
        for (int c = 0; c < 10; ++c)
            row[c] = exportedText(kinds[c], rs.field(names[c]));
        appendExportRow(out, format, row);
    }
    rs.Close();
    return rows;
}

} // namespace

int exportCommand(const QString& database, const QString& file, const QString& format, bool force,
                  QTextStream& out, QTextStream& err) {
    const auto chosen = exportFormat(format, file);
    if (!chosen) {
        err << QStringLiteral("Unknown format \"%1\": use csv, tsv or anki.\n").arg(format);
        return 2;
    }
    if (file.isEmpty()) {
        err << QStringLiteral("Name the file to export to.\n");
        return 2;
    }
    const DatabaseScope scope(database);
    if (isWordFile(file, scope.path())) {
        err << QStringLiteral("%1 is the word list itself; export to another file.\n").arg(file);
        return 1;
    }
    if (QFileInfo::exists(file) && !force) {
        err << QStringLiteral("%1 already exists; add --force to replace it.\n").arg(file);
        return 1;
    }
    QByteArray content;
    qint64 rows = 0;
    try {
        rows = writeRows(content, *chosen);
    } catch (const store::StoreError& error) {
        err << QStringLiteral("Nothing was exported: %1\n").arg(error.description());
        return 1;
    }
    // Written beside the target and moved into place: a failed write leaves any old file whole.
    QSaveFile target(file);
    if (!target.open(QIODevice::WriteOnly) || target.write(content) != content.size() ||
        !target.commit()) {
        err << QStringLiteral("Cannot write %1: %2\n").arg(file, target.errorString());
        return 1;
    }
    static const char* const formatNames[] = {"csv", "tsv", "anki"};
    out << QStringLiteral("Exported %1 word%2 to %3 (%4).\n")
               .arg(rows)
               .arg(rows == 1 ? QString() : QStringLiteral("s"), file,
                    QLatin1String(formatNames[static_cast<int>(*chosen)]));
    out.flush();
    return 0;
}

} // namespace transfer
