#include "report/engine/day_number.h"

#include <cmath>

namespace {

const QDate& Epoch() {
    static const QDate epoch(1899, 12, 30);
    return epoch;
}

constexpr qint64 kMillisecondsPerDay = 86400000;

}  // namespace

double DayNumber(const QDate& date) {
    return date.isValid() ? static_cast<double>(Epoch().daysTo(date)) : 0.0;
}

double DayNumber(const QDateTime& dateTime) {
    if (!dateTime.isValid()) {
        return 0.0;
    }
    const double days = DayNumber(dateTime.date());
    const double fraction =
        static_cast<double>(dateTime.time().msecsSinceStartOfDay()) / kMillisecondsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

bool DateTimeOfDayNumber(double dayNumber, QDate& date, QTime& time) {
    if (!std::isfinite(dayNumber) || dayNumber < kFirstDayNumber - 1 ||
        dayNumber >= kLastDayNumber + 1) {
        return false;
    }
    const double whole = std::trunc(dayNumber);
    date = Epoch().addDays(static_cast<qint64>(whole));
    if (date.year() < 1 || date.year() > 9999) {
        return false;
    }
    qint64 milliseconds = std::llround(std::fabs(dayNumber - whole) * kMillisecondsPerDay);
    if (milliseconds >= kMillisecondsPerDay) {
        milliseconds = kMillisecondsPerDay - 1;
    }
    time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(milliseconds));
    return true;
}
