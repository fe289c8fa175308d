#include "benchkit.h"

#include "store/database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <sqlite3.h>

namespace bench {

std::vector<Benchmark>& registry() {
    static std::vector<Benchmark> all;
    return all;
}

double medianMs(int reps, const std::function<void()>& fn) {
    fn();
    std::vector<double> times;
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double medianPreparedMs(int reps, const std::function<void()>& prepare,
                        const std::function<void()>& timed) {
    std::vector<double> times;
    for (int i = 0; i <= reps; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        timed();
        if (i > 0) // the first run warms the caches
            times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const QString& what, double ms, const QString& goal) {
    std::printf("  %-62s %9.2f ms   (goal: %s)\n", qPrintable(what), ms, qPrintable(goal));
    std::fflush(stdout);
}

void reportRatio(const QString& what, double layerMs, double bareMs, double maxRatio) {
    std::printf("  %-46s layer %8.2f ms  bare %8.2f ms  ratio %5.2f (goal < %.1f)\n",
                qPrintable(what), layerMs, bareMs, layerMs / bareMs, maxRatio);
    std::fflush(stdout);
}

namespace {

QTemporaryDir& workDir() {
    static QTemporaryDir dir;
    return dir;
}

// Word-like text: a first letter drawn with English-like frequencies, then 4 to 11 letters.
// One word in a hundred starts with "é" (as élan, émigré), so a list ordered by word has to be
// sorted into dictionary order rather than come ready from the index.
QString makeWord(std::mt19937_64& gen, int serial) {
    static const char* firsts = "aaaaaaabbbbbbcccccccccddddddeeeeefffffggggghhhhiiiijkllllmmmmmm"
                                "nnnoooopppppppppqrrrrrsssssssssssttttttuuvvvwwwxyz";
    const std::size_t nf = std::char_traits<char>::length(firsts);
    std::uniform_int_distribution<int> len(4, 11), letter(0, 25);
    std::uniform_int_distribution<std::size_t> first(0, nf - 1);
    QString w(QChar(firsts[first(gen)]));
    const int n = len(gen);
    for (int i = 0; i < n; ++i)
        w += QChar('a' + letter(gen));
    if (serial % 100 == 0)
        w[0] = QChar(0xE9);                  // é
    return w + QString::number(serial % 97); // keeps words unique without a lookup
}

} // namespace

QString templateDatabase() {
    static QString path;
    if (!path.isEmpty())
        return path;
    path = workDir().path() + "/template.db";
    store::setDatabasePath(path);
    store::ensureDatabase();
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(
        db,
        "INSERT OR IGNORE INTO listofwords (word, synonym, part_speech, usage, notes, "
        "entrydate, last_seen, is_used, frequent) VALUES (?,?,?,?,?,?,?,?,?)",
        -1, &st, nullptr);
    std::mt19937_64 gen(42);
    std::uniform_real_distribution<double> u(0, 1);
    int serial = 0;
    while (true) {
        sqlite3_stmt* c = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM listofwords", -1, &c, nullptr);
        sqlite3_step(c);
        const int have = sqlite3_column_int(c, 0);
        sqlite3_finalize(c);
        if (have >= kWords)
            break;
        for (int i = have; i < kWords; ++i) {
            const QByteArray word = makeWord(gen, serial++).toUtf8();
            const bool pending = u(gen) < 0.06;
            const QByteArray syn = pending ? QByteArray("not entered") : "a meaning of " + word;
            const QByteArray usage = "The * was used in a sentence about " + word + ".";
            const QDate day = QDate(2025, 1, 1).addDays(static_cast<int>(u(gen) * 700));
            const QByteArray iso = day.toString(Qt::ISODate).toUtf8();
            sqlite3_bind_text(st, 1, word.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, syn.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 3, "adj.", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 4, usage.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 5, "", -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 6, iso.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 7, iso.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 8, 0);
            sqlite3_bind_int(st, 9, u(gen) < 0.15 ? 1 : 0);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

QString freshDatabase() {
    static int n = 0;
    const QString path = workDir().path() + QString("/copy%1.db").arg(++n);
    QFile::copy(templateDatabase(), path);
    store::setDatabasePath(path);
    return path;
}

} // namespace bench
