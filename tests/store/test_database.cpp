// The word file: created on first start, never altered when it exists, refused when it is not
// a word list, and readable by the stock sqlite3 engine.
#include "store/storeerror.h"
#include "storetestutil.h"
#include "support/recordsets.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace store;

namespace {
QByteArray digest(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void makeForeignFile(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void createdOnFirstStartWithEmptyTable();
    void existingFileIsNeverAltered();
    void fileMadeByAnotherToolWorks();
    void notAWordListIsReported_data();
    void notAWordListIsReported();
    void missingFileIsReportedOnOpen();
    void fileDeletedWhileRunningIsReportedAndRecovered();
};

void TestDatabase::createdOnFirstStartWithEmptyTable() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/sub/folder/gre_wordlist.db";
    setDatabasePath(path);
    ensureDatabase();
    QVERIFY(QFile::exists(path));
    QVERIFY(!QFile::exists(path + ".creating"));
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr),
             SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    QCOMPARE(sqlite3_prepare_v2(db, "SELECT count(*) FROM listofwords", -1, &st, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_step(st), SQLITE_ROW);
    QCOMPARE(sqlite3_column_int(st, 0), 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

void TestDatabase::existingFileIsNeverAltered() {
    StoreFile f;
    f.add("kept");
    const QByteArray before = digest(f.path);
    ensureDatabase();
    ensureDatabase();
    QCOMPARE(digest(f.path), before);
    QCOMPARE(f.raw("SELECT word FROM listofwords").toString(), QString("kept"));
}

void TestDatabase::fileMadeByAnotherToolWorks() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/gre_wordlist.db";
    makeForeignFile(path, "CREATE TABLE listofwords (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                          "word TEXT UNIQUE COLLATE NOCASE, synonym TEXT, part_speech TEXT, "
                          "usage TEXT, notes TEXT, entrydate TEXT, last_seen TEXT, "
                          "is_used INTEGER, frequent INTEGER);"
                          "INSERT INTO listofwords (word, synonym, is_used, frequent) "
                          "VALUES ('Alpha', 'a', 0, 1), ('élan', 'e', 1, 0);");
    setDatabasePath(path);
    ensureDatabase();
    Connection conn;
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE frequent = TRUE "),
             QStringList{"Alpha"});
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE word = 'ÉLAN'"), QStringList{"élan"});
    Recordset rs;
    testsupport::openBound(rs, conn);
    rs.AddNew();
    rs.setField("word", "beta");
    rs.UpdateBatch();
    QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE is_used = False ORDER BY word"),
             (QStringList{"Alpha", "beta"}));
}

void TestDatabase::notAWordListIsReported_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("sql");
    QByteArray noise(8192, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919 + 13) % 251);
    QTest::newRow("random bytes") << noise << QByteArray();
    QTest::newRow("no table") << QByteArray() << QByteArray("CREATE TABLE other (x);");
    QTest::newRow("missing columns")
        << QByteArray() << QByteArray("CREATE TABLE listofwords (id, word);");
}

void TestDatabase::notAWordListIsReported() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, sql);
    QTemporaryDir dir;
    const QString path = dir.path() + "/gre_wordlist.db";
    if (!sql.isEmpty()) {
        makeForeignFile(path, sql.constData());
    } else {
        QFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(content);
    }
    const QByteArray before = digest(path);
    setDatabasePath(path);
    try {
        ensureDatabase();
        QFAIL("accepted");
    } catch (const StoreError& e) {
        QCOMPARE(e.number(), errnum::NotAWordDatabase);
        QVERIFY2(e.description().contains("not a word list"), qPrintable(e.description()));
    }
    Connection conn;
    QVERIFY_THROWS_EXCEPTION(StoreError, conn.Open());
    QCOMPARE(digest(path), before);
}

void TestDatabase::missingFileIsReportedOnOpen() {
    QTemporaryDir dir;
    setDatabasePath(dir.path() + "/gone.db");
    Connection conn;
    try {
        conn.Open();
        QFAIL("opened a missing file");
    } catch (const StoreError& e) {
        QCOMPARE(e.number(), errnum::FileMissing);
    }
    QVERIFY(!QFile::exists(dir.path() + "/gone.db"));
}

void TestDatabase::fileDeletedWhileRunningIsReportedAndRecovered() {
    StoreFile f;
    f.add("saved before");
    Connection conn;
    Recordset rs;
    rs.setCursorType(CursorType::Keyset);
    rs.setLockType(LockType::Optimistic);
    rs.setSource("SELECT * FROM listofwords");
    rs.setActiveConnection(&conn);
    rs.Open();
    QVERIFY(QFile::remove(f.path));
    rs.setField("synonym", "after the deletion");
    try {
        rs.Update();
        QFAIL("saved into a deleted file");
    } catch (const StoreError& e) {
        QCOMPARE(e.number(), errnum::FileMissing);
        QVERIFY2(e.description().contains("deleted"), qPrintable(e.description()));
    }
    const QStringList copies = QDir(f.dir.path()).entryList({"gre_wordlist.recovered-*.db"});
    QCOMPARE(copies.size(), 1);
    sqlite3* db = nullptr;
    sqlite3_open((f.dir.path() + "/" + copies.first()).toUtf8().constData(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT word, synonym FROM listofwords", -1, &st, nullptr);
    QCOMPARE(sqlite3_step(st), SQLITE_ROW);
    QCOMPARE(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
             QString("saved before"));
    QCOMPARE(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))),
             QString("syn"));
    sqlite3_finalize(st);
    sqlite3_close(db);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
