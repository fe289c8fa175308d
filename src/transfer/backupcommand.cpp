#include "store/sidefiles.h"
#include "transfer/backupfolder.h"
#include "transfer/filecommands.h"

#include <QFileInfo>

namespace transfer {

int backupCommand(const QString& database, const QString& file, QTextStream& out,
                  QTextStream& err) {
    if (!QFileInfo(database).isFile()) {
        err << QStringLiteral("The word list file \"%1\" does not exist.").arg(database) << '\n';
        return 1;
    }
    if (!file.isEmpty() &&
        QFileInfo(file).absoluteFilePath() == QFileInfo(database).absoluteFilePath()) {
        err << QStringLiteral("\"%1\" is the word list file itself.").arg(file) << '\n';
        return 1;
    }
    store::setAsideForeignSideFiles(database);
    const BackupOutcome outcome = makeBackup(database, file, QDate::currentDate());
    if (!outcome.error.isEmpty()) {
        err << outcome.error << '\n';
        return 1;
    }
    out << QStringLiteral("Backed up \"%1\" to \"%2\".").arg(database, outcome.file) << '\n';
    return 0;
}

} // namespace transfer
