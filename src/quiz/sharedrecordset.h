#pragma once

namespace store {
class Recordset;
}

namespace quizside {

// The data environment's one shared record set, which the test side opens for one statement
// at a time.
store::Recordset& sharedRecordset();

// Closes the shared record set when the scope of its statement ends, also when the store
// fails, so that the next statement can open it again.
struct CloseSharedOnExit {
    CloseSharedOnExit() = default;
    ~CloseSharedOnExit();
    CloseSharedOnExit(const CloseSharedOnExit&) = delete;
    CloseSharedOnExit& operator=(const CloseSharedOnExit&) = delete;
};

} // namespace quizside
