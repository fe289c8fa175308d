#pragma once

#include <QString>

namespace transfer {

// Points the store at the word file a command works on, for the command's lifetime: the given
// path, or the default word file when it is empty.
class DatabaseScope {
public:
    explicit DatabaseScope(const QString& database);
    ~DatabaseScope();
    DatabaseScope(const DatabaseScope&) = delete;
    DatabaseScope& operator=(const DatabaseScope&) = delete;

    QString path() const;

private:
    QString m_previous;
};

} // namespace transfer
