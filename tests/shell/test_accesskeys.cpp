// The access key of a disabled button must not type its letter into the focused text box.
#include "shell/accesskeys.h"
#include "shell/fatal.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

class TestAccessKeys : public QObject {
    Q_OBJECT
private slots:
    void onlyAltWithALetterOrDigitOnATextBox_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("Alt+U") << int(Qt::Key_U) << int(Qt::AltModifier) << true;
        QTest::newRow("Alt+7") << int(Qt::Key_7) << int(Qt::AltModifier) << true;
        QTest::newRow("plain u") << int(Qt::Key_U) << int(Qt::NoModifier) << false;
        QTest::newRow("Shift+U") << int(Qt::Key_U) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+Alt+U (AltGr on some keyboards)")
            << int(Qt::Key_U) << int(Qt::ControlModifier | Qt::AltModifier) << false;
        QTest::newRow("Alt+F4") << int(Qt::Key_F4) << int(Qt::AltModifier) << false;
    }
    void onlyAltWithALetterOrDigitOnATextBox() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, dropped);
        QPlainTextEdit box;
        QLineEdit line;
        QPushButton button;
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers),
                        QStringLiteral("u"));
        QCOMPARE(shell::isStrayAccessKey(&box, &press), dropped);
        QCOMPARE(shell::isStrayAccessKey(&line, &press), dropped);
        QVERIFY(!shell::isStrayAccessKey(&button, &press));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers),
                          QStringLiteral("u"));
        QVERIFY(!shell::isStrayAccessKey(&box, &release));
    }

    void disabledButtonsAccessKeyTypesNothing() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* box = new QPlainTextEdit(&window);
        auto* update = new QPushButton(QStringLiteral("&Update"), &window);
        layout->addWidget(box);
        layout->addWidget(update);
        update->setEnabled(false);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("at that hour"));
        QTest::keyClick(box, Qt::Key_U, Qt::AltModifier);
        QCOMPARE(box->toPlainText(), QStringLiteral("at that hour"));
    }
};

int main(int argc, char** argv) {
    shell::Application app(argc, argv);
    TestAccessKeys test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_accesskeys.moc"
