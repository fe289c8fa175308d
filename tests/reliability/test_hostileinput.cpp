// Hostile text through the real windows: quotes, LIKE wildcards, backslashes, semicolons, an
// SQL injection attempt, emoji, combining accents, right-to-left script, blanks at either end,
// very long notes and words that differ only in letter case. After each: no store failure,
// nothing lost, nothing altered that the user did not change (the whole table is compared),
// and the window still does an ordinary job afterwards.
#include "entry/entrytestutil.h"
#include "quiz/frmtestusage.h"
#include "quiz/module1.h"
#include "search/searchfixture.h"
#include "shell/fatal.h"
#include "store/storedvalues.h"
#include "support/tablesnapshot.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QtTest>

using shell::Answer;
using shell::registry;
using shell::WindowKind;
using testsupport::tableSnapshot;
using testsupport::WordRow;

namespace {

const QDate kToday(2026, 3, 15); // the harness's fixed clock

// The texts every box that reaches a statement is tried with.
void addHostileRows() {
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << QStringLiteral("o'er");
    QTest::newRow("lone quote") << QStringLiteral("'");
    QTest::newRow("two quotes") << QStringLiteral("''");
    QTest::newRow("double quotes") << QStringLiteral("say \"cheese\"");
    QTest::newRow("percent") << QStringLiteral("50%");
    QTest::newRow("lone percent") << QStringLiteral("%");
    QTest::newRow("underscore") << QStringLiteral("a_b");
    QTest::newRow("lone underscore") << QStringLiteral("_");
    QTest::newRow("backslash") << QStringLiteral("back\\slash\\");
    QTest::newRow("semicolon") << QStringLiteral("a;b;");
    QTest::newRow("injection") << QStringLiteral("x'; DROP TABLE listofwords; --");
    QTest::newRow("hash and star") << QStringLiteral("#1/1/01# *");
    QTest::newRow("emoji") << QStringLiteral("grin \U0001F600 \U0001F44D\U0001F3FD");
    QTest::newRow("combining accents") << QStringLiteral("e\u0301lan n\u0303o");
    QTest::newRow("right to left")
        << QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627");
    QTest::newRow("blanks at both ends") << QStringLiteral("  padded  ");
}

// Words already in the list, chosen to catch a pattern or quote that matches too much.
const QStringList kSeedWords{QStringLiteral("abate"),     QStringLiteral("o'clock"),
                             QStringLiteral("50 cents"),  QStringLiteral("a-b"),
                             QStringLiteral("backslash"), QStringLiteral("x"),
                             QStringLiteral("zeal")};

void seed(testsupport::TestDatabase& db) {
    for (const QString& word : kSeedWords) {
        WordRow row;
        row.word = word;
        row.synonym = QStringLiteral("meaning of ") + word;
        row.part_speech = QStringLiteral("noun");
        row.usage = QStringLiteral("The * here.");
        row.notes = QStringLiteral("notes");
        row.entrydate = QDate(2020, 1, 1);
        row.last_seen = QDate(2020, 1, 2);
        db.insert(row);
    }
}

// Typed key by key where the test library can send every character as a key (Latin-1);
// otherwise inserted as an input method or a paste puts it in.
void typeText(QWidget* box, const QString& text) {
    bool plain = true;
    for (QChar c : text)
        plain = plain && c.unicode() < 0x100;
    if (plain) {
        QTest::keyClicks(box, text);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->insert(text);
    } else {
        qobject_cast<QPlainTextEdit*>(box)->insertPlainText(text);
    }
}

QString boxText(QWidget* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box))
        return line->text();
    return qobject_cast<QPlainTextEdit*>(box)->toPlainText();
}

// The words of `words` that begin with `prefix`, letter case aside.
QStringList beginningWith(const QStringList& words, const QString& prefix) {
    QStringList found;
    for (const QString& word : words)
        if (word.startsWith(prefix, Qt::CaseInsensitive))
            found << word;
    return found;
}

QStringList entriesOf(const shell::WordListBox* list) {
    return list->words();
}

bool containsAll(const QStringList& list, const QStringList& wanted) {
    for (const QString& word : wanted)
        if (!list.contains(word))
            return false;
    return true;
}

} // namespace

class TestHostileInput : public QObject {
    Q_OBJECT

private slots:
    void entryWordAndBoxes_data() { addHostileRows(); }
    void entryWordAndBoxes();
    void entryCaseOnlyDuplicate_data();
    void entryCaseOnlyDuplicate();

    void searchFilter_data() { addHostileRows(); }
    void searchFilter();
    void searchHighlightedText_data() { addHostileRows(); }
    void searchHighlightedText();
    void searchUpdateEveryBoxThenDelete_data() { addHostileRows(); }
    void searchUpdateEveryBoxThenDelete();
    void searchCaseOnlyDuplicate_data();
    void searchCaseOnlyDuplicate();

    void longNotesInBothWindows();

    void testWindowWithHostileWords_data() { addHostileRows(); }
    void testWindowWithHostileWords();
};

// --- The word entry window ----------------------------------------------------------------

void TestHostileInput::entryWordAndBoxes() {
    QFETCH(QString, text);
    EntryFixture fx;
    fx.setUp();
    seed(*fx.db);
    const QStringList before = tableSnapshot(fx.db->path());

    word_adder* w = fx.open();
    typeText(w->Text3, text);
    // The list of existing words holds at least every word that begins with the text.
    QVERIFY2(containsAll(entriesOf(w->List1), beginningWith(kSeedWords, text)),
             qPrintable(entriesOf(w->List1).join(", ")));
    for (int i = 1; i <= 4; ++i)
        typeText(w->txtFields[i], text + QString::number(i));
    click(w, "cmdUpdate");
    QVERIFY2(fx.harness->dialogs.calls().isEmpty(),
             qPrintable(fx.harness->dialogs.texts().join('\n')));

    // Saved exactly as typed, blanks and all, except the word: a key, kept without blanks
    // around it. No other row touched.
    const QString word = store::cleanWord(text);
    const auto row = fx.db->row(word);
    QVERIFY(row);
    QCOMPARE(row->word, word);
    QCOMPARE(row->synonym, text + QStringLiteral("1"));
    QCOMPARE(row->part_speech, text + QStringLiteral("2"));
    QCOMPARE(row->usage, text + QStringLiteral("3"));
    QCOMPARE(row->notes, text + QStringLiteral("4"));
    QCOMPARE(row->entrydate, kToday);
    const QStringList after = tableSnapshot(fx.db->path());
    QCOMPARE(after.size(), before.size() + 1);
    QCOMPARE(after.mid(0, before.size()), before);

    // Still usable: Add reopens the window, where an ordinary word saves.
    fx.harness->onModal = [](shell::Form* form) {
        auto* again = static_cast<word_adder*>(form);
        QTest::keyClicks(again->Text3, "ordinary");
        click(again, "cmdUpdate");
    };
    click(w, "cmdAdd");
    QVERIFY(fx.db->row(QStringLiteral("ordinary")));
    QCOMPARE(fx.db->count(), before.size() + 2);
    const QStringList failures = fx.harness->dialogs.failures();
    fx.tearDown();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

void TestHostileInput::entryCaseOnlyDuplicate_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::newRow("ascii") << "abate"
                           << "ABATE";
    QTest::newRow("accented") << QStringLiteral("élan") << QStringLiteral("ÉLAN");
    QTest::newRow("apostrophe") << QStringLiteral("o'clock") << QStringLiteral("O'Clock");
    QTest::newRow("greek") << QStringLiteral("σοφία") << QStringLiteral("ΣΟΦΊΑ");
}

void TestHostileInput::entryCaseOnlyDuplicate() {
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    EntryFixture fx;
    fx.setUp();
    fx.db->insert(existing, QStringLiteral("kept"));
    fx.db->insert(QStringLiteral("zeal"));
    const QStringList before = tableSnapshot(fx.db->path());

    word_adder* w = fx.open();
    typeText(w->Text3, typed);
    QCOMPARE(entriesOf(w->List1), QStringList{existing});
    QTest::keyClicks(w->txtFields[1], "replacement");
    fx.harness->dialogs.queueAnswer(Answer::Ok);
    click(w, "cmdUpdate");
    QCOMPARE(fx.harness->dialogs.texts(), QStringList{word_adder::duplicateMessage()});
    QCOMPARE(tableSnapshot(fx.db->path()), before);

    // The window goes on: a different word saves.
    w->Text3->clear();
    QTest::keyClicks(w->Text3, "different");
    click(w, "cmdUpdate");
    QCOMPARE(fx.harness->dialogs.calls().size(), 1);
    QCOMPARE(fx.db->row(QStringLiteral("different"))->synonym, QStringLiteral("replacement"));
    QCOMPARE(tableSnapshot(fx.db->path()).mid(0, before.size()), before);
    const QStringList failures = fx.harness->dialogs.failures();
    fx.tearDown();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

// --- The search window --------------------------------------------------------------------

void TestHostileInput::searchFilter() {
    QFETCH(QString, text);
    SearchFixture f;
    seed(f.db);
    f.db.insert(text + QStringLiteral(" itself"));
    const QStringList before = tableSnapshot(f.db.path());

    f.open();
    f.confirm(QStringLiteral("word"));
    f.harness.dialogs.clear();
    typeText(f.w->txtlike, text);
    QVERIFY(f.harness.dialogs.calls().isEmpty());
    QVERIFY2(
        containsAll(f.listed(), beginningWith(kSeedWords + QStringList{text + " itself"}, text)),
        qPrintable(f.listed().join(", ")));
    QCOMPARE(tableSnapshot(f.db.path()), before);

    // The filter goes on working.
    f.filterBy(QStringLiteral("ab"));
    QCOMPARE(f.listed(), QStringList{QStringLiteral("abate")});
    QVERIFY(f.clickWord(QStringLiteral("abate")));
    QCOMPARE(boxText(f.w->txtfield[1]), QStringLiteral("meaning of abate"));
    QVERIFY(f.harness.dialogs.failures().isEmpty());
}

void TestHostileInput::searchHighlightedText() {
    QFETCH(QString, text);
    SearchFixture f;
    seed(f.db);
    WordRow row;
    row.word = QStringLiteral("carrier");
    row.synonym = QStringLiteral("holds ") + text + QStringLiteral(" inside");
    row.usage = QStringLiteral("The * carries it.");
    f.db.insert(row);
    const QStringList before = tableSnapshot(f.db.path());

    f.open();
    f.confirm(QStringLiteral("word"));
    f.filterBy(QStringLiteral("carrier"));
    QVERIFY(f.clickWord(QStringLiteral("carrier")));
    f.harness.dialogs.clear();

    // Highlight the hostile part of the meaning box, as dragging the mouse over it does.
    QPlainTextEdit* meaning = f.textBox(1);
    QTextCursor cursor = meaning->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(6 + int(text.size()), QTextCursor::KeepAnchor);
    meaning->setTextCursor(cursor);
    QTest::mouseRelease(meaning->viewport(), Qt::LeftButton, {},
                        meaning->cursorRect(cursor).center());
    QCOMPARE(meaning->textCursor().selectedText(), text);
    QCOMPARE(f.w->txtlike->text(), text);
    QVERIFY(f.harness.dialogs.calls().isEmpty());
    QVERIFY2(containsAll(f.listed(), beginningWith(kSeedWords, text)),
             qPrintable(f.listed().join(", ")));
    QCOMPARE(tableSnapshot(f.db.path()), before);

    f.filterBy(QStringLiteral("zea"));
    QCOMPARE(f.listed(), QStringList{QStringLiteral("zeal")});
    QVERIFY(f.harness.dialogs.failures().isEmpty());
}

void TestHostileInput::searchUpdateEveryBoxThenDelete() {
    QFETCH(QString, text);
    SearchFixture f;
    seed(f.db);
    const qint64 id = f.db.insert(QStringLiteral("plain"), QStringLiteral("ordinary"));
    const QStringList before = tableSnapshot(f.db.path());

    f.open();
    f.confirm(QStringLiteral("word"));
    f.filterBy(QStringLiteral("plain"));
    QVERIFY(f.clickWord(QStringLiteral("plain")));
    f.harness.dialogs.clear();
    for (int i = 0; i <= 4; ++i) {
        f.typeInto(i, QString());
        typeText(f.w->txtfield[i], i == 0 ? text : text + QString::number(i));
    }
    f.harness.dialogs.queueAnswer(Answer::Yes);
    QTest::mouseClick(f.w->cmdchange[0], Qt::LeftButton);
    QCOMPARE(f.harness.dialogs.texts(),
             QStringList{QStringLiteral("Are you sure  you want to Update the info on '") + text +
                         QStringLiteral("'  ?")});

    // That row alone changed, to exactly what was typed (the word kept without blanks around).
    const QString word = store::cleanWord(text);
    const auto row = f.db.rowById(id);
    QVERIFY(row);
    QCOMPARE(row->word, word);
    QCOMPARE(row->synonym, text + QStringLiteral("1"));
    QCOMPARE(row->usage, text + QStringLiteral("2"));
    QCOMPARE(row->part_speech, text + QStringLiteral("3"));
    QCOMPARE(row->notes, text + QStringLiteral("4"));
    QCOMPARE(row->last_seen, kToday);
    const QStringList updated = tableSnapshot(f.db.path());
    QCOMPARE(testsupport::withRow(updated, id, {}), testsupport::withRow(before, id, {}));

    // Found again under its new word, then deleted with both confirmations.
    f.w->txtlike->clear();
    typeText(f.w->txtlike, word);
    QVERIFY2(f.clickWord(word), qPrintable(f.listed().join(", ")));
    QCOMPARE(boxText(f.w->txtfield[4]), text + QStringLiteral("4"));
    f.harness.dialogs.clear();
    f.harness.dialogs.queueAnswer(Answer::Yes);
    f.harness.dialogs.queueAnswer(Answer::Ok);
    QTest::mouseClick(f.w->cmdchange[1], Qt::LeftButton);
    QCOMPARE(f.harness.dialogs.texts(),
             (QStringList{QStringLiteral("Are you sure  you want to delete '") + word +
                              QStringLiteral("'  and all its information?"),
                          QStringLiteral("'") + word +
                              QStringLiteral("'  has been successfully deleted.")}));
    QVERIFY(!f.db.rowById(id));
    QCOMPARE(tableSnapshot(f.db.path()), testsupport::withRow(before, id, {}));

    // An ordinary word is still found and shown.
    f.filterBy(QStringLiteral("ze"));
    QVERIFY(f.clickWord(QStringLiteral("zeal")));
    QCOMPARE(boxText(f.w->txtfield[1]), QStringLiteral("meaning of zeal"));
    QVERIFY(f.harness.dialogs.failures().isEmpty());
}

void TestHostileInput::searchCaseOnlyDuplicate_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("renamed");
    QTest::newRow("ascii") << "abate"
                           << "aBaTe";
    QTest::newRow("accented") << QStringLiteral("élan") << QStringLiteral("ÉLAN");
    QTest::newRow("apostrophe") << QStringLiteral("o'clock") << QStringLiteral("O'CLOCK");
}

void TestHostileInput::searchCaseOnlyDuplicate() {
    QFETCH(QString, existing);
    QFETCH(QString, renamed);
    SearchFixture f;
    f.db.insert(existing, QStringLiteral("kept"));
    f.db.insert(QStringLiteral("zeal"), QStringLiteral("ardour"));
    const QStringList before = tableSnapshot(f.db.path());

    f.open();
    f.confirm(QStringLiteral("word"));
    f.filterBy(QStringLiteral("zeal"));
    QVERIFY(f.clickWord(QStringLiteral("zeal")));
    f.harness.dialogs.clear();
    f.typeInto(0, renamed);
    f.harness.dialogs.queueAnswer(Answer::Yes);
    f.harness.dialogs.queueAnswer(Answer::Ok);
    QTest::mouseClick(f.w->cmdchange[0], Qt::LeftButton);
    // Refused with a message; the program goes on and no row changed.
    QCOMPARE(f.harness.dialogs.calls().size(), 2);
    QVERIFY(!f.harness.dialogs.texts().at(1).isEmpty());
    QVERIFY(f.harness.quitCodes.isEmpty());
    QCOMPARE(tableSnapshot(f.db.path()), before);
    QCOMPARE(boxText(f.w->txtfield[0]), renamed);

    // A word of its own saves.
    f.typeInto(0, QStringLiteral("zealous"));
    f.harness.dialogs.queueAnswer(Answer::Yes);
    QTest::mouseClick(f.w->cmdchange[0], Qt::LeftButton);
    QCOMPARE(f.harness.dialogs.calls().size(), 3);
    QVERIFY(f.db.row(QStringLiteral("zealous")));
    QCOMPARE(f.db.row(existing)->synonym, QStringLiteral("kept"));
    QVERIFY(f.harness.dialogs.failures().isEmpty());
}

// --- 100,000-character notes --------------------------------------------------------------

void TestHostileInput::longNotesInBothWindows() {
    QString notes;
    notes.reserve(100000);
    const QString piece = QStringLiteral("line with 'quotes', %, _ and \u00E9 \U0001F600\n");
    while (notes.size() < 100000)
        notes += piece;
    notes.truncate(100000);
    if (notes.at(notes.size() - 1).isHighSurrogate())
        notes[notes.size() - 1] = QLatin1Char('.');

    {
        EntryFixture fx;
        fx.setUp();
        seed(*fx.db);
        const QStringList before = tableSnapshot(fx.db->path());
        word_adder* w = fx.open();
        QTest::keyClicks(w->Text3, "verbose");
        qobject_cast<QPlainTextEdit*>(w->txtFields[4])->setPlainText(notes);
        click(w, "cmdUpdate");
        QVERIFY(fx.harness->dialogs.calls().isEmpty());
        QCOMPARE(fx.db->row(QStringLiteral("verbose"))->notes, notes);
        QCOMPARE(tableSnapshot(fx.db->path()).mid(0, before.size()), before);
        fx.tearDown();
    }
    SearchFixture f;
    seed(f.db);
    const qint64 id = f.db.insert(QStringLiteral("verbose"));
    const QStringList before = tableSnapshot(f.db.path());
    f.open();
    f.confirm(QStringLiteral("word"));
    f.filterBy(QStringLiteral("verb"));
    QVERIFY(f.clickWord(QStringLiteral("verbose")));
    f.textBox(4)->setPlainText(notes);
    f.harness.dialogs.clear();
    f.harness.dialogs.queueAnswer(Answer::Yes);
    QTest::mouseClick(f.w->cmdchange[0], Qt::LeftButton);
    QCOMPARE(f.harness.dialogs.calls().size(), 1);
    QCOMPARE(f.db.rowById(id)->notes, notes);
    QCOMPARE(testsupport::withRow(tableSnapshot(f.db.path()), id, {}),
             testsupport::withRow(before, id, {}));
    // Shown again in full.
    f.filterBy(QStringLiteral("zea"));
    f.filterBy(QStringLiteral("verb"));
    QVERIFY(f.clickWord(QStringLiteral("verbose")));
    QCOMPARE(boxText(f.w->txtfield[4]), notes);
    QVERIFY(f.harness.dialogs.failures().isEmpty());
}

// --- The test window with hostile words ---------------------------------------------------

void TestHostileInput::testWindowWithHostileWords() {
    QFETCH(QString, text);
    testsupport::TestDatabase db;
    testsupport::ShellHarness harness;
    registry().registerKind(WindowKind::Test, [] { return new frmtestusage; });
    for (int i = 0; i < 24; ++i) {
        WordRow row;
        row.word = QStringLiteral("%1 %2").arg(text).arg(i);
        row.synonym = text;
        row.part_speech = QStringLiteral("?");
        row.usage = QStringLiteral("The * ") + text;
        row.entrydate = QDate(2020, 1, 1);
        row.last_seen = QDate(2020, 1, 2);
        db.insert(row);
    }
    const QStringList before = tableSnapshot(db.path());

    auto* w = static_cast<frmtestusage*>(registry().load(WindowKind::Test));
    registry().show(WindowKind::Test);
    harness.dialogs.queueInput(QStringLiteral("0"));
    QTest::mouseClick(w->cmdstart, Qt::LeftButton);
    QVERIFY(!w->cmdstart->isEnabled());
    const std::array<QString, 10> drawn = Module1::testwords;
    for (const QString& word : drawn)
        QVERIFY2(db.row(word) && db.row(word)->is_used, qPrintable(word));

    // Three questions answered wrongly: each right word is freed again.
    for (int q = 0; q < 3; ++q) {
        const QString right = Module1::testwords[w->questioncount - 1];
        int wrong = -1;
        for (int i = 0; i < w->lstoptions->count() && wrong < 0; ++i)
            if (w->lstoptions->item(i)->text() != right)
                wrong = i;
        QVERIFY(wrong >= 0);
        w->lstoptions->setCurrentRow(wrong);
        QTest::keyClick(w->lstoptions, Qt::Key_Return);
        QVERIFY(w->cmdnext->isEnabled());
        QVERIFY2(!db.row(right)->is_used, qPrintable(right));
        if (q < 2)
            QTest::mouseClick(w->cmdnext, Qt::LeftButton);
    }

    // Closed half-way: the seven words not shown are freed, dated 1 July 2001.
    w->close();
    QVERIFY(!registry().isLoaded(WindowKind::Test));
    for (int i = 0; i < 10; ++i) {
        const auto row = db.row(drawn[i]);
        QVERIFY2(row, qPrintable(drawn[i]));
        QVERIFY2(!row->is_used, qPrintable(drawn[i]));
        QCOMPARE(row->last_seen, i < 3 ? kToday : QDate(2001, 7, 1));
    }
    // Beyond is_used and last_seen, nothing changed; every word is still there.
    QStringList expected = before;
    QStringList after = tableSnapshot(db.path());
    QCOMPARE(after.size(), before.size());
    for (QStringList* rows : {&expected, &after})
        for (QString& line : *rows)
            line = line.section(QLatin1Char('|'), 0, 6);
    QCOMPARE(after, expected);
    QVERIFY(harness.dialogs.failures().isEmpty());
    registry().registerKind(WindowKind::Test, {});
}

int main(int argc, char** argv) {
    shell::Application app(argc, argv);
    TestHostileInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hostileinput.moc"
