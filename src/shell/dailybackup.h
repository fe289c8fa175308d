#pragma once

#include <QObject>
#include <QThread>

// The day's backup of the word file, made on a thread of its own once the menu is on screen;
// a failure is told to the user once, and the program goes on.
namespace shell {

class DailyBackup : public QObject {
    Q_OBJECT
public:
    ~DailyBackup() override; // waits for a copy under way

    // Starts the copy for today (shell::today()) when none was made yet.
    void start(const QString& database);

signals:
    void finished();

private:
    QThread* m_thread = nullptr;
    QString m_error;
};

} // namespace shell
