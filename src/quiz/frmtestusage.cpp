#include "quiz/frmtestusage.h"

#include "quiz/module1.h"
#include "shell/choicelines.h"
#include "shell/keycodes.h"
#include "shell/look.h"
#include "shell/random.h"
#include "shell/searchrequest.h"
#include "shell/twips.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <cmath>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    // Words and sentences are shown exactly as typed, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

const QColor kNavy(0, 0, 128);
const QColor kLightYellow(255, 255, 192);
const QColor kOrange(255, 128, 0);
const QColor kGreen(0, 255, 0);

} // namespace

frmtestusage::frmtestusage(QWidget* parent) : shell::Form(shell::WindowKind::Test, parent) {
    createControls();
    placeControls();
    configureLook();
    connectHandlers();
}

void frmtestusage::createControls() {
    setObjectName(QStringLiteral("frmtestusage"));
    setWindowTitle(QStringLiteral("TEST:"));

    cmdstart = new QPushButton(QStringLiteral("&Start"), this);
    cmdstart->setObjectName(QStringLiteral("cmdstart"));

    lblmessage = makeLabel(this, QStringLiteral("lblmessage"),
                           QStringLiteral("Select a word that can   replace    the   ' * '  in the "
                                          "sentence and double click to confirm"));

    lbltesttype[0] = makeLabel(this, QStringLiteral("lbltesttype(0)"), QStringLiteral("Usage"));
    lbltesttype[1] = makeLabel(this, QStringLiteral("lbltesttype(1)"), QStringLiteral("Meaning "));
    lblusage[0] = makeLabel(this, QStringLiteral("lblusage(0)"));
    lblusage[1] = makeLabel(this, QStringLiteral("lblusage(1)"));

    lstoptions = new QListWidget(this);
    lstoptions->setObjectName(QStringLiteral("lstoptions"));
    lstoptions->setSelectionMode(QAbstractItemView::SingleSelection);
    lstoptions->setSortingEnabled(false);
    shell::showChoiceLines(lstoptions);

    labinstr = makeLabel(
        this, QStringLiteral("labinstr"),
        QStringLiteral("To get info on any word: First CLICK on the word, the word will be "
                       "highlighted, AND THEN RIGHT CLICK on the word  or PRESS 'i'  OR 'I' on "
                       "the keyboard.."));

    cmdnext = new QPushButton(QStringLiteral("&Next"), this);
    cmdnext->setObjectName(QStringLiteral("cmdnext"));
    cmdnext->setEnabled(false);

    lblno = makeLabel(this, QStringLiteral("lblno"), QStringLiteral("9"));
    lblnomessage = makeLabel(this, QStringLiteral("lblnomessage"),
                             QStringLiteral("More words to go in this test"));
    lbltip = makeLabel(this, QStringLiteral("lbltip"),
                       QStringLiteral("Double click on the coloured box below to get more info:"));
    lblresult = makeLabel(this, QStringLiteral("lblresult"));

    lbltesttype[0]->hide();
    lbltesttype[1]->hide();
    lblno->hide();
    lblnomessage->hide();
    lbltip->hide();

    // Keyboard focus order.
    setTabOrder(cmdnext, cmdstart);
    setTabOrder(cmdstart, lstoptions);
}

void frmtestusage::placeControls() {
    shell::placeTwips(cmdstart, 0, 0, 1455, 375);
    shell::placeTwips(lblmessage, 4440, 120, 1815, 1335);
    shell::placeTwips(lbltesttype[0], 2400, 1080, 1455, 375);
    shell::placeTwips(lbltesttype[1], 2400, 1080, 1455, 375);
    shell::placeTwips(lblusage[0], 120, 1560, 4215, 1815);
    shell::placeTwips(lblusage[1], 120, 1560, 4335, 1815);
    shell::placeTwips(lstoptions, 4440, 1560, 1815, 1845);
    shell::placeTwips(labinstr, 6480, 1560, 2775, 1815);
    shell::placeTwips(cmdnext, 4440, 3600, 1815, 375);
    shell::placeTwips(lblno, 6720, 3840, 975, 975);
    shell::placeTwips(lblnomessage, 7680, 3840, 2655, 975);
    shell::placeTwips(lbltip, 360, 5040, 4215, 255);
    shell::placeTwips(lblresult, 360, 5520, 8895, 615);
    // The wider question box reaches one pixel under the list: the list stays on top.
    lstoptions->raise();
}

void frmtestusage::configureLook() {
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(windowPalette);
    setAutoFillBackground(true);

    shell::setColours(lblmessage, kNavy, kLightYellow);
    lblmessage->setFont(shell::designFont(QStringLiteral("Times New Roman"), 9.75, true, true));

    // Both on orange; only the "Usage" label is centred.
    for (QLabel* label : lbltesttype)
        shell::setColours(label, Qt::black, kOrange);
    lbltesttype[0]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lbltesttype[0]->setFont(
        shell::designFont(QStringLiteral("Tempus Sans ITC"), 14.25, true, true));
    lbltesttype[1]->setFont(shell::designFont(QStringLiteral("News Gothic MT"), 14.25, true));

    const QFont usageFont = shell::designFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    shell::setColours(lblusage[0], Qt::black, QColor(128, 255, 255));
    shell::setColours(lblusage[1], Qt::black, QColor(128, 255, 128));
    for (QLabel* label : lblusage) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        label->setFont(usageFont);
    }

    shell::setColours(lstoptions, kNavy, Qt::white);
    lstoptions->setFont(shell::designFont(QStringLiteral("Times New Roman"), 11.25, true));

    shell::setColours(labinstr, Qt::black, kLightYellow);
    labinstr->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    labinstr->setFont(shell::designFont(QStringLiteral("MS Sans Serif"), 9.75, true));

    shell::setColours(lblno, kGreen, Qt::black);
    lblno->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblno->setFont(shell::designFont(QStringLiteral("Times New Roman"), 48, true));

    shell::setColours(lblnomessage, Qt::red, Qt::black);
    QFont struck = shell::designFont(QStringLiteral("Times New Roman"), 18, true);
    struck.setStrikeOut(true);
    lblnomessage->setFont(struck);
    shell::fitTextHeight(lblno);
    shell::fitTextHeight(lblnomessage);

    shell::setColours(lbltip, kGreen, QColor(0, 0, 64));
    // The font a window gives its labels when none is chosen.
    lbltip->setFont(shell::designFont(QStringLiteral("MS Sans Serif"), 8.25, false));

    // Until the first answer the verdict box has the ordinary face colour.
    shell::setColours(lblresult, Qt::black, palette().color(QPalette::Button));
    lblresult->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblresult->setFont(shell::designFont(QStringLiteral("Comic Sans MS"), 14.25, true));
}

void frmtestusage::connectHandlers() {
    connect(cmdstart, &QPushButton::clicked, this, &frmtestusage::cmdstart_Click);
    connect(cmdnext, &QPushButton::clicked, this, &frmtestusage::cmdnext_Click);
    lstoptions->installEventFilter(this);
    lstoptions->viewport()->installEventFilter(this);
    lblresult->installEventFilter(this);
}

bool frmtestusage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstoptions && event->type() == QEvent::KeyPress) {
        const int ascii = shell::keyAscii(static_cast<QKeyEvent*>(event));
        if (ascii != 0)
            lstoptions_KeyPress(ascii);
    } else if (watched == lstoptions->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                                     event->type() == QEvent::MouseButtonDblClick ||
                                                     event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress)
            lstoptions_MouseDown(mouse->button());
        else if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton)
            lstoptions_DblClick();
        // Only the left button selects: a right click looks the highlighted word up, and the
        // other buttons do nothing here.
        if (mouse->button() != Qt::LeftButton)
            return true;
    } else if (watched == lblresult && event->type() == QEvent::MouseButtonDblClick) {
        lblresult_DblClick();
    }
    // The controls still handle their events themselves.
    return shell::Form::eventFilter(watched, event);
}

// Word information: the search window opens on the highlighted choice; the test waits,
// unchanged, until it is closed.
void frmtestusage::lstoptions_MouseDown(Qt::MouseButton Button) {
    if (Button & Qt::RightButton)
        shell::openSearchWindowOn(selectedText());
}

// Word information on the right word of the current question (the verdict box is visible
// only once a question was answered; before the first question there is no word).
void frmtestusage::lblresult_DblClick() {
    if (questioncount > 0)
        shell::openSearchWindowOn(Module1::testwords[questioncount - 1]);
}

void frmtestusage::shuffleoptions() {
    optionorder[0] = static_cast<int>(std::floor(5 * shell::rnd()));
    int i = 0;
    while (i < 4) {
        shell::randomize();
        const int c = static_cast<int>(std::floor(5 * shell::rnd()));
        bool taken = false;
        for (int j = 0; j <= i; ++j)
            taken = taken || optionorder[j] == c;
        if (!taken) {
            ++i;
            optionorder[i] = c;
        }
    }
}

QString frmtestusage::selectedText() const {
    const QList<QListWidgetItem*> selected = lstoptions->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}
