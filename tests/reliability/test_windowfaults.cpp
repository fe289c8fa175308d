// Faults of the word file met through the real windows. The word entry window has an error
// path: its Update reports the failure, keeps the typed row and saves it once the fault is gone.
// The search window has none: a failure of the store in its Update or Delete reaches the
// application object, which shows "number: description" and ends the program. Either way the
// program neither crashes nor hangs, and no saved word is lost or altered.
#include "entry/datacontrol.h"
#include "entry/entrytestutil.h"
#include "search/searchfixture.h"
#include "shell/fatal.h"
#include "store/connection.h"
#include "store/database.h"
#include "store/recordset.h"
#include "support/tablesnapshot.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

using shell::Answer;
using shell::registry;
using shell::WindowKind;
using testsupport::integrityCheck;
using testsupport::tableSnapshot;

namespace {

const QString kBusyText = QStringLiteral("The word list is in use by another program and could "
                                         "not be changed; nothing was saved. Try again in a "
                                         "moment.");
const QString kDiskFullText = QStringLiteral("The disk is full; nothing was saved.");

// Another program holding the word file with a write transaction until released.
class ForeignLock {
public:
    explicit ForeignLock(const QString& path) {
        sqlite3_open(QFile::encodeName(path).constData(), &m_db);
        m_held = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~ForeignLock() { release(); }
    bool held() const { return m_held; }
    void release() {
        if (m_db) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }

private:
    sqlite3* m_db = nullptr;
    bool m_held = false;
};

void removeWordFile(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

// The recovery copy a report names ("... copied to "<file>": ...").
QString recoveryCopyIn(const QString& text) {
    const QRegularExpression copied(QStringLiteral("copied to \"([^\"]+)\""));
    return copied.match(text).captured(1);
}

QString plainText(QWidget* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box))
        return line->text();
    return qobject_cast<QPlainTextEdit*>(box)->toPlainText();
}

// A tiny file system of its own for the word file, where the machine allows mounting one.
class TinyFileSystem {
public:
    TinyFileSystem() {
        m_folder = m_dir.path() + QStringLiteral("/tiny");
        QDir().mkpath(m_folder);
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", QFile::encodeName(m_folder).constData(),
                                                "tmpfs", 0, "size=512k") == 0;
    }
    ~TinyFileSystem() {
        if (m_mounted)
            ::umount(QFile::encodeName(m_folder).constData());
    }
    bool mounted() const { return m_mounted; }
    QString folder() const { return m_folder; }
    // Takes up what is left of the space.
    void fill() {
        QFile filler(m_folder + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    void empty() { QFile::remove(m_folder + QStringLiteral("/filler")); }

private:
    QTemporaryDir m_dir;
    QString m_folder;
    bool m_mounted = false;
};

} // namespace

class TestWindowFaults : public QObject {
    Q_OBJECT

private slots:
    void entrySaveWhileLocked_data();
    void entrySaveWhileLocked();
    void entrySaveWhenDiskFull();
    void entrySaveAfterFileDeleted();

    void searchStoreFailureEndsProgram_data();
    void searchStoreFailureEndsProgram();
    void searchUpdateOnFullDiskEndsProgram();
};

// --- The word entry window: its Update reports and keeps the row --------------------------

void TestWindowFaults::entrySaveWhileLocked_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("no similar word listed") << "zeal" << kBusyText;
    // The window chooses its message by its list of similar words alone.
    QTest::newRow("similar words listed") << "aba" << word_adder::duplicateMessage();
}

void TestWindowFaults::entrySaveWhileLocked() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    EntryFixture fx;
    fx.setUp();
    fx.db->insert(QStringLiteral("abate"), QStringLiteral("lessen"));
    fx.db->insert(QStringLiteral("o'clock"));
    const QStringList before = tableSnapshot(fx.db->path());

    word_adder* w = fx.open();
    QTest::keyClicks(w->Text3, typed);
    QTest::keyClicks(w->txtFields[1], "ardour");
    QTest::keyClicks(w->txtFields[4], "kept while the file is locked");

    ForeignLock lock(fx.db->path());
    QVERIFY(lock.held());
    fx.harness->dialogs.queueAnswer(Answer::Ok);
    QElapsedTimer timer;
    timer.start();
    click(w, "cmdUpdate");
    const qint64 waited = timer.elapsed();

    // The store waits a few seconds for the other program, then the user is told, once.
    QVERIFY2(waited >= 3000 && waited < 15000, qPrintable(QString::number(waited)));
    QCOMPARE(fx.harness->dialogs.texts(), QStringList{message});
    const auto& call = fx.harness->dialogs.calls().first();
    QCOMPARE(call.buttons, shell::Buttons::Ok);
    QVERIFY(call.title.isEmpty());
    // The window stays open with everything typed.
    QVERIFY(registry().isLoaded(WindowKind::WordAdder));
    QCOMPARE(w->Text3->text(), typed);
    QCOMPARE(plainText(w->txtFields[1]), QStringLiteral("ardour"));
    QCOMPARE(plainText(w->txtFields[4]), QStringLiteral("kept while the file is locked"));
    lock.release();
    QCOMPARE(tableSnapshot(fx.db->path()), before);

    // Once the other program lets go, the same Update saves the row.
    click(w, "cmdUpdate");
    QCOMPARE(fx.harness->dialogs.calls().size(), 1);
    const auto row = fx.db->row(typed);
    QVERIFY(row);
    QCOMPARE(row->synonym, QStringLiteral("ardour"));
    QCOMPARE(row->notes, QStringLiteral("kept while the file is locked"));
    QCOMPARE(tableSnapshot(fx.db->path()).mid(0, before.size()), before);
    QCOMPARE(integrityCheck(fx.db->path()), QStringLiteral("ok"));
    const QStringList failures = fx.harness->dialogs.failures();
    fx.tearDown();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

void TestWindowFaults::entrySaveWhenDiskFull() {
    EntryFixture fx;
    fx.setUp();
    for (int i = 0; i < 20; ++i)
        fx.db->insert(QStringLiteral("word%1").arg(i), QStringLiteral("meaning %1").arg(i));
    const QStringList before = tableSnapshot(fx.db->path());

    word_adder* w = fx.open();
    // The disk is full for the window's data control: its file may not grow any more.
    sqlite3* db = w->datPrimaryRS->Recordset().activeConnection()->handle();
    QCOMPARE(sqlite3_exec(db, "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr), SQLITE_OK);

    const QString notes(100000, QLatin1Char('n'));
    QTest::keyClicks(w->Text3, "zeal");
    qobject_cast<QPlainTextEdit*>(w->txtFields[4])->setPlainText(notes);
    fx.harness->dialogs.queueAnswer(Answer::Ok);
    click(w, "cmdUpdate");
    QCOMPARE(fx.harness->dialogs.texts(), QStringList{kDiskFullText});
    QVERIFY(registry().isLoaded(WindowKind::WordAdder));
    QCOMPARE(w->Text3->text(), QStringLiteral("zeal"));
    QCOMPARE(plainText(w->txtFields[4]), notes);
    QCOMPARE(tableSnapshot(fx.db->path()), before);
    QCOMPARE(integrityCheck(fx.db->path()), QStringLiteral("ok"));

    // Room again: the next Update saves the whole row.
    sqlite3_exec(db, "PRAGMA max_page_count = 1073741823", nullptr, nullptr, nullptr);
    click(w, "cmdUpdate");
    QCOMPARE(fx.harness->dialogs.calls().size(), 1);
    QCOMPARE(fx.db->row(QStringLiteral("zeal"))->notes, notes);
    QCOMPARE(tableSnapshot(fx.db->path()).mid(0, before.size()), before);
    const QStringList failures = fx.harness->dialogs.failures();
    fx.tearDown();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

void TestWindowFaults::entrySaveAfterFileDeleted() {
    EntryFixture fx;
    fx.setUp();
    fx.db->insert(QStringLiteral("abate"), QStringLiteral("lessen"));
    fx.db->insert(QStringLiteral("élan"), QStringLiteral("vigour"));
    const QStringList before = tableSnapshot(fx.db->path());
    const QString path = fx.db->path();

    word_adder* w = fx.open();
    QTest::keyClicks(w->Text3, "zeal");
    QTest::keyClicks(w->txtFields[1], "ardour");
    removeWordFile(path);
    fx.harness->dialogs.queueAnswer(Answer::Ok);
    click(w, "cmdUpdate");

    const QStringList texts = fx.harness->dialogs.texts();
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts.first().startsWith(QStringLiteral("The word list file \"%1\" was deleted or "
                                                     "replaced while the program was running, so "
                                                     "nothing more can be saved to it. Every word "
                                                     "saved so far has been copied to \"")
                                          .arg(path)),
             qPrintable(texts.first()));
    QVERIFY2(texts.first().endsWith(
                 QStringLiteral("\": rename that file to \"gre_wordlist.db\" to go on using it.")),
             qPrintable(texts.first()));
    // The words saved before are all in the copy, unaltered; the deleted file stays deleted.
    const QString copy = recoveryCopyIn(texts.first());
    QVERIFY(QFileInfo::exists(copy));
    QCOMPARE(tableSnapshot(copy), before);
    QCOMPARE(integrityCheck(copy), QStringLiteral("ok"));
    QVERIFY(!QFileInfo::exists(path));
    // The window stays open and usable, with what was typed.
    QVERIFY(registry().isLoaded(WindowKind::WordAdder));
    QCOMPARE(w->Text3->text(), QStringLiteral("zeal"));
    QCOMPARE(plainText(w->txtFields[1]), QStringLiteral("ardour"));
    fx.harness->dialogs.queueAnswer(Answer::Ok);
    click(w, "cmdUpdate");
    QCOMPARE(fx.harness->dialogs.calls().size(), 2);
    QVERIFY(registry().isLoaded(WindowKind::WordAdder));
    click(w, "cmdClose");
    QVERIFY(!registry().isLoaded(WindowKind::WordAdder));
    for (const QString& name : QDir(fx.db->folder()).entryList({"*.recovered-*"}))
        QFile::remove(fx.db->folder() + QLatin1Char('/') + name);
    const QStringList failures = fx.harness->dialogs.failures();
    fx.tearDown();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

// --- The search window: no error path, the program ends after the message ---------------

void TestWindowFaults::searchStoreFailureEndsProgram_data() {
    QTest::addColumn<int>("button"); // 0 Update, 1 Delete
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("description"); // the start of it
    QTest::newRow("update, file locked") << 0 << "locked" << kBusyText;
    QTest::newRow("delete, file locked") << 1 << "locked" << kBusyText;
    QTest::newRow("update, file deleted")
        << 0 << "deleted" << QStringLiteral("The word list file \"");
    QTest::newRow("delete, file deleted")
        << 1 << "deleted" << QStringLiteral("The word list file \"");
}

void TestWindowFaults::searchStoreFailureEndsProgram() {
    QFETCH(int, button);
    QFETCH(QString, fault);
    QFETCH(QString, description);
    SearchFixture f;
    for (const char* word : {"abate", "abstain", "zeal"})
        f.db.insert(QString::fromUtf8(word), QStringLiteral("meaning of ") + word);
    const QStringList before = tableSnapshot(f.db.path());
    const qint64 sizeBefore = QFileInfo(f.db.path()).size();

    f.open();
    f.confirm(QStringLiteral("word"));
    f.filterBy(QStringLiteral("ab"));
    QVERIFY(f.clickWord(QStringLiteral("abstain")));
    f.typeInto(1, QStringLiteral("changed"));
    f.harness.dialogs.clear();

    std::unique_ptr<ForeignLock> lock;
    if (fault == QLatin1String("locked")) {
        lock = std::make_unique<ForeignLock>(f.db.path());
        QVERIFY(lock->held());
    } else {
        removeWordFile(f.db.path());
    }
    f.harness.dialogs.queueAnswer(Answer::Yes); // the question
    f.harness.dialogs.queueAnswer(Answer::Ok);  // the failure
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(f.w->cmdchange[button], Qt::LeftButton);
    QVERIFY2(timer.elapsed() < 15000, qPrintable(QString::number(timer.elapsed())));

    // The question, then the failure as number and description; then the program ends.
    const QList<testsupport::DialogCall> calls = f.harness.dialogs.calls();
    QCOMPARE(calls.size(), 2);
    const QRegularExpression numbered(QStringLiteral("^(\\d+): (.*)$"),
                                      QRegularExpression::DotMatchesEverythingOption);
    const auto match = numbered.match(calls[1].text);
    QVERIFY2(match.hasMatch(), qPrintable(calls[1].text));
    QVERIFY2(match.captured(2).startsWith(description), qPrintable(calls[1].text));
    const int number = match.captured(1).toInt();
    QCOMPARE(number & 0xff, fault == QLatin1String("locked") ? SQLITE_BUSY : SQLITE_CANTOPEN);
    QCOMPARE(calls[1].buttons, shell::Buttons::Ok);
    QCOMPARE(calls[1].icon, shell::Icon::Critical);
    QCOMPARE(calls[1].title, QStringLiteral("GRE Wordlist"));
    QCOMPARE(f.harness.quitCodes, QList<int>{1});
    QVERIFY(!registry().isLoaded(WindowKind::Search));
    QVERIFY(f.harness.dialogs.failures().isEmpty());

    // No saved word is lost or altered: in the file, or in the copy made of a deleted file.
    if (lock) {
        lock->release();
        QCOMPARE(tableSnapshot(f.db.path()), before);
        QVERIFY(QFileInfo(f.db.path()).size() >= sizeBefore);
        QCOMPARE(integrityCheck(f.db.path()), QStringLiteral("ok"));
    } else {
        const QString copy = recoveryCopyIn(calls[1].text);
        QVERIFY2(QFileInfo::exists(copy), qPrintable(calls[1].text));
        QCOMPARE(tableSnapshot(copy), before);
        QFile::remove(copy);
    }
}

void TestWindowFaults::searchUpdateOnFullDiskEndsProgram() {
    TinyFileSystem tiny;
    if (!tiny.mounted())
        QSKIP("this machine cannot mount a small file system");
    SearchFixture f;
    // The word file lives on the tiny file system for this test.
    const QString path = tiny.folder() + QStringLiteral("/gre_wordlist.db");
    store::setDatabasePath(path);
    store::ensureDatabase();
    {
        store::Connection conn;
        store::Recordset rs;
        rs.setCursorLocation(store::CursorLocation::Client);
        rs.setLockType(store::LockType::Optimistic);
        rs.setSource(QStringLiteral("select * from listofwords Order by word"));
        rs.setActiveConnection(&conn);
        rs.Open();
        for (const char* word : {"abate", "abstain", "zeal"}) {
            rs.AddNew();
            rs.setField(QStringLiteral("word"), QString::fromLatin1(word));
            rs.setField(QStringLiteral("synonym"), QStringLiteral("meaning"));
        }
        rs.UpdateBatch();
    }
    const QStringList before = tableSnapshot(path);
    QCOMPARE(before.size(), 3);

    f.open();
    f.confirm(QStringLiteral("word"));
    f.filterBy(QStringLiteral("ab"));
    QVERIFY(f.clickWord(QStringLiteral("abate")));
    f.textBox(4)->setPlainText(QString(100000, QLatin1Char('n')));
    tiny.fill();
    f.harness.dialogs.clear();
    f.harness.dialogs.queueAnswer(Answer::Yes);
    f.harness.dialogs.queueAnswer(Answer::Ok);
    QTest::mouseClick(f.w->cmdchange[0], Qt::LeftButton);

    const QStringList texts = f.harness.dialogs.texts();
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts[1].endsWith(QStringLiteral(": ") + kDiskFullText), qPrintable(texts[1]));
    QCOMPARE(f.harness.quitCodes, QList<int>{1});
    QVERIFY(!registry().isLoaded(WindowKind::Search));
    tiny.empty();
    QCOMPARE(tableSnapshot(path), before);
    QCOMPARE(integrityCheck(path), QStringLiteral("ok"));
    store::setDatabasePath(f.db.path());
}

// Store failures must pass through the program's own application object.
int main(int argc, char** argv) {
    shell::Application app(argc, argv);
    TestWindowFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_windowfaults.moc"
