// Starting a test: making sure enough words are free, asking for the test type, drawing the
// ten words and showing the first question.
#include "quiz/frmtestusage.h"
#include "quiz/module1.h"
#include "quiz/testtypeanswer.h"
#include "shell/dialogs.h"
#include "store/connection.h"
#include "store/database.h"
#include "store/recordset.h"
#include "store/storedvalues.h"

#include <QLabel>
#include <QPushButton>

namespace {

// A test draws ten different words.
constexpr qint64 kWordsPerTest = 10;
// Below this many free words every word is set free again before the draw.
constexpr qint64 kFreeWordsWanted = 20;

const QString kTooFewWordsText = QStringLiteral(
    "A test needs at least 10 words in your wordlist, and it holds %1. Add more words, then "
    "start the test again.");

} // namespace

void frmtestusage::cmdstart_Click() {
    if (!refreshWordlistIfNeeded())
        return;
    testtype = askTestType();
    showTestType();

    Module1::picktestwords();

    questioncount = 0;
    cmdstart->setEnabled(false);
    lblno->show();
    lblnomessage->show();
    lblno->setText(QStringLiteral("10"));
    cmdnext_Click();
}

// Counts the used words on a connection of its own and, when fewer than 20 are free, sets every
// word free after telling the user. Returns false (and changes nothing) when the list holds too
// few words for a test.
bool frmtestusage::refreshWordlistIfNeeded() {
    store::Connection conn;
    conn.setProvider(QStringLiteral("Microsoft.Jet.OLEDB.3.51"));
    conn.setConnectionString(store::databasePath());
    conn.Open();

    store::Recordset rs;
    rs.setCursorType(store::CursorType::Keyset);
    rs.setLockType(store::LockType::Optimistic);
    rs.setSource(QStringLiteral("SELECT * FROM listofwords ORDER BY id"));
    rs.setActiveConnection(&conn);
    rs.Open();

    // is_used is read as everywhere else (store::flagValue): a row without value is not free
    // for the draw, so it counts as used and the refresh below sets it free. Only rows the draw
    // can reach count at all: those with an id of 1 or more.
    qint64 used = 0;
    qint64 total = 0;
    for (; !rs.eof(); rs.MoveNext()) {
        const QVariant id = rs.field(QStringLiteral("id"));
        if (id.isNull() || id.toLongLong() < 1)
            continue;
        ++total;
        if (store::flagValue(rs.field(QStringLiteral("is_used")), QStringLiteral("is_used")))
            ++used;
    }
    rs.MoveFirst();

    if (total < kWordsPerTest) {
        rs.Close();
        conn.Close();
        shell::dialogs().message(kTooFewWordsText.arg(total), shell::Buttons::Ok,
                                 shell::Icon::Information);
        return false;
    }

    if (used + kFreeWordsWanted > total) {
        shell::dialogs().message(
            QStringLiteral("There are less than 20  unused words! Your wordlist will be "
                           "refreshed, and again you can use all the words "));
        // One commit for the whole list instead of one per row.
        conn.BeginTrans();
        try {
            for (rs.MoveFirst(); !rs.eof(); rs.MoveNext()) {
                // A row that is already free stays as it is; writing it would change nothing.
                if (store::flagValue(rs.field(QStringLiteral("is_used")),
                                     QStringLiteral("is_used"))) {
                    rs.setField(QStringLiteral("is_used"), false);
                    rs.Update();
                }
            }
            conn.CommitTrans();
        } catch (...) {
            conn.RollbackTrans();
            throw;
        }
    }

    rs.Close();
    conn.Close();
    return true;
}

// Asks until the answer's nearest whole number is 0 (usage test; also Cancel) or 1 (synonyms).
int frmtestusage::askTestType() {
    for (;;) {
        const QString answer = shell::dialogs().input(
            QStringLiteral("Enter '0' for test on usages, and '1' for test on synonyms. (Default "
                           "will be the test on usage, ie if you click on 'cancel'.)"),
            QStringLiteral("Type of test?"), QStringLiteral("0"));
        const double value = testanswer::nearestWholeNumber(answer);
        if (value == 0.0)
            return 0;
        if (value == 1.0)
            return 1;
    }
}

// The question box and the type label of the chosen test are shown, the other pair hidden.
void frmtestusage::showTestType() {
    const int other = 1 - testtype;
    lblusage[testtype]->show();
    lblusage[other]->hide();
    lbltesttype[testtype]->show();
    lbltesttype[other]->hide();
}
