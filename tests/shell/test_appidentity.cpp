#include "shell/appidentity.h"

#include <QApplication>
#include <QIcon>
#include <QRegularExpression>
#include <QWidget>
#include <QtTest>

class TestAppIdentity : public QObject {
    Q_OBJECT

private slots:
    // The desktop matches windows to the menu entry by these names, and draws the icon
    // compiled into the program (through Qt's SVG plugin) on every window.
    void namesTheProgramAndEveryWindow() {
        shell::nameApplication();

        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("gre-wordlist"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))
                    .match(QCoreApplication::applicationVersion())
                    .hasMatch());
        QCOMPARE(QGuiApplication::desktopFileName(), shell::applicationId());

        QVERIFY(!QGuiApplication::windowIcon().isNull());
        QWidget window;
        const QImage drawn = window.windowIcon().pixmap(64, 64).toImage();
        QVERIFY(!drawn.isNull());
        QVERIFY(drawn.pixelColor(32, 32).alpha() > 0);
    }
};

QTEST_MAIN(TestAppIdentity)
#include "test_appidentity.moc"
