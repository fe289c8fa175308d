#include "shell/appidentity.h"

#include "shell/dialogs.h"

#include <QGuiApplication>
#include <QIcon>

namespace shell {

QString applicationId() {
    return QStringLiteral(GRE_APP_ID);
}

void nameApplication() {
    // The executable's name: it is also the X11 window class the desktop entry names.
    QCoreApplication::setApplicationName(QStringLiteral("gre-wordlist"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(versionMajor()).arg(versionMinor()).arg(versionRevision()));
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    // No application display name: Qt would append it to every window's title bar
    // ("menu — GRE Wordlist"), and the windows keep their own titles.
    QGuiApplication::setDesktopFileName(applicationId());
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(applicationId())));
}

} // namespace shell
