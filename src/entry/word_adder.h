#pragma once

#include "shell/form.h"
#include "shell/wordlistbox.h"

#include <QString>
#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace store {
class Connection;
}

namespace entry {
class DataControl;
}

// The word entry window: a form over the word list bound to the data control datPrimaryRS,
// which starts a new row when the window loads. The word is typed into Text3, which lists the
// words already in the list that begin with it; Update fills in the defaults and saves.
class word_adder : public shell::Form {
    Q_OBJECT
public:
    explicit word_adder(QWidget* parent = nullptr);
    ~word_adder() override;

    void Form_Load() override;
    void Form_Unload() override;

    QLabel* Label1 = nullptr;
    std::array<QLabel*, 6> lblLabels{};
    QLineEdit* Text3 = nullptr;
    // (0), (2), (5) are QLineEdit; (1), (3), (4) are multi-line QPlainTextEdit.
    std::array<QWidget*, 6> txtFields{};
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QCheckBox* Check1 = nullptr;
    shell::WordListBox* List1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QWidget* picButtons = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdClose = nullptr;
    entry::DataControl* datPrimaryRS = nullptr;

    // The text of Update's message when a save is refused while List1 lists words.
    static QString duplicateMessage();
    // The caption of Label5.
    static QString hintText();

public slots:
    void cmdUpdate_Click();
    void cmdAdd_Click();
    void cmdClose_Click();
    void Text3_Change();
    void List1_Click();
    void datPrimaryRS_MoveComplete();
    void datPrimaryRS_Error(int number, const QString& description);

private:
    void createControls();
    void createButtonBar();
    void createLayout();
    void configureLook();
    void arrangeTabOrder();
    void bindFields();
    void connectHandlers();
    // Label2, List1 and Label4 together, in that order.
    void setLookupVisible(bool visible);

    // The window's own connection, for the word lookup; open from load to unload.
    std::unique_ptr<store::Connection> connadder;
};
