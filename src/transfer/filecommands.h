#pragma once

#include <QString>
#include <QTextStream>

// The command-line commands on the word file. Each prints what it did on `out`, the reason of
// a refusal or failure on `err`, and returns the exit code: 0 done, 1 refused or failed.
namespace transfer {

// A backup now, to `file`, or into the backup folder when `file` is empty; safe while the
// program runs.
int backupCommand(const QString& database, const QString& file, QTextStream& out, QTextStream& err);

// Puts the word list `file` in place of `database`: `file` must pass the integrity check and
// hold the word table, no program may be running on `database`, and the current file is
// backed up first.
int restoreCommand(const QString& database, const QString& file, QTextStream& out,
                   QTextStream& err);

// The integrity check and the counts of words, free, difficult and pending words.
int checkCommand(const QString& database, QTextStream& out, QTextStream& err);

} // namespace transfer
