// The search window on 100,000 words: a keystroke in the filter, the whole list, selecting a word,
// and the two fixed categories, each timed through the window's own handlers.
#include "benchkit.h"
#include "search/frmsearch.h"
#include "shell/dialogs.h"
#include "shell/windowregistry.h"
#include "shell/wordlistbox.h"
#include "store/connection.h"
#include "store/recordset.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <vector>

namespace {

using shell::WindowKind;

// Every question of the window answered Yes.
class YesDialogs : public shell::Dialogs {
public:
    shell::Answer message(const QString&, shell::Buttons, shell::Icon, const QString&,
                          shell::DefaultButton) override {
        return shell::Answer::Yes;
    }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
};

void confirm(search::frmsearch* w, const QString& category) {
    w->Combo1->setEditText(category);
    w->cmdok_Click();
}

void run() {
    bench::freshDatabase();
    YesDialogs yes;
    shell::installDialogs(&yes);
    shell::registry().registerKind(WindowKind::Search, [] { return new search::frmsearch; });
    shell::registry().show(WindowKind::Search);
    auto* w = shell::registry().windowAs<search::frmsearch>(WindowKind::Search);
    QApplication::processEvents();

    confirm(w, QStringLiteral("word"));
    // Typing the first letter into the empty filter: the list held every word before.
    const double keystroke = bench::medianPreparedMs(
        11, [&] { w->txtlike->setText(QString()); },
        [&] { w->txtlike->setText(QStringLiteral("a")); });
    bench::report(QStringLiteral("filter keystroke \"a\" after the empty filter (%1 rows)")
                      .arg(w->lstword->count()),
                  keystroke, QStringLiteral("< 16 ms"));
    const double nextLetter = bench::medianPreparedMs(
        31, [&] { w->txtlike->setText(QStringLiteral("m")); },
        [&] { w->txtlike->setText(QStringLiteral("a")); });
    bench::report(QStringLiteral("filter keystroke \"a\" after \"m\""), nextLetter,
                  QStringLiteral("< 16 ms"));

    // Where the keystroke's time goes: the statement read through a record set, and the list.
    store::Connection conn;
    conn.Open();
    QStringList words;
    const double statementOnly = bench::medianMs(31, [&] {
        words.clear();
        store::Recordset rs;
        rs.setActiveConnection(&conn);
        rs.setSource(
            QStringLiteral("SELECT * FROM listofwords WHERE word LIKE 'a%' ORDER BY word"));
        rs.Open();
        while (!rs.eof()) {
            words.append(rs.field(QStringLiteral("word")).toString());
            rs.MoveNext();
        }
        rs.Close();
    });
    conn.Close();
    bench::report(QStringLiteral("  of which the statement (%1 rows read)").arg(words.size()),
                  statementOnly, QStringLiteral("for reference"));
    shell::WordListBox list;
    const double listOnly = bench::medianMs(31, [&] { list.setWords(words); });
    bench::report(QStringLiteral("  of which the list refill"), listOnly,
                  QStringLiteral("for reference"));

    const double keystrokePainted = bench::medianPreparedMs(
        31, [&] { w->txtlike->setText(QStringLiteral("m")); },
        [&] {
            w->txtlike->setText(QStringLiteral("a"));
            QApplication::processEvents();
        });
    bench::report(QStringLiteral("  same, with the window repainted"), keystrokePainted,
                  QStringLiteral("for reference"));

    const double everything = bench::medianPreparedMs(
        11, [&] { w->txtlike->setText(QStringLiteral("zq")); },
        [&] { w->txtlike->setText(QString()); });
    bench::report(QStringLiteral("empty filter, all %1 words").arg(w->lstword->count()), everything,
                  QStringLiteral("< 200 ms"));

    w->txtlike->setText(QStringLiteral("a"));
    const int rows = w->lstword->count();
    int row = 0;
    const double select = bench::medianMs(101, [&] {
        row = (row + 37) % rows;
        w->lstword->setCurrentRow(row);
    });
    bench::report(QStringLiteral("selecting a word (details shown)"), select,
                  QStringLiteral("< 5 ms"));

    const double pending =
        bench::medianMs(11, [&] { confirm(w, QStringLiteral("pending words")); });
    bench::report(QStringLiteral("\"pending words\" (%1 rows)").arg(w->lstword->count()), pending,
                  QStringLiteral("< 40 ms"));
    const double difficult =
        bench::medianMs(11, [&] { confirm(w, QStringLiteral("difficult words")); });
    bench::report(QStringLiteral("\"difficult words\" (%1 rows)").arg(w->lstword->count()),
                  difficult, QStringLiteral("< 40 ms"));

    shell::registry().destroyAll();
    shell::registry().registerKind(WindowKind::Search, {});
    shell::installDialogs(nullptr);
}

bench::Register reg(QStringLiteral("search"), run);

} // namespace
