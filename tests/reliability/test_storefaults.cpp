// Faults of the word file's surroundings: read-only, locked by another process, the disk full.
// Each gives the user a clear store failure, never a hang, and never loses or truncates what
// was saved before.
#include "store/connection.h"
#include "store/database.h"
#include "store/recordset.h"
#include "store/storeerror.h"
#include "support/recordsets.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace store;

namespace {

void addWord(Connection& conn, const QString& word, const QString& notes = {}) {
    Recordset rs;
    testsupport::openBound(rs, conn, "select * from listofwords where id = 0");
    rs.AddNew();
    rs.setField("word", word);
    rs.setField("notes", notes);
    rs.UpdateBatch();
}

int countWords(const QString& path, QString* integrity = nullptr) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    int n = -1;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM listofwords", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    if (integrity) {
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
        if (sqlite3_step(st) == SQLITE_ROW)
            *integrity =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return n;
}

bool run(const QString& program, const QStringList& args) {
    return QProcess::execute(program, args) == 0;
}

// Makes the file unwritable even for root (immutable attribute), or by its mode otherwise.
bool makeReadOnly(const QString& path) {
    if (::geteuid() != 0)
        return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    return run("chattr", {"+i", path});
}

void makeWritable(const QString& path) {
    if (::geteuid() == 0)
        run("chattr", {"-i", path});
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace

class TestStoreFaults : public QObject {
    Q_OBJECT
private slots:
    void readOnlyFileRefusesSavesAndKeepsWords();
    void lockedFileWaitsThenReports();
    void diskFullDuringSaveKeepsEarlierWords();
};

void TestStoreFaults::readOnlyFileRefusesSavesAndKeepsWords() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/gre_wordlist.db";
    setDatabasePath(path);
    ensureDatabase();
    {
        Connection conn;
        addWord(conn, "kept");
    }
    if (!makeReadOnly(path))
        QSKIP("this machine cannot make the file read-only");
    const qint64 size = QFileInfo(path).size();
    try {
        ensureDatabase();
        Connection conn;
        addWord(conn, "refused");
        makeWritable(path);
        QFAIL("saved into a read-only file");
    } catch (const StoreError& e) {
        makeWritable(path);
        QVERIFY2(e.description().contains("read-only") ||
                     e.description().contains("could not be opened"),
                 qPrintable(e.description()));
    }
    QCOMPARE(QFileInfo(path).size(), size);
    QCOMPARE(countWords(path), 1);
}

void TestStoreFaults::lockedFileWaitsThenReports() {
    QTemporaryDir dir;
    const QString path = dir.path() + "/gre_wordlist.db";
    setDatabasePath(path);
    ensureDatabase();
    Connection conn;
    addWord(conn, "before");
    // Another program holds a write transaction.
    sqlite3* other = nullptr;
    sqlite3_open(path.toUtf8().constData(), &other);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    QElapsedTimer timer;
    timer.start();
    try {
        addWord(conn, "during");
        QFAIL("saved through a lock");
    } catch (const StoreError& e) {
        QCOMPARE(e.number() & 0xff, SQLITE_BUSY);
        QVERIFY2(e.description().contains("in use by another program"),
                 qPrintable(e.description()));
    }
    const qint64 waited = timer.elapsed();
    QVERIFY2(waited >= 2000 && waited < 15000, qPrintable(QString::number(waited)));
    // Reading is not blocked meanwhile.
    Recordset rs;
    rs.setSource("SELECT * FROM listofwords");
    rs.setActiveConnection(&conn);
    rs.Open();
    QCOMPARE(rs.field("word").toString(), QString("before"));
    rs.Close();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    addWord(conn, "after");
    conn.Close();
    QCOMPARE(countWords(path), 2);
}

void TestStoreFaults::diskFullDuringSaveKeepsEarlierWords() {
    QTemporaryDir dir;
    QString folder = dir.path() + "/tiny";
    QDir().mkpath(folder);
    // A tiny file system where the machine allows mounting one; otherwise the engine's own
    // page limit on the connection gives the same "disk full" failure.
    const bool mounted = ::geteuid() == 0 && ::mount("tmpfs", folder.toUtf8().constData(), "tmpfs",
                                                     0, "size=256k") == 0;
    const QString path = folder + "/gre_wordlist.db";
    setDatabasePath(path);
    ensureDatabase();
    int saved = 0;
    QString failure;
    {
        Connection conn;
        conn.Open();
        if (!mounted)
            sqlite3_exec(conn.handle(), "PRAGMA max_page_count = 40", nullptr, nullptr, nullptr);
        const QString notes(2000, QChar('n'));
        try {
            for (int i = 0; i < 10000; ++i) {
                addWord(conn, QString("word%1").arg(i), notes);
                ++saved;
            }
        } catch (const StoreError& e) {
            failure = e.description();
        }
        QVERIFY2(failure.contains("disk is full"), qPrintable(failure));
        // The window stays usable: a smaller save after the failure still needs room, but
        // reading works.
        Recordset rs;
        rs.setSource("SELECT * FROM listofwords ORDER BY id");
        rs.setActiveConnection(&conn);
        rs.Open();
        QVERIFY(!rs.eof());
        rs.Close();
    }
    QString integrity;
    QCOMPARE(countWords(path, &integrity), saved);
    QCOMPARE(integrity, QString("ok"));
    QVERIFY(saved > 5);
    if (mounted)
        ::umount(folder.toUtf8().constData());
}

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "test_storefaults.moc"
