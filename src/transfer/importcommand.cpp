#include "transfer/importcommand.h"

#include "store/connection.h"
#include "store/database.h"
#include "store/storeerror.h"
#include "store/wordbatch.h"
#include "transfer/csvreader.h"
#include "transfer/databasescope.h"
#include "transfer/decoding.h"
#include "transfer/importrows.h"
#include "transfer/importsummary.h"
#include "transfer/progressline.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

namespace transfer {

namespace {

// Adds the rows through one batch; commits unless it is a dry run.
void addRows(const ImportPlan& plan, ImportTally& tally, QTextStream& err) {
    store::Connection connection;
    connection.Open();
    store::WordBatch batch(connection);
    ProgressLine progress(err, QStringLiteral("Importing %1").arg(tally.file),
                          static_cast<qint64>(plan.rows.size()));
    qint64 done = 0;
    for (const ImportedRow& row : plan.rows) {
        switch (batch.add(row.word)) {
        case store::WordBatch::Outcome::Added:
            ++tally.imported;
            break;
        case store::WordBatch::Outcome::AlreadyInList:
            tally.alreadyInList << row.word.word;
            break;
        case store::WordBatch::Outcome::RepeatedInBatch:
            tally.repeatedInFile << row.word.word;
            break;
        }
        if (++done % 1024 == 0)
            progress.update(done);
    }
    if (!tally.dryRun)
        batch.commit();
}

} // namespace

int importCommand(const QString& database, const QString& file, bool dryRun, QTextStream& out,
                  QTextStream& err) {
    if (file.isEmpty()) {
        err << QStringLiteral("Name the file to import.\n");
        return 2;
    }
    QFile input(file);
    if (QFileInfo(file).isDir() || !input.open(QIODevice::ReadOnly)) {
        err << QStringLiteral("Cannot read %1: %2\n")
                   .arg(file, QFileInfo(file).isDir() ? QStringLiteral("it is a folder")
                                                      : input.errorString());
        return 1;
    }
    const DecodedText text = decodeText(input.readAll());
    input.close();

    const ImportPlan plan =
        planImport(text.utf8, chooseSeparator(file, text.utf8, "word"), QDate::currentDate());
    if (!plan.error.isEmpty()) {
        err << QStringLiteral("%1 cannot be imported: %2\nNothing was imported.\n")
                   .arg(file, plan.error);
        return 1;
    }

    ImportTally tally;
    tally.file = file;
    tally.dryRun = dryRun;
    tally.linesWithoutWord = plan.linesWithoutWord;
    tally.ignoredColumns = plan.ignoredColumns;
    tally.otherEncoding = text.otherEncoding;
    try {
        DatabaseScope scope(database);
        // A dry run never creates the word file: a list that does not exist yet is an empty
        // one, stood in for by a temporary file.
        std::optional<QTemporaryDir> standIn;
        if (dryRun && !QFileInfo::exists(scope.path()))
            store::setDatabasePath(standIn.emplace().filePath(QStringLiteral("empty.db")));
        store::ensureDatabase();
        addRows(plan, tally, err);
    } catch (const store::StoreError& error) {
        err << QStringLiteral("%1 was not imported: %2\n").arg(file, error.description());
        return 1;
    }
    out << importSummary(tally) << '\n';
    out.flush();
    return 0;
}

} // namespace transfer
