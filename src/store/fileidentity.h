#pragma once

#include <QString>
#include <QtGlobal>

struct sqlite3;

// Which file sits at a path, and what this process last left it as.
namespace store {

struct FileIdentity {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 changeTimeNs = 0; // status change time: moved by every write, settable by no one
    qint64 modifyTimeNs = 0;
    quint32 changeCounter = 0; // SQLite's file change counter: one up per commit of anyone

    // Whether the change from `before` (same file) is only commits made with SQLite by another
    // connection or program, or a change of the file's attributes: anything else is a file
    // copied over it, which a commit can never produce (its counter is not higher).
    bool onlyCommittedSince(const FileIdentity& before) const;

    // The file at `path`; its change counter is read through `db`'s own handle on the file.
    // (Opening and closing another handle on the file would release every lock this process
    // holds on it, SQLite's included: POSIX locks belong to the process, not the handle.)
    static FileIdentity of(const QString& path, sqlite3* db);
    bool operator==(const FileIdentity&) const = default;
};

// What this process last left the file as: its identity, and its oldest row ("id:word"),
// which commits of other programs keep and a different word list does not have.
struct RememberedFile {
    FileIdentity identity;
    QString oldestRow;
};

// Records the file as it is now: after this process opened it or committed to it.
void rememberFile(const QString& path, const QString& oldestRow, sqlite3* db);
// What rememberFile last recorded for the path (identity.exists == false when never).
RememberedFile rememberedFile(const QString& path);

} // namespace store
