#pragma once

#include "search/frmsearch.h"
#include "shell/programvalues.h"
#include "shell/windowregistry.h"
#include "shell/wordlistbox.h"
#include "support/shellharness.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QtTest>
#include <memory>

// One search window on a fresh word file, with scripted dialogs and a fixed clock
// (15 March 2026). The program-wide values of the search window start empty.
struct SearchFixture {
    testsupport::TestDatabase db;
    testsupport::ShellHarness harness;
    search::frmsearch* w = nullptr;

    SearchFixture() {
        search::searchfield.clear();
        search::datefrom = QDate();
        search::dateto = QDate();
        shell::registry().registerKind(shell::WindowKind::Search,
                                       [] { return new search::frmsearch; });
    }
    ~SearchFixture() { shell::registry().registerKind(shell::WindowKind::Search, {}); }

    // Opens the window plainly, as the main menu does.
    search::frmsearch* open() {
        shell::registry().show(shell::WindowKind::Search);
        w = shell::registry().windowAs<search::frmsearch>(shell::WindowKind::Search);
        return w;
    }

    QStringList listed() const {
        QStringList words;
        words = w->lstword->words();
        return words;
    }

    // Picks a category in the box and confirms it with the given answer.
    void confirm(const QString& category, shell::Answer answer = shell::Answer::Yes) {
        w->Combo1->setEditText(category);
        harness.dialogs.queueAnswer(answer);
        QTest::mouseClick(w->cmdok, Qt::LeftButton);
    }

    // Types into the filter box as a user does (after "word" was confirmed).
    void filterBy(const QString& text) {
        w->txtlike->clear();
        QTest::keyClicks(w->txtlike, text);
    }

    // Clicks the list entry with this text; false when it is not listed.
    bool clickWord(const QString& word) {
        const int row = static_cast<int>(w->lstword->words().indexOf(word));
        if (row < 0)
            return false;
        w->lstword->scrollToRow(row);
        const QModelIndex index = w->lstword->model()->index(row, 0);
        QTest::mouseClick(w->lstword->viewport(), Qt::LeftButton, {},
                          w->lstword->visualRect(index).center());
        return true;
    }

    QLineEdit* lineBox(int index) const { return qobject_cast<QLineEdit*>(w->txtfield[index]); }
    QPlainTextEdit* textBox(int index) const {
        return qobject_cast<QPlainTextEdit*>(w->txtfield[index]);
    }

    // Types into a details box (replacing its text), as the user edits a word.
    void typeInto(int index, const QString& text) {
        if (QLineEdit* line = lineBox(index)) {
            line->selectAll();
            line->del();
            QTest::keyClicks(line, text);
        } else {
            textBox(index)->clear();
            QTest::keyClicks(textBox(index), text);
        }
    }
};
