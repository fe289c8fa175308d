#pragma once

#include <QString>
#include <functional>
#include <vector>

// A small harness for the benchmark program: each subsystem registers its benchmarks, which
// time operations on a table of 100,000 words and print medians, ratios and goals.
namespace bench {

// Median time in milliseconds of `reps` runs of fn (after one warm-up run).
double medianMs(int reps, const std::function<void()>& fn);

// Median of `reps` timed runs of `timed`, each after an untimed `prepare` (one warm-up run).
double medianPreparedMs(int reps, const std::function<void()>& prepare,
                        const std::function<void()>& timed);

// One line of the report: the figure, an optional reference figure, and the goal.
void report(const QString& what, double ms, const QString& goal);
void reportRatio(const QString& what, double layerMs, double bareMs, double maxRatio);

// The word file every benchmark starts from: 100,000 words (about 7,000 beginning with "a",
// 6,000 without synonym, 15,000 marked difficult), built once per run and copied per use.
QString templateDatabase();
// A fresh copy of the template, made the program's database.
QString freshDatabase();
// Number of words in the template.
constexpr int kWords = 100000;

struct Benchmark {
    QString name;
    std::function<void()> run;
};
std::vector<Benchmark>& registry();

struct Register {
    Register(const QString& name, std::function<void()> run) {
        registry().push_back({name, std::move(run)});
    }
};

} // namespace bench
