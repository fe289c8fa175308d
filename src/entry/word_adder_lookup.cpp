// The word entry window's list of the words already in the list that begin with the typed text.
#include "entry/word_adder.h"
#include "shell/listfill.h"
#include "shell/searchrequest.h"
#include "store/dialect.h"

#include <QLabel>
#include <QLineEdit>

void word_adder::Text3_Change() {
    const bool empty = Text3->text().isEmpty();
    // The list is hidden before it is filled with every word, and shown after its new entries
    // are in: a list on screen that still holds every word costs a lot to show or to empty.
    if (empty)
        setLookupVisible(false);

    // Runs for the empty text too: the hidden list then holds every word, which makes a
    // refused save of an empty word show the duplicate message.
    if (connadder)
        shell::fillListFromStatement(
            List1, *connadder,
            QStringLiteral("SELECT * FROM listofwords WHERE  word LIKE '") +
                store::escapeQuotes(Text3->text()) + QStringLiteral("%' ORDER BY  word"));

    if (!empty)
        setLookupVisible(true);
    List1->setEnabled(List1->count() > 0);
}

void word_adder::setLookupVisible(bool visible) {
    for (QWidget* control : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(List1),
                             static_cast<QWidget*>(Label4)})
        control->setVisible(visible);
}

void word_adder::List1_Click() {
    // The search window opens modally on the selected word; this window waits, unchanged.
    shell::openSearchWindowOn(List1->selectedText());
}
