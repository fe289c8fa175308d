#include "store/recordset.h"

#include "store/connection.h"
#include "store/dialect.h"
#include "store/dictionaryorder.h"
#include "store/fieldvalue.h"
#include "store/sqlitecall.h"
#include "store/storeerror.h"
#include "store/translate.h"

#include <QDate>
#include <QHash>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace store {

namespace {

// The type of a kept cell whose value has not been read from the table yet.
constexpr int kNotLoaded = 0;

// A value of the result kept by a keyset or static record set; text lives in the arena.
struct Cell {
    int type = SQLITE_NULL;
    quint32 len = 0;
    union {
        qint64 i;
        double d;
        quint64 off;
    };
    Cell() : i(0) {}
};

// Runs `body` inside a transaction of its own unless the connection already has one open.
// The file is checked before a transaction of its own; an open one was checked when it began
// and is checked again before its commit (Connection::CommitTrans), not once per row.
template <class F> void inWriteTransaction(Connection& conn, F&& body) {
    sqlite3* db = conn.handle();
    const bool own = !conn.inTransaction();
    if (own) {
        conn.checkFileStillThere();
        sqlitecall::exec(db, "BEGIN IMMEDIATE");
    }
    try {
        body(db);
        if (own) {
            sqlitecall::exec(db, "COMMIT");
            conn.noteCommitted();
        }
    } catch (...) {
        if (own)
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace

struct Recordset::Impl {
    CursorType cursorType = CursorType::ForwardOnly;
    LockType lockType = LockType::ReadOnly;
    CursorLocation location = CursorLocation::Server;
    QString source;
    Connection* conn = nullptr;
    bool open = false;

    QStringList names;
    std::vector<ColKind> kinds;
    std::vector<int> stmtToColumn; // kept record sets: statement column -> column of names
    std::vector<int> deferred;     // columns read per row on first use (see kLightColumns)
    sqlite3_stmt* loadStmt = nullptr;
    QHash<QString, int> index; // lower-case name -> column

    // Forward-only: the running statement and whether it has a row.
    sqlite3_stmt* stmt = nullptr;
    bool hasRow = false;

    // Keyset and static: every row read at Open.
    struct Row {
        qint64 rowid = 0;
        quint64 serial = 0;
        bool isNew = false;
    };
    std::vector<Row> rows;
    std::vector<Cell> cells; // rows x columns
    std::string arena;
    qint64 pos = 0; // 0-based; -1 before the first row; rows.size() past the last
    quint64 nextSerial = 1;
    std::map<quint64, std::map<int, DbValue>> pending; // by row serial

    // Keyset and static record sets keep every row; so does a forward-only one sorted by word.
    bool materialized = false;
    bool cached() const { return materialized; }
    bool forwardOnly() const { return cursorType == CursorType::ForwardOnly; }
    int columnCount() const { return static_cast<int>(names.size()); }
    bool onRow() const { return pos >= 0 && pos < static_cast<qint64>(rows.size()); }

    int column(const QString& name) const {
        // Callers name columns as the table does, as a rule: a few exact comparisons.
        for (int c = 0; c < names.size(); ++c)
            if (names[c].size() == name.size() && names[c] == name)
                return c;
        if (const auto it = index.constFind(name.toLower()); it != index.constEnd())
            return it.value();
        throw StoreError(3265, QStringLiteral("The field \"%1\" is not in the result.").arg(name));
    }

    void requireOpen() const {
        if (!open)
            throw StoreError(errnum::NotOpen, QStringLiteral("The record set is not open."));
    }

    void requireRow() const {
        requireOpen();
        if (cached() ? !onRow() : !hasRow)
            throw StoreError(errnum::NoCurrentRow,
                             QStringLiteral("There is no current word (the end of the list was "
                                            "reached, or the word was deleted)."));
    }

    void requireUpdatable() const {
        requireOpen();
        if (forwardOnly() || lockType == LockType::ReadOnly)
            throw StoreError(errnum::ReadOnlyRecordset,
                             QStringLiteral("This list of words cannot be changed."));
    }

    // Names the columns: those of the statement from `first` on, or, for a narrowed
    // "SELECT *", every column of the table with the missing ones read later.
    void setColumns(sqlite3_stmt* s, int first, bool light = false) {
        names.clear();
        kinds.clear();
        index.clear();
        stmtToColumn.clear();
        deferred.clear();
        const int n = sqlite3_column_count(s);
        if (light) {
            for (const char* name : kTableColumns)
                names << QString::fromLatin1(name);
        } else {
            for (int c = first; c < n; ++c)
                names << QString::fromUtf8(sqlite3_column_name(s, c));
        }
        for (int c = 0; c < names.size(); ++c) {
            index.insert(names[c].toLower(), c);
            kinds.push_back(kindOf(names[c]));
        }
        std::vector<bool> present(names.size(), false);
        for (int c = first; c < n; ++c) {
            const int col =
                light
                    ? static_cast<int>(names.indexOf(QString::fromUtf8(sqlite3_column_name(s, c))))
                    : c - first;
            stmtToColumn.push_back(col);
            if (col >= 0)
                present[col] = true;
        }
        for (int c = 0; c < names.size(); ++c)
            if (!present[c])
                deferred.push_back(c);
    }

    // Reads the deferred columns of one kept row.
    void loadDeferred(qint64 row) {
        if (!loadStmt) {
            QByteArray sql = "SELECT ";
            for (std::size_t k = 0; k < deferred.size(); ++k)
                sql += (k ? ", " : "") + quoteIdent(names[deferred[k]]);
            sql += " FROM listofwords WHERE rowid = ?1";
            loadStmt = sqlitecall::prepare(conn->handle(), sql);
        }
        sqlite3_reset(loadStmt);
        sqlite3_bind_int64(loadStmt, 1, rows[row].rowid);
        const int rc = sqlite3_step(loadStmt);
        Cell* cellRow = &cells[static_cast<std::size_t>(row) * columnCount()];
        for (std::size_t k = 0; k < deferred.size(); ++k) {
            if (rc == SQLITE_ROW)
                storeCell(cellRow[deferred[k]], loadStmt, static_cast<int>(k));
            else
                cellRow[deferred[k]].type = SQLITE_NULL; // deleted meanwhile
        }
        sqlite3_reset(loadStmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            sqlitecall::fail(conn->handle(), rc);
    }

    void storeValue(Cell& cell, const DbValue& v) {
        cell.type = v.type;
        cell.len = 0;
        if (v.type == SQLITE_INTEGER)
            cell.i = v.i;
        else if (v.type == SQLITE_FLOAT)
            cell.d = v.d;
        else if (v.type == SQLITE_TEXT) {
            cell.off = arena.size();
            cell.len = static_cast<quint32>(v.s.size());
            arena.append(v.s.constData(), v.s.size());
        }
    }

    void storeCell(Cell& cell, sqlite3_stmt* s, int c) {
        cell.type = sqlite3_column_type(s, c);
        switch (cell.type) {
        case SQLITE_INTEGER:
            cell.i = sqlite3_column_int64(s, c);
            break;
        case SQLITE_FLOAT:
            cell.d = sqlite3_column_double(s, c);
            break;
        case SQLITE_NULL:
            break;
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
            cell.len = static_cast<quint32>(sqlite3_column_bytes(s, c));
            cell.off = arena.size();
            arena.append(text, cell.len);
            cell.type = SQLITE_TEXT;
        }
        }
    }

    QVariant cellValue(qint64 row, int c) const {
        const Cell& cell = cells[static_cast<std::size_t>(row) * columnCount() + c];
        return toVariant(kinds[c], cell.type, cell.i, cell.d,
                         cell.type == SQLITE_TEXT ? arena.data() + cell.off : nullptr,
                         static_cast<int>(cell.len));
    }

    void appendRow(qint64 rowid, bool isNew) {
        rows.push_back({rowid, nextSerial++, isNew});
        cells.resize(cells.size() + columnCount());
        if (!isNew)
            for (int c : deferred)
                cells[cells.size() - columnCount() + c].type = kNotLoaded;
    }

    void eraseRow(qint64 row) {
        pending.erase(rows[row].serial);
        rows.erase(rows.begin() + row);
        const auto first = cells.begin() + row * columnCount();
        cells.erase(first, first + columnCount());
    }

    void checkWord(sqlite3* db, const DbValue& word, qint64 ownRowid) {
        if (word.type == SQLITE_NULL || word.s.isEmpty())
            throw StoreError(errnum::EmptyWord,
                             QStringLiteral("A word cannot be saved without the word itself."));
        std::vector<QByteArray> params;
        QByteArray sql = "SELECT word FROM listofwords WHERE " +
                         wordEqualsCondition(QString::fromUtf8(word.s), params);
        params.push_back(QByteArray::number(ownRowid));
        sql += " AND rowid <> ?" + QByteArray::number(static_cast<qulonglong>(params.size()));
        sqlitecall::StatementGuard g{sqlitecall::prepare(db, sql, params)};
        const int rc = sqlite3_step(g.stmt);
        if (rc == SQLITE_ROW) {
            const QString existing =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(g.stmt, 0)));
            const QString typed = QString::fromUtf8(word.s);
            throw StoreError(
                errnum::DuplicateWord,
                existing == typed
                    ? QStringLiteral("The word \"%1\" is already in the list.").arg(typed)
                    : QStringLiteral("The word \"%1\" is already in the list, as \"%2\".")
                          .arg(typed, existing));
        }
        if (rc != SQLITE_DONE)
            sqlitecall::fail(db, rc);
    }

    // Writes the pending changes of one row (an INSERT for a new row, an UPDATE otherwise).
    void writeRow(sqlite3* db, qint64 row) {
        const auto it = pending.find(rows[row].serial);
        if (it == pending.end())
            return;
        std::vector<std::pair<int, const DbValue*>> assigned;
        for (const auto& [c, value] : it->second) {
            if (kinds[c] == ColKind::Id) {
                if (value.type != SQLITE_NULL && !(value.i == rows[row].rowid && !rows[row].isNew))
                    throw StoreError(errnum::IdNotEditable,
                                     QStringLiteral("The identity number is given by the word list "
                                                    "and cannot be changed."));
                continue;
            }
            assigned.emplace_back(c, &value);
        }
        const int wordCol = index.value(QStringLiteral("word"), -1);
        // A word written back unchanged is not checked again: a table made without UNIQUE may
        // hold it in another letter case too, and the row keeps its own word either way.
        const auto unchangedWord = [&] {
            const auto w = it->second.find(wordCol);
            const Cell& cell = cells[static_cast<std::size_t>(row) * columnCount() + wordCol];
            return w != it->second.end() && cell.type == SQLITE_TEXT &&
                   w->second.type == SQLITE_TEXT &&
                   std::string_view(arena.data() + cell.off, cell.len) ==
                       std::string_view(w->second.s.constData(), w->second.s.size());
        };
        if (rows[row].isNew || (it->second.count(wordCol) && !unchangedWord())) {
            const auto w = it->second.find(wordCol);
            checkWord(db, w == it->second.end() ? DbValue{} : w->second,
                      rows[row].isNew ? 0 : rows[row].rowid);
        }
        QByteArray sql;
        if (rows[row].isNew) {
            QByteArray cols, vals;
            int n = 0;
            for (const auto& [c, value] : assigned) {
                cols += (n ? ", " : "") + quoteIdent(names[c]);
                vals += (n ? ", ?" : "?") + QByteArray::number(n + 1);
                ++n;
            }
            // A table whose id is a plain column: the new row gets the next id, as an
            // AutoNumber would (no caller assigns an id, see above).
            if (!sqlitecall::idIsRowKey(db)) {
                cols += (n ? ", " : "") + QByteArray("id");
                vals +=
                    QByteArray(n ? ", " : "") + "(SELECT IFNULL(MAX(id), 0) + 1 FROM listofwords)";
                ++n;
            }
            for (const char* flag : {"is_used", "frequent"}) {
                if (!index.contains(flag) || !it->second.count(index.value(flag))) {
                    cols += (n ? ", " : "") + QByteArray(flag);
                    vals += (n ? ", 0" : "0");
                    ++n;
                }
            }
            sql = "INSERT INTO listofwords (" + cols + ") VALUES (" + vals + ")";
        } else {
            if (assigned.empty()) {
                pending.erase(it);
                return;
            }
            sql = "UPDATE listofwords SET ";
            int n = 0;
            for (const auto& [c, value] : assigned) {
                sql += (n ? ", " : "") + quoteIdent(names[c]) + " = ?" + QByteArray::number(n + 1);
                ++n;
            }
            sql += " WHERE rowid = ?" + QByteArray::number(n + 1);
        }
        sqlitecall::StatementGuard g{sqlitecall::prepare(db, sql)};
        int n = 0;
        for (const auto& [c, value] : assigned)
            bindValue(g.stmt, ++n, *value);
        if (!rows[row].isNew)
            sqlite3_bind_int64(g.stmt, n + 1, rows[row].rowid);
        const int rc = sqlite3_step(g.stmt);
        if (rc != SQLITE_DONE)
            sqlitecall::fail(db, rc);
        if (!rows[row].isNew && sqlite3_changes(db) == 0)
            throw StoreError(errnum::RowNotFound,
                             QStringLiteral("The word is no longer in the list (it was deleted "
                                            "meanwhile); nothing was saved."));
    }

    // The id a row was given (the row id itself where id is the row key).
    static DbValue idOfRow(sqlite3* db, qint64 rowid) {
        sqlitecall::StatementGuard g{
            sqlitecall::prepare(db, "SELECT id FROM listofwords WHERE rowid = ?1")};
        sqlite3_bind_int64(g.stmt, 1, rowid);
        DbValue id;
        if (sqlite3_step(g.stmt) == SQLITE_ROW && sqlite3_column_type(g.stmt, 0) != SQLITE_NULL) {
            id.type = SQLITE_INTEGER;
            id.i = sqlite3_column_int64(g.stmt, 0);
        }
        return id;
    }

    // Writes the pending changes of the given rows in one transaction; afterwards new rows take
    // their ids and the cache takes the written values. On a failure nothing is written and
    // every change stays pending.
    void writeRows(const std::vector<qint64>& rowIndices) {
        if (rowIndices.empty())
            return;
        std::vector<qint64> newRowIds(rowIndices.size(), 0);
        std::vector<DbValue> newIds(rowIndices.size());
        inWriteTransaction(*conn, [&](sqlite3* db) {
            for (std::size_t k = 0; k < rowIndices.size(); ++k) {
                writeRow(db, rowIndices[k]);
                if (rows[rowIndices[k]].isNew) {
                    newRowIds[k] = sqlite3_last_insert_rowid(db);
                    newIds[k] = idOfRow(db, newRowIds[k]);
                }
            }
        });
        for (std::size_t k = 0; k < rowIndices.size(); ++k) {
            Row& row = rows[rowIndices[k]];
            const auto changes = pending.find(row.serial);
            Cell* cellRow = &cells[static_cast<std::size_t>(rowIndices[k]) * columnCount()];
            if (row.isNew) {
                // What the insert wrote: the assigned values, the new id, the two flags false.
                row.rowid = newRowIds[k];
                row.isNew = false;
                for (int c = 0; c < columnCount(); ++c) {
                    cellRow[c].type = SQLITE_NULL;
                    if (kinds[c] == ColKind::Id)
                        storeValue(cellRow[c], newIds[k]);
                    else if (kinds[c] == ColKind::Bool)
                        storeValue(cellRow[c], DbValue{SQLITE_INTEGER, 0, 0, {}});
                }
            }
            if (changes != pending.end()) {
                for (const auto& [c, value] : changes->second)
                    if (kinds[c] != ColKind::Id)
                        storeValue(cellRow[c], value);
                pending.erase(changes);
            }
        }
    }

    // Orders the kept rows by word in dictionary order (see dictionaryorder.h).
    void sortByWord() {
        const int w = static_cast<int>(names.indexOf(QStringLiteral("word")));
        if (w < 0 || rows.size() < 2)
            return;
        const int ncol = columnCount();
        const std::vector<std::size_t> order = dictionary::order(rows.size(), [&](std::size_t r) {
            const Cell& c = cells[r * ncol + w];
            return c.type == SQLITE_TEXT ? std::string_view(arena.data() + c.off, c.len)
                                         : std::string_view();
        });
        bool moved = false;
        for (std::size_t r = 0; r < order.size() && !moved; ++r)
            moved = order[r] != r;
        if (!moved)
            return;
        std::vector<Row> newRows;
        std::vector<Cell> newCells;
        newRows.reserve(rows.size());
        newCells.reserve(cells.size());
        for (std::size_t r : order) {
            newRows.push_back(rows[r]);
            newCells.insert(newCells.end(), cells.begin() + r * ncol,
                            cells.begin() + (r + 1) * ncol);
        }
        rows.swap(newRows);
        cells.swap(newCells);
    }

    void closeStatement() {
        if (stmt)
            sqlite3_finalize(stmt);
        stmt = nullptr;
        if (loadStmt)
            sqlite3_finalize(loadStmt);
        loadStmt = nullptr;
        hasRow = false;
    }

    void step() {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            hasRow = true;
        } else {
            hasRow = false;
            if (rc != SQLITE_DONE) {
                sqlite3* db = sqlite3_db_handle(stmt);
                try {
                    sqlitecall::fail(db, rc);
                } catch (...) {
                    closeStatement();
                    open = false;
                    throw;
                }
            }
        }
    }
};

Recordset::Recordset() : d(std::make_unique<Impl>()) {}

Recordset::~Recordset() {
    try {
        Close();
    } catch (...) {
    }
}

void Recordset::setCursorType(CursorType type) {
    d->cursorType = type;
}
void Recordset::setLockType(LockType type) {
    d->lockType = type;
}
void Recordset::setCursorLocation(CursorLocation location) {
    d->location = location;
}
void Recordset::setSource(const QString& statement) {
    d->source = statement;
}
void Recordset::setActiveConnection(Connection* connection) {
    d->conn = connection;
}
CursorType Recordset::cursorType() const {
    return d->cursorType;
}
LockType Recordset::lockType() const {
    return d->lockType;
}
CursorLocation Recordset::cursorLocation() const {
    return d->location;
}
QString Recordset::source() const {
    return d->source;
}
Connection* Recordset::activeConnection() const {
    return d->conn;
}
bool Recordset::isOpen() const {
    return d->open;
}

void Recordset::Open() {
    if (d->open)
        throw StoreError(3705, QStringLiteral("The record set is already open."));
    if (!d->conn)
        throw StoreError(errnum::NotOpen, QStringLiteral("The record set has no connection."));
    if (!d->conn->isOpen())
        d->conn->Open();
    // A client-side cursor is always static: it keeps every row read.
    if (d->location == CursorLocation::Client)
        d->cursorType = CursorType::Static;
    sqlite3* db = d->conn->handle();
    d->closeStatement();
    // Keyset and static record sets keep their rows, and so does a forward-only result that the
    // record set sorts by word itself; any other forward-only result is stepped directly.
    const TranslatedStatement direct = translateStatement(d->source, false);
    d->materialized = !d->forwardOnly() || direct.sortByWord;
    if (!d->materialized) {
        d->stmt = sqlitecall::prepare(db, direct.sql, direct.params);
        d->setColumns(d->stmt, 0);
        d->open = true;
        d->step();
        return;
    }
    // A forward-only result is read through once: it keeps every column at once.
    const TranslatedStatement t = translateStatement(d->source, true, !d->forwardOnly());
    sqlitecall::StatementGuard g{sqlitecall::prepare(db, t.sql, t.params)};
    sqlite3_stmt* stmt = g.stmt;
    d->setColumns(stmt, 1, t.lightColumns);
    d->rows.clear();
    d->cells.clear();
    d->arena.clear();
    d->pending.clear();
    const int n = sqlite3_column_count(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        d->appendRow(sqlite3_column_int64(stmt, 0), false);
        Cell* row = &d->cells[d->cells.size() - d->columnCount()];
        for (int c = 1; c < n; ++c)
            if (const int col = d->stmtToColumn[c - 1]; col >= 0)
                d->storeCell(row[col], stmt, c);
    }
    if (rc != SQLITE_DONE)
        sqlitecall::fail(db, rc);
    if (t.sortByWord)
        d->sortByWord();
    d->pos = 0;
    d->open = true;
}

void Recordset::Close() {
    if (!d->open)
        return;
    d->closeStatement();
    d->rows.clear();
    d->cells.clear();
    d->arena.clear();
    d->pending.clear();
    d->open = false;
}

bool Recordset::eof() const {
    d->requireOpen();
    if (!d->cached())
        return !d->hasRow;
    return d->pos >= static_cast<qint64>(d->rows.size());
}

bool Recordset::bof() const {
    d->requireOpen();
    if (!d->cached() || d->forwardOnly())
        return false;
    return d->pos < 0 || d->rows.empty();
}

void Recordset::MoveNext() {
    d->requireOpen();
    if (!d->cached()) {
        if (d->hasRow)
            d->step();
        return;
    }
    if (d->pos < static_cast<qint64>(d->rows.size()))
        ++d->pos;
}

void Recordset::MovePrevious() {
    d->requireOpen();
    if (d->forwardOnly())
        throw StoreError(errnum::ReadOnlyRecordset,
                         QStringLiteral("This list can only be read forward."));
    if (d->pos >= 0)
        --d->pos;
}

void Recordset::MoveFirst() {
    d->requireOpen();
    if (!d->cached()) {
        sqlite3_reset(d->stmt);
        d->step();
        return;
    }
    d->pos = 0;
}

void Recordset::MoveLast() {
    d->requireOpen();
    if (d->forwardOnly())
        throw StoreError(errnum::ReadOnlyRecordset,
                         QStringLiteral("This list can only be read forward."));
    d->pos = d->rows.empty() ? 0 : static_cast<qint64>(d->rows.size()) - 1;
}

qint64 Recordset::RecordCount() const {
    d->requireOpen();
    return d->forwardOnly() ? -1 : static_cast<qint64>(d->rows.size());
}

qint64 Recordset::AbsolutePosition() const {
    d->requireOpen();
    if (d->forwardOnly())
        return PosUnknown;
    if (d->rows.empty() || d->pos >= static_cast<qint64>(d->rows.size()))
        return PosEOF;
    if (d->pos < 0)
        return PosBOF;
    if (d->rows[d->pos].isNew)
        return PosUnknown;
    return d->pos + 1;
}

void Recordset::setAbsolutePosition(qint64 position) {
    d->requireOpen();
    if (d->forwardOnly())
        throw StoreError(errnum::ReadOnlyRecordset,
                         QStringLiteral("This list can only be read forward."));
    d->pos = std::clamp<qint64>(position - 1, 0, std::max<qint64>(0, d->rows.size() - 1));
}

QStringList Recordset::fieldNames() const {
    return d->names;
}

bool Recordset::hasField(const QString& name) const {
    return d->index.contains(name.toLower());
}

QVariant Recordset::field(const QString& name) const {
    d->requireRow();
    const int c = d->column(name);
    if (!d->cached()) {
        sqlite3_stmt* s = d->stmt;
        const int type = sqlite3_column_type(s, c);
        if (type == SQLITE_INTEGER || type == SQLITE_NULL || type == SQLITE_FLOAT)
            return toVariant(d->kinds[c], type, sqlite3_column_int64(s, c),
                             sqlite3_column_double(s, c), nullptr, 0);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
        return toVariant(d->kinds[c], SQLITE_TEXT, 0, 0, text, sqlite3_column_bytes(s, c));
    }
    if (d->cells[static_cast<std::size_t>(d->pos) * d->columnCount() + c].type == kNotLoaded)
        d->loadDeferred(d->pos);
    const auto p = d->pending.find(d->rows[d->pos].serial);
    if (p != d->pending.end()) {
        const auto v = p->second.find(c);
        if (v != p->second.end())
            return toVariant(d->kinds[c], v->second);
    }
    return d->cellValue(d->pos, c);
}

void Recordset::setField(const QString& name, const QVariant& value) {
    d->requireUpdatable();
    d->requireRow();
    const int c = d->column(name);
    d->pending[d->rows[d->pos].serial][c] = fromVariant(d->kinds[c], name, value);
}

void Recordset::AddNew() {
    d->requireUpdatable();
    d->appendRow(0, true);
    d->pending[d->rows.back().serial];
    d->pos = static_cast<qint64>(d->rows.size()) - 1;
}

void Recordset::Update() {
    d->requireUpdatable();
    if (!d->onRow())
        return;
    if (d->pending.count(d->rows[d->pos].serial))
        d->writeRows({d->pos});
}

void Recordset::UpdateBatch() {
    d->requireUpdatable();
    std::vector<qint64> rowIndices;
    for (qint64 r = 0;
         r < static_cast<qint64>(d->rows.size()) && rowIndices.size() < d->pending.size(); ++r)
        if (d->pending.count(d->rows[r].serial))
            rowIndices.push_back(r);
    d->writeRows(rowIndices);
}

void Recordset::CancelUpdate() {
    d->requireOpen();
    if (!d->cached() || !d->onRow())
        return;
    if (d->rows[d->pos].isNew) {
        d->eraseRow(d->pos);
        d->pos = d->rows.empty() ? 0 : std::min<qint64>(d->pos, d->rows.size() - 1);
    } else {
        d->pending.erase(d->rows[d->pos].serial);
    }
}

void Recordset::CancelBatch() {
    d->requireOpen();
    if (!d->cached())
        return;
    for (qint64 r = static_cast<qint64>(d->rows.size()) - 1; r >= 0; --r)
        if (d->rows[r].isNew)
            d->eraseRow(r);
    d->pending.clear();
    d->pos = std::min<qint64>(d->pos, d->rows.size());
}

void Recordset::Delete() {
    d->requireUpdatable();
    d->requireRow();
    if (!d->rows[d->pos].isNew) {
        const qint64 rowid = d->rows[d->pos].rowid;
        inWriteTransaction(*d->conn, [&](sqlite3* db) {
            sqlitecall::StatementGuard g{
                sqlitecall::prepare(db, "DELETE FROM listofwords WHERE rowid = ?1")};
            sqlite3_bind_int64(g.stmt, 1, rowid);
            const int rc = sqlite3_step(g.stmt);
            if (rc != SQLITE_DONE)
                sqlitecall::fail(db, rc);
            if (sqlite3_changes(db) == 0)
                throw StoreError(errnum::RowNotFound,
                                 QStringLiteral("The word is no longer in the list (it was "
                                                "deleted meanwhile)."));
        });
    }
    d->eraseRow(d->pos);
}

bool Recordset::isNewRow() const {
    return d->cached() && d->onRow() && d->rows[d->pos].isNew;
}

bool Recordset::hasPendingChanges() const {
    return !d->pending.empty();
}

} // namespace store
