// The search window on word files made by other tools: flags and dates in their forms, two
// words that differ only in letter case, and words typed with stray blanks.
#include "searchfixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>

using shell::Answer;

namespace {

// The table as Access or a spreadsheet tool leaves it: no UNIQUE word, untyped flags and dates.
const QString kForeignTable = QStringLiteral(
    "DROP TABLE listofwords; CREATE TABLE listofwords (id INTEGER PRIMARY KEY, word TEXT, "
    "synonym TEXT, part_speech TEXT, usage TEXT, notes TEXT, entrydate, last_seen, is_used, "
    "frequent)");

void addRow(const testsupport::TestDatabase& db, int id, const QString& word,
            const QString& entrydate, const QString& frequent) {
    db.exec(QStringLiteral("INSERT INTO listofwords VALUES (%1, '%2', 'syn', '?', '', 'n', %3, "
                           "%3, 0, %4)")
                .arg(QString::number(id), word, entrydate, frequent));
}

} // namespace

class TestForeignTables : public QObject {
    Q_OBJECT

private slots:
    void init() {
        f = std::make_unique<SearchFixture>();
        f->db.exec(kForeignTable);
    }
    void cleanup() { f.reset(); }

    void flagsReadAlikeAndKeepTheirMeaning() {
        // Difficult marks as -1, 'True', 'yes', 2; not difficult as 0, 'False', 'No', none.
        const QStringList ticked{"-1", "'True'", "'yes'", "2"};
        const QStringList unticked{"0", "'False'", "'No'", "NULL"};
        for (int i = 0; i < 4; ++i) {
            addRow(f->db, i + 1, QStringLiteral("hard%1").arg(i), QStringLiteral("'2001-07-01'"),
                   ticked[i]);
            addRow(f->db, i + 11, QStringLiteral("easy%1").arg(i), QStringLiteral("'2001-07-01'"),
                   unticked[i]);
        }
        f->open();
        f->confirm(QStringLiteral("difficult words"));
        QCOMPARE(f->listed(), (QStringList{"hard0", "hard1", "hard2", "hard3"}));

        f->confirm(QStringLiteral("word"));
        for (int i = 0; i < 4; ++i) {
            for (const QString& word :
                 {QStringLiteral("hard%1").arg(i), QStringLiteral("easy%1").arg(i)}) {
                f->filterBy(word);
                QVERIFY(f->clickWord(word));
                QCOMPARE(f->w->chkdifficult->isChecked(), word.startsWith(QLatin1String("hard")));
                // An Update that changes only the notes keeps the mark's meaning.
                f->typeInto(4, QStringLiteral("new notes"));
                f->harness.dialogs.queueAnswer(Answer::Yes);
                QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
                QCOMPARE(f->db.row(word)->frequent, word.startsWith(QLatin1String("hard")));
            }
        }
    }

    void datesInOtherFormsAreInTheirDay() {
        const QStringList forms{"'7/1/2001'", "'7/1/01'", "'07/01/01 00:00:00'",
                                "'2001-07-01 00:00:00'", "'2001-07-01'"};
        for (int i = 0; i < forms.size(); ++i)
            addRow(f->db, i + 1, QStringLiteral("day%1").arg(i), forms[i], QStringLiteral("0"));
        addRow(f->db, 20, QStringLiteral("before"), QStringLiteral("'6/30/2001 23:59:00'"),
               QStringLiteral("0"));
        addRow(f->db, 21, QStringLiteral("after"), QStringLiteral("'2001-07-02'"),
               QStringLiteral("0"));
        f->open();
        for (const QString& category :
             {QStringLiteral("date of entry"), QStringLiteral("last seen")}) {
            f->confirm(category);
            f->w->DTPicker1->setDate(QDate(2001, 7, 1));
            QTest::mouseClick(f->w->txtdate[0], Qt::LeftButton);
            QTest::mouseClick(f->w->txtdate[1], Qt::LeftButton);
            QTest::mouseClick(f->w->cmdgo, Qt::LeftButton);
            QCOMPARE(f->listed(), (QStringList{"day0", "day1", "day2", "day3", "day4"}));
        }
    }

    void wordsDifferingInCaseAreKeptApart() {
        addRow(f->db, 200, QStringLiteral("Abate"), QStringLiteral("'2001-07-01'"),
               QStringLiteral("0"));
        addRow(f->db, 201, QStringLiteral("abate"), QStringLiteral("'2001-07-01'"),
               QStringLiteral("0"));
        f->db.exec(QStringLiteral("UPDATE listofwords SET synonym = 'lower' WHERE id = 201"));
        f->open();
        f->confirm(QStringLiteral("word"));
        f->filterBy(QStringLiteral("ab"));
        QCOMPARE(f->listed().size(), 2);

        QVERIFY(f->clickWord(QStringLiteral("abate")));
        QCOMPARE(f->w->fieldText(5), QStringLiteral(" 201"));
        QCOMPARE(f->w->fieldText(1), QStringLiteral("lower"));

        f->typeInto(4, QStringLiteral("changed"));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
        QCOMPARE(f->db.rowById(201)->notes, QStringLiteral("changed"));
        QCOMPARE(f->db.rowById(200)->notes, QStringLiteral("n"));

        QVERIFY(f->clickWord(QStringLiteral("abate")));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        f->harness.dialogs.queueAnswer(Answer::Ok);
        QTest::mouseClick(f->w->cmdchange[1], Qt::LeftButton);
        QVERIFY(!f->db.rowById(201));
        QVERIFY(f->db.rowById(200));
        QCOMPARE(f->listed(), QStringList{"Abate"});
        QVERIFY(f->clickWord(QStringLiteral("Abate")));
        QCOMPARE(f->w->fieldText(5), QStringLiteral(" 200"));
    }

    void theWordIsSavedWithoutStrayCharacters() {
        addRow(f->db, 1, QStringLiteral("abate"), QStringLiteral("'2001-07-01'"),
               QStringLiteral("0"));
        addRow(f->db, 2, QStringLiteral("zeal"), QStringLiteral("'2001-07-01'"),
               QStringLiteral("0"));
        f->open();
        f->confirm(QStringLiteral("word"));
        f->filterBy(QStringLiteral("zeal"));
        QVERIFY(f->clickWord(QStringLiteral("zeal")));

        // "abate " is the word abate: refused as a duplicate, nothing saved.
        f->typeInto(0, QStringLiteral("abate "));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        f->harness.dialogs.queueAnswer(Answer::Ok);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
        QCOMPARE(f->db.rowById(2)->word, QStringLiteral("zeal"));

        // Blanks around go, a tab inside becomes one blank, a direction override disappears;
        // a synonym of blanks stays as typed.
        f->lineBox(0)->setText(QStringLiteral(" high\tzeal\u202E ")); // pasted
        f->typeInto(1, QStringLiteral("   "));
        f->harness.dialogs.queueAnswer(Answer::Yes);
        QTest::mouseClick(f->w->cmdchange[0], Qt::LeftButton);
        QCOMPARE(f->db.rowById(2)->word, QStringLiteral("high zeal"));
        QCOMPARE(f->db.rowById(2)->synonym, QStringLiteral("   "));
        QCOMPARE(f->w->fieldText(0), QStringLiteral("high zeal"));
    }

private:
    std::unique_ptr<SearchFixture> f;
};

QTEST_MAIN(TestForeignTables)
#include "test_foreigntables.moc"
