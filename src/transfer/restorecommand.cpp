#include "store/filecopy.h"
#include "store/sidefiles.h"
#include "store/storeerror.h"
#include "transfer/backupfolder.h"
#include "transfer/filecommands.h"
#include "transfer/instancelock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace transfer {

namespace {

// Why `file` cannot be restored; empty when it is a sound word list.
QString unfitReason(const QString& file, store::WordListSummary& summary) {
    try {
        store::setAsideForeignSideFiles(file);
        summary = store::inspectWordList(file);
    } catch (const store::StoreError& e) {
        return e.description();
    }
    if (summary.integrity != QLatin1String("ok"))
        return QStringLiteral("The file \"%1\" is damaged (%2).").arg(file, summary.integrity);
    return {};
}

} // namespace

int restoreCommand(const QString& database, const QString& file, QTextStream& out,
                   QTextStream& err) {
    if (QFileInfo(file).canonicalFilePath() == QFileInfo(database).canonicalFilePath() &&
        QFileInfo::exists(file)) {
        err << QStringLiteral("\"%1\" is the word list file itself.").arg(file) << '\n';
        return 1;
    }
    store::WordListSummary summary;
    if (const QString reason = unfitReason(file, summary); !reason.isEmpty()) {
        err << reason << "\nNothing was restored.\n";
        return 1;
    }
    // Holding the program's lock keeps a program from starting on the file meanwhile.
    QLockFile lock(instanceLockPath(database));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        err << QStringLiteral("The program is running on \"%1\"; close it first. Nothing was "
                              "restored.")
                   .arg(database)
            << '\n';
        return 1;
    }
    if (QFileInfo(database).isFile()) {
        store::setAsideForeignSideFiles(database);
        const QString before = backupFolderFor(database) + u'/' +
                               QFileInfo(database).completeBaseName() +
                               QDateTime::currentDateTime().toString(
                                   QStringLiteral("'-before-restore-'yyyy-MM-dd-HHmmss'.db'"));
        QDir().mkpath(backupFolderFor(database));
        const BackupOutcome saved = makeBackup(database, before, QDate::currentDate());
        if (!saved.error.isEmpty()) {
            err << saved.error << "\nNothing was restored.\n";
            return 1;
        }
        out << QStringLiteral("Backed up the current word list to \"%1\".").arg(saved.file) << '\n';
    }
    try {
        store::replaceWordList(file, database);
    } catch (const store::StoreError& e) {
        err << e.description() << "\nThe word list file was left as it was.\n";
        return 1;
    }
    out << QStringLiteral("Restored \"%1\" (%2 words) as \"%3\".")
               .arg(file)
               .arg(summary.words)
               .arg(database)
        << '\n';
    return 0;
}

} // namespace transfer
