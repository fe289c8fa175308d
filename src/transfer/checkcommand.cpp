#include "store/filecopy.h"
#include "store/sidefiles.h"
#include "store/storeerror.h"
#include "transfer/filecommands.h"

namespace transfer {

int checkCommand(const QString& database, QTextStream& out, QTextStream& err) {
    store::WordListSummary s;
    try {
        store::setAsideForeignSideFiles(database);
        s = store::inspectWordList(database);
    } catch (const store::StoreError& e) {
        err << e.description() << '\n';
        return 1;
    }
    out << QStringLiteral("File: %1\nIntegrity: %2\n").arg(database, s.integrity);
    if (s.integrity != QLatin1String("ok")) {
        err << QStringLiteral("The word list file \"%1\" is damaged.").arg(database) << '\n';
        return 1;
    }
    out << QStringLiteral("Words: %1\nFree words: %2\nDifficult words: %3\nPending words: %4\n")
               .arg(s.words)
               .arg(s.free)
               .arg(s.difficult)
               .arg(s.pending);
    return 0;
}

} // namespace transfer
