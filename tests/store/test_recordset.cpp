// Reading and writing rows through record sets: keyset updates by id, the bound (static)
// record set with AddNew/UpdateBatch, moving, and connections that see each other's saves.
#include "store/dataenvironment.h"
#include "store/storeerror.h"
#include "storetestutil.h"
#include "support/recordsets.h"

#include <QTest>

using namespace store;

using testsupport::openBound;
using testsupport::openKeyset;

class TestRecordset : public QObject {
    Q_OBJECT
private slots:
    void keysetUpdateWritesAssignedFieldsById();
    void fieldsHaveTheirTypes();
    void dateTextSevenOneOhOneIsFirstOfJuly();
    void twoConnectionsSeeEachOthersSaves();
    void boundRecordSetMovesAndClamps();
    void addNewThenUpdateBatchInsertsWithDefaults();
    void refusedBatchKeepsPendingChanges();
    void emptyWordIsRefused();
    void readOnlyAndIdAreProtected();
    void deleteRemovesOnlyTheCurrentRow();
    void updateOfADeletedRowIsReported();
    void dataEnvironmentSharesOneRecordset();
    void keptRowsShowEveryColumnAfterMovesAndWrites();
};

void TestRecordset::keysetUpdateWritesAssignedFieldsById() {
    StoreFile f;
    f.add("alpha", "first");
    const qint64 id = f.add("beta", "second");
    Connection conn;
    Recordset rs;
    openKeyset(rs, conn, "SELECT * FROM listofwords WHERE word = 'BETA'");
    QCOMPARE(rs.RecordCount(), 1);
    rs.setField("synonym", "changed");
    rs.setField("last_seen", QDate(2026, 12, 7));
    QCOMPARE(rs.field("synonym").toString(), QString("changed")); // the assigned value reads back
    QCOMPARE(f.raw("SELECT synonym FROM listofwords WHERE word = 'beta'").toString(),
             QString("second"));
    rs.Update();
    rs.Close();
    QCOMPARE(f.raw(QString("SELECT synonym FROM listofwords WHERE id = %1").arg(id)).toString(),
             QString("changed"));
    QCOMPARE(f.raw("SELECT last_seen FROM listofwords WHERE word = 'beta'").toString(),
             QString("2026-12-07"));
    QCOMPARE(f.raw("SELECT synonym FROM listofwords WHERE word = 'alpha'").toString(),
             QString("first"));
}

void TestRecordset::fieldsHaveTheirTypes() {
    StoreFile f;
    f.add("gamma", "syn", "", true, QDate(2025, 5, 6), true);
    Connection conn;
    Recordset rs;
    rs.setSource("SELECT * FROM listofwords");
    rs.setActiveConnection(&conn);
    rs.Open();
    QCOMPARE(rs.field("id").typeId(), QMetaType::LongLong);
    QCOMPARE(rs.field("entrydate").toDate(), QDate(2025, 5, 6));
    QCOMPARE(rs.field("is_used").toBool(), true);
    QCOMPARE(rs.field("FREQUENT").toBool(), true);
    QCOMPARE(rs.field("usage").toString(), QString());
    QVERIFY(rs.field("notes").isNull());
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.field("nosuchcolumn"));
}

void TestRecordset::dateTextSevenOneOhOneIsFirstOfJuly() {
    StoreFile f;
    f.add("delta");
    Connection conn;
    Recordset rs;
    openKeyset(rs, conn, "SELECT * FROM listofwords WHERE word = 'delta'");
    rs.setField("last_seen", "7/1/01");
    rs.Update();
    QCOMPARE(f.raw("SELECT last_seen FROM listofwords").toString(), QString("2001-07-01"));
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.setField("last_seen", "not a date"));
}

void TestRecordset::twoConnectionsSeeEachOthersSaves() {
    StoreFile f;
    Connection a, b;
    QCOMPARE(wordsOf(b, "SELECT * FROM listofwords").size(), 0);
    Recordset rs;
    openBound(rs, a);
    rs.AddNew();
    rs.setField("word", "epsilon");
    rs.UpdateBatch();
    QCOMPARE(wordsOf(b, "SELECT * FROM listofwords WHERE word = 'Epsilon'"),
             QStringList{"epsilon"});
    Recordset rb;
    openKeyset(rb, b, "SELECT * FROM listofwords WHERE word = 'epsilon'");
    rb.setField("synonym", "from b");
    rb.Update();
    QCOMPARE(wordsOf(a, "SELECT * FROM listofwords WHERE synonym = 'FROM B'"),
             QStringList{"epsilon"});
}

void TestRecordset::boundRecordSetMovesAndClamps() {
    StoreFile f;
    for (const char* w : {"c", "a", "b"})
        f.add(w);
    Connection conn;
    Recordset rs;
    openBound(rs, conn);
    QCOMPARE(rs.RecordCount(), 3);
    QCOMPARE(rs.AbsolutePosition(), 1);
    QCOMPARE(rs.field("word").toString(), QString("a"));
    rs.MoveLast();
    QCOMPARE(rs.AbsolutePosition(), 3);
    rs.MoveNext();
    QVERIFY(rs.eof());
    QCOMPARE(rs.AbsolutePosition(), PosEOF);
    rs.MoveNext(); // stays past the end, no failure
    rs.MoveFirst();
    rs.MovePrevious();
    QVERIFY(rs.bof());
    rs.setAbsolutePosition(2);
    QCOMPARE(rs.field("word").toString(), QString("b"));
    rs.setAbsolutePosition(99);
    QCOMPARE(rs.AbsolutePosition(), 3);
}

void TestRecordset::addNewThenUpdateBatchInsertsWithDefaults() {
    StoreFile f;
    f.add("zeta");
    Connection conn;
    Recordset rs;
    openBound(rs, conn);
    rs.AddNew();
    QVERIFY(rs.isNewRow());
    QCOMPARE(rs.AbsolutePosition(), PosUnknown);
    QVERIFY(rs.field("word").isNull());
    rs.setField("word", "  eta  ");
    rs.setField("synonym", "   ");
    rs.setField("entrydate", "12/7/2026");
    rs.UpdateBatch();
    QVERIFY(!rs.isNewRow());
    QVERIFY(!rs.hasPendingChanges());
    QCOMPARE(rs.AbsolutePosition(), 2);
    QCOMPARE(rs.field("id").toLongLong(), 2);
    // The word is a key and loses its surrounding blanks; the other texts stay as typed.
    QCOMPARE(f.raw("SELECT word FROM listofwords WHERE id = 2").toString(), QString("eta"));
    QCOMPARE(f.raw("SELECT synonym FROM listofwords WHERE id = 2").toString(), QString("   "));
    QCOMPARE(f.raw("SELECT is_used FROM listofwords WHERE id = 2").toInt(), 0);
    QCOMPARE(f.raw("SELECT frequent FROM listofwords WHERE id = 2").toInt(), 0);
    QCOMPARE(f.raw("SELECT entrydate FROM listofwords WHERE id = 2").toString(),
             QString("2026-12-07"));
}

void TestRecordset::refusedBatchKeepsPendingChanges() {
    StoreFile f;
    f.add("Theta");
    Connection conn;
    Recordset rs;
    openBound(rs, conn);
    rs.AddNew();
    rs.setField("word", "THETA");
    rs.setField("notes", "kept");
    try {
        rs.UpdateBatch();
        QFAIL("duplicate saved");
    } catch (const StoreError& e) {
        QCOMPARE(e.number(), errnum::DuplicateWord);
    }
    QVERIFY(rs.isNewRow());
    QCOMPARE(rs.field("notes").toString(), QString("kept"));
    rs.setField("word", "iota");
    rs.UpdateBatch();
    QCOMPARE(f.raw("SELECT count(*) FROM listofwords").toInt(), 2);
}

void TestRecordset::emptyWordIsRefused() {
    StoreFile f;
    Connection conn;
    Recordset rs;
    openBound(rs, conn);
    rs.AddNew();
    rs.setField("synonym", "no word");
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.UpdateBatch());
    rs.setField("word", "");
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.UpdateBatch());
    rs.CancelBatch();
    QCOMPARE(rs.RecordCount(), 0);
    QCOMPARE(f.raw("SELECT count(*) FROM listofwords").toInt(), 0);
}

void TestRecordset::readOnlyAndIdAreProtected() {
    StoreFile f;
    f.add("kappa");
    Connection conn;
    Recordset ro;
    ro.setSource("SELECT * FROM listofwords");
    ro.setActiveConnection(&conn);
    ro.Open();
    QVERIFY_THROWS_EXCEPTION(StoreError, ro.setField("word", "x"));
    ro.Close();
    Recordset rs;
    openKeyset(rs, conn, "SELECT * FROM listofwords");
    rs.setField("id", "1"); // unchanged id: accepted
    rs.Update();
    rs.setField("id", "77");
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.Update());
    QCOMPARE(f.raw("SELECT id FROM listofwords").toInt(), 1);
}

void TestRecordset::deleteRemovesOnlyTheCurrentRow() {
    StoreFile f;
    f.add("lambda");
    f.add("mu");
    Connection conn;
    Recordset rs;
    openKeyset(rs, conn, "SELECT * FROM listofwords WHERE word = 'MU'");
    rs.Delete();
    rs.Close();
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords"), QStringList{"lambda"});
}

void TestRecordset::updateOfADeletedRowIsReported() {
    StoreFile f;
    f.add("nu");
    Connection a, b;
    Recordset rs;
    openKeyset(rs, a, "SELECT * FROM listofwords WHERE word = 'nu'");
    Recordset other;
    openKeyset(other, b, "SELECT * FROM listofwords WHERE word = 'nu'");
    other.Delete();
    rs.setField("synonym", "too late");
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.Update());
    QCOMPARE(f.raw("SELECT count(*) FROM listofwords").toInt(), 0);
}

void TestRecordset::dataEnvironmentSharesOneRecordset() {
    StoreFile f;
    f.add("xi", "s", "use * here");
    DataEnvironment& de = degrewordlist();
    de.reset();
    Recordset& rs = de.rscommwordlist;
    QCOMPARE(rs.source(),
             QString("SELECT word, synonym, usage, is_used FROM listofwords ORDER BY word"));
    rs.setSource("SELECT * FROM listofwords WHERE (id =  1) AND (is_used = False)");
    rs.Open();
    QVERIFY(de.connwordlist.isOpen());
    rs.setField("is_used", true);
    rs.Update();
    rs.Close();
    rs.setSource("SELECT word FROM listofwords WHERE id =  1");
    rs.Open();
    QCOMPARE(rs.field("word").toString(), QString("xi"));
    rs.Close();
    QCOMPARE(f.raw("SELECT is_used FROM listofwords").toInt(), 1);
    de.reset();
}

void TestRecordset::keptRowsShowEveryColumnAfterMovesAndWrites() {
    StoreFile f;
    f.add("omicron", "first meaning", "an * here");
    f.add("pi", "second meaning", "a * there");
    Connection conn;
    Recordset rs;
    openBound(rs, conn);
    QCOMPARE(rs.fieldNames(), (QStringList{"id", "word", "synonym", "part_speech", "usage", "notes",
                                           "entrydate", "last_seen", "is_used", "frequent"}));
    rs.MoveLast();
    QCOMPARE(rs.field("usage").toString(), QString("a * there"));
    rs.MoveFirst();
    QCOMPARE(rs.field("synonym").toString(), QString("first meaning"));
    rs.setField("notes", "written");
    rs.Update();
    QCOMPARE(rs.field("notes").toString(), QString("written"));
    QCOMPARE(rs.field("usage").toString(), QString("an * here"));
    rs.AddNew();
    rs.setField("word", "rho");
    rs.setField("usage", "the * of it");
    rs.UpdateBatch();
    QCOMPARE(rs.field("id").toLongLong(), 3);
    QCOMPARE(rs.field("usage").toString(), QString("the * of it"));
    QVERIFY(rs.field("synonym").isNull());
    QCOMPARE(rs.field("is_used").toBool(), false);
    // A row deleted by another connection before its long texts were read shows none.
    Recordset other;
    openBound(other, conn);
    Connection second;
    Recordset killer;
    openKeyset(killer, second, "SELECT * FROM listofwords WHERE word = 'pi'");
    killer.Delete();
    other.setAbsolutePosition(2);
    QCOMPARE(other.field("word").toString(), QString("pi"));
    QVERIFY(other.field("synonym").isNull());
    QCOMPARE(f.raw("SELECT notes FROM listofwords WHERE word = 'omicron'").toString(),
             QString("written"));
}

QTEST_GUILESS_MAIN(TestRecordset)
#include "test_recordset.moc"
