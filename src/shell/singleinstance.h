#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

// One running program per word file: the first start holds a lock named after the file and
// listens on a local socket; a second start asks it to bring its menu to the front and ends.
namespace shell {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim { Claimed, AlreadyRunning, Blocked };

    // Takes the file for this process. AlreadyRunning: the running program was asked to show
    // its menu. Blocked: the lock is held but no program answered (a restore under way).
    Claim claim(const QString& database);

signals:
    // Another start on the same file asked for the menu.
    void activationRequested();

private:
    void listen(const QString& name);

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

} // namespace shell
