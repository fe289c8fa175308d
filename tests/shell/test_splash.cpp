#include "shell/frmsplash.h"
#include "shell/windowregistry.h"
#include "support/shellharness.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>
#include <memory>

using shell::registry;
using shell::WindowKind;

class TestSplash : public QObject {
    Q_OBJECT

private slots:
    void init() {
        harness = std::make_unique<testsupport::ShellHarness>();
        registry().registerKind(WindowKind::Splash, [] { return new shell::frmSplash; });
        registry().show(WindowKind::Splash);
        splash = registry().windowAs<shell::frmSplash>(WindowKind::Splash);
        QVERIFY(splash);
    }
    void cleanup() { harness.reset(); }

    void loadSetsTitleAndVersion() {
        QCOMPARE(label("lblProductName")->text(), QStringLiteral("GRE Wordlist"));
        QCOMPARE(label("lblVersion")->text(), QStringLiteral("Version 1.1.0"));
        QCOMPARE(label("lblLicenseTo")->text(),
                 QStringLiteral("Press Escape key to close this window "));
        QVERIFY(label("lblProductName")->font().bold());
        QCOMPARE(label("lblProductName")->font().pointSizeF(), 14.25);
        QVERIFY(!label("imgLogo")->pixmap().isNull());
        QCOMPARE(label("imgLogo")->pixmap().size(), QSize(32, 32));
        for (const char* name : {"lblCompanyProduct", "lblCopyright", "lblCompany", "lblWarning"})
            QVERIFY2(!label(name)->text().isEmpty(), name);
    }

    void logoUsesSixteenColours() {
        const QImage logo = shell::logoImage();
        QCOMPARE(logo.size(), QSize(32, 32));
        QCOMPARE(logo.format(), QImage::Format_Indexed8);
        QVERIFY(logo.colorCount() <= 16);
    }

    void fixedDialogCentredWithoutCaption() {
        QVERIFY(!splash->isMaximized());
        QVERIFY(splash->windowTitle().isEmpty());
        const Qt::WindowFlags flags = splash->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(splash->minimumSize(), splash->maximumSize());
        const QPoint screenCentre = splash->screen()->availableGeometry().center();
        QVERIFY((splash->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        // The frame fills the window.
        auto* frame = splash->findChild<QFrame*>(QStringLiteral("Frame1"));
        QVERIFY(frame);
        QVERIFY(frame->width() >= splash->width() - 8);
        QVERIFY(frame->height() >= splash->height() - 8);
    }

    void anyCharacterKeyCloses_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("target");
        QTest::newRow("escape") << int(Qt::Key_Escape) << "frmSplash";
        QTest::newRow("enter") << int(Qt::Key_Return) << "frmSplash";
        QTest::newRow("letter") << int(Qt::Key_Q) << "frmSplash";
        QTest::newRow("digit") << int(Qt::Key_7) << "frmSplash";
        QTest::newRow("space") << int(Qt::Key_Space) << "frmSplash";
        // The window sees the key even when it is sent to one of its controls.
        QTest::newRow("letter on a label") << int(Qt::Key_A) << "lblVersion";
        QTest::newRow("escape on the frame") << int(Qt::Key_Escape) << "Frame1";
    }
    void anyCharacterKeyCloses() {
        QFETCH(int, key);
        QFETCH(QString, target);
        QWidget* receiver = target == QLatin1String("frmSplash")
                                ? static_cast<QWidget*>(splash)
                                : splash->findChild<QWidget*>(target);
        QVERIFY(receiver);
        QTest::keyClick(receiver, Qt::Key(key));
        QVERIFY(!registry().isLoaded(WindowKind::Splash));
    }

    void keysWithoutCharacterKeepItOpen() {
        QTest::keyClick(splash, Qt::Key_Left);
        QTest::keyClick(splash, Qt::Key_Shift);
        QTest::keyClick(splash, Qt::Key_F5);
        QTest::keyClick(splash, Qt::Key_Delete); // its event text is a control code
        QVERIFY(registry().isLoaded(WindowKind::Splash));
    }

    void clickOnTheFrameCloses() {
        auto* frame = splash->findChild<QFrame*>(QStringLiteral("Frame1"));
        const QPoint bare(frame->width() / 2, frame->height() - 3);
        QVERIFY(!frame->childAt(bare));
        QTest::mouseClick(frame, Qt::LeftButton, {}, bare);
        QVERIFY(!registry().isLoaded(WindowKind::Splash));
    }

    void clickOnALabelOrTheImageDoesNotClose_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"lblProductName", "lblVersion", "lblLicenseTo", "lblCopyright",
                                 "lblWarning", "imgLogo"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void clickOnALabelOrTheImageDoesNotClose() {
        QFETCH(QString, name);
        QTest::mouseClick(label(name.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(registry().isLoaded(WindowKind::Splash));
        QVERIFY(splash->isVisible());
    }

    void showingAgainDoesNotReload() {
        label("lblVersion")->setText(QStringLiteral("changed"));
        registry().show(WindowKind::Splash);
        QCOMPARE(registry().window(WindowKind::Splash), splash);
        QCOMPARE(label("lblVersion")->text(), QStringLiteral("changed"));
    }

private:
    QLabel* label(const char* name) {
        auto* found = splash->findChild<QLabel*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no label %s", name);
        return found;
    }

    std::unique_ptr<testsupport::ShellHarness> harness;
    shell::frmSplash* splash = nullptr;
};

QTEST_MAIN(TestSplash)
#include "test_splash.moc"
