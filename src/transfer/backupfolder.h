#pragma once

#include <QDate>
#include <QString>

// The daily copies of the word file: "<name>-backups/<name>-yyyy-mm-dd.db" beside it.
namespace transfer {

constexpr int kBackupsKept = 14;

QString backupFolderFor(const QString& database);
QString backupFileFor(const QString& database, const QDate& day);

struct BackupOutcome {
    QString file;  // the copy made, empty when none was needed or it failed
    QString error; // why it failed, in plain words; empty when it did not
};

// The first call on a day copies the file into the backup folder and removes all but the
// newest kBackupsKept copies; later calls that day do nothing.
BackupOutcome makeDailyBackup(const QString& database, const QDate& today);
// A copy now: into `target`, or into the backup folder under today's name when it is empty.
BackupOutcome makeBackup(const QString& database, const QString& target, const QDate& today);

} // namespace transfer
