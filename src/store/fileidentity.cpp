#include "store/fileidentity.h"

#include <QFile>
#include <QHash>
#include <sys/stat.h>

namespace store {

namespace {
QHash<QString, RememberedFile>& remembered() {
    static QHash<QString, RememberedFile> table;
    return table;
}
} // namespace

FileIdentity FileIdentity::of(const QString& path) {
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
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.seek(24)) {
        const QByteArray b = file.read(4);
        if (b.size() == 4)
            id.changeCounter = quint32(quint8(b[0])) << 24 | quint32(quint8(b[1])) << 16 |
                               quint32(quint8(b[2])) << 8 | quint32(quint8(b[3]));
    }
    return id;
}

bool FileIdentity::onlyCommittedSince(const FileIdentity& before) const {
    if (changeCounter != before.changeCounter)
        return changeCounter > before.changeCounter;
    return modifyTimeNs == before.modifyTimeNs && size == before.size;
}

void rememberFile(const QString& path, const QString& oldestRow) {
    remembered().insert(path, {FileIdentity::of(path), oldestRow});
}

RememberedFile rememberedFile(const QString& path) {
    return remembered().value(path);
}

} // namespace store
