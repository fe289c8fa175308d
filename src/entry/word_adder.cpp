#include "entry/word_adder.h"

#include "entry/boxtext.h"
#include "entry/datacontrol.h"
#include "shell/clock.h"
#include "shell/dialogs.h"
#include "shell/windowregistry.h"
#include "store/connection.h"
#include "store/dialect.h"
#include "store/recordset.h"
#include "store/storeerror.h"

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using shell::registry;
using shell::WindowKind;

namespace {

const QColor kDarkBlue(0, 0, 128);
const QColor kHintBackground(128, 255, 255);
const QColor kHintText(128, 64, 64);

// The columns the boxes txtFields(0)..(5) are bound to, in index order.
const std::array<QString, 6> kFieldColumns{QStringLiteral("word"),        QStringLiteral("synonym"),
                                           QStringLiteral("part_speech"), QStringLiteral("usage"),
                                           QStringLiteral("notes"),       QStringLiteral("id")};
const std::array<QString, 6> kFieldCaptions{
    QStringLiteral("word:"),  QStringLiteral("synonym:"), QStringLiteral("part_speech:"),
    QStringLiteral("usage:"), QStringLiteral("notes:"),   QStringLiteral("id:")};
// Boxes of several lines (with a vertical scroll bar); the others hold one line.
constexpr std::array<bool, 6> kMultiLine{false, true, false, true, true, false};

QFont boldFont(const QFont& base, qreal points) {
    QFont font = base;
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumSize(96, 30);
    button->setAutoDefault(false);
    return button;
}

QLabel* wrappedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

// Keeps the place of a control that is shown and hidden, so the others do not jump.
void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

word_adder::word_adder(QWidget* parent) : Form(WindowKind::WordAdder, parent) {
    createControls();
    createButtonBar();
    createLayout();
    configureLook();
    arrangeTabOrder();
    bindFields();
    connectHandlers();
}

word_adder::~word_adder() = default;

QString word_adder::duplicateMessage() {
    return QStringLiteral(
        "This word already exists in your list. You cant add it again.To make changes to the "
        "details of the word, click on that word which appears in the list box, on the right "
        "half of the window.");
}

QString word_adder::hintText() {
    return QStringLiteral("      You may just enter the word . The synonym can be entered later, "
                          "when you deem proper. In order to search for such words, open the "
                          "search window , and  from the category drop down list, select ") +
           QStringLiteral("\"pending words\"") +
           QStringLiteral(".  This will give the list of the words, WHOSE SYNONYMS  were not "
                          "entered by you.  MAKE SURE YOU LEAVE THE SYNONYMS  BOX COMPLETELY "
                          "BLANK. THIS WILL ENABLE YOU TO SEARCH FOR THE WORDS.");
}

void word_adder::createControls() {
    setObjectName(QStringLiteral("word_adder"));
    setWindowTitle(QStringLiteral("word adder"));

    Label1 = new QLabel(QStringLiteral("ADD WORDS"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    for (int i = 0; i < 6; ++i) {
        lblLabels[i] = new QLabel(kFieldCaptions[i], this);
        lblLabels[i]->setObjectName(QStringLiteral("lblLabels(%1)").arg(i));
        QWidget* box;
        if (kMultiLine[i]) {
            auto* lines = new QPlainTextEdit(this);
            lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            lines->setTabChangesFocus(true);
            box = lines;
        } else {
            box = new QLineEdit(this);
        }
        box->setObjectName(QStringLiteral("txtFields(%1)").arg(i));
        txtFields[i] = box;
    }
    // The bound word box stays hidden: the word is typed into Text3 and copied on Update.
    txtFields[0]->hide();

    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->hide();
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->hide();

    Check1 = new QCheckBox(QStringLiteral("Difficult ? "), this);
    Check1->setObjectName(QStringLiteral("Check1"));

    List1 = new shell::WordListBox(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->hide();

    Label2 = wrappedLabel(QStringLiteral("Label2"),
                          QStringLiteral("THE FOLLOWING WORDS ALREADY EXIST IN THE WORDLIST, SO "
                                         "YOU NEED NOT ADD THEM AGAIN"),
                          this);
    Label2->hide();
    Label4 = wrappedLabel(
        QStringLiteral("Label4"),
        QStringLiteral("TO VIEW/CHANGE  THE DETAILS OF ANY WORD, JUST CLICK ON IT."), this);
    Label4->hide();
    Label3 = wrappedLabel(QStringLiteral("Label3"),
                          QStringLiteral("note that here, the bound textbox is hidden"), this);
    Label3->hide();
    Label5 = wrappedLabel(QStringLiteral("Label5"), hintText(), this);

    datPrimaryRS = new entry::DataControl(this);
    datPrimaryRS->setObjectName(QStringLiteral("datPrimaryRS"));
    datPrimaryRS->setConnectionString(QStringLiteral(
        "PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source=C:\\My Documents\\gre_wordlist.mdb;"));
    datPrimaryRS->setRecordSource(QStringLiteral("select * from listofwords Order by word"));
}

void word_adder::createButtonBar() {
    picButtons = new QWidget(this);
    picButtons->setObjectName(QStringLiteral("picButtons"));
    cmdAdd = commandButton(QStringLiteral("cmdAdd"), QStringLiteral("&Add"), picButtons);
    cmdUpdate = commandButton(QStringLiteral("cmdUpdate"), QStringLiteral("&Update"), picButtons);
    cmdDelete = commandButton(QStringLiteral("cmdDelete"), QStringLiteral("&Delete"), picButtons);
    cmdRefresh =
        commandButton(QStringLiteral("cmdRefresh"), QStringLiteral("&Refresh"), picButtons);
    cmdClose = commandButton(QStringLiteral("cmdClose"), QStringLiteral("&Close"), picButtons);
    // Nothing in the program enables these two.
    cmdDelete->setEnabled(false);
    cmdRefresh->setEnabled(false);

    auto* bar = new QHBoxLayout(picButtons);
    bar->setContentsMargins(4, 4, 4, 4);
    bar->setSpacing(8);
    for (QPushButton* button : {cmdAdd, cmdUpdate, cmdDelete, cmdRefresh, cmdClose})
        bar->addWidget(button);
    bar->addStretch(1);
}

void word_adder::createLayout() {
    // The fields: captions in a column left of their boxes; Text3 takes the word's place and
    // the hidden bound word box shares it.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    for (int i = 0; i < 6; ++i) {
        lblLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        fields->addWidget(lblLabels[i], i, 0);
        fields->addWidget(txtFields[i], i, 1);
        fields->setRowStretch(i, kMultiLine[i] ? 1 : 0);
    }
    fields->addWidget(Text3, 0, 1);
    fields->addWidget(Check1, 6, 1, Qt::AlignLeft);
    fields->setColumnStretch(1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addLayout(fields, 1);

    // Right of the fields: the list of existing words with its two labels, and the hint.
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(List1, 3);
    listRow->addWidget(Label4, 2, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(Label2);
    right->addLayout(listRow, 3);
    right->addSpacing(12);
    right->addWidget(Label5, 0, Qt::AlignTop);
    right->addStretch(1);
    for (QWidget* widget : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(List1),
                            static_cast<QWidget*>(Label4)})
        keepPlaceWhenHidden(widget);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(24);
    middle->addLayout(left, 3);
    middle->addLayout(right, 2);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(8, 8, 8, 0);
    window->addLayout(middle, 1);
    window->addWidget(picButtons);
    window->addWidget(datPrimaryRS);
}

void word_adder::configureLook() {
    Label1->setFont(boldFont(font(), 18));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    Label1->setMinimumWidth(240);

    Text3->setFont(boldFont(font(), 12));
    txtFields[0]->setFont(boldFont(font(), 12));
    QPalette typed = Text3->palette();
    typed.setColor(QPalette::Text, kDarkBlue);
    Text3->setPalette(typed);

    Label5->setMargin(8);
    Label5->setAutoFillBackground(true);
    QPalette hint = Label5->palette();
    hint.setColor(QPalette::Window, kHintBackground);
    hint.setColor(QPalette::WindowText, kHintText);
    Label5->setPalette(hint);
    QFont hintFont = font();
    hintFont.setPointSizeF(hintFont.pointSizeF() + 1);
    Label5->setFont(hintFont);

    Label4->setMinimumWidth(140);
    Label2->setMinimumHeight(Label2->fontMetrics().height() * 2);
}

void word_adder::arrangeTabOrder() {
    QWidget* order[] = {Text3,        txtFields[1], txtFields[2], txtFields[3], txtFields[4],
                        txtFields[5], cmdUpdate,    cmdAdd,       cmdDelete,    cmdRefresh,
                        cmdClose,     List1,        Check1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    Text3->setFocus();
}

void word_adder::bindFields() {
    for (int i = 0; i < 6; ++i)
        datPrimaryRS->bindText(txtFields[i], kFieldColumns[i]);
    datPrimaryRS->bindText(Text1, QStringLiteral("entrydate"));
    datPrimaryRS->bindText(Text2, QStringLiteral("last_seen"));
    datPrimaryRS->bindCheck(Check1, QStringLiteral("frequent"));
}

void word_adder::connectHandlers() {
    connect(cmdUpdate, &QPushButton::clicked, this, &word_adder::cmdUpdate_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &word_adder::cmdAdd_Click);
    connect(cmdClose, &QPushButton::clicked, this, &word_adder::cmdClose_Click);
    connect(Text3, &QLineEdit::textChanged, this, &word_adder::Text3_Change);
    connect(datPrimaryRS, &entry::DataControl::MoveComplete, this,
            &word_adder::datPrimaryRS_MoveComplete);
    connect(datPrimaryRS, &entry::DataControl::Error, this, &word_adder::datPrimaryRS_Error);
    connect(List1, &shell::WordListBox::click, this, &word_adder::List1_Click);
}

void word_adder::Form_Load() {
    connadder = std::make_unique<store::Connection>();
    connadder->setProvider(QStringLiteral("Microsoft.Jet.OLEDB.3.51"));
    connadder->setConnectionString(QStringLiteral("c:\\my documents\\gre_wordlist.mdb"));
    connadder->Open();

    try {
        datPrimaryRS->AddNew();
    } catch (const store::StoreError& error) {
        shell::dialogs().message(error.description());
    }
}

void word_adder::Form_Unload() {
    unsetCursor();
    if (connadder) {
        connadder->Close();
        connadder.reset();
    }
    // The data control goes with the window: changes not saved with Update are dropped.
}

void word_adder::cmdUpdate_Click() {
    if (entry::boxText(txtFields[1]).isEmpty())
        entry::setBoxText(txtFields[1], QStringLiteral("not entered"));
    if (entry::boxText(txtFields[2]).isEmpty())
        entry::setBoxText(txtFields[2], QStringLiteral("?"));
    // The hidden date boxes take the date in the form the store reads in every locale.
    const QString today = store::dateLiteralText(shell::today());
    Text1->setText(today);
    Text2->setText(today);
    entry::setBoxText(txtFields[0], Text3->text());

    try {
        datPrimaryRS->UpdateBatch();
    } catch (const store::StoreError& error) {
        // The list shows the words that begin with the typed text; a word refused as a
        // duplicate only once cleaned ("abate " for "abate") is not among them.
        if (List1->count() > 0 || error.number() == store::errnum::DuplicateWord)
            shell::dialogs().message(duplicateMessage());
        else
            shell::dialogs().message(error.description());
    }
}

void word_adder::cmdAdd_Click() {
    // This instance is gone after the unload (deleted once control is back in the event
    // loop): nothing below touches it.
    registry().unload(WindowKind::WordAdder);
    if (registry().load(WindowKind::WordAdder))
        registry().show(WindowKind::WordAdder, true);
}

void word_adder::cmdClose_Click() {
    registry().unload(WindowKind::WordAdder);
}

void word_adder::datPrimaryRS_MoveComplete() {
    datPrimaryRS->setCaption(QStringLiteral("Record: ") +
                             QString::number(datPrimaryRS->Recordset().AbsolutePosition()));
}

void word_adder::datPrimaryRS_Error(int /*number*/, const QString& description) {
    shell::dialogs().message(QStringLiteral("Data error event hit err:") + description);
}
