// The word entry window on 100,000 words: opening it (its data control reads the whole list),
// one keystroke in the word box, and the emptied word box (every word into the hidden list).
#include "benchkit.h"
#include "entry/word_adder.h"
#include "shell/dialogs.h"
#include "shell/listfill.h"
#include "shell/windowregistry.h"
#include "shell/wordlistbox.h"
#include "store/connection.h"
#include "store/recordset.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <vector>

namespace {

using shell::registry;
using shell::WindowKind;

// Any message the window shows is answered OK (none is expected).
class OkDialogs : public shell::Dialogs {
public:
    shell::Answer message(const QString& text, shell::Buttons, shell::Icon, const QString&,
                          shell::DefaultButton) override {
        std::printf("  unexpected message: %s\n", qPrintable(text));
        return shell::Answer::Ok;
    }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
};

word_adder* window() {
    return registry().windowAs<word_adder>(WindowKind::WordAdder);
}

void run() {
    bench::freshDatabase();
    OkDialogs ok;
    shell::installDialogs(&ok);
    registry().registerKind(WindowKind::WordAdder, [] { return new word_adder; });

    // Opening as the menu does: create, load handler (connection, data control's Open and
    // AddNew), show.
    const double open = bench::medianPreparedMs(
        11,
        [] {
            registry().unload(WindowKind::WordAdder);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        },
        [] {
            registry().show(WindowKind::WordAdder);
            QApplication::processEvents();
        });
    bench::report(QStringLiteral("open the window (load handler, first show)"), open,
                  QStringLiteral("< 100 ms"));

    // The part of it that is the store's: the data control's record set alone.
    const double storeOpen = bench::medianMs(11, [] {
        store::Connection conn;
        store::Recordset rs;
        rs.setCursorLocation(store::CursorLocation::Client);
        rs.setCursorType(store::CursorType::Static);
        rs.setLockType(store::LockType::Optimistic);
        rs.setSource(QStringLiteral("select * from listofwords Order by word"));
        rs.setActiveConnection(&conn);
        rs.Open();
        rs.AddNew();
    });
    bench::report(QStringLiteral("  of which the store: static record set Open + AddNew"),
                  storeOpen, QStringLiteral("(reference)"));

    word_adder* w = window();
    const double firstLetter = bench::medianPreparedMs(
        11, [w] { w->Text3->setText(QString()); }, [w] { w->Text3->setText(QStringLiteral("a")); });
    bench::report(QStringLiteral("keystroke \"a\" into the empty word box (%1 words listed)")
                      .arg(w->List1->count()),
                  firstLetter, QStringLiteral("< 16 ms"));
    const double clearOnly = bench::medianPreparedMs(
        11,
        [w] {
            w->Text3->setText(QStringLiteral("a"));
            w->Text3->setText(QString());
        },
        [w] { w->List1->clear(); });
    bench::report(QStringLiteral("  of which emptying the list of every word"), clearOnly,
                  QStringLiteral("(reference)"));
    // The statement and the filling of a list that is not on screen.
    shell::WordListBox detached;
    store::Connection conn;
    conn.Open();
    const double fillOnly = bench::medianPreparedMs(
        11, [&] { detached.clear(); },
        [&] {
            shell::fillListFromStatement(
                &detached, conn,
                QStringLiteral("SELECT * FROM listofwords WHERE  word LIKE 'a%' ORDER BY  word"));
        });
    bench::report(QStringLiteral("  of which the statement and the filling of %1 entries")
                      .arg(detached.count()),
                  fillOnly, QStringLiteral("(reference)"));
    const double otherLetter = bench::medianPreparedMs(
        31, [w] { w->Text3->setText(QStringLiteral("m")); },
        [w] { w->Text3->setText(QStringLiteral("a")); });
    bench::report(QStringLiteral("keystroke \"a\" after \"m\""), otherLetter,
                  QStringLiteral("< 16 ms"));
    const double second = bench::medianPreparedMs(
        31, [w] { w->Text3->setText(QStringLiteral("a")); },
        [w] { w->Text3->setText(QStringLiteral("ab")); });
    bench::report(QStringLiteral("keystroke \"b\" after \"a\""), second, QStringLiteral("< 16 ms"));

    const double empty = bench::medianPreparedMs(
        11, [w] { w->Text3->setText(QStringLiteral("a")); }, [w] { w->Text3->setText(QString()); });
    bench::report(
        QStringLiteral("word box emptied (%1 words into the hidden list)").arg(w->List1->count()),
        empty, QStringLiteral("< 200 ms"));

    registry().unload(WindowKind::WordAdder);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    registry().registerKind(WindowKind::WordAdder, {});
    shell::installDialogs(nullptr);
}

bench::Register reg(QStringLiteral("entry"), run);

} // namespace
