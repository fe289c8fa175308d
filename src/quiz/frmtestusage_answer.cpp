// Running a test: showing each question, judging the answers, and giving back the words of a
// test that is closed half-way.
#include "quiz/frmtestusage.h"
#include "quiz/module1.h"
#include "quiz/sharedrecordset.h"
#include "shell/dialogs.h"
#include "shell/look.h"
#include "shell/searchrequest.h"
#include "store/dialect.h"
#include "store/recordset.h"
#include "store/rowchoice.h"

#include <QColor>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>

void frmtestusage::cmdnext_Click() {
    lstoptions->clear();
    lblresult->hide();
    lbltip->hide();

    if (questioncount < 10) {
        lblusage[0]->setText(Module1::testusages[questioncount]);
        lblusage[1]->setText(Module1::testsynonyms[questioncount]);
        Module1::testchoices[0] = Module1::testwords[questioncount];
        cmdnext->setEnabled(false);
        Module1::pickchoices();
        shuffleoptions();
        for (const int choice : optionorder)
            lstoptions->addItem(Module1::testchoices[choice]);
        // No line is current either: nothing looks chosen before the user chooses, and the
        // first arrow key goes to the first line.
        lstoptions->setCurrentIndex(QModelIndex());
        ++questioncount;
        // The counter shows the words still to come after this one.
        const int left = lblno->text().trimmed().toInt() - 1;
        lblno->setText(QLatin1Char(' ') + QString::number(left));
        return;
    }

    shell::dialogs().message(QStringLiteral("There are no more words. Start a new test"));
    cmdstart->setEnabled(true);
    lblusage[testtype]->clear();
    lblno->hide();
    lblnomessage->hide();
}

void frmtestusage::lstoptions_DblClick() {
    // Before the first question of this window there is nothing to answer.
    if (questioncount == 0)
        return;
    answer(selectedText());
}

void frmtestusage::lstoptions_KeyPress(int KeyAscii) {
    if (KeyAscii == 13) {
        if (questioncount != 0 && !selectedText().isEmpty())
            answer(selectedText());
    }
    if (KeyAscii == 105 || KeyAscii == 73) // "i" or "I": information on the highlighted choice
        shell::openSearchWindowOn(selectedText());
}

void frmtestusage::answer(const QString& chosen) {
    const QString& word = Module1::testwords[questioncount - 1];
    if (chosen == word) {
        lblresult->setText(QStringLiteral("Correct"));
        shell::setBackground(lblresult, QColor(0, 255, 0));
    } else {
        lblresult->setText(QStringLiteral("Incorrect: Correct answer = ") + word);
        shell::setBackground(lblresult, QColor(255, 0, 0));
        freeWord(questioncount - 1);
    }
    lblresult->show();
    lbltip->show();
    cmdnext->setEnabled(true);
}

void frmtestusage::freeWord(int position, const QVariant& lastSeen) {
    const QString& word = Module1::testwords[position];
    store::Recordset& rs = quizside::sharedRecordset();
    quizside::CloseSharedOnExit closer;
    rs.setLockType(store::LockType::Optimistic);
    rs.setCursorType(store::CursorType::Keyset);
    rs.setSource(QStringLiteral("SELECT * FROM listofwords WHERE word = '") +
                 store::escapeQuotes(word) + QLatin1Char('\''));
    rs.Open();
    // A word deleted meanwhile has no row left to write.
    if (rs.eof())
        return;
    store::moveToId(rs, Module1::testids[position]);
    rs.setField(QStringLiteral("is_used"), false);
    if (lastSeen.isValid())
        rs.setField(QStringLiteral("last_seen"), lastSeen);
    rs.Update();
}

void frmtestusage::Form_Unload() {
    if (cmdstart->isEnabled())
        return;
    // The words drawn but not yet shown go back to the pool, dated 1 July 2001.
    for (int i = questioncount; i <= 9; ++i)
        freeWord(i, QStringLiteral("7/1/01"));
}
