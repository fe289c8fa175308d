#include "shell/listfill.h"
#include "shell/wordlistbox.h"
#include "store/connection.h"
#include "store/storeerror.h"
#include "support/testdatabase.h"

#include <QtTest>
#include <memory>

namespace {

QStringList entries(const shell::WordListBox& list) {
    return list.words();
}

} // namespace

class TestListFill : public QObject {
    Q_OBJECT

private slots:
    void init() {
        db = std::make_unique<testsupport::TestDatabase>();
        connection = std::make_unique<store::Connection>();
        connection->Open();
    }
    void cleanup() {
        connection.reset();
        db.reset();
    }

    void fillsInStatementOrderReplacingOldEntries() {
        for (const char* word : {"laconic", "abate", "Lucid", "zealot"})
            db->insert(QString::fromUtf8(word));
        shell::WordListBox list;
        list.setWords({QStringLiteral("left over")});
        shell::fillListFromStatement(
            &list, *connection,
            QStringLiteral("SELECT * FROM listofwords WHERE  word LIKE 'l%' ORDER BY  word"));
        QCOMPARE(entries(list), (QStringList{QStringLiteral("laconic"), QStringLiteral("Lucid")}));
        QVERIFY(list.uniformItemSizes());
        QCOMPARE(list.selectedRow(), -1);
    }

    void emptyResultEmptiesTheList() {
        shell::WordListBox list;
        list.setWords({QStringLiteral("left over")});
        shell::fillListFromStatement(&list, *connection,
                                     QStringLiteral("select * from listofwords Order by word"));
        QCOMPARE(list.count(), 0);
    }

    void failingStatementKeepsTheList() {
        db->insert(QStringLiteral("abate"));
        shell::WordListBox list;
        list.setWords({QStringLiteral("one"), QStringLiteral("two")});
        QVERIFY_THROWS_EXCEPTION(
            store::StoreError,
            shell::fillListFromStatement(
                &list, *connection,
                QStringLiteral("SELECT * FROM listofwords WHERE word = 'it's' ORDER BY word")));
        QCOMPARE(entries(list), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    }

private:
    std::unique_ptr<testsupport::TestDatabase> db;
    std::unique_ptr<store::Connection> connection;
};

QTEST_MAIN(TestListFill)
#include "test_listfill.moc"
