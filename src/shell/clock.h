#pragma once

#include <QDate>
#include <QDateTime>

// Today's date for the whole program; tests install a fixed clock.
namespace shell {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const;
};

// The current local calendar date without a time of day.
QDate today();
QDateTime now();
// Installs a replacement (not owned); nullptr restores the system clock.
void installClock(Clock* replacement);

} // namespace shell
