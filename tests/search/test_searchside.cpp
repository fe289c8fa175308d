// The search side of the search window: categories, live filter, date range, highlight filter.
#include "searchfixture.h"

#include <QDateEdit>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

using shell::Answer;
using testsupport::WordRow;

namespace {

WordRow dated(const QString& word, QDate entry, QDate seen) {
    WordRow row;
    row.word = word;
    row.synonym = QStringLiteral("s");
    row.entrydate = entry;
    row.last_seen = seen;
    return row;
}

} // namespace

class TestSearchSide : public QObject {
    Q_OBJECT

private slots:
    void init() {
        f = std::make_unique<SearchFixture>();
        for (const char* word : {"abacus", "Abate", "abbey", "acumen", "bard", "o'clock", "zeal"})
            f->db.insert(QString::fromUtf8(word));
        f->open();
        QVERIFY(f->w);
    }
    void cleanup() { f.reset(); }

    void opensPlainlyOnTheWordCategory() {
        auto* w = f->w;
        QVERIFY(w->isMaximized());
        QCOMPARE(w->windowTitle(), QStringLiteral("Search for words"));
        QCOMPARE(w->Combo1->currentText(), QStringLiteral("word"));
        QCOMPARE(w->Combo1->count(), 6);
        QCOMPARE(w->lstword->count(), 0);
        QVERIFY(w->txtlike->isHidden());
        QVERIFY(w->Label5->isHidden());
        QVERIFY(w->DTPicker1->isHidden());
        QVERIFY(!w->cmdgo->isEnabled());
        QCOMPARE(w->DTPicker1->date(), QDate(2001, 8, 9));
        QVERIFY(w->DTPicker1->calendarPopup());
        QCOMPARE(w->Label3->text(), QStringLiteral("&"));
        QVERIFY(f->harness.dialogs.calls().isEmpty());
    }

    void confirmationAsksByTheCategoryText() {
        f->confirm(QStringLiteral("word"), Answer::No);
        const auto& call = f->harness.dialogs.calls().last();
        QCOMPARE(call.text, QStringLiteral("Are you sure you want to search by 'word' ?"));
        QCOMPARE(call.title, QStringLiteral("confirmation"));
        QCOMPARE(call.buttons, shell::Buttons::YesNo);
        QCOMPARE(call.icon, shell::Icon::None);
    }

    void typingRunsOneSearchPerKeystroke() {
        f->confirm(QStringLiteral("word"));
        QCOMPARE(f->w->Label5->text(), QStringLiteral("Search for  the word beginning with"));
        QVERIFY(!f->w->txtlike->isHidden());
        QCOMPARE(f->w->focusWidget(), f->w->txtlike);

        QList<QStringList> seen;
        connect(f->w->txtlike, &QLineEdit::textChanged, this, [&] { seen << f->listed(); });
        QTest::keyClicks(f->w->txtlike, QStringLiteral("ab"));
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0], (QStringList{"abacus", "Abate", "abbey", "acumen"}));
        QCOMPARE(seen[1], (QStringList{"abacus", "Abate", "abbey"}));

        f->w->txtlike->clear();
        QCOMPARE(f->listed().size(), 7);
        QCOMPARE(f->listed().first(), QStringLiteral("abacus"));
    }

    void identityNumberPrefixListsInNumberOrder() {
        f.reset();
        f = std::make_unique<SearchFixture>();
        for (int i = 1; i <= 120; ++i)
            f->db.insert(QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0')));
        f->open();
        f->confirm(QStringLiteral("identity number"));
        QCOMPARE(f->w->Label5->text(),
                 QStringLiteral("Search for  the word whose identity number begins with"));
        f->filterBy(QStringLiteral("1"));
        QStringList expected{QStringLiteral("w001")};
        for (int i = 10; i <= 19; ++i)
            expected << QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0'));
        for (int i = 100; i <= 120; ++i)
            expected << QStringLiteral("w%1").arg(i);
        QCOMPARE(f->listed(), expected);
    }

    void pendingAndDifficultListTheirRows() {
        WordRow hard;
        hard.word = QStringLiteral("hard");
        hard.synonym = QStringLiteral("difficult");
        hard.frequent = true;
        f->db.insert(hard);
        f->db.insert(QStringLiteral("defined"), QStringLiteral("has a meaning"));
        f->db.insert(QStringLiteral("almost"), QStringLiteral("not entered "));

        f->confirm(QStringLiteral("pending words"));
        QStringList pending = f->listed();
        pending.sort(Qt::CaseInsensitive);
        QCOMPARE(pending,
                 (QStringList{"abacus", "Abate", "abbey", "acumen", "bard", "o'clock", "zeal"}));
        QVERIFY(f->w->txtlike->isHidden());
        QVERIFY(f->w->cmdgo->isHidden());

        f->confirm(QStringLiteral("difficult words"));
        QCOMPARE(f->listed(), QStringList{"hard"});
    }

    void noStillSetsThePromptAndDisablesGo() {
        f->confirm(QStringLiteral("word"));
        f->confirm(QStringLiteral("date of entry"));
        f->w->DTPicker1->setDate(QDate(2026, 3, 1));
        QTest::mouseClick(f->w->txtdate[0], Qt::LeftButton);
        QTest::mouseClick(f->w->txtdate[1], Qt::LeftButton);
        QVERIFY(f->w->cmdgo->isEnabled());

        f->confirm(QStringLiteral("identity number"), Answer::No);
        QCOMPARE(f->w->Label5->text(),
                 QStringLiteral("Search for  the word whose identity number begins with"));
        QVERIFY(!f->w->cmdgo->isEnabled());
        QVERIFY(!f->w->cmdgo->isHidden()); // the arrangement stays
        QCOMPARE(search::searchfield, QStringLiteral("word"));
    }

    void typedCategoryKeepsColumnAndPrompt() {
        f->confirm(QStringLiteral("identity number"));
        f->confirm(QStringLiteral("Word"));
        QVERIFY(!f->w->txtlike->isHidden());
        QCOMPARE(search::searchfield, QStringLiteral("id"));
        QCOMPARE(f->w->Label5->text(),
                 QStringLiteral("Search for  the word whose identity number begins with"));
        f->filterBy(QStringLiteral("ab"));
        QVERIFY(f->listed().isEmpty());
    }

    void filterBeforeAnyTextCategoryMatchesWords() {
        f->confirm(QStringLiteral("something"));
        QVERIFY(search::searchfield.isEmpty());
        f->filterBy(QStringLiteral("ab"));
        QCOMPARE(f->listed(), (QStringList{"abacus", "Abate", "abbey"}));
        QVERIFY(f->harness.dialogs.failures().isEmpty());
    }

    void specialCharactersInTheFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("apostrophe") << "o'" << QStringList{"o'clock"};
        QTest::newRow("lone apostrophe") << "'" << QStringList{};
        QTest::newRow("percent is any run") << "%u" << QStringList{"abacus", "acumen"};
        QTest::newRow("underscore is one letter")
            << "_b" << QStringList{"abacus", "Abate", "abbey"};
        QTest::newRow("no match") << "qq" << QStringList{};
    }
    void specialCharactersInTheFilter() {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        f->confirm(QStringLiteral("word"));
        f->filterBy(typed);
        QCOMPARE(f->listed(), expected);
        QVERIFY(f->w->isVisible());
    }

    void reversedDateRangeIsSearchedInOrder() {
        f.reset();
        f = std::make_unique<SearchFixture>();
        const QDate seen(2026, 1, 1);
        f->db.insert(dated(QStringLiteral("feb28"), QDate(2026, 2, 28), seen));
        f->db.insert(dated(QStringLiteral("mar01"), QDate(2026, 3, 1), seen));
        f->db.insert(dated(QStringLiteral("mar05"), QDate(2026, 3, 5), seen));
        f->db.insert(dated(QStringLiteral("mar10"), QDate(2026, 3, 10), seen));
        f->db.insert(dated(QStringLiteral("mar11"), QDate(2026, 3, 11), seen));
        f->open();
        auto* w = f->w;

        f->confirm(QStringLiteral("date of entry"));
        QVERIFY(!w->DTPicker1->isHidden());
        QVERIFY(!w->cmdgo->isHidden());
        QVERIFY(w->txtlike->isHidden());
        w->DTPicker1->setDate(QDate(2026, 3, 10));
        QTest::mouseClick(w->txtdate[0], Qt::LeftButton);
        QVERIFY(!w->cmdgo->isEnabled());
        w->DTPicker1->setDate(QDate(2026, 3, 1));
        QTest::mouseClick(w->txtdate[1], Qt::LeftButton);
        QVERIFY(w->cmdgo->isEnabled());
        QTest::mouseClick(w->cmdgo, Qt::LeftButton);

        QCOMPARE(f->listed(), (QStringList{"mar01", "mar05", "mar10"}));
        QCOMPARE(w->txtdate[0]->text(),
                 QLocale().toString(QDate(2026, 3, 10), QLocale::ShortFormat));
        QCOMPARE(w->txtdate[1]->text(),
                 QLocale().toString(QDate(2026, 3, 1), QLocale::ShortFormat));
        QCOMPARE(search::datefrom, QDate(2026, 3, 1));
        QCOMPARE(search::dateto, QDate(2026, 3, 10));
        QVERIFY(w->cmdgo->isEnabled());
    }

    void goSearchesLastSeenByTheCurrentText() {
        f.reset();
        f = std::make_unique<SearchFixture>();
        f->db.insert(dated(QStringLiteral("entered"), QDate(2026, 3, 5), QDate(2025, 1, 1)));
        f->db.insert(dated(QStringLiteral("seen"), QDate(2025, 1, 1), QDate(2026, 3, 5)));
        f->open();
        f->confirm(QStringLiteral("date of entry"));
        f->w->DTPicker1->setDate(QDate(2026, 3, 1));
        QTest::mouseClick(f->w->txtdate[0], Qt::LeftButton);
        f->w->DTPicker1->setDate(QDate(2026, 3, 31));
        QTest::mouseClick(f->w->txtdate[1], Qt::LeftButton);
        QTest::mouseClick(f->w->cmdgo, Qt::LeftButton);
        QCOMPARE(f->listed(), QStringList{"entered"});

        f->w->Combo1->setEditText(QStringLiteral("last seen"));
        QTest::mouseClick(f->w->cmdgo, Qt::LeftButton);
        QCOMPARE(f->listed(), QStringList{"seen"});
    }

    void confirmingKeepsTextsAndGoWaitsForAClick() {
        f->confirm(QStringLiteral("last seen"));
        f->w->DTPicker1->setDate(QDate(2026, 3, 1));
        QTest::mouseClick(f->w->txtdate[0], Qt::LeftButton);
        QTest::mouseClick(f->w->txtdate[1], Qt::LeftButton);
        QVERIFY(f->w->cmdgo->isEnabled());
        f->confirm(QStringLiteral("last seen"));
        QVERIFY(!f->w->cmdgo->isEnabled());
        QVERIFY(!f->w->txtdate[0]->text().isEmpty());
        QTest::mouseClick(f->w->txtdate[1], Qt::LeftButton);
        QVERIFY(f->w->cmdgo->isEnabled());
    }

    void highlightingInADetailBoxFilters_data() {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("word") << "word" << QStringList{"abacus", "Abate", "abbey"};
        QTest::newRow("identity number") << "identity number" << QStringList{};
    }
    void highlightingInADetailBoxFilters() {
        QFETCH(QString, category);
        QFETCH(QStringList, expected);
        WordRow row;
        row.word = QStringLiteral("zzz");
        row.synonym = QStringLiteral("s");
        row.usage = QStringLiteral("an abstract usage");
        f->db.insert(row);
        f->confirm(QStringLiteral("word"));
        f->filterBy(QStringLiteral("zzz"));
        QVERIFY(f->clickWord(QStringLiteral("zzz")));
        f->confirm(category);
        f->confirm(QStringLiteral("date of entry"));
        const QString caption = f->w->Label5->text();

        // Drag over "ab" of "abstract".
        QPlainTextEdit* usage = f->textBox(2);
        QTextCursor cursor = usage->textCursor();
        cursor.setPosition(3);
        cursor.setPosition(5, QTextCursor::KeepAnchor);
        usage->setTextCursor(cursor);
        QTest::mouseRelease(usage->viewport(), Qt::LeftButton, {},
                            usage->cursorRect(cursor).center());

        QCOMPARE(f->w->txtlike->text(), QStringLiteral("ab"));
        QCOMPARE(f->listed(), expected);
        QVERIFY(!f->w->txtlike->isHidden());
        QVERIFY(!f->w->Label5->isHidden());
        QVERIFY(f->w->DTPicker1->isHidden());
        QVERIFY(f->w->txtdate[0]->isHidden());
        QVERIFY(f->w->cmdgo->isHidden());
        QCOMPARE(f->w->Label5->text(), caption);
    }

    // The filter follows a highlight of the text it already holds; disabled boxes take no
    // clicks; a typed category is used as typed.
    void highlightAndCategoryAsTheUserMeansThem() {
        WordRow row;
        row.word = QStringLiteral("zzz");
        row.synonym = QStringLiteral("s");
        row.usage = QStringLiteral("an abstract usage");
        row.frequent = true;
        f->db.insert(row);
        f->confirm(QStringLiteral("word"));
        f->filterBy(QStringLiteral("ab"));
        f->confirm(QStringLiteral("difficult words"));
        QCOMPARE(f->listed(), QStringList{"zzz"});
        QVERIFY(f->clickWord(QStringLiteral("zzz")));

        QTest::mouseClick(f->w->txtfield[5], Qt::LeftButton);
        QVERIFY(f->w->txtlike->isHidden());
        QCOMPARE(f->listed(), QStringList{"zzz"});

        QPlainTextEdit* usage = f->textBox(2);
        QTextCursor cursor = usage->textCursor();
        cursor.setPosition(3);
        cursor.setPosition(5, QTextCursor::KeepAnchor);
        usage->setTextCursor(cursor);
        QTest::mouseRelease(usage->viewport(), Qt::LeftButton, {},
                            usage->cursorRect(cursor).center());
        QCOMPARE(f->listed(), (QStringList{"abacus", "Abate", "abbey"}));
        QVERIFY(!f->w->cmdchange[0]->isEnabled());
        QVERIFY(!f->w->cmdchange[1]->isEnabled());

        f->w->Combo1->lineEdit()->clear();
        QTest::keyClicks(f->w->Combo1->lineEdit(), QStringLiteral("pend"));
        QCOMPARE(f->w->Combo1->currentText(), QStringLiteral("pend"));
        f->harness.dialogs.queueAnswer(Answer::No);
        QTest::mouseClick(f->w->cmdok, Qt::LeftButton);
        QCOMPARE(f->harness.dialogs.texts().last(),
                 QStringLiteral("Are you sure you want to search by 'pend' ?"));
    }

    void reopeningStartsPlainButKeepsTheColumn() {
        f->confirm(QStringLiteral("identity number"));
        f->filterBy(QStringLiteral("1"));
        f->confirm(QStringLiteral("date of entry"));
        f->w->DTPicker1->setDate(QDate(2026, 3, 1));
        QTest::mouseClick(f->w->txtdate[0], Qt::LeftButton);
        f->w->DTPicker1->setDate(QDate(2026, 3, 9));
        QTest::mouseClick(f->w->txtdate[1], Qt::LeftButton);
        shell::registry().unload(shell::WindowKind::Search);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f->open();
        QCOMPARE(f->w->Combo1->currentText(), QStringLiteral("word"));
        QCOMPARE(f->w->lstword->count(), 0);
        QVERIFY(f->w->txtlike->isHidden());
        QCOMPARE(search::searchfield, QStringLiteral("id"));
        QCOMPARE(search::datefrom, QDate(2026, 3, 1));
        QCOMPARE(search::dateto, QDate(2026, 3, 9));
        QVERIFY(f->w->txtdate[0]->text().isEmpty());
    }

private:
    std::unique_ptr<SearchFixture> f;
};

QTEST_MAIN(TestSearchSide)
#include "test_searchside.moc"
