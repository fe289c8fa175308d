#include "support/testdatabase.h"

#include "store/database.h"
#include "store/dataenvironment.h"

#include <QFile>
#include <functional>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace testsupport {

namespace {

// A short-lived handle on the test file; every failure is a broken test set-up.
class Handle {
public:
    explicit Handle(const QString& path) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK)
            fail("open");
        sqlite3_busy_timeout(m_db, 5000);
    }
    ~Handle() { sqlite3_close(m_db); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    sqlite3_stmt* prepare(const QString& sql) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &statement, nullptr) !=
            SQLITE_OK)
            fail(text.constData());
        return statement;
    }

    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string("test database: ") + what + ": " +
                                 sqlite3_errmsg(m_db));
    }

    sqlite3* db() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

void bindText(sqlite3_stmt* statement, int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void bindDate(sqlite3_stmt* statement, int index, const QDate& date) {
    if (date.isValid())
        bindText(statement, index, date.toString(Qt::ISODate));
    else
        sqlite3_bind_null(statement, index);
}

QString columnText(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

std::optional<WordRow> readOne(const QString& path, const QString& condition,
                               const std::function<void(sqlite3_stmt*)>& bind) {
    Handle handle(path);
    sqlite3_stmt* statement =
        handle.prepare(QStringLiteral("SELECT id, word, synonym, part_speech, usage, notes, "
                                      "entrydate, last_seen, is_used, frequent FROM listofwords "
                                      "WHERE ") +
                       condition);
    bind(statement);
    std::optional<WordRow> result;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        WordRow row;
        row.id = sqlite3_column_int64(statement, 0);
        row.word = columnText(statement, 1);
        row.synonym = columnText(statement, 2);
        row.part_speech = columnText(statement, 3);
        row.usage = columnText(statement, 4);
        row.notes = columnText(statement, 5);
        row.entrydate = QDate::fromString(columnText(statement, 6), Qt::ISODate);
        row.last_seen = QDate::fromString(columnText(statement, 7), Qt::ISODate);
        row.is_used = sqlite3_column_int(statement, 8) != 0;
        row.frequent = sqlite3_column_int(statement, 9) != 0;
        result = row;
    }
    sqlite3_finalize(statement);
    return result;
}

} // namespace

TestDatabase::TestDatabase() : m_path(m_dir.path() + QStringLiteral("/gre_wordlist.db")) {
    store::degrewordlist().reset();
    store::setDatabasePath(m_path);
    store::ensureDatabase();
}

TestDatabase::~TestDatabase() {
    store::degrewordlist().reset();
}

qint64 TestDatabase::insert(const WordRow& row) {
    Handle handle(m_path);
    sqlite3_stmt* statement = handle.prepare(QStringLiteral(
        "INSERT INTO listofwords (id, word, synonym, part_speech, usage, notes, entrydate, "
        "last_seen, is_used, frequent) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    if (row.id > 0)
        sqlite3_bind_int64(statement, 1, row.id);
    else
        sqlite3_bind_null(statement, 1);
    bindText(statement, 2, row.word);
    bindText(statement, 3, row.synonym);
    bindText(statement, 4, row.part_speech);
    bindText(statement, 5, row.usage);
    bindText(statement, 6, row.notes);
    bindDate(statement, 7, row.entrydate);
    bindDate(statement, 8, row.last_seen);
    sqlite3_bind_int(statement, 9, row.is_used ? 1 : 0);
    sqlite3_bind_int(statement, 10, row.frequent ? 1 : 0);
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        handle.fail("insert");
    return sqlite3_last_insert_rowid(handle.db());
}

qint64 TestDatabase::insert(const QString& word, const QString& synonym) {
    WordRow row;
    row.word = word;
    row.synonym = synonym;
    row.part_speech = QStringLiteral("?");
    return insert(row);
}

std::optional<WordRow> TestDatabase::row(const QString& word) const {
    return readOne(m_path, QStringLiteral("word = ?"),
                   [&](sqlite3_stmt* statement) { bindText(statement, 1, word); });
}

std::optional<WordRow> TestDatabase::rowById(qint64 id) const {
    return readOne(m_path, QStringLiteral("id = ?"),
                   [&](sqlite3_stmt* statement) { sqlite3_bind_int64(statement, 1, id); });
}

int TestDatabase::count() const {
    Handle handle(m_path);
    sqlite3_stmt* statement = handle.prepare(QStringLiteral("SELECT COUNT(*) FROM listofwords"));
    const int result =
        sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
    sqlite3_finalize(statement);
    return result;
}

void TestDatabase::exec(const QString& sql) const {
    Handle handle(m_path);
    char* message = nullptr;
    if (sqlite3_exec(handle.db(), sql.toUtf8().constData(), nullptr, nullptr, &message) !=
        SQLITE_OK) {
        const std::string text = message ? message : "unknown";
        sqlite3_free(message);
        throw std::runtime_error("test database: " + text);
    }
}

QVariant TestDatabase::value(const QString& sql) const {
    Handle handle(m_path);
    sqlite3_stmt* statement = handle.prepare(sql);
    QVariant result;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        switch (sqlite3_column_type(statement, 0)) {
        case SQLITE_INTEGER:
            result = QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, 0)));
            break;
        case SQLITE_FLOAT:
            result = QVariant(sqlite3_column_double(statement, 0));
            break;
        case SQLITE_NULL:
            break;
        default:
            result = QVariant(columnText(statement, 0));
        }
    }
    sqlite3_finalize(statement);
    return result;
}

} // namespace testsupport
