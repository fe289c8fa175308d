#pragma once

#include "transfer/exportcommand.h"
#include "transfer/importcommand.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

// Runs the import and export commands as the command line would, keeping what they print.
struct CommandRun {
    int code = -1;
    QString out;
    QString err;
};

inline CommandRun runImport(const QString& database, const QString& file, bool dryRun = false) {
    CommandRun run;
    QTextStream out(&run.out), err(&run.err);
    run.code = transfer::importCommand(database, file, dryRun, out, err);
    out.flush();
    err.flush();
    return run;
}

inline CommandRun runExport(const QString& database, const QString& file,
                            const QString& format = {}, bool force = false) {
    CommandRun run;
    QTextStream out(&run.out), err(&run.err);
    run.code = transfer::exportCommand(database, file, format, force, out, err);
    out.flush();
    err.flush();
    return run;
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Snapshot rows without their ids (new rows get new ids).
inline QStringList withoutIds(const QStringList& snapshot) {
    QStringList rows;
    for (const QString& row : snapshot)
        rows << row.section(QLatin1Char('|'), 1);
    return rows;
}
