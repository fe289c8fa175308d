// One running program per word file, checked with real processes: a second start on the same
// file asks the running one for its menu and ends at once; a lock left by a killed program
// never blocks the next start. And the day's backup runs after start-up, by the program's
// clock, telling the user once when it fails.
#include "shell/dailybackup.h"
#include "shell/singleinstance.h"
#include "support/shellharness.h"
#include "support/testdatabase.h"
#include "transfer/backupfolder.h"
#include "transfer/instancelock.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

namespace {

void startProgram(QProcess& p, const QString& database) {
    p.start(qEnvironmentVariable("GRE_WORDLIST_EXE"), {"--database", database});
    QVERIFY(p.waitForStarted());
}

bool becomesRunning(const QString& database) {
    for (int i = 0; i < 200; ++i) {
        if (transfer::programRunsOn(database))
            return true;
        QTest::qWait(50);
    }
    return false;
}

} // namespace

class TestSingleStart : public QObject {
    Q_OBJECT
private slots:
    void secondStartShowsTheRunningMenuAndEnds();
    void killedProgramNeverBlocksTheNextStart();
    void dailyBackupByTheProgramClock();
};

void TestSingleStart::secondStartShowsTheRunningMenuAndEnds() {
    testsupport::TestDatabase db;
    shell::SingleInstance running;
    QCOMPARE(running.claim(db.path()), shell::SingleInstance::Claim::Claimed);
    QSignalSpy asked(&running, &shell::SingleInstance::activationRequested);
    // The same file by another name meets the same lock.
    QProcess second;
    startProgram(second, db.folder() + "/./gre_wordlist.db");
    QVERIFY(asked.wait(20000));
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 0);
    // Another file is another program.
    testsupport::TestDatabase other;
    shell::SingleInstance elsewhere;
    QCOMPARE(elsewhere.claim(other.path()), shell::SingleInstance::Claim::Claimed);
}

void TestSingleStart::killedProgramNeverBlocksTheNextStart() {
    testsupport::TestDatabase db;
    for (int round = 0; round < 2; ++round) {
        QProcess first;
        startProgram(first, db.path());
        QVERIFY(becomesRunning(db.path()));
        ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(10000));
        QVERIFY(QFile::exists(transfer::instanceLockPath(db.path()))); // left behind
        QVERIFY(!transfer::programRunsOn(db.path()));
    }
    shell::SingleInstance next;
    QCOMPARE(next.claim(db.path()), shell::SingleInstance::Claim::Claimed);
}

void TestSingleStart::dailyBackupByTheProgramClock() {
    testsupport::ShellHarness harness;
    harness.clock.setDay(QDate(2026, 12, 7));
    testsupport::TestDatabase db;
    db.insert("word");
    {
        shell::DailyBackup backup;
        QSignalSpy done(&backup, &shell::DailyBackup::finished);
        backup.start(db.path());
        QVERIFY(done.wait(20000));
    }
    QVERIFY(QFile::exists(db.folder() + "/gre_wordlist-backups/gre_wordlist-2026-12-07.db"));
    QVERIFY(harness.dialogs.calls().isEmpty());

    // The folder cannot be written: one message, and nothing else happens.
    testsupport::TestDatabase blocked;
    QFile squatter(transfer::backupFolderFor(blocked.path()));
    QVERIFY(squatter.open(QIODevice::WriteOnly));
    squatter.close();
    harness.dialogs.queueAnswer(shell::Answer::Ok);
    shell::DailyBackup failing;
    QSignalSpy done(&failing, &shell::DailyBackup::finished);
    failing.start(blocked.path());
    QVERIFY(done.wait(20000));
    QCOMPARE(harness.dialogs.calls().size(), 1);
    QVERIFY(
        harness.dialogs.calls().first().text.contains(transfer::backupFolderFor(blocked.path())));
}

QTEST_MAIN(TestSingleStart)
#include "test_singlestart.moc"
