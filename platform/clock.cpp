#include "platform/clock.h"

#include <QElapsedTimer>

namespace platform {
namespace {

std::function<QDateTime()>& ClockFunction() {
    static std::function<QDateTime()> clock;
    return clock;
}

}  // namespace

QDateTime Now() {
    const auto& clock = ClockFunction();
    return clock ? clock() : QDateTime::currentDateTime();
}

QDate Today() {
    return Now().date();
}

void SetClock(std::function<QDateTime()> clock) {
    ClockFunction() = std::move(clock);
}

qint64 TickCount() {
    static QElapsedTimer timer = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return timer.elapsed();
}

}  // namespace platform
