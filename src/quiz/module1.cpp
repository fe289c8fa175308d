#include "quiz/module1.h"

#include "quiz/sharedrecordset.h"
#include "shell/clock.h"
#include "shell/random.h"
#include "store/recordset.h"
#include "store/storeerror.h"

#include <algorithm>
#include <cmath>

namespace Module1 {

std::array<QString, 10> testwords;
std::array<QString, 10> testusages;
std::array<QString, 10> testsynonyms;
std::array<qint64, 10> testids;
std::array<QString, 5> testchoices;

const QString kNoUsageText = QStringLiteral("USAGE NOT ENTERED BY YOU, TRY THE SYNONYM :");

namespace {

// The draw guesses ids in 1..MAX(id), as on any table the program made itself. When this many
// guesses in a row miss (ids spread far apart, or few free rows left among many), it draws
// directly among the rows that exist: a bounded number of statements, the same uniform choice.
constexpr int kGuessesBeforeDirectDraw = 64;
// Once a draw had to take a row directly, the next draws guess only this many times before they
// do the same: on a table whose ids are spread wide, guessing is nearly always wasted.
constexpr int kGuessesAfterDirectDraw = 4;
int guessesAllowed = kGuessesBeforeDirectDraw;

// Records how a draw ended: a hit among the guesses restores the full number of guesses.
void noteGuessHit() {
    guessesAllowed = kGuessesBeforeDirectDraw;
}
void noteDirectDraw() {
    guessesAllowed = kGuessesAfterDirectDraw;
}

// The rows a draw can reach: rows without an id, or with one below 1, are never drawn.
const QString kDrawable = QStringLiteral("(id >= 1)");
const QString kFree = QStringLiteral("(id >= 1) AND (is_used = False)");

// After this many direct draws in a row that give the right word itself, pickchoices checks
// whether the list still holds any word that can serve (words may be deleted in the search
// window while a test runs).
constexpr int kMissesBeforeCheck = 2000;

// The id as it goes into a statement: decimal text after one blank (the sign place).
QString idText(qint64 id) {
    return QLatin1Char(' ') + QString::number(id);
}

QString textOf(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

// Whether any word the draw can reach differs from the given one (case-sensitive).
bool tableHasOtherWord(const QString& word) {
    store::Recordset& rs = quizside::sharedRecordset();
    quizside::CloseSharedOnExit closer;
    rs.setSource(QStringLiteral("SELECT word FROM listofwords WHERE ") + kDrawable);
    rs.Open();
    for (; !rs.eof(); rs.MoveNext()) {
        const QVariant value = rs.field(QStringLiteral("word"));
        if (!value.isNull() && value.toString() != word)
            return true;
    }
    return false;
}

// Opens the shared record set on one row drawn uniformly among the rows meeting `condition`
// (counted first, then taken by position). Returns false, with the record set closed, when no
// row meets it; otherwise the caller closes it.
bool openDirectDraw(const QString& columns, const QString& condition) {
    store::Recordset& rs = quizside::sharedRecordset();
    qint64 count = 0;
    {
        quizside::CloseSharedOnExit closer;
        rs.setSource(QStringLiteral("SELECT COUNT(*) AS rowcount FROM listofwords WHERE ") +
                     condition);
        rs.Open();
        count = rs.field(QStringLiteral("rowcount")).toLongLong();
    }
    if (count <= 0)
        return false;
    shell::randomize();
    const double r = shell::rnd();
    const auto position = std::clamp<qint64>(
        static_cast<qint64>(std::floor(static_cast<double>(count) * r)), 0, count - 1);
    rs.setSource(QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM listofwords WHERE ") +
                 condition + QStringLiteral(" LIMIT 1 OFFSET ") + QString::number(position));
    rs.Open();
    return !rs.eof();
}

} // namespace

qint64 drawid() {
    store::Recordset& rs = quizside::sharedRecordset();
    qint64 highest = 0;
    {
        quizside::CloseSharedOnExit closer;
        rs.setSource(QStringLiteral(
            "select * from listofwords WHERE id = (SELECT MAX(id) FROM listofwords)"));
        rs.Open();
        if (rs.eof())
            throw store::StoreError(store::errnum::NoCurrentRow,
                                    QStringLiteral("The word list is empty: there is no word "
                                                   "to draw for a test."));
        highest = rs.field(QStringLiteral("id")).toLongLong();
    }
    shell::randomize();
    const float r = shell::rnd();
    // Double precision keeps m * r below m for every id a table can hold.
    const auto n = static_cast<qint64>(std::floor(static_cast<double>(highest) * r + 1.0));
    return std::clamp<qint64>(n, 1, std::max<qint64>(highest, 1));
}

void picktestwords() {
    store::Recordset& rs = quizside::sharedRecordset();
    int i = 0;
    int misses = 0;
    while (i != 10) {
        quizside::CloseSharedOnExit closer;
        if (misses < guessesAllowed) {
            const qint64 n = drawid();
            rs.setLockType(store::LockType::Optimistic);
            rs.setCursorType(store::CursorType::Keyset);
            rs.setSource(QStringLiteral("SELECT * FROM listofwords WHERE (id = ") + idText(n) +
                         QStringLiteral(") AND (is_used = False)"));
            rs.Open();
            if (rs.eof()) {
                ++misses;
                continue;
            }
            noteGuessHit();
        } else {
            rs.setLockType(store::LockType::Optimistic);
            rs.setCursorType(store::CursorType::Keyset);
            if (!openDirectDraw(QStringLiteral("*"), kFree))
                throw store::StoreError(store::errnum::NoCurrentRow,
                                        QStringLiteral("No word of the list is free for a test."));
            noteDirectDraw();
        }
        misses = 0;
        const QString word = textOf(rs.field(QStringLiteral("word")));
        const QString usage = textOf(rs.field(QStringLiteral("usage")));
        const QString synonym = textOf(rs.field(QStringLiteral("synonym")));
        testwords[i] = word;
        testsynonyms[i] = synonym;
        testids[i] = rs.field(QStringLiteral("id")).toLongLong();
        rs.setField(QStringLiteral("is_used"), true);
        if (!usage.isEmpty()) {
            testusages[i] = usage;
            rs.setField(QStringLiteral("last_seen"), shell::today());
        } else {
            testusages[i] = kNoUsageText + synonym;
        }
        rs.Update();
        ++i;
    }
}

void pickchoices() {
    store::Recordset& rs = quizside::sharedRecordset();
    int k = 1;
    int guessMisses = 0;
    int directMisses = 0;
    while (k != 5) {
        if (directMisses == kMissesBeforeCheck) {
            if (!tableHasOtherWord(testchoices[0])) {
                // Nothing can serve as a wrong choice: offer empty lines rather than draw forever.
                for (; k != 5; ++k)
                    testchoices[k].clear();
                return;
            }
            directMisses = 0;
        }
        quizside::CloseSharedOnExit closer;
        bool found = false;
        if (guessMisses < guessesAllowed) {
            const qint64 n = drawid();
            rs.setSource(QStringLiteral("SELECT word FROM listofwords WHERE id = ") + idText(n));
            rs.Open();
            found = !rs.eof();
            if (found)
                noteGuessHit();
        } else {
            found = openDirectDraw(QStringLiteral("word"), kDrawable);
            if (!found) {
                directMisses = kMissesBeforeCheck; // no row can be drawn: check at once
                continue;
            }
            noteDirectDraw();
        }
        if (found) {
            const QVariant value = rs.field(QStringLiteral("word"));
            if (!value.isNull() && value.toString() != testchoices[0]) {
                testchoices[k] = value.toString();
                ++k;
                guessMisses = 0;
                directMisses = 0;
                continue;
            }
        }
        if (guessMisses < guessesAllowed)
            ++guessMisses;
        else
            ++directMisses;
    }
}

} // namespace Module1
