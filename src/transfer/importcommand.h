#pragma once

#include <QString>
#include <QTextStream>

namespace transfer {

// `gre-wordlist import FILE [--dry-run]`: adds the words of a CSV or tab-separated file to the
// word list `database` in one transaction, skipping words already in the list or repeated in
// the file, and writes one summary to `out`. A malformed file or a failure of the store changes
// nothing and is reported on `err`. A dry run reports the same and writes nothing.
// Returns the exit code: 0 imported (skipped words included), 1 refused or failed, 2 no FILE.
int importCommand(const QString& database, const QString& file, bool dryRun, QTextStream& out,
                  QTextStream& err);

} // namespace transfer
