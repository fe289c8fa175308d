#include "store/fileidentity.h"

#include <QFile>
#include <QHash>
#include <sys/stat.h>

namespace store {

namespace {
QHash<QString, FileIdentity>& remembered() {
    static QHash<QString, FileIdentity> table;
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
    return id;
}

void rememberIdentity(const QString& path) {
    remembered().insert(path, FileIdentity::of(path));
}

FileIdentity rememberedIdentity(const QString& path) {
    return remembered().value(path);
}

} // namespace store
