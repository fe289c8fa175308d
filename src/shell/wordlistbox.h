#pragma once

#include <QListView>
#include <QStringList>

class QStringListModel;

namespace shell {

// The windows' list of words: a plain list of texts, single selection, not sorted, not
// editable. A string-list model behind it makes refilling with 100,000 words cheap (one list
// handed over, no item objects to make or delete).
class WordListBox : public QListView {
    Q_OBJECT
public:
    explicit WordListBox(QWidget* parent = nullptr);

    int count() const;
    QString text(int row) const;
    QStringList words() const;
    // Replaces every entry; nothing is selected afterwards, and no selectionChanged is raised.
    void setWords(const QStringList& words);
    void clear() { setWords({}); }
    void removeRow(int row); // raises no selectionChanged for the removed entry's selection

    // The selected entry (single selection), or -1 / empty text when none is.
    int selectedRow() const;
    QString selectedText() const;
    int currentRow() const;
    // Makes the row current and selected (-1: none); raises selectionChanged like a user would.
    void setCurrentRow(int row);
    void scrollToRow(int row);

signals:
    // The selection changed (by the user or by the program).
    void selectionChanged();
    // A row was clicked with the mouse, also when it was already selected.
    void rowClicked(int row);
    // The list's Click: a row became selected by the keyboard or the program (at once), or the
    // mouse selected or clicked a row (on release, so a handler may open a modal window).
    void click();

protected:
    // A right click neither selects nor clicks (as in a list box of the platform's own).
    void mousePressEvent(QMouseEvent* event) override;
    // The first arrow key in a list with nothing selected selects the entry with the focus
    // frame (the first one) instead of moving past it.
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QStringListModel* m_model;
    bool m_mouseDown = false;
    bool m_changedWhileDown = false;
    bool m_clickedOnRelease = false;
};

} // namespace shell
