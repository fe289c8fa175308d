#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// The program's command line: `--database PATH` for every use, and the commands that work on
// the word file without windows (also with no display).
namespace transfer {

// Whether the arguments ask for the windows: no command, no --help, no --version, no mistake.
bool startsWindows(const QStringList& arguments);
// The file --database names (made absolute), or empty for the default file.
QString databaseArgument(const QStringList& arguments);

// Runs --help, --version or a command; returns its exit code (0 done, 1 refused or failed,
// 2 wrong usage). `defaultDatabase` is used without --database.
int runCommandLine(const QStringList& arguments, const QString& defaultDatabase, QTextStream& out,
                   QTextStream& err);

} // namespace transfer
