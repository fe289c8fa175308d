#include "quiz/sharedrecordset.h"

#include "store/dataenvironment.h"

namespace quizside {

store::Recordset& sharedRecordset() {
    return store::degrewordlist().rscommwordlist;
}

CloseSharedOnExit::~CloseSharedOnExit() {
    try {
        sharedRecordset().Close();
    } catch (...) {
        // Closing never fails in practice; a destructor must not throw in any case.
    }
}

} // namespace quizside
