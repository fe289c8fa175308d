#include "store/dataenvironment.h"

namespace store {

namespace {
const char* const kCommandText =
    "SELECT word, synonym, usage, is_used FROM listofwords ORDER BY word";
}

DataEnvironment& DataEnvironment::instance() {
    static DataEnvironment environment;
    return environment;
}

DataEnvironment::DataEnvironment() {
    reset();
}

void DataEnvironment::reset() {
    rscommwordlist.Close();
    connwordlist.Close();
    connwordlist.setProvider(QStringLiteral("Microsoft.Jet.OLEDB.3.51"));
    rscommwordlist.setActiveConnection(&connwordlist);
    rscommwordlist.setCursorLocation(CursorLocation::Client);
    rscommwordlist.setCursorType(CursorType::Static);
    rscommwordlist.setLockType(LockType::Optimistic);
    rscommwordlist.setSource(QString::fromLatin1(kCommandText));
}

} // namespace store
