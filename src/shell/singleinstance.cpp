#include "shell/singleinstance.h"

#include "transfer/instancelock.h"

#include <QLocalSocket>

namespace shell {

SingleInstance::Claim SingleInstance::claim(const QString& database) {
    const QString name = transfer::instanceServerName(database);
    m_lock = std::make_unique<QLockFile>(transfer::instanceLockPath(database));
    // Only a dead owner makes the lock stale (QLockFile checks the process), never its age.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() != QLockFile::LockFailedError) {
            listen(name); // the temporary folder refuses a lock: run unguarded
            return Claim::Claimed;
        }
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(2000)) {
            socket.write("show\n");
            socket.waitForBytesWritten(2000);
            socket.disconnectFromServer();
            return Claim::AlreadyRunning;
        }
        // A restore holds the lock for a moment; a program still starting has no socket yet.
        if (!m_lock->tryLock(3000))
            return Claim::Blocked;
    }
    listen(name);
    return Claim::Claimed;
}

void SingleInstance::listen(const QString& name) {
    QLocalServer::removeServer(name); // the socket a killed program left
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(name);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = m_server.nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            emit activationRequested();
        }
    });
}

} // namespace shell
