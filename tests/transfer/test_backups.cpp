// Daily backups by date, the fourteen newest kept; and the command line of the real program
// (backup, check, restore, usage errors) run the way a user runs it, without a display.
#include "store/filecopy.h"
#include "support/tablesnapshot.h"
#include "support/testdatabase.h"
#include "transfer/backupfolder.h"
#include "transfer/instancelock.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTest>

using namespace transfer;

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

// The real executable, with no display and no platform plugin: commands create no widget.
Run program(const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("GRE_WORDLIST_EXE"), arguments);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT
private slots:
    void oneBackupADayFourteenKept();
    void commandsOnTheRealProgram();
    void restoreRefusals();
};

void TestBackups::oneBackupADayFourteenKept() {
    testsupport::TestDatabase db;
    db.insert("first");
    const QDate start(2026, 12, 1);
    for (int day = 0; day < 16; ++day) {
        const QDate date = start.addDays(day);
        const BackupOutcome made = makeDailyBackup(db.path(), date);
        QCOMPARE(made.error, QString());
        QCOMPARE(made.file, backupFileFor(db.path(), date));
        db.insert(QString("day%1").arg(day));
        QCOMPARE(makeDailyBackup(db.path(), date).file, QString()); // once a day
    }
    QCOMPARE(QFileInfo(backupFileFor(db.path(), start)).fileName(),
             QString("gre_wordlist-2026-12-01.db"));
    QCOMPARE(QFileInfo(backupFolderFor(db.path())).fileName(), QString("gre_wordlist-backups"));
    const QStringList kept = QDir(backupFolderFor(db.path())).entryList(QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), kBackupsKept);
    QCOMPARE(kept.first(), QString("gre_wordlist-2026-12-03.db"));
    QCOMPARE(kept.last(), QString("gre_wordlist-2026-12-16.db"));
    // Each copy holds the list as it was that morning.
    const store::WordListSummary last =
        store::inspectWordList(backupFileFor(db.path(), start.addDays(15)));
    QCOMPARE(last.integrity, QString("ok"));
    QCOMPARE(last.words, 16);

    // A folder that cannot be made is a failure in plain words, not an exception.
    testsupport::TestDatabase blocked;
    QFile squatter(backupFolderFor(blocked.path()));
    QVERIFY(squatter.open(QIODevice::WriteOnly));
    squatter.close();
    const BackupOutcome failed = makeDailyBackup(blocked.path(), start);
    QVERIFY(failed.file.isEmpty());
    QVERIFY2(failed.error.contains(backupFolderFor(blocked.path())), qPrintable(failed.error));
}

void TestBackups::commandsOnTheRealProgram() {
    testsupport::TestDatabase db;
    db.insert("alpha", "first");
    testsupport::WordRow hard;
    hard.word = "beta";
    hard.synonym = "not entered";
    hard.frequent = true;
    hard.is_used = true;
    db.insert(hard);
    const QString backup = db.folder() + "/saved.db";

    Run r = program({"--database", db.path(), "backup", backup});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(backup), qPrintable(r.out));
    QCOMPARE(testsupport::wordsInFile(backup), (QStringList{"alpha", "beta"}));
    QCOMPARE(program({"backup", "--database", db.path()}).code, 0); // into the folder
    QCOMPARE(QDir(db.folder() + "/gre_wordlist-backups").entryList(QDir::Files).size(), 1);

    r = program({"--database", db.path(), "check"});
    QCOMPARE(r.code, 0);
    for (const char* line :
         {"Integrity: ok", "Words: 2", "Free words: 1", "Difficult words: 1", "Pending words: 1"})
        QVERIFY2(r.out.contains(line), qPrintable(r.out));

    db.insert("gamma");
    r = program({"--database", db.path(), "restore", backup});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains("Restored"), qPrintable(r.out));
    QCOMPARE(testsupport::wordsInFile(db.path()), (QStringList{"alpha", "beta"}));
    for (const char* side : {"-journal", "-wal", "-shm"})
        QVERIFY(!QFile::exists(db.path() + side));
    // The file it replaced was backed up first.
    const QStringList before =
        QDir(db.folder() + "/gre_wordlist-backups").entryList({"*before-restore*"});
    QCOMPARE(before.size(), 1);
    QCOMPARE(testsupport::wordsInFile(db.folder() + "/gre_wordlist-backups/" + before.first()),
             (QStringList{"alpha", "beta", "gamma"}));

    // Export and import through the command line: the same words in a new list.
    const QString csv = db.folder() + "/words.csv";
    QCOMPARE(program({"--database", db.path(), "export", csv}).code, 0);
    QCOMPARE(program({"--database", db.path(), "export", csv}).code, 1); // exists, no --force
    QCOMPARE(program({"--database", db.path(), "export", csv, "--force"}).code, 0);
    const QString other = db.folder() + "/other.db";
    QCOMPARE(program({"--database", other, "import", csv, "--dry-run"}).code, 0);
    QVERIFY(!QFile::exists(other));
    r = program({"import", csv, "--database", other});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains("Imported 2 words"), qPrintable(r.out));
    QCOMPARE(testsupport::wordsInFile(other), (QStringList{"alpha", "beta"}));

    // Help, version and wrong usage.
    r = program({"--help"});
    QCOMPARE(r.code, 0);
    for (const char* word : {"--database", "backup", "restore", "check", "import", "export"})
        QVERIFY2(r.out.contains(word), qPrintable(r.out));
    r = program({"--version"});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.startsWith("gre-wordlist " + QString::number(GRE_VERSION_MAJOR) + "."));
    for (const QStringList& wrong :
         {QStringList{"frobnicate"}, QStringList{"restore"}, QStringList{"check", "extra"},
          QStringList{"--no-such"}, QStringList{"--database"}, QStringList{"check", "--force"},
          QStringList{"import"}, QStringList{"export", "x.csv", "--format", "pdf"}}) {
        r = program(wrong);
        QCOMPARE(r.code, 2);
        QVERIFY2(!r.err.isEmpty(), qPrintable(wrong.join(' ')));
    }
}

void TestBackups::restoreRefusals() {
    testsupport::TestDatabase db;
    db.insert("kept");
    QFile original(db.path());
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    original.close();

    // Not a word list, damaged, missing: refused with the reason, the file untouched.
    const QString noise = db.folder() + "/noise.db";
    QFile n(noise);
    QVERIFY(n.open(QIODevice::WriteOnly));
    n.write(QByteArray(8192, 'x'));
    n.close();
    const QString damaged = db.folder() + "/damaged.db";
    store::copyWordList(db.path(), damaged);
    QFile d(damaged);
    QVERIFY(d.open(QIODevice::ReadWrite));
    d.seek(4096); // the table's first page
    d.write(QByteArray(64, '\x0d'));
    d.close();
    for (const QString& file : {noise, damaged, db.folder() + "/missing.db"}) {
        const Run r = program({"--database", db.path(), "restore", file});
        QCOMPARE(r.code, 1);
        QVERIFY2(!r.err.isEmpty(), qPrintable(file));
    }
    Run r = program({"--database", db.path(), "check"});
    QCOMPARE(r.code, 0);
    QCOMPARE(program({"--database", damaged, "check"}).code, 1);

    // A program running on the file keeps it.
    const QString good = db.folder() + "/good.db";
    store::copyWordList(db.path(), good);
    QLockFile running(instanceLockPath(db.path()));
    QVERIFY(running.tryLock(0));
    r = program({"--database", db.path(), "restore", good});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains("running"), qPrintable(r.err));
    running.unlock();

    QFile after(db.path());
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
}

QTEST_GUILESS_MAIN(TestBackups)
#include "test_backups.moc"
