// A file copied over the word file is never damaged and never receives a word of the file it
// replaced: while the program runs (in place, or moved in under the name), and after a process
// was killed with its journal or write-ahead log left beside the file. The side files come from
// a real SQLite process killed with SIGKILL: the test runs itself as that child
// (`--killed-writer <file> <journal mode>`), which leaves a transaction half written.
#include "store/fileidentity.h"
#include "store/storeerror.h"
#include "storetestutil.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <cstdio>

using namespace store;

namespace {

QByteArray contentOf(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Writes over the file in place, as cp does: same inode, new bytes.
void copyOver(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A sound word list of `count` words whose names start with `prefix`, as bytes.
QByteArray otherWordList(const QString& prefix, int count) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/other.db";
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE listofwords (id INTEGER PRIMARY KEY AUTOINCREMENT, word TEXT NOT "
                 "NULL UNIQUE COLLATE NOCASE, synonym TEXT, part_speech TEXT, usage TEXT, notes "
                 "TEXT, entrydate DATE, last_seen DATE, is_used BOOLEAN NOT NULL DEFAULT 0, "
                 "frequent BOOLEAN NOT NULL DEFAULT 0)",
                 nullptr, nullptr, nullptr);
    // One commit per word, as a list built over time: its change counter is high.
    sqlite3_exec(db, "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i)
        sqlite3_exec(db,
                     QString("INSERT INTO listofwords (word, synonym) VALUES ('%1%2', '%3')")
                         .arg(prefix)
                         .arg(i)
                         .arg(QString(200, 'm'))
                         .toUtf8()
                         .constData(),
                     nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return contentOf(path);
}

// Integrity and words with the stock engine, as another program would see the file.
QString integrityOf(const QString& path, QStringList* words = nullptr) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
    const QString result =
        sqlite3_step(st) == SQLITE_ROW
            ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
            : QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    if (words) {
        sqlite3_prepare_v2(db, "SELECT word FROM listofwords ORDER BY id", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            *words << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

// The child: opens the file in the given journal mode, saves one word, then writes a large
// transaction with a tiny cache so that pages reach the file before the commit, and waits to
// be killed.
int runKilledWriter(const QString& path, const QByteArray& mode) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, ("PRAGMA journal_mode = " + mode).constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA wal_autocheckpoint = 0", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "INSERT INTO listofwords (word) VALUES ('saved by the killed one')", nullptr,
                 nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA cache_size = 8", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < 400; ++i)
        sqlite3_exec(db,
                     QString("INSERT INTO listofwords (word, notes) VALUES ('half%1', '%2')")
                         .arg(i)
                         .arg(QString(300, 'n'))
                         .toUtf8()
                         .constData(),
                     nullptr, nullptr, nullptr);
    std::printf("holding\n");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

} // namespace

class TestFileSafety : public QObject {
    Q_OBJECT
private slots:
    void copiedOverWhileRunningIsNoticedAndLeftIntact();
    void sideFileOfKilledProgram_data();
    void sideFileOfKilledProgram();
    void checksKeepTheWriteLock();
};

// While a transaction is open, the file checks of its saves and of another connection opening
// keep its write lock: another program cannot write meanwhile (POSIX locks go with any handle
// of the file this process closes, so the checks must not open one of their own).
void TestFileSafety::checksKeepTheWriteLock() {
    StoreFile f;
    f.add("first");
    Connection conn;
    Recordset rs;
    testsupport::openKeyset(rs, conn, "SELECT * FROM listofwords");
    conn.BeginTrans();
    rs.setField("notes", "in the transaction");
    rs.Update();
    Connection second; // checks the file as it opens
    second.Open();
    const auto otherProgramWrites = [&] {
        QProcess sqlite;
        sqlite.start("sqlite3", {f.path, "INSERT INTO listofwords (word) VALUES ('intruder');"});
        sqlite.waitForFinished(10000);
        return sqlite.exitStatus() == QProcess::NormalExit && sqlite.exitCode() == 0;
    };
    QVERIFY(!otherProgramWrites());
    conn.CommitTrans();
    QVERIFY(otherProgramWrites());
}

void TestFileSafety::copiedOverWhileRunningIsNoticedAndLeftIntact() {
    const QByteArray foreign = otherWordList("copied", 300);
    enum Case { OlderCopyInPlace, OtherListInPlace, OtherListMovedIn };
    for (const Case c : {OlderCopyInPlace, OtherListInPlace, OtherListMovedIn}) {
        const bool inPlace = c != OtherListMovedIn;
        StoreFile f;
        f.add("in the backup");
        const QByteArray backup = contentOf(f.path); // cp gre_wordlist.db backup.db
        f.add("mine");
        Connection conn;
        Recordset rs;
        testsupport::openKeyset(rs, conn, "SELECT * FROM listofwords");
        // Another program saving with SQLite meanwhile is no replacement.
        sqlite3* other = nullptr;
        sqlite3_open(f.path.toUtf8().constData(), &other);
        QCOMPARE(sqlite3_exec(other, "INSERT INTO listofwords (word) VALUES ('by sqlite3')",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(other);
        f.add("after sqlite3");

        // The backup copied back in place, or another list moved in under the name.
        const QByteArray replacement = c == OlderCopyInPlace ? backup : foreign;
        if (inPlace) {
            copyOver(f.path, replacement);
        } else {
            QFile moved(f.dir.path() + "/moved-in.db");
            QVERIFY(moved.open(QIODevice::WriteOnly));
            moved.write(foreign);
            moved.close();
            QVERIFY(::rename(qPrintable(moved.fileName()), qPrintable(f.path)) == 0);
        }
        rs.setField("notes", "written after the copy");
        try {
            rs.Update();
            QFAIL("saved into a file that replaced the word file");
        } catch (const StoreError& e) {
            QCOMPARE(e.number(), errnum::FileReplaced);
            QVERIFY2(e.description().contains(f.path), qPrintable(e.description()));
            QVERIFY2(!e.description().contains("rename"), qPrintable(e.description()));
        }
        // Later saves on any connection are refused too, and closing writes nothing.
        QVERIFY_THROWS_EXCEPTION(StoreError, f.add("another"));
        rs.Close();
        conn.Close();
        QCOMPARE(contentOf(f.path), replacement);
        QStringList words;
        QCOMPARE(integrityOf(f.path, &words), QString("ok"));
        QVERIFY(!words.contains("mine"));
        QCOMPARE(words.size(), c == OlderCopyInPlace ? 1 : 300);
        // Moved in: the words the program had were copied out, the message names that copy.
        QCOMPARE(QDir(f.dir.path()).entryList({"*.recovered-*"}).size(), inPlace ? 0 : 1);
    }
}

void TestFileSafety::sideFileOfKilledProgram_data() {
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("copiedOver");
    QTest::newRow("journal, same file") << QByteArray("DELETE") << false;
    QTest::newRow("journal, copied over") << QByteArray("DELETE") << true;
    QTest::newRow("log, same file") << QByteArray("WAL") << false;
    QTest::newRow("log, copied over") << QByteArray("WAL") << true;
}

void TestFileSafety::sideFileOfKilledProgram() {
    QFETCH(QByteArray, mode);
    QFETCH(bool, copiedOver);
    StoreFile f;
    f.add("before the crash");
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--killed-writer", f.path, mode});
    QVERIFY(child.waitForReadyRead(20000));
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(10000));
    const QString side = f.path + (mode == "WAL" ? "-wal" : "-journal");
    QVERIFY2(QFileInfo(side).size() > 0, "the killed writer left no side file");

    const QByteArray replacement = otherWordList("copied", 300);
    if (copiedOver) {
        QTest::qWait(20); // the copy comes after the crash, as people do it
        copyOver(f.path, replacement);
    }
    ensureDatabase(); // the next start
    QStringList words;
    QCOMPARE(integrityOf(f.path, &words), QString("ok"));
    QVERIFY(!QFileInfo::exists(side) || QFileInfo(side).size() == 0);
    if (copiedOver) {
        QCOMPARE(words.size(), 300);
        QVERIFY(words.first().startsWith("copied"));
        QCOMPARE(QDir(f.dir.path()).entryList({"*.orphaned-*"}).isEmpty(), false);
    } else {
        // The interrupted transaction is undone, every word saved before it is kept.
        QVERIFY(words.contains("before the crash"));
        QCOMPARE(words.contains("saved by the killed one"), true);
        QVERIFY(!words.contains("half0"));
        QVERIFY(QDir(f.dir.path()).entryList({"*.orphaned-*"}).isEmpty());
    }
    // The file goes on in use, kept with a rollback journal whatever mode it came in.
    f.add("after the start");
    QCOMPARE(integrityOf(f.path), QString("ok"));
    QCOMPARE(contentOf(f.path).at(18), char(1));
}

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--killed-writer") {
        QCoreApplication app(argc, argv);
        return runKilledWriter(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]));
    }
    QCoreApplication app(argc, argv);
    TestFileSafety test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_filesafety.moc"
