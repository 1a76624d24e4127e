#pragma once
// Text forms of stored values in the program's fixed Czech format set: dates
// d.M.yyyy, "." as the decimal separator, a blank as the thousands separator.

#include <QDate>
#include <QString>
#include <optional>

namespace platform {

// "1.2.2020", "01.02.2020" and ISO "2020-02-01" give the date; anything else,
// or an impossible date such as 31.2.2005, gives an invalid QDate.
QDate ParseDateText(const QString& text);
QString FormatDateText(const QDate& date);  // d.M.yyyy

// The ISO form the database keeps.
QString DateToIso(const QDate& date);
QDate IsoToDate(const QString& iso);

// Shortest general form with up to 15 significant digits: 12.5, 0.1, 1E20.
QString FloatToText(double value);

// A number pattern such as "0.00", "#,##0.0" or "0.00 kg": "0" a digit always
// shown, "#" a digit shown when needed, "." the decimal point, "," thousands
// grouping (shown as a blank); text in quotes and other characters are copied;
// up to three sections "positive;negative;zero".
QString FormatFloatText(const QString& pattern, double value);

// Whole numbers and floats typed by a user: blanks around are ignored, "."
// is the decimal separator. Empty optional when the text is not a number.
std::optional<std::int64_t> ParseIntegerText(const QString& text);
std::optional<double> ParseFloatText(const QString& text);

}  // namespace platform
