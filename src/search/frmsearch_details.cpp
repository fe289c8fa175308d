// The details of the word selected in the search window's list, and the list's keys.
#include "search/finally.h"
#include "search/frmsearch.h"
#include "shell/clock.h"
#include "shell/keycodes.h"
#include "shell/programvalues.h"
#include "shell/wordlistbox.h"
#include "store/connection.h"
#include "store/dialect.h"
#include "store/recordset.h"
#include "store/rowchoice.h"
#include "store/storedvalues.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVariant>

namespace search {

namespace {

constexpr int kKeyEnter = 13;
constexpr int kKeyF1 = 112;
constexpr int kKeyF2 = 113;

// A text column as a box shows it: no value is an empty box.
QString columnText(const store::Recordset& rs, const QString& column) {
    const QVariant value = rs.field(column);
    return value.isNull() ? QString() : value.toString();
}

} // namespace

void frmsearch::openWordRecordset(const QString& word, qint64 id) {
    rsword = std::make_unique<store::Recordset>();
    rsword->setLockType(store::LockType::Optimistic);
    rsword->setCursorType(store::CursorType::Keyset);
    rsword->setSource(QStringLiteral("SELECT * FROM listofwords WHERE word = '") +
                      store::escapeQuotes(word) + QStringLiteral("'"));
    rsword->setActiveConnection(connsearch.get());
    rsword->Open();
    store::moveToId(*rsword, id);
}

void frmsearch::releaseWordRecordset() {
    if (rsword && rsword->isOpen())
        rsword->Close();
    rsword.reset();
}

void frmsearch::lstword_Click() {
    showSelectedWord(Display::Full);
}

void frmsearch::showSelectedWord(Display display) {
    const QString word = selectedWord();
    openWordRecordset(word, selectedId());
    Finally release([this] { releaseWordRecordset(); });

    const bool found = rsword->RecordCount() != 0;
    cmdchange[0]->setEnabled(found);
    cmdchange[1]->setEnabled(found);

    // A word shown because another window asked for it counts as seen today.
    if (display == Display::Full && shell::showwordonopen && found) {
        rsword->setField(QStringLiteral("last_seen"), shell::today());
        rsword->Update();
    }

    for (int i = 1; i <= 4; ++i)
        txtfield[i]->setEnabled(true);

    if (found)
        showRow(display);
    else if (display == Display::Full || !word.isEmpty())
        // The selected word is gone (renamed or deleted meanwhile): nothing of another word
        // stays on screen. A key in a list with no selection leaves the details alone.
        clearDetails(display);
    releaseWordRecordset();

    if (display == Display::Full) {
        txtflashword->setText(fieldText(0));
        txtflashmeaning->setVisible(false);
        txtflashmeaning->setPlainText(fieldText(1));
    }
}

void frmsearch::showRow(Display display) {
    setFieldText(0, columnText(*rsword, QStringLiteral("word")));
    setFieldText(1, columnText(*rsword, QStringLiteral("synonym")));
    setFieldText(2, columnText(*rsword, QStringLiteral("usage")));
    setFieldText(3, columnText(*rsword, QStringLiteral("part_speech")));
    setFieldText(4, columnText(*rsword, QStringLiteral("notes")));
    // A number shown with the blank of its sign place.
    setFieldText(5, QStringLiteral(" ") +
                        QString::number(rsword->field(QStringLiteral("id")).toLongLong()));
    if (display == Display::Refresh)
        return;
    const auto flag = [this](const QString& column) {
        return store::flagValue(rsword->field(column), column);
    };
    setFieldText(6, flag(QStringLiteral("is_used")) ? QStringLiteral("Yes") : QStringLiteral("No"));
    chkdifficult->setCheckState(flag(QStringLiteral("frequent")) ? Qt::Checked : Qt::Unchecked);
}

void frmsearch::clearDetails(Display display) {
    for (int i = 0; i <= 5; ++i)
        setFieldText(i, QString());
    if (display == Display::Refresh)
        return;
    setFieldText(6, QString());
    chkdifficult->setCheckState(Qt::Unchecked);
}

void frmsearch::lstword_KeyDown(int keyCode, Qt::KeyboardModifiers) {
    if (keyCode == kKeyEnter)
        txtflashmeaning->setVisible(true);
    if (keyCode == kKeyF1)
        chkdifficult->setCheckState(chkdifficult->checkState() == Qt::Unchecked ? Qt::Checked
                                                                                : Qt::Unchecked);
    else if (keyCode == kKeyF2)
        cmdchange_Click(0);
}

void frmsearch::lstword_KeyPress(int) {}

void frmsearch::lstword_KeyUp(int, Qt::KeyboardModifiers) {
    // With no word selected (after a Delete, say, whose message was closed with Enter) a key
    // leaves the details as they are: empty and disabled stay so.
    if (lstword->selectedRow() < 0)
        return;
    showSelectedWord(Display::Refresh);
}

bool frmsearch::listKeyEvent(QEvent* event) {
    // The list still gets every key after its handlers ran.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        lstword_KeyDown(shell::virtualKeyCode(key->key()), key->modifiers());
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            lstword_KeyPress(key->text().at(0).unicode());
    } else if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats its KeyDown; it is released once.
        if (!key->isAutoRepeat())
            lstword_KeyUp(shell::virtualKeyCode(key->key()), key->modifiers());
    }
    return false;
}

} // namespace search
