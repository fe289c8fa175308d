#include "shell/clock.h"

namespace shell {

namespace {

Clock systemClock;
Clock* installed = nullptr;

const Clock& currentClock() {
    return installed ? *installed : systemClock;
}

} // namespace

QDateTime Clock::now() const {
    return QDateTime::currentDateTime();
}

QDate today() {
    return currentClock().now().date();
}

QDateTime now() {
    return currentClock().now();
}

void installClock(Clock* replacement) {
    installed = replacement;
}

} // namespace shell
