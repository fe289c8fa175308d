#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace shell {

// Draws the lines of a short list of choices: every line is as wide as the list, so a text too
// long for it ends in an ellipsis instead of widening the list and bringing up a scroll bar
// that would cover the last line; and only a selected line is marked (no focus frame on a line
// the user has not chosen).
class ChoiceLinesDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Sets the delegate on the view, with its texts elided on the right and no scroll bars.
void showChoiceLines(QAbstractItemView* view);

} // namespace shell
