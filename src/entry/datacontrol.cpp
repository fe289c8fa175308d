#include "entry/datacontrol.h"

#include "entry/boxtext.h"
#include "store/connection.h"
#include "store/dialect.h"
#include "store/recordset.h"
#include "store/storeerror.h"

#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVariant>

namespace entry {

namespace {

// A field's value as its box shows it; dates in the form the store reads back unchanged.
QString displayText(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return store::dateLiteralText(value.toDate());
    return value.toString();
}

QToolButton* navigationButton(const QString& name, const QString& text, const QString& tip,
                              QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(false);
    button->setMinimumSize(32, 24);
    // Clicked with the mouse only: Tab never stops on them.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

DataControl::DataControl(QWidget* parent)
    : QWidget(parent), m_connection(std::make_unique<store::Connection>()),
      m_recordset(std::make_unique<store::Recordset>()) {
    createControls();
    connect(m_first, &QToolButton::clicked, this, &DataControl::MoveFirst);
    connect(m_previous, &QToolButton::clicked, this, &DataControl::MovePrevious);
    connect(m_next, &QToolButton::clicked, this, &DataControl::MoveNext);
    connect(m_last, &QToolButton::clicked, this, &DataControl::MoveLast);
}

// The record set goes before its connection; pending changes are dropped, never written.
DataControl::~DataControl() {
    m_recordset.reset();
}

void DataControl::createControls() {
    m_first =
        navigationButton(QStringLiteral("cmdFirst"), QStringLiteral("|<"), tr("First word"), this);
    m_previous = navigationButton(QStringLiteral("cmdPrevious"), QStringLiteral("<"),
                                  tr("Previous word"), this);
    m_next =
        navigationButton(QStringLiteral("cmdNext"), QStringLiteral(">"), tr("Next word"), this);
    m_last =
        navigationButton(QStringLiteral("cmdLast"), QStringLiteral(">|"), tr("Last word"), this);

    m_caption = new QLabel(QStringLiteral(" "), this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_caption->setFrameShape(QFrame::Panel);
    m_caption->setFrameShadow(QFrame::Sunken);
    m_caption->setMinimumHeight(24);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_first);
    layout->addWidget(m_previous);
    layout->addWidget(m_caption, 1);
    layout->addWidget(m_next);
    layout->addWidget(m_last);
}

void DataControl::setConnectionString(const QString& connectionString) {
    m_connection->setConnectionString(connectionString);
}

void DataControl::setRecordSource(const QString& source) {
    m_recordSource = source;
}

QString DataControl::caption() const {
    return m_caption->text();
}

void DataControl::setCaption(const QString& caption) {
    m_caption->setText(caption);
}

void DataControl::bindText(QWidget* box, const QString& field) {
    m_texts.push_back({box, field, boxText(box)});
}

void DataControl::bindCheck(QCheckBox* box, const QString& field) {
    m_checks.push_back({box, field, box->isChecked()});
}

store::Recordset& DataControl::Recordset() {
    if (!m_recordset->isOpen()) {
        m_recordset->setCursorLocation(store::CursorLocation::Client);
        m_recordset->setCursorType(store::CursorType::Static);
        m_recordset->setLockType(store::LockType::Optimistic);
        m_recordset->setSource(m_recordSource);
        m_recordset->setActiveConnection(m_connection.get());
        m_recordset->Open();
        showCurrentRow();
    }
    return *m_recordset;
}

void DataControl::AddNew() {
    Recordset().AddNew();
    showCurrentRow();
}

void DataControl::UpdateBatch() {
    store::Recordset& rs = Recordset();
    pushBoundValues();
    rs.UpdateBatch();
    showCurrentRow();
}

void DataControl::MoveFirst() {
    navigate(Move::First);
}

void DataControl::MovePrevious() {
    navigate(Move::Previous);
}

void DataControl::MoveNext() {
    navigate(Move::Next);
}

void DataControl::MoveLast() {
    navigate(Move::Last);
}

void DataControl::navigate(Move move) {
    try {
        store::Recordset& rs = Recordset();
        const bool dropped = leaveCurrentRow();
        switch (move) {
        case Move::First:
            rs.MoveFirst();
            break;
        case Move::Previous:
            // A dropped new row sat after the last one: the last row is its previous one.
            if (!dropped)
                rs.MovePrevious();
            if (rs.bof())
                rs.MoveFirst();
            break;
        case Move::Next:
            rs.MoveNext();
            if (rs.eof())
                rs.MoveLast();
            break;
        case Move::Last:
            rs.MoveLast();
            break;
        }
        showCurrentRow();
    } catch (const store::StoreError& error) {
        emit Error(error.number(), error.description());
        return;
    }
    // An empty list has no row to move to.
    if (!m_recordset->eof())
        emit MoveComplete();
}

// Writes what the user changed in the boxes before the row is left. A new row nobody typed
// into is dropped (returns true); a row left unchanged loses any changes a failed write had
// put in it.
bool DataControl::leaveCurrentRow() {
    store::Recordset& rs = *m_recordset;
    if (rs.eof() || rs.bof())
        return false;
    if (!boxesChanged()) {
        const bool newRow = rs.isNewRow();
        rs.CancelUpdate();
        return newRow;
    }
    pushBoundValues();
    rs.Update();
    return false;
}

void DataControl::showCurrentRow() {
    store::Recordset& rs = *m_recordset;
    const bool onRow = rs.isOpen() && !rs.eof() && !rs.bof();
    for (TextBinding& binding : m_texts) {
        binding.shown = onRow ? displayText(rs.field(binding.field)) : QString();
        setBoxText(binding.box, binding.shown);
    }
    for (CheckBinding& binding : m_checks) {
        binding.shown = onRow && rs.field(binding.field).toBool();
        binding.box->setChecked(binding.shown);
    }
}

// A new row takes every box (so it is saved with empty texts, not without values); a row
// that exists takes only the boxes whose text was changed.
void DataControl::pushBoundValues() {
    store::Recordset& rs = *m_recordset;
    const bool newRow = rs.isNewRow();
    for (const TextBinding& binding : m_texts) {
        const QString text = boxText(binding.box);
        if (newRow || text != binding.shown)
            rs.setField(binding.field, text);
    }
    for (const CheckBinding& binding : m_checks) {
        if (newRow || binding.box->isChecked() != binding.shown)
            rs.setField(binding.field, binding.box->isChecked());
    }
}

bool DataControl::boxesChanged() const {
    for (const TextBinding& binding : m_texts)
        if (boxText(binding.box) != binding.shown)
            return true;
    for (const CheckBinding& binding : m_checks)
        if (binding.box->isChecked() != binding.shown)
            return true;
    return false;
}

} // namespace entry
