#pragma once

#include "shell/form.h"
#include "shell/wordlistbox.h"

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPoint;
class QPushButton;
class QWidget;

namespace store {
class Connection;
class Recordset;
} // namespace store

namespace search {

// Kept for the whole run, across openings of the search window.
// The column the live filter matches and orders by: "word", "id", or empty before the user
// has confirmed either in this run.
extern QString searchfield;
// The two ends of the date range, taken from the picker by clicking the pink boxes.
extern QDate datefrom;
extern QDate dateto;

// The search window: find words by category, prefix or date range on the left, show, update
// or delete the selected word on the right, and walk the list as flash cards.
class frmsearch : public shell::Form {
    Q_OBJECT
public:
    explicit frmsearch(QWidget* parent = nullptr);
    ~frmsearch() override;

    void Form_Load() override;
    void Form_Unload() override;
    // Another window asks for a word while this window is open: it switches to the text
    // filter and shows the word as an opening on that word would.
    void requestWhileLoaded() override;

    // Filters the list to shell::wordtoshow, selects and shows it (stamping its last_seen),
    // then clears the open-on-word request. Run by Form_Load, and by an opener whose request
    // finds the window already open.
    void showWordOnOpen();

    // How the right-click pop-up menu is run: by default QMenu::exec at the position (blocking).
    // Tests install a runner that records the menu instead.
    using PopupRunner = std::function<void(QMenu* menu, const QPoint& globalPos)>;
    void setPopupRunner(PopupRunner runner) { m_popupRunner = std::move(runner); }

    // Text of a details box, whatever its kind (one line or several).
    QString fieldText(int index) const;
    void setFieldText(int index, const QString& text);
    // The highlighted part of a details box.
    QString fieldSelectedText(int index) const;
    // The text of the list's selected entry; empty when nothing is selected.
    QString selectedWord() const;
    // The id of the selected entry's row (0: none, or a row without id).
    qint64 selectedId() const;

    // The search frame.
    QGroupBox* Frame1 = nullptr;
    QLabel* lblsearchby = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* cmdok = nullptr;
    QLabel* Label4 = nullptr;
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QLineEdit*, 2> txtdate{};
    QLabel* Label3 = nullptr;
    QPushButton* cmdgo = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtlike = nullptr;
    shell::WordListBox* lstword = nullptr;
    QLabel* Label6 = nullptr;

    // The details area. Boxes 0, 3, 5 and 6 hold one line (QLineEdit), 1, 2 and 4 several
    // (QPlainTextEdit).
    QLabel* Label1 = nullptr;
    QLabel* Label7 = nullptr;
    std::array<QLabel*, 7> lblfield{};
    std::array<QWidget*, 7> txtfield{};
    QCheckBox* chkdifficult = nullptr;
    std::array<QPushButton*, 2> cmdchange{};

    // The flash card.
    QGroupBox* frameflash = nullptr;
    QLineEdit* txtflashword = nullptr;
    QPlainTextEdit* txtflashmeaning = nullptr;
    QPushButton* cmdflashhide = nullptr;

    // Menus.
    QMenuBar* menuBar = nullptr;
    QMenu* mnufile = nullptr;
    QAction* mnuflashcard = nullptr;
    QMenu* mypopupmenu = nullptr;
    QAction* mnuclose = nullptr;

public slots:
    // Search side.
    void cmdok_Click();
    void txtlike_Change();
    void txtdate_Click(int index);
    void cmdgo_Click();
    void txtfield_Click(int index);
    void txtfield_Change(int index);

    // Details and keys.
    void lstword_Click();
    void lstword_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void lstword_KeyPress(int keyAscii);
    void lstword_KeyUp(int keyCode, Qt::KeyboardModifiers shift);

    // Update (0) and Delete (1).
    void cmdchange_Click(int index);

    // Flash card and pop-up menu.
    void mnuflashcard_Click();
    void cmdflashhide_Click();
    void Form_MouseDown(int button);
    void Frame1_MouseDown(int button);
    void mnuclose_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window.
    void createSearchFrame();
    void createDetails();
    void createFlashCard();
    void createMenus();
    void placeControls();
    void configureLook();
    void fitLabels();
    void connectHandlers();

    // Search side.
    static QString wordPrompt(); // Label5's caption for the "word" column
    void fillList(const QString& statement);
    void showTextFilter();
    void showDateRange();
    void hideDateRange();
    void dateBoxMouseEvent(int index, QEvent* event);

    // Details.
    enum class Display { Full, Refresh };
    void showSelectedWord(Display display);
    void showRow(Display display);
    void clearDetails(Display display);
    // Opens rsword on the rows of `word` and makes the row with `id` current (two rows may hold
    // the word in different letter case).
    void openWordRecordset(const QString& word, qint64 id);
    void releaseWordRecordset();
    bool listKeyEvent(QEvent* event);

    // Update and Delete.
    void updateWord(const QString& keptWord);
    void deleteWord(const QString& keptWord, int keptPosition);
    void reportMissingRow(const QString& keptWord, const QString& action);

    // Mouse on bare parts of the window.
    bool bareMousePress(QWidget* surface, QEvent* event);
    bool fieldMouseRelease(int index, QObject* watched, QEvent* event);

    std::unique_ptr<store::Connection> connsearch;
    std::unique_ptr<store::Recordset> rsword;
    // The id of each entry of lstword, in the same order.
    std::vector<qint64> m_listIds;

    QWidget* m_designArea = nullptr;
    PopupRunner m_popupRunner;
    // Set while the window itself empties the list or removes an entry: no Click then.
    bool m_listQuiet = false;
    // Pink box being pressed (for a click = press and release on it).
    int m_datePressed = -1;
    // Set while a details box handles a mouse release before its Click runs.
    bool m_forwardingRelease = false;
};

} // namespace search
