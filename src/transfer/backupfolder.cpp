#include "transfer/backupfolder.h"

#include "store/filecopy.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFileInfo>

namespace transfer {

namespace {

QString stem(const QString& database) {
    return QFileInfo(database).completeBaseName();
}

void removeOldBackups(const QString& database) {
    QDir folder(backupFolderFor(database));
    // The dated names sort by date; the newest come first.
    const QStringList copies =
        folder.entryList({stem(database) + QStringLiteral("-\?\?\?\?-\?\?-\?\?.db")}, QDir::Files,
                         QDir::Name | QDir::Reversed);
    for (qsizetype i = kBackupsKept; i < copies.size(); ++i)
        folder.remove(copies[i]);
}

} // namespace

QString backupFolderFor(const QString& database) {
    const QFileInfo info(database);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral("-backups");
}

QString backupFileFor(const QString& database, const QDate& day) {
    return backupFolderFor(database) + u'/' + stem(database) + u'-' +
           day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".db");
}

BackupOutcome makeBackup(const QString& database, const QString& target, const QDate& today) {
    BackupOutcome outcome;
    const QString file = target.isEmpty() ? backupFileFor(database, today) : target;
    if (target.isEmpty() && !QDir().mkpath(backupFolderFor(database))) {
        outcome.error = QStringLiteral("The backup folder \"%1\" could not be created.")
                            .arg(backupFolderFor(database));
        return outcome;
    }
    try {
        store::copyWordList(database, file);
    } catch (const store::StoreError& e) {
        outcome.error = QStringLiteral("The word list \"%1\" could not be copied to \"%2\": %3")
                            .arg(database, file, e.description());
        return outcome;
    }
    outcome.file = file;
    if (target.isEmpty())
        removeOldBackups(database);
    return outcome;
}

BackupOutcome makeDailyBackup(const QString& database, const QDate& today) {
    if (QFileInfo::exists(backupFileFor(database, today)))
        return {};
    return makeBackup(database, {}, today);
}

} // namespace transfer
