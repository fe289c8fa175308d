#include "transfer/csvreader.h"

#include <QFileInfo>
#include <csv.h>

namespace transfer {

namespace {

// The end of the line that starts at `from`: after "\n", "\r\n" or a lone "\r".
qsizetype lineEnd(const QByteArray& text, qsizetype from) {
    const qsizetype n = text.size();
    for (qsizetype i = from; i < n; ++i) {
        if (text[i] == '\n')
            return i + 1;
        if (text[i] == '\r')
            return (i + 1 < n && text[i + 1] == '\n') ? i + 2 : i + 1;
    }
    return n;
}

// The cells of the record being read, kept in one buffer that every record reuses.
struct Collector {
    const std::function<void(const CsvRecord&)>& take;
    std::string text;
    std::vector<std::size_t> ends;
    CsvRecord record;
    int recordStart = 0;
};

void onCell(void* data, std::size_t size, void* context) {
    auto* c = static_cast<Collector*>(context);
    if (size > 0)
        c->text.append(static_cast<const char*>(data), size);
    c->ends.push_back(c->text.size());
}

void onRecordEnd(int, void* context) {
    auto* c = static_cast<Collector*>(context);
    c->record.line = c->recordStart;
    c->record.cells.clear();
    std::size_t from = 0;
    for (const std::size_t end : c->ends) {
        c->record.cells.emplace_back(c->text.data() + from, end - from);
        from = end;
    }
    c->take(c->record);
    c->text.clear();
    c->ends.clear();
}

QString misplacedQuote(int line, int recordStart) {
    if (recordStart == line)
        return QStringLiteral("line %1: a quote is out of place (a quoted cell ends with a quote "
                              "followed by the separator or the end of the line, and a quote "
                              "inside it is written twice)")
            .arg(line);
    return QStringLiteral("line %1: a quote is out of place; the quoted cell that begins on "
                          "line %2 may lack its closing quote")
        .arg(line)
        .arg(recordStart);
}

} // namespace

char chooseSeparator(const QString& fileName, const QByteArray& utf8,
                     const QByteArray& wantedCell) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("tsv") || suffix == QLatin1String("tab"))
        return '\t';
    qsizetype start = 0;
    while (start < utf8.size() && utf8.mid(start, lineEnd(utf8, start) - start).trimmed().isEmpty())
        start = lineEnd(utf8, start);
    const QByteArray first = utf8.mid(start, lineEnd(utf8, start) - start);
    for (const char separator : {',', '\t', ';'}) {
        for (QByteArray cell : first.split(separator)) {
            cell = cell.trimmed();
            if (cell.startsWith('"') && cell.endsWith('"') && cell.size() >= 2)
                cell = cell.mid(1, cell.size() - 2).trimmed();
            if (cell.compare(wantedCell, Qt::CaseInsensitive) == 0)
                return separator;
        }
    }
    return ',';
}

QString readCsv(const QByteArray& utf8, char separator, bool quoted,
                const std::function<void(const CsvRecord&)>& take) {
    csv_parser parser;
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    if (!quoted)
        csv_set_quote(&parser, '\0'); // text holds no NUL character
    // The state between two records, whatever libcsv numbers it.
    const int betweenRecords = parser.pstate;

    Collector collector{take, {}, {}, {}, 0};
    QString error;
    // Fed one line at a time, so that each record and each fault is known by its line.
    int line = 0;
    for (qsizetype pos = 0; pos < utf8.size() && error.isEmpty();) {
        const qsizetype end = lineEnd(utf8, pos);
        ++line;
        if (parser.pstate == betweenRecords)
            collector.recordStart = line;
        const auto size = static_cast<std::size_t>(end - pos);
        if (csv_parse(&parser, utf8.constData() + pos, size, onCell, onRecordEnd, &collector) !=
            size)
            error = csv_error(&parser) == CSV_EPARSE
                        ? misplacedQuote(line, collector.recordStart)
                        : QStringLiteral("line %1: the line is too long to read").arg(line);
        pos = end;
    }
    if (error.isEmpty() && csv_fini(&parser, onCell, onRecordEnd, &collector) != 0)
        error = QStringLiteral("line %1: a quote is never closed (the quoted cell runs to the "
                               "end of the file)")
                    .arg(collector.recordStart);
    csv_free(&parser);
    return error;
}

} // namespace transfer
