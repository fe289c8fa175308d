#include "transfer/databasescope.h"

#include "store/database.h"

namespace transfer {

DatabaseScope::DatabaseScope(const QString& database) : m_previous(store::databasePath()) {
    store::setDatabasePath(database.isEmpty() ? store::defaultDatabasePath() : database);
}

DatabaseScope::~DatabaseScope() {
    store::setDatabasePath(m_previous);
}

QString DatabaseScope::path() const {
    return store::databasePath();
}

} // namespace transfer
