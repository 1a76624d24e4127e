#pragma once
// "Today" and "now" for the whole program come from here, so tests can fix
// the date that date completion and reports see.

#include <QDate>
#include <QDateTime>
#include <functional>

namespace platform {

QDateTime Now();
QDate Today();

// Replaces the clock; an empty function restores the system clock.
void SetClock(std::function<QDateTime()> clock);

// A millisecond tick count for progress throttling (monotonic, not the clock seam).
qint64 TickCount();

}  // namespace platform
