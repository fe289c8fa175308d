#include "transfer/exportformats.h"

#include "store/translate.h"
#include "transfer/csvwriter.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <vector>

namespace transfer {

namespace {

enum Column { Id, Word, Synonym, PartSpeech, Usage, Notes, EntryDate, LastSeen, IsUsed, Frequent };

// Text for a field of a note: HTML-escaped, each line break a <br>, a tab a blank (the tab
// separates fields).
QString noteText(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString html = text.toHtmlEscaped();
    html.replace(lineBreak, QStringLiteral("<br>"));
    html.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return html;
}

void appendAnkiNote(QByteArray& out, const ExportedRow& row) {
    QStringList back;
    if (!row[Synonym].trimmed().isEmpty() && row[Synonym] != QLatin1String("not entered"))
        back << noteText(row[Synonym]);
    if (!row[PartSpeech].trimmed().isEmpty() && row[PartSpeech] != QLatin1String("?"))
        back << noteText(row[PartSpeech]);
    if (!row[Usage].trimmed().isEmpty())
        back << noteText(QString(row[Usage]).replace(QLatin1Char('*'), row[Word]));
    if (!row[Notes].trimmed().isEmpty())
        back << noteText(row[Notes]);
    out += noteText(row[Word]).toUtf8();
    out += '\t';
    out += back.join(QStringLiteral("<br>")).toUtf8();
    out += '\t';
    if (row[Frequent] == QLatin1String("1"))
        out += "difficult";
    out += '\n';
}

} // namespace

std::optional<ExportFormat> exportFormat(const QString& name, const QString& fileName) {
    const QString n = name.toLower();
    if (n.isEmpty()) {
        const QString suffix = QFileInfo(fileName).suffix().toLower();
        return suffix == QLatin1String("tsv") || suffix == QLatin1String("tab") ? ExportFormat::Tsv
                                                                                : ExportFormat::Csv;
    }
    if (n == QLatin1String("csv"))
        return ExportFormat::Csv;
    if (n == QLatin1String("tsv"))
        return ExportFormat::Tsv;
    if (n == QLatin1String("anki"))
        return ExportFormat::Anki;
    return std::nullopt;
}

QByteArray exportHeader(ExportFormat format) {
    if (format == ExportFormat::Anki)
        return "#separator:tab\n#html:true\n#tags column:3\n";
    std::vector<QByteArray> names(std::begin(store::kTableColumns), std::end(store::kTableColumns));
    QByteArray out;
    appendCsvRecord(out, names, format == ExportFormat::Tsv ? '\t' : ',');
    return out;
}

void appendExportRow(QByteArray& out, ExportFormat format, const ExportedRow& row) {
    if (format == ExportFormat::Anki) {
        appendAnkiNote(out, row);
        return;
    }
    std::vector<QByteArray> cells;
    cells.reserve(row.size());
    for (const QString& text : row)
        cells.push_back(text.toUtf8());
    appendCsvRecord(out, cells, format == ExportFormat::Tsv ? '\t' : ',');
}

} // namespace transfer
