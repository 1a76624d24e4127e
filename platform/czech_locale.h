#pragma once
// The one fixed Czech format set of the program. Forms, reports and the table
// store format and parse dates, times and numbers through these functions,
// never through the host locale, so a report looks the same on every machine:
//   decimal separator "."          thousands separator " " (a blank)
//   short date d.M.yyyy            long time H:mm:ss
//   Czech month and day names      currency "Kč", written after the amount
//
// Indexes: months 1 (leden) to 12 (prosinec); days of the week as
// QDate::dayOfWeek() counts them, 1 = Monday (pondělí) to 7 = Sunday (neděle).
// An index out of range gives an empty text.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTime>
#include <optional>

namespace platform {

inline constexpr char16_t kDecimalSeparator = u'.';
inline constexpr char16_t kThousandsSeparator = u' ';
inline constexpr char16_t kDateSeparator = u'.';
inline constexpr char16_t kTimeSeparator = u':';

// Pictures in QDate/QTime::toString syntax.
QString ShortDateFormat();  // "d.M.yyyy"
QString LongTimeFormat();   // "H:mm:ss"
QString ShortTimeFormat();  // "H:mm"
QString CurrencyText();     // "Kč"

// Month names: nominative ("leden", used alone), genitive ("ledna", used
// after a day number: "5. března 2009") and short ("led").
QString MonthName(int month);
QString MonthNameGenitive(int month);
QString ShortMonthName(int month);

// Day names: full ("pondělí") and short ("po").
QString DayName(int dayOfWeek);
QString ShortDayName(int dayOfWeek);

// Dates and times. An invalid date or time formats as an empty text.
QString FormatDate(const QDate& date);              // "5.3.2009"
QString FormatLongDate(const QDate& date);          // "5. března 2009"
QString FormatTime(const QTime& time);              // "9:05:00"
QString FormatDateTime(const QDateTime& dateTime);  // "5.3.2009 9:05:00"

// Reads day.month.year: one or two digits for day and month, four for the
// year, blanks around the text allowed ("05.03.2009" and " 5.3.2009 " read).
// Anything else, or a day that the calendar does not have, gives an invalid date.
QDate ParseDate(QStringView text);
// Reads H:mm or H:mm:ss (hour 0-23); anything else gives an invalid time.
QTime ParseTime(QStringView text);
// Reads a date, optionally followed by blanks and a time (midnight when absent).
QDateTime ParseDateTime(QStringView text);

// A number with exactly `decimals` places (0 to 18) and "." as separator;
// with `groupThousands` the integer part is grouped by three with blanks.
// Rounding is decimal and takes halves away from zero on the value's
// 15-significant-digit form, so 12.345 gives "12.35" as a user expects.
// Infinity and NaN give "INF", "-INF" and "NAN".
QString FormatNumber(double value, int decimals, bool groupThousands = false);
// An integer, optionally grouped ("1 234 567").
QString FormatInteger(qint64 value, bool groupThousands = false);
// Grouped amount with the currency after a blank: "-1 234.50 Kč".
QString FormatCurrency(double value, int decimals = 2);

// Reads a number in the program's form: optional sign, digits with one "."
// and an optional exponent (1.5E3); blanks anywhere (thousands grouping,
// also no-break spaces) are ignored. Empty or anything else gives nullopt.
std::optional<double> ParseNumber(QStringView text);

// The QLocale that Qt widgets (spin boxes, validators) should use so that
// they show and accept "." as the decimal separator: the C locale without
// group separators. InstallProgramLocale makes it the default QLocale of the
// process; start-up calls it once.
QLocale ProgramLocale();
void InstallProgramLocale();

}  // namespace platform
