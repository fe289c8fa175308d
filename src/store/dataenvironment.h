#pragma once

#include "store/connection.h"
#include "store/recordset.h"

namespace store {

// The program-wide data environment of the test side: one connection, opened on first use and
// kept to the end, and one shared record set that each user gives a statement, opens and closes.
class DataEnvironment {
public:
    static DataEnvironment& instance();

    Connection Connection1; // never opened
    Connection connwordlist;
    Recordset rscommwordlist;

    // Closes the record set and the connection and restores the designed settings
    // (tests start each case from here).
    void reset();

private:
    DataEnvironment();
};

inline DataEnvironment& degrewordlist() {
    return DataEnvironment::instance();
}

} // namespace store
