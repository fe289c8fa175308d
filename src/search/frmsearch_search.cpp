// The search side of the search window: categories, the live filter, the date range and the
// filter taken from text highlighted in the details.
#include "search/frmsearch.h"
#include "shell/dialogs.h"
#include "shell/listfill.h"
#include "shell/wordlistbox.h"
#include "store/connection.h"
#include "store/dialect.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>

namespace search {

namespace {

const QString kWord = QStringLiteral("word");
const QString kIdentityNumber = QStringLiteral("identity number");
const QString kDateOfEntry = QStringLiteral("date of entry");
const QString kLastSeen = QStringLiteral("last seen");
const QString kPending = QStringLiteral("pending words");
const QString kDifficult = QStringLiteral("difficult words");

} // namespace

QString frmsearch::wordPrompt() {
    return QStringLiteral("Search for  the word beginning with");
}

void frmsearch::fillList(const QString& statement) {
    // Emptying the list is not a change of selection the user made: no Click.
    m_listQuiet = true;
    try {
        shell::fillListFromStatement(lstword, *connsearch, statement, &m_listIds);
    } catch (...) {
        m_listQuiet = false;
        throw;
    }
    m_listQuiet = false;
}

void frmsearch::showDateRange() {
    for (QWidget* control : std::initializer_list<QWidget*>{Label2, Label3, Label4, txtdate[0],
                                                            txtdate[1], DTPicker1, cmdgo})
        control->setVisible(true);
    txtlike->setVisible(false);
    Label5->setVisible(false);
}

void frmsearch::hideDateRange() {
    for (QWidget* control : std::initializer_list<QWidget*>{Label2, Label3, Label4, txtdate[0],
                                                            txtdate[1], DTPicker1, cmdgo})
        control->setVisible(false);
}

void frmsearch::showTextFilter() {
    hideDateRange();
    cmdgo->setEnabled(false);
    txtlike->setVisible(true);
    Label5->setVisible(true);
}

void frmsearch::cmdok_Click() {
    const QString category = Combo1->currentText();
    const shell::Answer answer = shell::dialogs().message(
        QStringLiteral("Are you sure you want to search by '") + category + QStringLiteral("' ?"),
        shell::Buttons::YesNo, shell::Icon::None, QStringLiteral("confirmation"));

    if (answer == shell::Answer::Yes) {
        if (category == kDateOfEntry || category == kLastSeen) {
            showDateRange();
        } else if (category == kPending || category == kDifficult) {
            hideDateRange();
            cmdgo->setEnabled(false);
            txtlike->setVisible(false);
            Label5->setVisible(false);
            fillList(
                category == kPending
                    ? QStringLiteral("SELECT * FROM listofwords WHERE synonym = 'not entered' ")
                    : QStringLiteral("SELECT * FROM listofwords WHERE frequent = TRUE "));
        } else {
            showTextFilter();
            txtlike->setFocus();
            if (category == kWord)
                searchfield = QStringLiteral("word");
            else if (category == kIdentityNumber)
                searchfield = QStringLiteral("id");
        }
    }

    // The prompt follows the category text whatever the answer.
    if (category == kWord)
        Label5->setText(wordPrompt());
    else if (category == kIdentityNumber)
        Label5->setText(QStringLiteral("Search for  the word whose identity number begins with"));
    cmdgo->setEnabled(false);
}

void frmsearch::txtlike_Change() {
    cmdchange[0]->setEnabled(false);
    cmdchange[1]->setEnabled(false);
    // Before "word" or "identity number" was ever confirmed in this run the filter has no
    // column yet: it then matches words, the window's first category.
    const QString field = searchfield.isEmpty() ? QStringLiteral("word") : searchfield;
    fillList(QStringLiteral("SELECT * FROM listofwords WHERE ") + field +
             QStringLiteral(" LIKE '") + store::escapeQuotes(txtlike->text()) +
             QStringLiteral("%' ORDER BY ") + field);
}

void frmsearch::txtdate_Click(int index) {
    const QDate picked = DTPicker1->date();
    txtdate[index]->setText(QLocale().toString(picked, QLocale::ShortFormat));
    if (index == 0) {
        datefrom = picked;
        if (!txtdate[1]->text().isEmpty())
            cmdgo->setEnabled(true);
    } else {
        dateto = picked;
        if (!txtdate[0]->text().isEmpty())
            cmdgo->setEnabled(true);
    }
}

void frmsearch::dateBoxMouseEvent(int index, QEvent* event) {
    // A click is a left press and release on the same pink box.
    if (event->type() == QEvent::MouseButtonPress) {
        const bool left = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        m_datePressed = left ? index : -1;
    } else if (event->type() == QEvent::MouseButtonRelease && m_datePressed == index) {
        m_datePressed = -1;
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            txtdate_Click(index);
    }
}

void frmsearch::cmdgo_Click() {
    // A pink box holding typed text (not a picked date) leaves its end of the range unset.
    if (!datefrom.isValid() || !dateto.isValid()) {
        shell::dialogs().message(
            QStringLiteral("Choose a date in the calendar and click on both pink boxes first."),
            shell::Buttons::Ok, shell::Icon::Exclamation);
        return;
    }
    if (datefrom > dateto)
        std::swap(datefrom, dateto);
    const QString column = Combo1->currentText() == kDateOfEntry ? QStringLiteral("entrydate")
                                                                 : QStringLiteral("last_seen");
    fillList(QStringLiteral("SELECT * FROM listofwords WHERE (") + column +
             QStringLiteral(" >= #") + store::dateLiteralText(datefrom) +
             QStringLiteral("#) AND (") + column + QStringLiteral(" <= #") +
             store::dateLiteralText(dateto) + QStringLiteral("#) ORDER BY word"));
}

void frmsearch::txtfield_Click(int index) {
    Label2->setVisible(false);
    Label3->setVisible(false);
    Label4->setVisible(false);
    Label5->setVisible(true);
    txtdate[0]->setVisible(false);
    txtdate[1]->setVisible(false);
    cmdgo->setVisible(false);
    DTPicker1->setVisible(false);
    txtlike->setVisible(true);
    const QString highlighted = fieldSelectedText(index);
    if (highlighted.isEmpty())
        return;
    // The list is filtered to the highlighted text even when the filter box holds it already
    // (and so raises no change of its own) while the list shows another search.
    if (txtlike->text() == highlighted)
        txtlike_Change();
    else
        txtlike->setText(highlighted);
}

void frmsearch::txtfield_Change(int) {}

bool frmsearch::fieldMouseRelease(int index, QObject* watched, QEvent* event) {
    // A disabled box takes no clicks (its events still pass through this filter).
    if (event->type() != QEvent::MouseButtonRelease || m_forwardingRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton ||
        !txtfield[index]->isEnabled())
        return false;
    // The box finishes its own handling of the release (the highlight is then final) before
    // the Click runs.
    m_forwardingRelease = true;
    QCoreApplication::sendEvent(watched, event);
    m_forwardingRelease = false;
    txtfield_Click(index);
    return true;
}

} // namespace search
