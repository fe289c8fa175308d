// The word file: created on first start, never altered when it exists, refused when it is not
// a word list, and readable by the stock sqlite3 engine.
#include "store/storeerror.h"
#include "storetestutil.h"
#include "support/recordsets.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>
#include <unistd.h>

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
    void idThatIsNotTheRowKey();
    void unusablePathsAreNamedWithTheirCause();
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

void TestDatabase::idThatIsNotTheRowKey() {
    // id a plain column: a new word gets MAX(id) + 1, as an AutoNumber would, also in an
    // empty table, and the record set shows that id at once.
    QTemporaryDir dir;
    const QString path = dir.path() + "/gre_wordlist.db";
    makeForeignFile(path, "CREATE TABLE listofwords (id INTEGER, word TEXT, synonym TEXT, "
                          "part_speech TEXT, usage TEXT, notes TEXT, entrydate TEXT, "
                          "last_seen TEXT, is_used INTEGER, frequent INTEGER);");
    setDatabasePath(path);
    ensureDatabase();
    {
        Connection conn;
        Recordset rs;
        testsupport::openBound(rs, conn);
        for (const char* word : {"first", "second"}) {
            rs.AddNew();
            rs.setField("word", word);
            rs.UpdateBatch();
        }
        QCOMPARE(rs.field("id").toLongLong(), 2);
        makeForeignFile(path, "INSERT INTO listofwords (id, word) VALUES (1099511627776, 'far'),"
                              " (NULL, 'none')");
        rs.AddNew();
        rs.setField("word", "third");
        rs.UpdateBatch();
        QCOMPARE(rs.field("id").toLongLong(), 1099511627777);
        QCOMPARE(wordsOf(conn, "SELECT * FROM listofwords WHERE id = 1"), QStringList{"first"});
    }

    // A table without row ids cannot have its words changed: refused at start, naming the file.
    const QString other = dir.path() + "/norowid.db";
    makeForeignFile(other, "CREATE TABLE listofwords (id INTEGER PRIMARY KEY, word TEXT, "
                           "synonym TEXT, part_speech TEXT, usage TEXT, notes TEXT, entrydate "
                           "TEXT, last_seen TEXT, is_used INTEGER, frequent INTEGER) "
                           "WITHOUT ROWID;");
    setDatabasePath(other);
    try {
        ensureDatabase();
        QFAIL("accepted a table without row ids");
    } catch (const StoreError& e) {
        QVERIFY2(e.description().contains(other) && e.description().contains("WITHOUT ROWID"),
                 qPrintable(e.description()));
    }
}

void TestDatabase::unusablePathsAreNamedWithTheirCause() {
    QTemporaryDir dir;
    const auto refusal = [](const QString& path) {
        setDatabasePath(path);
        try {
            ensureDatabase();
        } catch (const StoreError& e) {
            return e.description();
        }
        return QString();
    };
    // The documents folder is a file.
    QFile documents(dir.path() + "/Documents");
    QVERIFY(documents.open(QIODevice::WriteOnly));
    documents.close();
    QString text = refusal(dir.path() + "/Documents/gre_wordlist.db");
    QVERIFY2(text.contains(dir.path() + "/Documents\" is a file, not a folder"), qPrintable(text));
    // The word list path is a folder.
    QVERIFY(QDir(dir.path()).mkpath("folder.db"));
    text = refusal(dir.path() + "/folder.db");
    QVERIFY2(text.contains(dir.path() + "/folder.db\" is a folder, not a word list file"),
             qPrintable(text));
    // A folder that cannot be written (meaningless for root, who writes everywhere).
    if (::geteuid() != 0) {
        QVERIFY(QDir(dir.path()).mkpath("locked"));
        QFile::setPermissions(dir.path() + "/locked",
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        text = refusal(dir.path() + "/locked/gre_wordlist.db");
        QVERIFY2(text.contains("the folder \"" + dir.path() + "/locked\" cannot be written",
                               Qt::CaseInsensitive),
                 qPrintable(text));
        QFile::setPermissions(dir.path() + "/locked", QFileDevice::ReadOwner |
                                                          QFileDevice::WriteOwner |
                                                          QFileDevice::ExeOwner);

        // The folder becomes read-only while the program runs: a save names the folder, not
        // the (writable) file.
        const QString later = dir.path() + "/later/gre_wordlist.db";
        QVERIFY(QDir(dir.path()).mkpath("later"));
        makeForeignFile(later, "CREATE TABLE listofwords (id INTEGER PRIMARY KEY, word TEXT, "
                               "synonym TEXT, part_speech TEXT, usage TEXT, notes TEXT, "
                               "entrydate TEXT, last_seen TEXT, is_used INTEGER, frequent "
                               "INTEGER); INSERT INTO listofwords (word) VALUES ('kept');");
        setDatabasePath(later);
        ensureDatabase();
        Connection conn;
        Recordset rs;
        testsupport::openKeyset(rs, conn, "SELECT * FROM listofwords");
        QFile::setPermissions(dir.path() + "/later",
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        rs.setField("notes", "new");
        try {
            rs.Update();
            QFAIL("saved");
        } catch (const StoreError& e) {
            QVERIFY2(e.description().contains(dir.path() + "/later\" cannot be written"),
                     qPrintable(e.description()));
        }
        QFile::setPermissions(dir.path() + "/later", QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
    }
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "test_database.moc"
