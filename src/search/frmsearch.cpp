#include "search/frmsearch.h"

#include "shell/look.h"
#include "shell/programvalues.h"
#include "shell/twips.h"
#include "store/connection.h"
#include "store/recordset.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace search {

QString searchfield;
QDate datefrom;
QDate dateto;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kOlive(0x80, 0x80, 0x00);
const QColor kDarkRed(0xC0, 0x00, 0x00);
const QColor kPink(0xFF, 0x80, 0xFF);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kOrange(0xFF, 0x80, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kDarkBlue(0x00, 0x00, 0xC0);
const QColor kPurple(0x80, 0x00, 0x80);

QFont sansSerif(bool bold, double points = 8.25) {
    return shell::designFont(QStringLiteral("MS Sans Serif"), points, bold);
}

// Menus, drop-down lists and the calendar keep the application's colours rather than the dark
// ones they would take over from the window and the frame.
void useStandardColours(QWidget* widget) {
    const QPalette standard = QApplication::palette();
    QPalette palette;
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto group = QPalette::ColorGroup(g);
            const auto role = QPalette::ColorRole(r);
            if (role != QPalette::NoRole)
                palette.setBrush(group, role, standard.brush(group, role));
        }
    }
    widget->setPalette(palette);
}

QLabel* makeLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFont(sansSerif(false));
    return button;
}

QLineEdit* makeLineBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QPlainTextEdit* makeTextBox(const QString& name, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
}

// Puts a control at its place in twips (left, top, width, height), relative to its parent.
void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(shell::twipsRect(left, top, width, height));
}

// The design's date picker shows the user's short date form; a two-digit year is widened to
// four so that a date typed into the picker cannot land in the wrong century.
QString pickerFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

} // namespace

frmsearch::frmsearch(QWidget* parent) : Form(shell::WindowKind::Search, parent) {
    createSearchFrame();
    createDetails();
    createFlashCard();
    createMenus();
    placeControls();
    configureLook();
    fitLabels();
    connectHandlers();
}

frmsearch::~frmsearch() = default;

void frmsearch::createSearchFrame() {
    setObjectName(QStringLiteral("frmsearch"));
    setWindowTitle(QStringLiteral("Search for words"));
    m_designArea = new QWidget(this);
    m_designArea->setObjectName(QStringLiteral("designArea"));

    Frame1 = new QGroupBox(QStringLiteral("Search for the word"), m_designArea);
    Frame1->setObjectName(QStringLiteral("Frame1"));

    lblsearchby = makeLabel(QStringLiteral("lblsearchby"), QStringLiteral("Search by:"), Frame1);
    lblsearchby->setToolTip(
        QStringLiteral("You can search for the word by any of the available categories"));

    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    // What is typed is used as it stands: no completion from the list's entries.
    Combo1->setCompleter(nullptr);
    Combo1->addItems({QStringLiteral("word"), QStringLiteral("date of entry"),
                      QStringLiteral("identity number"), QStringLiteral("last seen"),
                      QStringLiteral("pending words"), QStringLiteral("difficult words")});
    Combo1->setCurrentIndex(0);
    Combo1->setToolTip(
        QStringLiteral("Select one of the available categories to search for the word"));

    cmdok = makeButton(QStringLiteral("cmdok"), QStringLiteral("O&k"), Frame1);

    Label4 = makeLabel(QStringLiteral("Label4"),
                       QStringLiteral("Choose a date and click   on any of the pink boxes below"),
                       Frame1);
    DTPicker1 = new QDateEdit(QDate(2001, 8, 9), Frame1);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setCalendarPopup(true);
    DTPicker1->setDisplayFormat(pickerFormat());

    Label2 = makeLabel(QStringLiteral("Label2"),
                       QStringLiteral("Search for words entered between "), Frame1);
    for (int i = 0; i < 2; ++i)
        txtdate[i] = makeLineBox(QStringLiteral("txtdate(%1)").arg(i), Frame1);
    // The design's caption is a doubled ampersand: one literal "&".
    Label3 = makeLabel(QStringLiteral("Label3"), QStringLiteral("&"), Frame1);
    cmdgo = makeButton(QStringLiteral("cmdgo"), QStringLiteral("&Go"), Frame1);
    Label5 = makeLabel(QStringLiteral("Label5"), QString(), Frame1);
    txtlike = makeLineBox(QStringLiteral("txtlike"), Frame1);

    lstword = new shell::WordListBox(Frame1);
    lstword->setObjectName(QStringLiteral("lstword"));

    Label6 = makeLabel(QStringLiteral("Label6"),
                       QStringLiteral("Double click on the word or scroll down to get the details "
                                      "of the words you want"),
                       Frame1);

    for (QWidget* hidden : std::initializer_list<QWidget*>{
             Label4, DTPicker1, Label2, txtdate[0], Label3, txtdate[1], cmdgo, Label5, txtlike})
        hidden->setVisible(false);
    cmdgo->setEnabled(false);

    setTabOrder(Combo1, cmdok);
    setTabOrder(cmdok, txtlike);
    setTabOrder(txtlike, lstword);
}

void frmsearch::createDetails() {
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Info on  the word"), m_designArea);
    Label7 = makeLabel(QStringLiteral("Label7"),
                       QStringLiteral("To get info on any word or a group of  alphabets, just drag "
                                      "the mouse over it, and highlight it."),
                       m_designArea);

    const std::array<QString, 7> captions{
        QStringLiteral("word :"),       QStringLiteral("meaning :"),
        QStringLiteral("usage :"),      QStringLiteral("part of speech :"),
        QStringLiteral("notes : "),     QStringLiteral("word id number :"),
        QStringLiteral("Used before?:")};
    for (int i = 0; i < 7; ++i) {
        lblfield[i] = makeLabel(QStringLiteral("lblfield(%1)").arg(i), captions[i], m_designArea);
        const QString name = QStringLiteral("txtfield(%1)").arg(i);
        const bool severalLines = i == 1 || i == 2 || i == 4;
        txtfield[i] = severalLines ? static_cast<QWidget*>(makeTextBox(name, m_designArea))
                                   : static_cast<QWidget*>(makeLineBox(name, m_designArea));
    }
    txtfield[5]->setEnabled(false);
    txtfield[6]->setEnabled(false);

    chkdifficult = new QCheckBox(QStringLiteral("Difficult ? "), m_designArea);
    chkdifficult->setObjectName(QStringLiteral("chkdifficult"));

    cmdchange[0] =
        makeButton(QStringLiteral("cmdchange(0)"), QStringLiteral("&Update"), m_designArea);
    cmdchange[1] =
        makeButton(QStringLiteral("cmdchange(1)"), QStringLiteral("&Delete"), m_designArea);
    cmdchange[0]->setEnabled(false);
    cmdchange[1]->setEnabled(false);

    // Tab order of the details: the boxes top to bottom, then the mark and the buttons.
    QWidget* previous = lstword;
    for (int i : {0, 1, 2, 4, 6, 5, 3}) {
        setTabOrder(previous, txtfield[i]);
        previous = txtfield[i];
    }
    setTabOrder(previous, chkdifficult);
    setTabOrder(chkdifficult, cmdchange[0]);
    setTabOrder(cmdchange[0], cmdchange[1]);
}

void frmsearch::createFlashCard() {
    frameflash = new QGroupBox(QStringLiteral("Flash cards"), m_designArea);
    frameflash->setObjectName(QStringLiteral("frameflash"));

    txtflashword = makeLineBox(QStringLiteral("txtflashword"), frameflash);
    txtflashword->setFocusPolicy(Qt::ClickFocus);
    txtflashmeaning = makeTextBox(QStringLiteral("txtflashmeaning"), frameflash);
    txtflashmeaning->setFocusPolicy(Qt::ClickFocus);
    txtflashmeaning->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtflashmeaning->setVisible(false);
    cmdflashhide = makeButton(QStringLiteral("cmdflashhide"), QStringLiteral("&Hide"), frameflash);

    frameflash->setVisible(false);
}

void frmsearch::createMenus() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setNativeMenuBar(false);

    mnufile = menuBar->addMenu(QStringLiteral("&File"));
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnuflashcard = mnufile->addAction(QStringLiteral("Flash card mode"));
    mnuflashcard->setObjectName(QStringLiteral("mnuflashcard"));
    mnuflashcard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuflashcard->setShortcutContext(Qt::WindowShortcut);
    // Also an action of the window itself, so its shortcut works wherever the focus is.
    addAction(mnuflashcard);

    mypopupmenu = new QMenu(QStringLiteral("popupmenu"), this);
    mypopupmenu->setObjectName(QStringLiteral("mypopupmenu"));
    mnuclose = mypopupmenu->addAction(QStringLiteral("Close"));
    mnuclose->setObjectName(QStringLiteral("mnuclose"));
}

void frmsearch::placeControls() {
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->setMenuBar(menuBar);
    window->addWidget(m_designArea, 1);

    place(Frame1, 0, 0, 5175, 8655);
    place(lblsearchby, 120, 840, 1215, 375);
    place(Combo1, 1440, 840, 1815, 315);
    place(cmdok, 3480, 840, 1095, 375);
    place(Label4, 720, 1440, 2175, 615);
    place(DTPicker1, 3000, 1440, 1455, 375);
    place(Label2, 240, 2280, 1575, 375);
    place(txtdate[0], 2160, 2280, 1215, 285);
    place(Label3, 3480, 2280, 255, 255);
    place(txtdate[1], 3840, 2280, 1215, 285);
    place(cmdgo, 3120, 2760, 1095, 375);
    place(Label5, 240, 3600, 2175, 615);
    place(txtlike, 2760, 3600, 1695, 375);
    place(lstword, 2760, 4320, 1695, 1815);
    place(Label6, 1080, 4680, 1455, 1215);

    place(Label1, 4800, 0, 4695, 375);
    place(Label7, 5640, 600, 5535, 615);
    struct Place {
        int left, top, width, height;
    };
    const std::array<Place, 7> labels{{{5760, 1320, 975, 375},
                                       {5760, 1800, 975, 375},
                                       {5640, 3960, 1095, 375},
                                       {9360, 6840, 1455, 375},
                                       {5760, 5520, 975, 375},
                                       {7080, 6840, 1455, 375},
                                       {5280, 6840, 855, 495}}};
    const std::array<Place, 7> boxes{{{6840, 1320, 4695, 375},
                                      {6840, 1800, 4695, 2055},
                                      {6840, 3960, 4695, 1455},
                                      {10920, 6840, 735, 375},
                                      {6840, 5520, 4695, 975},
                                      {8520, 6840, 615, 375},
                                      {6240, 6840, 615, 375}}};
    for (int i = 0; i < 7; ++i) {
        place(lblfield[i], labels[i].left, labels[i].top, labels[i].width, labels[i].height);
        place(txtfield[i], boxes[i].left, boxes[i].top, boxes[i].width, boxes[i].height);
    }
    place(chkdifficult, 5400, 7440, 1335, 375);
    place(cmdchange[0], 6960, 7440, 1215, 375);
    place(cmdchange[1], 8640, 7440, 1215, 375);

    place(frameflash, 5160, 0, 6735, 7335);
    place(txtflashword, 240, 480, 6135, 735);
    place(txtflashmeaning, 0, 2280, 6015, 3615);
    place(cmdflashhide, 480, 6240, 1695, 495);

    // The design area stays whole on small screens too.
    m_designArea->setMinimumSize(shell::twipsToPixels(11895), shell::twipsToPixels(8655));
    // The search frame is drawn over the part of the heading label it overlaps, as designed.
    Label1->lower();
}

void frmsearch::configureLook() {
    shell::setBackground(this, kBlack);
    shell::setBackground(m_designArea, kBlack);

    Frame1->setFont(shell::designFont(QStringLiteral("Comic Sans MS"), 18, true));
    shell::setBackground(Frame1, kOlive);
    lblsearchby->setFont(shell::designFont(QStringLiteral("Garamond"), 12, true));
    lblsearchby->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Combo1->setFont(sansSerif(false));
    Label4->setFont(sansSerif(true));
    shell::setTextColour(Label4, kDarkRed);
    DTPicker1->setFont(sansSerif(false));
    Label2->setFont(sansSerif(true));
    for (QLineEdit* box : txtdate) {
        box->setFont(sansSerif(true));
        shell::setBoxBackground(box, kPink);
    }
    Label3->setFont(sansSerif(true, 12));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label5->setFont(sansSerif(false));
    txtlike->setFont(sansSerif(false));
    lstword->setFont(sansSerif(true));
    shell::setTextColour(lstword, kNavy);
    Label6->setFont(sansSerif(true));

    Label1->setFont(shell::designFont(QStringLiteral("Comic Sans MS"), 15.75, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    shell::setTextColour(Label1, kGreen);
    Label7->setFont(sansSerif(true, 9.75));
    Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    shell::setTextColour(Label7, kOrange);
    for (int i = 0; i < 7; ++i) {
        lblfield[i]->setFont(sansSerif(true));
        lblfield[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        shell::setTextColour(lblfield[i], kRed);
        txtfield[i]->setFont(sansSerif(true));
    }
    chkdifficult->setFont(sansSerif(true));
    shell::setBackground(chkdifficult, kBlack);
    QPalette checkPalette = chkdifficult->palette();
    checkPalette.setColor(QPalette::Button, kBlack);
    chkdifficult->setPalette(checkPalette);
    shell::setTextColour(chkdifficult, kRed);

    frameflash->setFont(sansSerif(false));
    shell::setBackground(frameflash, kWhite);
    txtflashword->setFont(shell::designFont(QStringLiteral("Times New Roman"), 24, true));
    txtflashword->setAlignment(Qt::AlignCenter);
    shell::setTextColour(txtflashword, kDarkBlue);
    txtflashmeaning->setFont(shell::designFont(QStringLiteral("News Gothic MT"), 14.25, true));
    shell::setTextColour(txtflashmeaning, kPurple);

    menuBar->setFont(sansSerif(false));
    mypopupmenu->setFont(sansSerif(false));
    for (QWidget* popup : std::initializer_list<QWidget*>{
             menuBar, mnufile, mypopupmenu, Combo1->view(), DTPicker1->calendarWidget()})
        useStandardColours(popup);
}

void frmsearch::fitLabels() {
    // The design's labels were measured for narrower fonts than this machine may substitute:
    // a label keeps its place and width but grows downwards rather than cut off its last line.
    for (QLabel* label : findChildren<QLabel*>()) {
        QString longest = label->text();
        if (label == Label5)
            longest = QStringLiteral("Search for  the word whose identity number begins with");
        QLabel probe(longest);
        probe.setTextFormat(label->textFormat());
        probe.setFont(label->font());
        probe.setWordWrap(label->wordWrap());
        const int needed = probe.heightForWidth(label->width());
        if (needed > label->height())
            label->resize(label->width(), needed);
    }
}

void frmsearch::connectHandlers() {
    connect(cmdok, &QPushButton::clicked, this, &frmsearch::cmdok_Click);
    connect(txtlike, &QLineEdit::textChanged, this, &frmsearch::txtlike_Change);
    connect(cmdgo, &QPushButton::clicked, this, &frmsearch::cmdgo_Click);
    for (int i = 0; i < 2; ++i)
        txtdate[i]->installEventFilter(this);
    for (int i = 0; i < 7; ++i) {
        if (auto* line = qobject_cast<QLineEdit*>(txtfield[i])) {
            line->installEventFilter(this);
            connect(line, &QLineEdit::textChanged, this, [this, i] { txtfield_Change(i); });
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(txtfield[i])) {
            text->viewport()->installEventFilter(this);
            connect(text, &QPlainTextEdit::textChanged, this, [this, i] { txtfield_Change(i); });
        }
    }

    connect(lstword, &shell::WordListBox::click, this, [this] {
        if (!m_listQuiet)
            lstword_Click();
    });
    lstword->installEventFilter(this);

    connect(cmdchange[0], &QPushButton::clicked, this, [this] { cmdchange_Click(0); });
    connect(cmdchange[1], &QPushButton::clicked, this, [this] { cmdchange_Click(1); });

    connect(mnuflashcard, &QAction::triggered, this, &frmsearch::mnuflashcard_Click);
    connect(cmdflashhide, &QPushButton::clicked, this, &frmsearch::cmdflashhide_Click);
    connect(mnuclose, &QAction::triggered, this, &frmsearch::mnuclose_Click);
    installEventFilter(this);
    m_designArea->installEventFilter(this);
    Frame1->installEventFilter(this);
}

bool frmsearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstword)
        return listKeyEvent(event) || Form::eventFilter(watched, event);
    if (watched == this || watched == m_designArea || watched == Frame1)
        return bareMousePress(static_cast<QWidget*>(watched), event) ||
               Form::eventFilter(watched, event);
    for (int i = 0; i < 2; ++i) {
        if (watched == txtdate[i]) {
            dateBoxMouseEvent(i, event);
            return Form::eventFilter(watched, event);
        }
    }
    for (int i = 0; i < 7; ++i) {
        const auto* plain = qobject_cast<QPlainTextEdit*>(txtfield[i]);
        if (watched == txtfield[i] || (plain && watched == plain->viewport()))
            return fieldMouseRelease(i, watched, event) || Form::eventFilter(watched, event);
    }
    return Form::eventFilter(watched, event);
}

void frmsearch::Form_Load() {
    connsearch = std::make_unique<store::Connection>();
    connsearch->setProvider(QStringLiteral("Microsoft.Jet.OLEDB.3.51"));
    connsearch->setConnectionString(QStringLiteral("c:\\my documents\\gre_wordlist.mdb"));
    connsearch->Open();
    if (!shell::showwordonopen)
        return;
    showWordOnOpen();
}

void frmsearch::requestWhileLoaded() {
    if (!shell::showwordonopen || shell::wordtoshow.isEmpty())
        return;
    hideDateRange();
    // The filter box may still hold this very word while the list shows another search since
    // (a category, a date range, the identity-number column): emptied quietly, setting the word
    // again refills the list by word.
    if (txtlike->text() == shell::wordtoshow) {
        const QSignalBlocker quiet(txtlike);
        txtlike->clear();
    }
    // The prompt names the column the filter now matches.
    if (!Label5->text().isEmpty())
        Label5->setText(wordPrompt());
    showWordOnOpen();
}

void frmsearch::showWordOnOpen() {
    txtlike->setVisible(true);
    Label5->setVisible(true);
    searchfield = QStringLiteral("word");
    txtlike->setText(shell::wordtoshow);

    // Selecting the entry runs lstword_Click; the word is then shown once more on purpose.
    for (int row = 0; row < lstword->count(); ++row) {
        if (lstword->text(row) == shell::wordtoshow) {
            lstword->setCurrentRow(row);
            lstword->scrollToRow(row);
            break;
        }
    }
    lstword_Click();

    shell::showwordonopen = false;
    shell::wordtoshow.clear();
}

void frmsearch::Form_Unload() {
    releaseWordRecordset();
    if (connsearch)
        connsearch->Close();
    connsearch.reset();
}

QString frmsearch::fieldText(int index) const {
    if (const auto* line = qobject_cast<const QLineEdit*>(txtfield[index]))
        return line->text();
    return static_cast<const QPlainTextEdit*>(txtfield[index])->toPlainText();
}

void frmsearch::setFieldText(int index, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(txtfield[index])) {
        line->setText(text);
        return;
    }
    auto* box = static_cast<QPlainTextEdit*>(txtfield[index]);
    if (box->toPlainText() != text)
        box->setPlainText(text);
}

QString frmsearch::fieldSelectedText(int index) const {
    if (const auto* line = qobject_cast<const QLineEdit*>(txtfield[index]))
        return line->selectedText();
    QString text = static_cast<const QPlainTextEdit*>(txtfield[index])->textCursor().selectedText();
    // A selection across lines holds paragraph separators; the filter takes plain line breaks.
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

QString frmsearch::selectedWord() const {
    return lstword->selectedText();
}

qint64 frmsearch::selectedId() const {
    const int row = lstword->selectedRow();
    return row >= 0 && row < static_cast<int>(m_listIds.size()) ? m_listIds[row] : 0;
}

} // namespace search
