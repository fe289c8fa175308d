#include "transfer/importrows.h"

#include "store/storedvalues.h"
#include "store/translate.h"

#include <array>

namespace transfer {

namespace {

// The columns of the word list, in the table's order.
enum Column { Id, Word, Synonym, PartSpeech, Usage, Notes, EntryDate, LastSeen, IsUsed, Frequent };
constexpr int kColumns = 10;
constexpr int kIgnored = -1;

// Which column each cell of a line feeds (kIgnored for id and unknown names).
struct Header {
    std::vector<int> columnOfCell;
    QString error;
};

Header readHeader(const CsvRecord& record, QStringList& ignored) {
    Header header;
    std::array<bool, kColumns> seen{};
    for (std::size_t i = 0; i < record.cells.size(); ++i) {
        const QString name = QString::fromUtf8(record.cells[i]).trimmed();
        int column = kIgnored;
        for (int c = 0; c < kColumns; ++c)
            if (name.compare(QLatin1String(store::kTableColumns[c]), Qt::CaseInsensitive) == 0)
                column = c;
        if (column != kIgnored && seen[column]) {
            header.error = QStringLiteral("line %1: the header line names the column %2 twice")
                               .arg(record.line)
                               .arg(name);
            return header;
        }
        if (column != kIgnored)
            seen[column] = true;
        if (column == Id)
            column = kIgnored; // new rows get new ids
        else if (column == kIgnored)
            ignored << (name.isEmpty() ? QStringLiteral("(unnamed column %1)").arg(i + 1) : name);
        header.columnOfCell.push_back(column);
    }
    if (!seen[Word])
        header.error = QStringLiteral("the first line does not name the column \"word\"; the "
                                      "first line names the columns, for example:\n    %1")
                           .arg(expectedHeader());
    return header;
}

// The first value that cannot be read, and how many there were.
struct BadValues {
    QString first;
    int count = 0;
    void note(const QString& what) {
        if (count++ == 0)
            first = what;
    }
};

QDate readDate(const QString& text, const QDate& today, int line, const char* column,
               BadValues& bad) {
    if (text.trimmed().isEmpty())
        return today;
    const QDate date = store::parseStoredDate(text);
    if (!date.isValid())
        bad.note(QStringLiteral("line %1: \"%2\" in the column %3 is not a date")
                     .arg(line)
                     .arg(text, QLatin1String(column)));
    return date;
}

bool readFlag(const QString& text, int line, const char* column, BadValues& bad) {
    if (text.trimmed().isEmpty())
        return false;
    const auto flag = store::parseFlagText(text);
    if (!flag)
        bad.note(QStringLiteral("line %1: \"%2\" in the column %3 is neither yes nor no")
                     .arg(line)
                     .arg(text, QLatin1String(column)));
    return flag.value_or(false);
}

} // namespace

QString expectedHeader() {
    QStringList names;
    for (int c = Word; c < kColumns; ++c)
        names << QLatin1String(store::kTableColumns[c]);
    return names.join(QLatin1Char(','));
}

ImportPlan planImport(const std::vector<CsvRecord>& records, const QDate& today) {
    ImportPlan plan;
    if (records.empty()) {
        plan.error = readHeader(CsvRecord{}, plan.ignoredColumns).error;
        return plan;
    }
    const Header header = readHeader(records.front(), plan.ignoredColumns);
    if (!header.error.isEmpty()) {
        plan.error = header.error;
        return plan;
    }
    const std::size_t width = header.columnOfCell.size();
    BadValues bad;
    plan.rows.reserve(records.size() - 1);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        for (std::size_t i = width; i < record.cells.size(); ++i) {
            // Empty cells past the last column (a trailing separator) hold nothing to lose.
            if (!record.cells[i].trimmed().isEmpty()) {
                plan.error = QStringLiteral("line %1 has %2 cells, more than the %3 columns "
                                            "the header line names")
                                 .arg(record.line)
                                 .arg(record.cells.size())
                                 .arg(width);
                return plan;
            }
        }
        std::array<QString, kColumns> value;
        for (std::size_t i = 0; i < std::min(width, record.cells.size()); ++i)
            if (header.columnOfCell[i] != kIgnored)
                value[header.columnOfCell[i]] = QString::fromUtf8(record.cells[i]);

        ImportedRow row{record.line, {}};
        store::NewWord& w = row.word;
        w.word = value[Word].trimmed();
        if (w.word.isEmpty()) {
            plan.linesWithoutWord.push_back(record.line);
            continue;
        }
        w.synonym =
            value[Synonym].trimmed().isEmpty() ? QStringLiteral("not entered") : value[Synonym];
        w.partSpeech =
            value[PartSpeech].trimmed().isEmpty() ? QStringLiteral("?") : value[PartSpeech];
        w.usage = value[Usage];
        w.notes = value[Notes];
        const int line = record.line;
        w.entrydate = readDate(value[EntryDate], today, line, store::kTableColumns[EntryDate], bad);
        w.lastSeen = readDate(value[LastSeen], today, line, store::kTableColumns[LastSeen], bad);
        w.isUsed = readFlag(value[IsUsed], line, store::kTableColumns[IsUsed], bad);
        w.frequent = readFlag(value[Frequent], line, store::kTableColumns[Frequent], bad);
        plan.rows.push_back(std::move(row));
    }
    if (bad.count > 0) {
        plan.error = bad.first;
        if (bad.count > 1)
            plan.error +=
                QStringLiteral(" (and %1 more values that cannot be read)").arg(bad.count - 1);
    }
    return plan;
}

} // namespace transfer
