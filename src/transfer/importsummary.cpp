#include "transfer/importsummary.h"

namespace transfer {

namespace {

constexpr int kListed = 20;

QString listed(const QStringList& items) {
    if (items.size() <= kListed)
        return items.join(QStringLiteral(", "));
    return items.mid(0, kListed).join(QStringLiteral(", ")) +
           QStringLiteral(" and %1 more").arg(items.size() - kListed);
}

QString words(qint64 n) {
    return n == 1 ? QStringLiteral("1 word") : QStringLiteral("%1 words").arg(n);
}

} // namespace

QString importSummary(const ImportTally& t) {
    QString text =
        t.dryRun ? QStringLiteral("Dry run: would import %1 from %2").arg(words(t.imported), t.file)
                 : QStringLiteral("Imported %1 from %2").arg(words(t.imported), t.file);
    if (!t.alreadyInList.isEmpty())
        text += QStringLiteral("; skipped %1 already in the list (%2)")
                    .arg(t.alreadyInList.size())
                    .arg(listed(t.alreadyInList));
    if (!t.repeatedInFile.isEmpty())
        text += QStringLiteral("; skipped %1 repeated in the file (%2)")
                    .arg(t.repeatedInFile.size())
                    .arg(listed(t.repeatedInFile));
    if (const auto n = static_cast<qsizetype>(t.linesWithoutWord.size()); n > 0) {
        QStringList lines;
        for (const int line : t.linesWithoutWord)
            lines << QString::number(line);
        text += n == 1
                    ? QStringLiteral("; 1 line had no word (line %1)").arg(lines.front())
                    : QStringLiteral("; %1 lines had no word (lines %2)").arg(n).arg(listed(lines));
    }
    if (!t.ignoredColumns.isEmpty())
        text += QStringLiteral("; ignored the column%1 %2")
                    .arg(t.ignoredColumns.size() == 1 ? QString() : QStringLiteral("s"),
                         t.ignoredColumns.join(QStringLiteral(", ")));
    text += QLatin1Char('.');
    if (t.otherEncoding == QLatin1String("Windows-1252"))
        text += QStringLiteral(" %1 is not valid UTF-8 and was read as Windows-1252.").arg(t.file);
    else if (!t.otherEncoding.isEmpty())
        text += QStringLiteral(" %1 was read as %2, as its byte-order mark says.")
                    .arg(t.file, t.otherEncoding);
    if (t.dryRun)
        text += QStringLiteral(" Nothing was written.");
    return text;
}

} // namespace transfer
