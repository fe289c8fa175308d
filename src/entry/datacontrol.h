#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QToolButton;

namespace store {
class Connection;
class Recordset;
} // namespace store

namespace entry {

// A bound data control: a bar with buttons to the first, previous, next and last row and a
// caption between them. It owns its own connection and a record set (client cursor, static,
// optimistic lock) over its record source, shows the current row's fields in the boxes bound
// to them and, before a write, puts the boxes' texts back into the fields.
//
// Only the current row is shown; nothing is done per row beyond the record set's Open.
// Leaving a row with the buttons writes the changes made in its boxes; a new row nobody typed
// into is dropped instead, and a row that cannot be written (a new row has no word yet) keeps
// the control where it is. Failures the control meets by itself go to Error; failures of the
// operations called from outside (AddNew, UpdateBatch) are thrown to the caller.
class DataControl : public QWidget {
    Q_OBJECT
public:
    explicit DataControl(QWidget* parent = nullptr);
    ~DataControl() override;

    void setConnectionString(const QString& connectionString);
    void setRecordSource(const QString& source);
    QString caption() const;
    void setCaption(const QString& caption);

    // A one-line (QLineEdit) or multi-line (QPlainTextEdit) box, or a check box (ticked = true).
    void bindText(QWidget* box, const QString& field);
    void bindCheck(QCheckBox* box, const QString& field);

    // The record set, opened on the first row on first use; throws StoreError when it cannot be.
    store::Recordset& Recordset();

    // Starts a new row, which becomes current with every bound box blank. Not a move.
    void AddNew();
    // Puts the bound boxes into the current row and writes every pending change.
    void UpdateBatch();

    // What the buttons do; moves clamp at both ends.
    void MoveFirst();
    void MovePrevious();
    void MoveNext();
    void MoveLast();

signals:
    // After every change of the current row by a move.
    void MoveComplete();
    // A failure the control met by itself (opening, writing a row it leaves).
    void Error(int number, const QString& description);

private:
    enum class Move { First, Previous, Next, Last };
    struct TextBinding {
        QWidget* box;
        QString field;
        QString shown;
    };
    struct CheckBinding {
        QCheckBox* box;
        QString field;
        bool shown;
    };

    void createControls();
    void navigate(Move move);
    bool leaveCurrentRow();
    void showCurrentRow();
    void pushBoundValues();
    bool boxesChanged() const;

    QToolButton* m_first = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_last = nullptr;
    QLabel* m_caption = nullptr;

    QString m_recordSource;
    std::unique_ptr<store::Connection> m_connection;
    std::unique_ptr<store::Recordset> m_recordset;
    std::vector<TextBinding> m_texts;
    std::vector<CheckBinding> m_checks;
};

} // namespace entry
