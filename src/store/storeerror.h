#pragma once

#include <QString>
#include <exception>
#include <string>

namespace store {

// Error numbers the store reports itself; failures of the engine carry SQLite's extended code.
namespace errnum {
constexpr int DuplicateWord = 2067;  // same as SQLite's UNIQUE constraint code
constexpr int EmptyWord = 1299;      // same as SQLite's NOT NULL constraint code
constexpr int NotAWordDatabase = 26; // same as SQLite's "file is not a database"
constexpr int FileMissing = 14;      // same as SQLite's "unable to open database file"
constexpr int FileReplaced = 1032;   // same as SQLite's "database file has been moved"
constexpr int ReadOnlyRecordset = 3251;
constexpr int NoCurrentRow = 3021;
constexpr int NotOpen = 3704;
constexpr int BadValue = 13;      // type mismatch: a value that does not fit the column
constexpr int RowNotFound = 3197; // the row was deleted by someone else
constexpr int IdNotEditable = 3164;
} // namespace errnum

// A failure of the word store: a number and a description for the user.
class StoreError : public std::exception {
public:
    StoreError(int number, QString description);

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    QString m_description;
    std::string m_what;
};

} // namespace store
