#include "quiz/module1.h"

#include "shell/clock.h"
#include "shell/random.h"
#include "store/recordset.h"
#include "store/storeerror.h"
#include "quiz/sharedrecordset.h"

#include <algorithm>
#include <cmath>

namespace Module1 {

std::array<QString, 10> testwords;
std::array<QString, 10> testusages;
std::array<QString, 10> testsynonyms;
std::array<QString, 5> testchoices;

const QString kNoUsageText = QStringLiteral("USAGE NOT ENTERED BY YOU, TRY THE SYNONYM :");

namespace {

// After this many draws in a row without a usable word, pickchoices checks whether the list
// still holds any word that can serve (words may be deleted in the search window while a test
// runs); normal tables, even very sparse ones, never get near it.
constexpr int kMissesBeforeCheck = 2000;

// The id as it goes into a statement: decimal text after one blank (the sign place).
QString idText(qint64 id) {
    return QLatin1Char(' ') + QString::number(id);
}

QString textOf(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

// Whether any word of the table differs from the given one (case-sensitive).
bool tableHasOtherWord(const QString& word) {
    store::Recordset& rs = quizside::sharedRecordset();
    quizside::CloseSharedOnExit closer;
    rs.setSource(QStringLiteral("SELECT word FROM listofwords"));
    rs.Open();
    for (; !rs.eof(); rs.MoveNext()) {
        const QVariant value = rs.field(QStringLiteral("word"));
        if (!value.isNull() && value.toString() != word)
            return true;
    }
    return false;
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
    while (i != 10) {
        const qint64 n = drawid();
        quizside::CloseSharedOnExit closer;
        rs.setLockType(store::LockType::Optimistic);
        rs.setCursorType(store::CursorType::Keyset);
        rs.setSource(QStringLiteral("SELECT * FROM listofwords WHERE (id = ") + idText(n) +
                     QStringLiteral(") AND (is_used = False)"));
        rs.Open();
        if (rs.eof())
            continue;
        const QString word = textOf(rs.field(QStringLiteral("word")));
        const QString usage = textOf(rs.field(QStringLiteral("usage")));
        const QString synonym = textOf(rs.field(QStringLiteral("synonym")));
        testwords[i] = word;
        testsynonyms[i] = synonym;
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
    int misses = 0;
    while (k != 5) {
        if (misses == kMissesBeforeCheck) {
            if (!tableHasOtherWord(testchoices[0])) {
                // Nothing can serve as a wrong choice: offer empty lines rather than draw forever.
                for (; k != 5; ++k)
                    testchoices[k].clear();
                return;
            }
            misses = 0;
        }
        const qint64 n = drawid();
        quizside::CloseSharedOnExit closer;
        rs.setSource(QStringLiteral("SELECT word FROM listofwords WHERE id = ") + idText(n));
        rs.Open();
        if (!rs.eof()) {
            const QVariant value = rs.field(QStringLiteral("word"));
            if (!value.isNull() && value.toString() != testchoices[0]) {
                testchoices[k] = value.toString();
                ++k;
                misses = 0;
                continue;
            }
        }
        ++misses;
    }
}

} // namespace Module1
