#include "transfer/importrows.h"

#include "store/storedvalues.h"
#include "store/translate.h"
#include "transfer/csvreader.h"

#include <array>
#include <string>
#include <unordered_map>

namespace transfer {

namespace {

// The columns of the word list, in the table's order.
enum Column { Id, Word, Synonym, PartSpeech, Usage, Notes, EntryDate, LastSeen, IsUsed, Frequent };
constexpr int kColumns = 10;
constexpr int kIgnored = -1;

bool blank(std::string_view cell) {
    for (const char c : cell)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    return true;
}

QString text(std::string_view cell) {
    return QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()));
}

// Turns the records of a file into rows, one record at a time.
class Planner {
public:
    explicit Planner(const QDate& today) : m_today(today) {}

    void take(const CsvRecord& record) {
        if (!m_plan.error.isEmpty())
            return;
        if (m_columnOfCell.empty())
            readHeader(record);
        else
            readRow(record);
    }

    ImportPlan finish(const QString& csvError) {
        if (m_plan.error.isEmpty())
            m_plan.error = csvError;
        if (m_plan.error.isEmpty() && m_columnOfCell.empty())
            m_plan.error =
                QStringLiteral("the file is empty; its first line names the columns, for "
                               "example:\n    %1")
                    .arg(expectedHeader());
        if (m_plan.error.isEmpty() && m_bad > 0) {
            m_plan.error = m_firstBad;
            if (m_bad > 1)
                m_plan.error +=
                    QStringLiteral(" (and %1 more values that cannot be read)").arg(m_bad - 1);
        }
        // An unnamed column (a trailing separator, mostly) is named only when it held something.
        for (const auto& [cell, used] : m_unnamed)
            if (used)
                m_plan.ignoredColumns << QStringLiteral("(unnamed column %1)").arg(cell + 1);
        return std::move(m_plan);
    }

private:
    void readHeader(const CsvRecord& record) {
        std::array<bool, kColumns> seen{};
        for (std::size_t i = 0; i < record.cells.size(); ++i) {
            const QString name = text(record.cells[i]).trimmed();
            int column = kIgnored;
            for (int c = 0; c < kColumns; ++c)
                if (name.compare(QLatin1String(store::kTableColumns[c]), Qt::CaseInsensitive) == 0)
                    column = c;
            if (column != kIgnored && seen[column]) {
                m_plan.error = QStringLiteral("line %1: the header line names the column %2 twice")
                                   .arg(record.line)
                                   .arg(name);
                return;
            }
            if (column != kIgnored)
                seen[column] = true;
            if (column == Id)
                column = kIgnored; // new rows get new ids
            else if (column == kIgnored && name.isEmpty())
                m_unnamed.emplace_back(i, false);
            else if (column == kIgnored)
                m_plan.ignoredColumns << name;
            m_columnOfCell.push_back(column);
        }
        if (!seen[Word])
            m_plan.error = QStringLiteral("the first line does not name the column \"word\"; the "
                                          "first line names the columns, for example:\n    %1")
                               .arg(expectedHeader());
    }

    void readRow(const CsvRecord& record) {
        const std::size_t width = m_columnOfCell.size();
        const std::size_t cells = record.cells.size();
        for (std::size_t i = width; i < cells; ++i) {
            // Empty cells past the last column (a trailing separator) hold nothing to lose.
            if (!blank(record.cells[i])) {
                m_plan.error = QStringLiteral("line %1 has %2 cells, more than the %3 columns "
                                              "the header line names")
                                   .arg(record.line)
                                   .arg(cells)
                                   .arg(width);
                return;
            }
        }
        for (auto& [cell, used] : m_unnamed)
            used = used || (cell < cells && !blank(record.cells[cell]));
        std::array<std::string_view, kColumns> value{};
        for (std::size_t i = 0; i < std::min(width, cells); ++i)
            if (m_columnOfCell[i] != kIgnored)
                value[m_columnOfCell[i]] = record.cells[i];

        ImportedRow row{record.line, {}};
        store::NewWord& w = row.word;
        w.word = text(value[Word]).trimmed();
        if (w.word.isEmpty()) {
            m_plan.linesWithoutWord.push_back(record.line);
            return;
        }
        w.synonym = blank(value[Synonym]) ? QStringLiteral("not entered") : text(value[Synonym]);
        w.partSpeech = blank(value[PartSpeech]) ? QStringLiteral("?") : text(value[PartSpeech]);
        w.usage = text(value[Usage]);
        w.notes = text(value[Notes]);
        w.entrydate = readDate(value[EntryDate], record.line, EntryDate);
        w.lastSeen = readDate(value[LastSeen], record.line, LastSeen);
        w.isUsed = readFlag(value[IsUsed], record.line, IsUsed);
        w.frequent = readFlag(value[Frequent], record.line, Frequent);
        m_plan.rows.push_back(std::move(row));
    }

    void noteBad(int line, std::string_view cell, int column, const char* what) {
        if (m_bad++ == 0)
            m_firstBad = QStringLiteral("line %1: \"%2\" in the column %3 is %4")
                             .arg(line)
                             .arg(text(cell), QLatin1String(store::kTableColumns[column]),
                                  QLatin1String(what));
    }

    // Dates repeat a lot in a list (one per day of entry): each text is read once.
    QDate readDate(std::string_view cell, int line, int column) {
        if (blank(cell))
            return m_today;
        auto it = m_dates.find(std::string(cell));
        if (it == m_dates.end())
            it = m_dates.emplace(std::string(cell), store::parseStoredDate(text(cell))).first;
        if (!it->second.isValid())
            noteBad(line, cell, column, "not a date");
        return it->second;
    }

    bool readFlag(std::string_view cell, int line, int column) {
        if (cell == "0" || blank(cell))
            return false;
        if (cell == "1")
            return true;
        const auto flag = store::parseFlagText(text(cell));
        if (!flag)
            noteBad(line, cell, column, "neither yes nor no");
        return flag.value_or(false);
    }

    QDate m_today;
    ImportPlan m_plan;
    std::vector<int> m_columnOfCell; // which column each cell feeds; empty before the header
    std::vector<std::pair<std::size_t, bool>> m_unnamed; // cell, whether a line filled it
    std::unordered_map<std::string, QDate> m_dates;
    int m_bad = 0;
    QString m_firstBad;
};

} // namespace

QString expectedHeader() {
    QStringList names;
    for (int c = Word; c < kColumns; ++c)
        names << QLatin1String(store::kTableColumns[c]);
    return names.join(QLatin1Char(','));
}

ImportPlan planImport(const QByteArray& utf8, char separator, const QDate& today) {
    Planner planner(today);
    const QString error =
        readCsv(utf8, separator, true, [&](const CsvRecord& record) { planner.take(record); });
    if (error.isEmpty() || separator != '\t')
        return planner.finish(error);
    // Tab-separated text from simple tools has no quoting ("He said "abate" twice." in a cell):
    // read it again with quotes as plain characters, each line one record.
    Planner plain(today);
    readCsv(utf8, separator, false, [&](const CsvRecord& record) { plain.take(record); });
    return plain.finish({});
}

} // namespace transfer
