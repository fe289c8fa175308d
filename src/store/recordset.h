#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace store {

class Connection;

enum class CursorType { ForwardOnly, Keyset, Dynamic, Static };
enum class LockType { ReadOnly, Pessimistic, Optimistic, BatchOptimistic };
enum class CursorLocation { Server, Client };

// AbsolutePosition when there is no current row.
constexpr qint64 PosUnknown = -1; // a new row not yet written
constexpr qint64 PosBOF = -2;
constexpr qint64 PosEOF = -3;

// The result of one SELECT over the word table, read row by row.
//
// Forward-only, read-only (the defaults): steps the statement directly, no copy of the result.
// Keyset or static: the rows are read once at Open and kept with their row ids; assigned fields
// are written back by id (Update: the current row; UpdateBatch: every pending change, AddNew
// rows included), Delete removes the current row. Moving clamps at both ends.
//
// Field values: id as qlonglong, texts as QString, entrydate/last_seen as QDate, is_used and
// frequent as bool; a column without value gives a null QVariant. Dates may be assigned as QDate
// or as date text ("7/1/01" is 1 July 2001).
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void setCursorType(CursorType type);
    void setLockType(LockType type);
    void setCursorLocation(CursorLocation location);
    void setSource(const QString& statement);
    void setActiveConnection(Connection* connection);
    CursorType cursorType() const;
    LockType lockType() const;
    CursorLocation cursorLocation() const;
    QString source() const;
    Connection* activeConnection() const;

    // Runs the source on the active connection (opening it if needed); the first row is current.
    void Open();
    void Close();
    bool isOpen() const;

    bool eof() const; // past the last row, or an empty result
    bool bof() const; // before the first row
    void MoveNext();
    void MovePrevious();
    void MoveFirst();
    void MoveLast();

    // Rows of the result; -1 for a forward-only record set.
    qint64 RecordCount() const;
    // 1-based position of the current row, or PosUnknown/PosBOF/PosEOF.
    qint64 AbsolutePosition() const;
    void setAbsolutePosition(qint64 position);

    QStringList fieldNames() const;
    bool hasField(const QString& name) const;
    QVariant field(const QString& name) const;
    void setField(const QString& name, const QVariant& value);

    void AddNew();
    void Update();
    void UpdateBatch();
    void CancelUpdate(); // drops the pending changes of the current row (a new row disappears)
    void CancelBatch();  // drops every pending change
    void Delete();

    bool isNewRow() const; // the current row is an AddNew row not yet written
    bool hasPendingChanges() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace store
