#include "shell/choicelines.h"

#include <QAbstractItemView>

namespace shell {

QSize ChoiceLinesDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    // The width asked for is nothing: the view then makes each line as wide as itself.
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(1);
    return size;
}

void ChoiceLinesDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!(option->state & QStyle::State_Selected))
        option->state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
}

void showChoiceLines(QAbstractItemView* view) {
    view->setItemDelegate(new ChoiceLinesDelegate(view));
    view->setTextElideMode(Qt::ElideRight);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace shell
