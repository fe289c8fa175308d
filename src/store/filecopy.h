#pragma once

#include <QString>
#include <QtGlobal>

// Whole word list files: copies made while the program may be writing, a check, and putting a
// copy in place of the file.
namespace store {

// Copies the word list at `from` to `to` with SQLite's online backup: a consistent copy even
// while another connection or program writes. The copy is made under a temporary name, synced
// and renamed into place, so `to` is either the old file or the whole copy. Throws StoreError.
void copyWordList(const QString& from, const QString& to);

// Copies `from` over `to` the same way; the journal or log of the file it replaces is removed
// before the rename, so none of them is ever replayed into the copy.
void replaceWordList(const QString& from, const QString& to);

struct WordListSummary {
    QString integrity; // "ok", or the engine's first complaint
    qint64 words = 0;
    qint64 free = 0;      // not yet drawn for a test
    qint64 difficult = 0; // marked "Difficult ?"
    qint64 pending = 0;   // synonym still "not entered"
};

// Reads the file without changing it; throws StoreError when it is missing or not a word list.
WordListSummary inspectWordList(const QString& path);

} // namespace store
