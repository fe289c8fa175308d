#include "shell/dailybackup.h"

#include "shell/clock.h"
#include "shell/dialogs.h"
#include "transfer/backupfolder.h"

namespace shell {

DailyBackup::~DailyBackup() {
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void DailyBackup::start(const QString& database) {
    if (m_thread)
        return;
    const QDate day = today();
    m_thread = QThread::create(
        [this, database, day] { m_error = transfer::makeDailyBackup(database, day).error; });
    connect(m_thread, &QThread::finished, this, [this] {
        if (!m_error.isEmpty())
            dialogs().message(m_error + QStringLiteral("\n\nThe program goes on; today's backup "
                                                       "is tried again at the next start."),
                              Buttons::Ok, Icon::Exclamation, QStringLiteral("Backup failed"));
        emit finished();
    });
    m_thread->start(QThread::LowPriority);
}

} // namespace shell
