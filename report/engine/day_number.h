#pragma once
// Dates and times as the report language holds them: whole days since
// 30 December 1899 plus the time of day as a fraction of a day.

#include <QDate>
#include <QDateTime>
#include <QTime>

// Day numbers of 1 January 1 and 31 December 9999, the range dates may take.
inline constexpr double kFirstDayNumber = -693593.0;
inline constexpr double kLastDayNumber = 2958465.0;

double DayNumber(const QDate& date);
double DayNumber(const QDateTime& dateTime);
// The date and time a day number stands for (the time from the fraction, to
// the millisecond; a negative number's fraction counts forwards from its
// day too). False when the number is outside years 1 to 9999 or not finite.
bool DateTimeOfDayNumber(double dayNumber, QDate& date, QTime& time);
