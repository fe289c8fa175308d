#pragma once

#include <QString>
#include <QtGlobal>

// Which file sits at a path, and what this process last left it as.
namespace store {

struct FileIdentity {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 changeTimeNs = 0; // status change time: moved by every write, settable by no one

    static FileIdentity of(const QString& path);
    bool sameInode(const FileIdentity& other) const {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
    bool operator==(const FileIdentity&) const = default;
};

// Records the file as it is now: after this process opened it or committed to it.
void rememberIdentity(const QString& path);
// What rememberIdentity last recorded for the path (exists == false when never).
FileIdentity rememberedIdentity(const QString& path);

} // namespace store
