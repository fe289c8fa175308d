#include "store/sidefiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace store {

namespace {

quint32 bigEndian32(const QByteArray& bytes, qint64 at) {
    if (at < 0 || at + 4 > bytes.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

// Whether another process holds a lock on the byte SQLite's writers and WAL users lock.
bool lockedByAnotherProcess(const QString& path, off_t byte) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = byte;
    probe.l_len = 1;
    const bool locked = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

constexpr off_t kReservedByte = 0x40000001; // SQLite's RESERVED lock on the database file
constexpr off_t kWalIndexDmsByte = 128;     // the lock every WAL user holds on the "-shm" file
const char kJournalMagic[] = "\xd9\xd5\x05\xf9\x20\xa1\x63\xd7";

// A rollback journal holds the pages a transaction was about to change, as they were. Page 1
// carries the file's change counter N, which the interrupted transaction left at N or N + 1 in
// the file; when page 1 is not in the journal, the transaction never wrote page 1, so the
// page count in the file's header is still the one the journal started from.
bool journalBelongs(const QByteArray& header, const QByteArray& journal) {
    if (header.size() < 100)
        return false;
    const quint32 fileCounter = bigEndian32(header, 24);
    qint64 segment = 0;
    const quint32 sector = bigEndian32(journal, 20);
    const quint32 pageSize = bigEndian32(journal, 24);
    if (sector < 512 || sector > 65536 || pageSize < 512 || pageSize > 65536)
        return false;
    const quint32 startPages = bigEndian32(journal, 16);
    const qint64 recordSize = qint64(pageSize) + 8;
    while (segment + 28 <= journal.size() &&
           journal.mid(segment, 8) == QByteArray(kJournalMagic, 8)) {
        quint32 records = bigEndian32(journal, segment + 8);
        qint64 at = segment + sector;
        if (records == 0xffffffff)
            records = quint32((journal.size() - at) / recordSize);
        for (quint32 i = 0; i < records && at + recordSize <= journal.size(); ++i, at += recordSize)
            if (bigEndian32(journal, at) == 1) {
                const quint32 counter = bigEndian32(journal, at + 4 + 24);
                return fileCounter == counter || fileCounter == counter + 1;
            }
        segment = (at + sector - 1) / sector * sector;
    }
    const bool pageCountValid = bigEndian32(header, 92) == fileCounter;
    return pageCountValid && bigEndian32(header, 28) == startPages;
}

QByteArray readAll(const QString& path, qint64 limit = -1) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return limit < 0 ? f.readAll() : f.read(limit);
}

QString setAside(const QString& sideFile) {
    const QString target = sideFile + QDateTime::currentDateTime().toString(
                                          QStringLiteral("'.orphaned-'yyyyMMdd-HHmmss"));
    return QFile::rename(sideFile, target) ? target : QString();
}

} // namespace

QStringList setAsideForeignSideFiles(const QString& path) {
    QStringList moved;
    const QString journal = path + QStringLiteral("-journal");
    if (QFileInfo(journal).size() >= 28 && !lockedByAnotherProcess(path, kReservedByte)) {
        const QByteArray content = readAll(journal);
        // A journal whose header is zeroed or missing is not replayed; it can stay.
        if (content.startsWith(QByteArray(kJournalMagic, 8)) &&
            !journalBelongs(readAll(path, 100), content))
            moved << setAside(journal);
    }
    const QString wal = path + QStringLiteral("-wal");
    const QString shm = path + QStringLiteral("-shm");
    const QFileInfo walInfo(wal);
    if (walInfo.size() > 32 && !lockedByAnotherProcess(shm, kWalIndexDmsByte)) {
        // Only a checkpoint writes the file while a log is in use, and a checkpoint copies the
        // log into it: a file changed after the log's last write was put there by someone else.
        const QFileInfo fileInfo(path);
        if (fileInfo.exists() && fileInfo.metadataChangeTime() > walInfo.lastModified()) {
            moved << setAside(wal);
            if (QFileInfo::exists(shm))
                moved << setAside(shm);
        }
    }
    moved.removeAll(QString());
    return moved;
}

} // namespace store
