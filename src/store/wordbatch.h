#pragma once

#include <QDate>
#include <QString>
#include <memory>

namespace store {

class Connection;

// A new row of the word table, in the forms the program stores.
struct NewWord {
    QString word;
    QString synonym;
    QString partSpeech;
    QString usage;
    QString notes;
    QDate entrydate;
    QDate lastSeen;
    bool isUsed = false;
    bool frequent = false;
};

// Adds many rows to the word table in one transaction on an open connection, through one
// prepared statement with bound values. A word equal (without regard to case, for every letter)
// to one already in the table or added earlier in the batch is not added; no row already in
// the table changes. Nothing is written unless commit() succeeds.
class WordBatch {
public:
    enum class Outcome { Added, AlreadyInList, RepeatedInBatch };

    // Starts the write transaction (waiting up to the busy time-out for other writers) and
    // reads the words already in the table. Throws StoreError.
    explicit WordBatch(Connection& connection);
    // Rolls back unless commit() succeeded.
    ~WordBatch();
    WordBatch(const WordBatch&) = delete;
    WordBatch& operator=(const WordBatch&) = delete;

    // Throws StoreError for an empty word or a failed insert.
    Outcome add(const NewWord& row);
    void commit();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace store
