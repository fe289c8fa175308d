#include "shell/wordlistbox.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStringListModel>

namespace shell {

WordListBox::WordListBox(QWidget* parent) : QListView(parent), m_model(new QStringListModel(this)) {
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        emit selectionChanged();
        if (m_mouseDown)
            m_changedWhileDown = true;
        else if (selectedRow() >= 0)
            emit click();
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        emit rowClicked(index.row());
        m_clickedOnRelease = true;
        if (selectedRow() >= 0)
            emit click();
    });
}

void WordListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    m_mouseDown = true;
    m_changedWhileDown = false;
    QListView::mousePressEvent(event);
}

void WordListBox::keyPressEvent(QKeyEvent* event) {
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (arrow && selectedRow() < 0 && count() > 0) {
        const QModelIndex current = currentIndex();
        setCurrentRow(current.isValid() ? current.row() : 0);
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void WordListBox::mouseReleaseEvent(QMouseEvent* event) {
    m_clickedOnRelease = false;
    QListView::mouseReleaseEvent(event);
    m_mouseDown = false;
    // Pressed on one row and released on another: the selection moved all the same.
    if (m_changedWhileDown && !m_clickedOnRelease && selectedRow() >= 0)
        emit click();
    m_changedWhileDown = false;
}

int WordListBox::count() const {
    return m_model->rowCount();
}

QString WordListBox::text(int row) const {
    return m_model->data(m_model->index(row, 0), Qt::DisplayRole).toString();
}

QStringList WordListBox::words() const {
    return m_model->stringList();
}

void WordListBox::setWords(const QStringList& words) {
    const QSignalBlocker quiet(selectionModel());
    m_model->setStringList(words);
}

void WordListBox::removeRow(int row) {
    if (row < 0 || row >= count())
        return;
    const QSignalBlocker quiet(selectionModel());
    m_model->removeRows(row, 1);
}

int WordListBox::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString WordListBox::selectedText() const {
    const int row = selectedRow();
    return row < 0 ? QString() : text(row);
}

int WordListBox::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void WordListBox::setCurrentRow(int row) {
    if (row < 0 || row >= count()) {
        selectionModel()->clear();
        return;
    }
    selectionModel()->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

void WordListBox::scrollToRow(int row) {
    if (row >= 0 && row < count())
        scrollTo(m_model->index(row, 0));
}

} // namespace shell
