// The word file's own costs: the day's backup of the 100,000-word file, and the checks a start
// adds before the menu (the single-start claim, the side-file check and the file check).
#include "benchkit.h"
#include "shell/singleinstance.h"
#include "store/database.h"
#include "transfer/backupfolder.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

namespace {

void wordFile() {
    const QString database = bench::freshDatabase();
    const QString target = QFileInfo(database).absolutePath() + "/bench-backup.db";
    bench::report(
        QString("backup of the %1-word file (%2 MB, online backup API)")
            .arg(bench::kWords)
            .arg(QFileInfo(database).size() / 1e6, 0, 'f', 1),
        bench::medianMs(5, [&] { transfer::makeBackup(database, target, QDate::currentDate()); }),
        QStringLiteral("< 500 ms"));
    QFile::remove(target);
    bench::report("start-up: single-start claim (lock file and local socket)",
                  bench::medianMs(15,
                                  [&] {
                                      shell::SingleInstance instance;
                                      instance.claim(database);
                                  }),
                  QStringLiteral("a few ms of the 50 ms start"));
    bench::report("start-up: file check (side files, journal mode, table, identity)",
                  bench::medianMs(15, [] { store::ensureDatabase(); }),
                  QStringLiteral("as before: a few ms"));
}

bench::Register reg("files", wordFile);

} // namespace
