#include "shell/dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace shell {

namespace {

QWidget* dialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QString captionOrTitle(const QString& title) {
    return title.isEmpty() ? programTitle() : title;
}

QMessageBox::Icon toQtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class QtDialogs : public Dialogs {
public:
    Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title,
                   DefaultButton defaultButton) override {
        QMessageBox box(dialogParent());
        box.setObjectName(QStringLiteral("messageBox"));
        box.setWindowTitle(captionOrTitle(title));
        box.setText(text);
        box.setTextFormat(Qt::PlainText);
        box.setIcon(toQtIcon(icon));
        if (buttons == Buttons::YesNo) {
            QPushButton* yes = box.addButton(QMessageBox::Yes);
            QPushButton* no = box.addButton(QMessageBox::No);
            box.setDefaultButton(defaultButton == DefaultButton::Second ? no : yes);
            box.setEscapeButton(no);
            box.exec();
            return box.clickedButton() == yes ? Answer::Yes : Answer::No;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }

    QString input(const QString& prompt, const QString& title,
                  const QString& defaultText) override {
        QInputDialog box(dialogParent());
        box.setObjectName(QStringLiteral("inputBox"));
        box.setWindowTitle(captionOrTitle(title));
        box.setLabelText(prompt);
        // Prompts are shown as written, never read as markup (like the message boxes).
        for (QLabel* label : box.findChildren<QLabel*>())
            label->setTextFormat(Qt::PlainText);
        box.setTextValue(defaultText);
        if (box.exec() != QDialog::Accepted)
            return {};
        return box.textValue();
    }
};

QtDialogs& qtDialogs() {
    static QtDialogs instance;
    return instance;
}

Dialogs* installed = nullptr;

} // namespace

Dialogs& dialogs() {
    return installed ? *installed : qtDialogs();
}

void installDialogs(Dialogs* replacement) {
    installed = replacement;
}

QString programTitle() {
    return QStringLiteral("GRE Wordlist");
}

int versionMajor() {
    return GRE_VERSION_MAJOR;
}
int versionMinor() {
    return GRE_VERSION_MINOR;
}
int versionRevision() {
    return GRE_VERSION_PATCH;
}

} // namespace shell
