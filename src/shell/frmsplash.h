#pragma once

#include "shell/form.h"

class QFrame;
class QImage;
class QLabel;

namespace shell {

// The about window: program name, version and maker. Any typed key or a click on its frame
// closes it.
class frmSplash : public Form {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    void Form_Load() override;
    bool opensMaximized() const override { return false; }

    QFrame* Frame1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblWarning = nullptr;
    QLabel* lblLicenseTo = nullptr;

public slots:
    void Form_KeyPress(int keyAscii);
    void Frame1_Click();

protected:
    // The window sees every key before its controls do.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void createLayout();
    void watchChildren();
    void centreOnScreen();
    bool handleKey(QEvent* event);
    void handleFrameMouse(QEvent* event);

    bool m_framePressed = false;
    bool m_centred = false;
};

// The 32 x 32, 16-colour picture of imgLogo.
QImage logoImage();

} // namespace shell
