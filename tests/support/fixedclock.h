#pragma once

#include "shell/clock.h"

namespace testsupport {

// A clock that stands still at a chosen moment (noon of the day, unless set otherwise).
class FixedClock : public shell::Clock {
public:
    explicit FixedClock(const QDate& day = QDate(2026, 3, 15)) { setDay(day); }
    QDateTime now() const override { return m_now; }
    void setDay(const QDate& day) { m_now = QDateTime(day, QTime(12, 0)); }
    void setNow(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
};

} // namespace testsupport
