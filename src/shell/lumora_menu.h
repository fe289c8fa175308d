#pragma once

#include "shell/form.h"

#include <array>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace shell {

// The start-up window: pick an activity and open its window, open the about window, or quit.
class lumora_menu : public Form {
    Q_OBJECT
public:
    explicit lumora_menu(QWidget* parent = nullptr);

    std::array<QRadioButton*, 3> opselect{};
    QPushButton* cbenter = nullptr;
    QPushButton* cbexit = nullptr;
    QPushButton* cmdreset = nullptr;
    QLabel* Label1 = nullptr;

public slots:
    void cbenter_Click();
    void cbexit_Click();
    void Label1_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createLayout();
    void configureLook();
    void connectHandlers();

    QButtonGroup* m_options = nullptr;
    bool m_labelPressed = false;
};

} // namespace shell
