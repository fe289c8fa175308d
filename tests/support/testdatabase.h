#pragma once

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <optional>

namespace testsupport {

// One row of listofwords as the test writes or reads it. Dates are stored as ISO text.
struct WordRow {
    qint64 id = 0; // 0: let the table assign it
    QString word;
    QString synonym;
    QString part_speech;
    QString usage;
    QString notes;
    QDate entrydate;
    QDate last_seen;
    bool is_used = false;
    bool frequent = false;
};

// A fresh word list file in a temporary folder, made the program's database for the lifetime
// of the object. Rows are written and read straight through SQLite, beside the store.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }

    // Returns the row's id.
    qint64 insert(const WordRow& row);
    qint64 insert(const QString& word, const QString& synonym = QStringLiteral("not entered"));
    std::optional<WordRow> row(const QString& word) const;
    std::optional<WordRow> rowById(qint64 id) const;
    int count() const;
    // Runs any statement (setting up unusual files, breaking the table on purpose).
    void exec(const QString& sql) const;
    // The first column of the first row of a query, as stored (null when there is no row).
    QVariant value(const QString& sql) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace testsupport
