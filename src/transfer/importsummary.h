#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace transfer {

// What one import did (or, on a dry run, would do).
struct ImportTally {
    QString file;
    bool dryRun = false;
    qint64 imported = 0;
    QStringList alreadyInList;  // as the file spells them, in file order
    QStringList repeatedInFile; // later occurrences, in file order
    std::vector<int> linesWithoutWord;
    QStringList ignoredColumns;
    QString otherEncoding; // see DecodedText
};

// One paragraph, for example "Imported 812 words from words.csv; skipped 23 already in the
// list (abate, …); 2 lines had no word (lines 14, 90)." Long lists show their first 20 entries
// and a count of the rest.
QString importSummary(const ImportTally& tally);

} // namespace transfer
