// The test window on 100,000 words: Start up to the first question, on a full and on a sparse
// table and on ids spread up to 2^53, and Next.
#include "benchkit.h"
#include "quiz/frmtestusage.h"
#include "shell/dialogs.h"
#include "store/dataenvironment.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace {

// Answers every input box with "0" (a usage test) and every message with OK.
class AnswerZero : public shell::Dialogs {
public:
    shell::Answer message(const QString&, shell::Buttons, shell::Icon, const QString&,
                          shell::DefaultButton) override {
        ++messages;
        return shell::Answer::Ok;
    }
    QString input(const QString&, const QString&, const QString&) override {
        return QStringLiteral("0");
    }
    int messages = 0;
};

void execSql(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Starts `reps` tests (after one warm-up) and times each Start up to the first question shown.
double startMedian(frmtestusage& window, int reps) {
    return bench::medianMs(reps, [&] { window.cmdstart_Click(); });
}

// Times every Next that shows a question (the second to the tenth of each test).
double nextMedian(frmtestusage& window, int tests) {
    std::vector<double> times;
    QElapsedTimer timer;
    for (int t = 0; t < tests; ++t) {
        window.cmdstart_Click();
        while (window.questioncount < 10) {
            timer.start();
            window.cmdnext_Click();
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    return median(times);
}

void testWindow() {
    AnswerZero answers;
    shell::installDialogs(&answers);

    {
        bench::freshDatabase();
        store::degrewordlist().reset();
        frmtestusage window;
        window.show();
        bench::report(QStringLiteral("Start to first question, 100,000 words"),
                      startMedian(window, 15), QStringLiteral("< 100 ms"));
        bench::report(QStringLiteral("Next, 100,000 words"), nextMedian(window, 5),
                      QStringLiteral("< 10 ms"));
    }

    {
        // Highest id 100,000 with only every 50th id left: 2,000 rows, most draws miss.
        const QString path = bench::freshDatabase();
        execSql(path, "DELETE FROM listofwords WHERE id <> 100000 AND id % 50 <> 0");
        store::degrewordlist().reset();
        frmtestusage window;
        window.show();
        bench::report(QStringLiteral("Start to first question, sparse (2,000 rows, max id "
                                     "100,000)"),
                      startMedian(window, 15), QStringLiteral("< 200 ms"));
        bench::report(QStringLiteral("Next, sparse table"), nextMedian(window, 3),
                      QStringLiteral("< 10 ms"));
    }

    {
        // 1,000 rows whose ids are random up to 2^53 (as a random AutoNumber or an import
        // leaves them): nearly every guessed id misses, the draw takes the rows directly.
        const QString path = bench::freshDatabase();
        execSql(path, "DELETE FROM listofwords WHERE id > 1000; UPDATE listofwords SET id = "
                      "(abs(random()) % 9007199254740992) + 1");
        store::degrewordlist().reset();
        frmtestusage window;
        window.show();
        bench::report(QStringLiteral("Start to first question, 1,000 rows, ids random up to "
                                     "2^53"),
                      startMedian(window, 15), QStringLiteral("< 200 ms"));
        bench::report(QStringLiteral("Next, ids random up to 2^53"), nextMedian(window, 3),
                      QStringLiteral("< 10 ms"));
    }

    {
        // Every word used: Start frees all 100,000 in one commit before drawing.
        const QString path = bench::freshDatabase();
        execSql(path, "UPDATE listofwords SET is_used = 1");
        store::degrewordlist().reset();
        frmtestusage window;
        QElapsedTimer timer;
        timer.start();
        window.cmdstart_Click();
        bench::report(QStringLiteral("Start freeing all 100,000 words (one run)"),
                      timer.nsecsElapsed() / 1e6, QStringLiteral("none set"));
    }

    store::degrewordlist().reset();
    shell::installDialogs(nullptr);
}

bench::Register reg(QStringLiteral("quiz"), testWindow);

} // namespace
