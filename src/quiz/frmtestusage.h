#pragma once

#include "shell/form.h"

#include <QString>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;

// The test window: ten multiple-choice questions over the word list, on usages or synonyms.
// A test is running exactly while cmdstart is disabled.
class frmtestusage : public shell::Form {
    Q_OBJECT
public:
    explicit frmtestusage(QWidget* parent = nullptr);

    QPushButton* cmdstart = nullptr;
    QPushButton* cmdnext = nullptr;
    QLabel* lblmessage = nullptr;
    std::array<QLabel*, 2> lbltesttype{};
    std::array<QLabel*, 2> lblusage{};
    QListWidget* lstoptions = nullptr;
    QLabel* labinstr = nullptr;
    QLabel* lblno = nullptr;
    QLabel* lblnomessage = nullptr;
    QLabel* lbltip = nullptr;
    QLabel* lblresult = nullptr;

    // Questions of the running test shown so far; the current one is position questioncount - 1.
    int questioncount = 0;
    // 0: usage test, 1: synonym test.
    int testtype = 0;
    // List line i shows Module1::testchoices[optionorder[i]].
    std::array<int, 5> optionorder{};

    void Form_Unload() override;

public slots:
    void cmdstart_Click();
    void cmdnext_Click();
    void lstoptions_DblClick();
    void lstoptions_KeyPress(int KeyAscii);
    void lstoptions_MouseDown(Qt::MouseButton Button);
    void lblresult_DblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void placeControls();
    void configureLook();
    void connectHandlers();

    // Start, in steps.
    bool refreshWordlistIfNeeded();
    int askTestType();
    void showTestType();

    void shuffleoptions();
    void answer(const QString& chosen);
    // Sets the row drawn at this position of the test free again (and, when given, its
    // last_seen).
    void freeWord(int position, const QVariant& lastSeen = {});
    QString selectedText() const;
};
