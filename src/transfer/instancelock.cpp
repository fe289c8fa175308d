#include "transfer/instancelock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace transfer {

namespace {
QString key(const QString& database) {
    const QFileInfo info(database);
    QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty()) // not created yet: its folder may exist already
        canonical = QFileInfo(info.absolutePath()).canonicalFilePath() + u'/' + info.fileName();
    return QString::fromLatin1(
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}
} // namespace

QString instanceLockPath(const QString& database) {
    return QDir::tempPath() + QStringLiteral("/gre-wordlist-") + key(database) +
           QStringLiteral(".lock");
}

QString instanceServerName(const QString& database) {
    return QStringLiteral("gre-wordlist-") + key(database);
}

bool programRunsOn(const QString& database) {
    QLockFile lock(instanceLockPath(database));
    lock.setStaleLockTime(0); // only a dead owner makes a lock stale, never its age
    if (lock.tryLock(0))
        return false;
    return lock.error() == QLockFile::LockFailedError;
}

} // namespace transfer
