#include "shell/frmsplash.h"

#include "shell/dialogs.h"
#include "shell/keycodes.h"
#include "shell/taskbarhint.h"
#include "shell/windowregistry.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QVector>
#include <qdrawutil.h>

namespace shell {

namespace {

// The standard 16-colour VGA palette.
const QVector<QRgb> kVgaPalette{
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

QImage logoImage() {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(kVgaPalette[4]); // navy

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);

    // An open book: two white pages with grey edges and a spine.
    painter.setBrush(QColor(kVgaPalette[8]));
    painter.drawPolygon(QPolygon({QPoint(3, 9), QPoint(15, 11), QPoint(15, 28), QPoint(3, 26)}));
    painter.drawPolygon(QPolygon({QPoint(29, 9), QPoint(17, 11), QPoint(17, 28), QPoint(29, 26)}));
    painter.setBrush(QColor(kVgaPalette[15]));
    painter.drawPolygon(QPolygon({QPoint(4, 8), QPoint(15, 10), QPoint(15, 26), QPoint(4, 24)}));
    painter.drawPolygon(QPolygon({QPoint(28, 8), QPoint(17, 10), QPoint(17, 26), QPoint(28, 24)}));
    painter.setBrush(QColor(kVgaPalette[1]));
    painter.drawRect(15, 10, 2, 18);

    // Lines of text on the pages.
    painter.setPen(QColor(kVgaPalette[12]));
    for (int y = 13; y <= 21; y += 4) {
        painter.drawLine(6, y, 13, y + 1);
        painter.drawLine(19, y + 1, 26, y);
    }

    // A yellow star above the book.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(kVgaPalette[11]));
    painter.drawPolygon(
        QPolygon({QPoint(16, 1), QPoint(17, 4), QPoint(20, 4), QPoint(18, 6), QPoint(19, 9),
                  QPoint(16, 7), QPoint(13, 9), QPoint(14, 6), QPoint(12, 4), QPoint(15, 4)}));
    painter.end();

    return image.convertToFormat(QImage::Format_Indexed8, kVgaPalette, Qt::ThresholdDither);
}

frmSplash::frmSplash(QWidget* parent) : Form(WindowKind::Splash, parent) {
    createControls();
    createLayout();
    watchChildren();
}

void frmSplash::createControls() {
    setObjectName(QStringLiteral("frmSplash"));
    // A fixed dialog border without caption, control menu or minimize/maximize buttons,
    // kept out of the task bar (see showEvent).
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint);
    // As a tool window it would not keep the program running on its own.
    setAttribute(Qt::WA_QuitOnClose, true);
    setWindowTitle(QString());
    setFocusPolicy(Qt::StrongFocus);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);

    imgLogo = makeLabel(Frame1, "imgLogo");
    imgLogo->setPixmap(QPixmap::fromImage(logoImage()));
    imgLogo->setFixedSize(32, 32);

    lblProductName = makeLabel(Frame1, "lblProductName");
    QFont productFont = lblProductName->font();
    productFont.setPointSizeF(14.25);
    productFont.setBold(true);
    lblProductName->setFont(productFont);

    lblVersion = makeLabel(Frame1, "lblVersion");
    lblCompanyProduct =
        makeLabel(Frame1, "lblCompanyProduct", QStringLiteral("GRE Wordlist developers"));
    lblCopyright = makeLabel(Frame1, "lblCopyright", QStringLiteral("Copyright (c) 2026"));
    lblCompany = makeLabel(Frame1, "lblCompany",
                           QStringLiteral("A personal vocabulary trainer for the GRE"));
    lblWarning = makeLabel(Frame1, "lblWarning",
                           QStringLiteral("Contact: the GRE Wordlist developers, through the "
                                          "project's issue tracker"));
    lblLicenseTo =
        makeLabel(Frame1, "lblLicenseTo", QStringLiteral("Press Escape key to close this window "));
}

void frmSplash::createLayout() {
    auto* grid = new QGridLayout(Frame1);
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    grid->addWidget(lblLicenseTo, 0, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(lblCompanyProduct, 1, 0, 1, 3, Qt::AlignRight);
    grid->setRowMinimumHeight(2, 16);
    grid->addWidget(imgLogo, 3, 0, 2, 1, Qt::AlignCenter);
    grid->addWidget(lblProductName, 3, 1, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(lblVersion, 4, 1, 1, 2, Qt::AlignRight);
    grid->setRowStretch(5, 1);
    grid->addWidget(lblCompany, 6, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(lblCopyright, 7, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(lblWarning, 8, 0, 1, 3, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(4, 4, 4, 4);
    window->addWidget(Frame1);
    setFixedSize(500, 280);
}

void frmSplash::watchChildren() {
    installEventFilter(this);
    Frame1->installEventFilter(this);
    for (QWidget* child : Frame1->findChildren<QWidget*>())
        child->installEventFilter(this);
}

void frmSplash::Form_Load() {
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(versionMajor())
                            .arg(versionMinor())
                            .arg(versionRevision()));
    lblProductName->setText(programTitle());
}

void frmSplash::Form_KeyPress(int /*keyAscii*/) {
    registry().unload(kind());
}

void frmSplash::Frame1_Click() {
    registry().unload(kind());
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
        return handleKey(event);
    if (watched == Frame1)
        handleFrameMouse(event);
    return Form::eventFilter(watched, event);
}

bool frmSplash::handleKey(QEvent* event) {
    // A shortcut override is only claimed, so the key press itself follows.
    auto* key = static_cast<QKeyEvent*>(event);
    // Only a key that types a character closes the window (not Delete, arrows, F-keys, Alt+...).
    if (keyAscii(key) == 0)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    Form_KeyPress(keyAscii(key));
    return true;
}

void frmSplash::handleFrameMouse(QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    // Clicks on a label or the image reach the frame too; only its bare surface counts.
    const bool onBareFrame = Frame1->rect().contains(pos) && !Frame1->childAt(pos);
    if (event->type() == QEvent::MouseButtonPress) {
        m_framePressed = mouse->button() == Qt::LeftButton && onBareFrame;
        return;
    }
    const bool click = m_framePressed && mouse->button() == Qt::LeftButton && onBareFrame;
    m_framePressed = false;
    if (click)
        Frame1_Click();
}

void frmSplash::showEvent(QShowEvent* event) {
    // Sent before the window is mapped, so the window manager sees the states from the start.
    if (!event->spontaneous())
        keepOutOfTaskbar(this);
    Form::showEvent(event);
    if (!m_centred) {
        centreOnScreen();
        m_centred = true;
    }
}

void frmSplash::paintEvent(QPaintEvent* event) {
    Form::paintEvent(event);
    // The raised edge of a fixed dialog, drawn by the window itself since it has no caption.
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void frmSplash::centreOnScreen() {
    const QScreen* target = screen();
    if (!target)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace shell
