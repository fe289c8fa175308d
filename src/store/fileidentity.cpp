#include "store/fileidentity.h"

#include <QFile>
#include <QHash>
#include <sqlite3.h>
#include <sys/stat.h>

namespace store {

namespace {
QHash<QString, RememberedFile>& remembered() {
    static QHash<QString, RememberedFile> table;
    return table;
}
} // namespace

FileIdentity FileIdentity::of(const QString& path, sqlite3* db) {
    FileIdentity id;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.changeTimeNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    id.modifyTimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    sqlite3_file* file = nullptr;
    unsigned char b[4] = {0, 0, 0, 0};
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) == SQLITE_OK && file &&
        file->pMethods && file->pMethods->xRead(file, b, 4, 24) == SQLITE_OK)
        id.changeCounter =
            quint32(b[0]) << 24 | quint32(b[1]) << 16 | quint32(b[2]) << 8 | quint32(b[3]);
    return id;
}

bool FileIdentity::onlyCommittedSince(const FileIdentity& before) const {
    if (changeCounter != before.changeCounter)
        return changeCounter > before.changeCounter;
    return modifyTimeNs == before.modifyTimeNs && size == before.size;
}

void rememberFile(const QString& path, const QString& oldestRow, sqlite3* db) {
    remembered().insert(path, {FileIdentity::of(path, db), oldestRow});
}

RememberedFile rememberedFile(const QString& path) {
    return remembered().value(path);
}

} // namespace store
