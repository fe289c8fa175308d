// Update and Delete of the word selected in the search window's list.
#include "search/finally.h"
#include "search/frmsearch.h"
#include "shell/clock.h"
#include "shell/dialogs.h"
#include "store/recordset.h"
#include "store/storedvalues.h"
#include "store/storeerror.h"

#include <QCheckBox>
#include <QPushButton>

namespace search {

namespace {

// Store refusals that the user's own input causes; anything else is a failure of the store.
bool refusedByStore(const store::StoreError& error) {
    return error.number() == store::errnum::DuplicateWord ||
           error.number() == store::errnum::EmptyWord ||
           error.number() == store::errnum::RowNotFound;
}

shell::Answer ask(const QString& question) {
    return shell::dialogs().message(question, shell::Buttons::YesNo, shell::Icon::None,
                                    shell::programTitle(), shell::DefaultButton::First);
}

} // namespace

void frmsearch::cmdchange_Click(int index) {
    // The row is the one the list names, whatever the word box holds now.
    const QString keptWord = selectedWord();
    const int keptPosition = lstword->selectedRow();

    openWordRecordset(keptWord, selectedId());
    Finally release([this] { releaseWordRecordset(); });
    if (index == 0)
        updateWord(keptWord);
    else
        deleteWord(keptWord, keptPosition);
}

void frmsearch::updateWord(const QString& keptWord) {
    const QString question = QStringLiteral("Are you sure  you want to Update the info on '") +
                             fieldText(0) + QStringLiteral("'  ?");
    if (ask(question) != shell::Answer::Yes)
        return;
    if (rsword->RecordCount() == 0) {
        reportMissingRow(keptWord, QStringLiteral("updated"));
        return;
    }

    // The word box shows the word as it is saved (see store::cleanWord).
    setFieldText(0, store::cleanWord(fieldText(0)));
    if (fieldText(1).isEmpty())
        setFieldText(1, QStringLiteral("not entered"));
    rsword->setField(QStringLiteral("word"), fieldText(0));
    rsword->setField(QStringLiteral("synonym"), fieldText(1));
    rsword->setField(QStringLiteral("usage"), fieldText(2));
    if (fieldText(3).isEmpty())
        setFieldText(3, QStringLiteral("?"));
    rsword->setField(QStringLiteral("part_speech"), fieldText(3));
    rsword->setField(QStringLiteral("notes"), fieldText(4));
    rsword->setField(QStringLiteral("last_seen"), shell::today());
    rsword->setField(QStringLiteral("frequent"), chkdifficult->checkState() != Qt::Unchecked);
    try {
        rsword->Update();
    } catch (const store::StoreError& error) {
        if (!refusedByStore(error))
            throw;
        // The row keeps what it held; the boxes keep what the user typed, to be corrected.
        rsword->CancelUpdate();
        shell::dialogs().message(error.description(), shell::Buttons::Ok, shell::Icon::Exclamation);
    }
}

void frmsearch::deleteWord(const QString& keptWord, int keptPosition) {
    const QString question = QStringLiteral("Are you sure  you want to delete '") + keptWord +
                             QStringLiteral("'  and all its information?");
    if (ask(question) != shell::Answer::Yes)
        return;
    if (rsword->RecordCount() == 0) {
        reportMissingRow(keptWord, QStringLiteral("deleted"));
        return;
    }

    rsword->Delete();
    for (int i = 0; i < 7; ++i) {
        setFieldText(i, QString());
        txtfield[i]->setEnabled(false);
    }
    // Removing the entry is not a selection by the user: no Click, and nothing stays selected.
    m_listQuiet = true;
    lstword->removeRow(keptPosition);
    if (keptPosition >= 0 && keptPosition < static_cast<int>(m_listIds.size()))
        m_listIds.erase(m_listIds.begin() + keptPosition);
    lstword->clearSelection();
    lstword->setCurrentRow(-1);
    m_listQuiet = false;

    shell::dialogs().message(QStringLiteral("'") + keptWord +
                                 QStringLiteral("'  has been successfully deleted."),
                             shell::Buttons::Ok, shell::Icon::Information, shell::programTitle());
    cmdchange[0]->setEnabled(false);
    cmdchange[1]->setEnabled(false);
}

void frmsearch::reportMissingRow(const QString& keptWord, const QString& action) {
    const QString text =
        keptWord.isEmpty()
            ? QStringLiteral("No word is selected in the list: nothing was %1.").arg(action)
            : QStringLiteral("The word '%1' is no longer in the list (it was changed or deleted "
                             "since the list was filled): nothing was %2.")
                  .arg(keptWord, action);
    shell::dialogs().message(text, shell::Buttons::Ok, shell::Icon::Exclamation,
                             shell::programTitle());
}

} // namespace search
