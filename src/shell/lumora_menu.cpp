#include "shell/lumora_menu.h"

#include "shell/dialogs.h"
#include "shell/look.h"
#include "shell/windowregistry.h"

#include <QButtonGroup>
#include <QColor>
#include <QEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace shell {

namespace {

const QColor kBackground(255, 224, 192);
const QColor kMagenta(255, 0, 255);
const QColor kDarkOlive(64, 64, 0);
const QColor kBlack(0, 0, 0);

// The window each option opens, in index order.
constexpr std::array<WindowKind, 3> kActivities{WindowKind::WordAdder, WindowKind::Search,
                                                WindowKind::Test};

// An option button that takes a click anywhere on its coloured band, not only on its text.
class OptionButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

} // namespace

lumora_menu::lumora_menu(QWidget* parent) : Form(WindowKind::Menu, parent) {
    createControls();
    createLayout();
    configureLook();
    connectHandlers();
}

void lumora_menu::createControls() {
    setObjectName(QStringLiteral("lumora_menu"));
    setWindowTitle(QStringLiteral("menu"));

    const std::array<QString, 3> captions{QStringLiteral("ADD WORDS TO THE LIST"),
                                          QStringLiteral("SEARCH FOR WORDS IN  THE LIST"),
                                          QStringLiteral("TEST : MATCH THE LIST")};
    m_options = new QButtonGroup(this);
    m_options->setExclusive(true);
    for (int i = 0; i < 3; ++i) {
        opselect[i] = new OptionButton(captions[i], this);
        opselect[i]->setObjectName(QStringLiteral("opselect(%1)").arg(i));
        m_options->addButton(opselect[i], i);
    }
    opselect[0]->setChecked(true);

    cbenter = new QPushButton(QStringLiteral("E&nter"), this);
    cbenter->setObjectName(QStringLiteral("cbenter"));
    cbexit = new QPushButton(QStringLiteral("E&xit"), this);
    cbexit->setObjectName(QStringLiteral("cbexit"));
    cmdreset = new QPushButton(QStringLiteral("Re&set"), this);
    cmdreset->setObjectName(QStringLiteral("cmdreset"));
    cmdreset->setEnabled(false);

    Label1 = new QLabel(QStringLiteral("Click here to get additional info"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    setTabOrder(opselect[0], opselect[1]);
    setTabOrder(opselect[1], opselect[2]);
    setTabOrder(opselect[2], cbenter);
    setTabOrder(cbenter, cbexit);
    setTabOrder(cbexit, cmdreset);
}

void lumora_menu::createLayout() {
    auto* options = new QVBoxLayout;
    options->setSpacing(12);
    for (QRadioButton* option : opselect) {
        option->setMinimumHeight(32);
        options->addWidget(option);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    for (QPushButton* button : {cbenter, cbexit, cmdreset}) {
        button->setMinimumSize(96, 32);
        buttons->addWidget(button);
    }

    auto* centre = new QVBoxLayout;
    centre->addLayout(options);
    centre->addSpacing(32);
    centre->addLayout(buttons);

    auto* middle = new QHBoxLayout;
    middle->addStretch(1);
    middle->addLayout(centre);
    middle->addStretch(1);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->addWidget(Label1);
    window->addStretch(1);
    window->addLayout(middle);
    window->addStretch(2);
}

void lumora_menu::configureLook() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);

    for (QRadioButton* option : opselect) {
        option->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, true));
        setColours(option, kMagenta, kDarkOlive);
        option->setMinimumWidth(280);
    }

    Label1->setFont(designFont(QStringLiteral("Lucida Handwriting"), 9.75, true, true));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumHeight(28);
    Label1->setCursor(Qt::PointingHandCursor);
    setColours(Label1, kMagenta, kBlack);
}

void lumora_menu::connectHandlers() {
    connect(cbenter, &QPushButton::clicked, this, &lumora_menu::cbenter_Click);
    connect(cbexit, &QPushButton::clicked, this, &lumora_menu::cbexit_Click);
    Label1->installEventFilter(this);
}

bool lumora_menu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_labelPressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const bool click = m_labelPressed && mouse->button() == Qt::LeftButton &&
                               Label1->rect().contains(mouse->position().toPoint());
            m_labelPressed = false;
            if (click)
                Label1_Click();
        }
    }
    return Form::eventFilter(watched, event);
}

void lumora_menu::cbenter_Click() {
    for (std::size_t i = 0; i < opselect.size(); ++i) {
        if (!opselect[i]->isChecked())
            continue;
        // An activity whose window is not part of this build opens nothing.
        if (registry().load(kActivities[i]))
            registry().show(kActivities[i]);
        return;
    }
}

void lumora_menu::cbexit_Click() {
    const Answer answer =
        dialogs().message(QStringLiteral("Are you sure you want to quit this application?"),
                          Buttons::YesNo, Icon::None, programTitle());
    if (answer == Answer::Yes)
        registry().endProgram();
}

void lumora_menu::Label1_Click() {
    if (registry().load(WindowKind::Splash))
        registry().show(WindowKind::Splash);
}

} // namespace shell
