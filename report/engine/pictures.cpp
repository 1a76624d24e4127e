// Number pictures (FORMAT) and date pictures (FORMATDT and the display
// format of date and time variables).

#include <QDate>
#include <QTime>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/czech_locale.h"
#include "report/engine/day_number.h"
#include "report/engine/expression.h"

namespace {

bool IsQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

// Copies a quoted text starting at `i` (the quote) to `out`; returns the
// position after the closing quote (the end when it is missing).
qsizetype CopyQuoted(QStringView picture, qsizetype i, QString& out) {
    const QChar quote = picture[i];
    qsizetype close = picture.indexOf(quote, i + 1);
    if (close < 0) {
        close = picture.size();
    }
    out += picture.mid(i + 1, close - i - 1);
    return close + 1;
}

// --- number pictures ------------------------------------------------------

QList<QStringView> SplitSections(QStringView picture) {
    QList<QStringView> sections;
    qsizetype start = 0;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        if (IsQuote(picture[i])) {
            const qsizetype close = picture.indexOf(picture[i], i + 1);
            i = close < 0 ? picture.size() - 1 : close;
        } else if (picture[i] == u';' && sections.size() < 2) {
            sections.append(picture.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.append(picture.mid(start));
    return sections;
}

bool IsExponentMark(QStringView s, qsizetype i) {
    return (s[i] == u'E' || s[i] == u'e') && i + 1 < s.size() &&
           (s[i + 1] == u'+' || s[i + 1] == u'-');
}

struct PictureLayout {
    int integerPlaceholders = 0;
    int integerMinimum = 0;  // digits always shown before the point
    int fractionMinimum = 0;
    int fractionMaximum = 0;
    bool thousands = false;
    bool scientific = false;
    int exponentDigits = 0;
    bool anyPlaceholder = false;
};

PictureLayout Analyse(QStringView section) {
    PictureLayout layout;
    bool afterPoint = false;
    int firstZero = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (IsQuote(c)) {
            const qsizetype close = section.indexOf(c, i + 1);
            i = close < 0 ? section.size() : close;
        } else if (c == u'0' || c == u'#') {
            layout.anyPlaceholder = true;
            if (afterPoint) {
                ++layout.fractionMaximum;
                if (c == u'0') {
                    layout.fractionMinimum = layout.fractionMaximum;
                }
            } else {
                if (c == u'0' && firstZero < 0) {
                    firstZero = layout.integerPlaceholders;
                }
                ++layout.integerPlaceholders;
            }
        } else if (c == u'.' && !afterPoint && !layout.scientific) {
            afterPoint = true;
        } else if (c == u',') {
            layout.thousands = true;
        } else if (IsExponentMark(section, i) && !layout.scientific) {
            layout.scientific = true;
            i += 2;
            while (i < section.size() && section[i] == u'0' && layout.exponentDigits < 4) {
                ++layout.exponentDigits;
                ++i;
            }
            --i;
        }
    }
    layout.integerMinimum = firstZero < 0 ? 0 : layout.integerPlaceholders - firstZero;
    return layout;
}

struct PictureDigits {
    QString integer;   // without leading zeros beyond the minimum
    QString fraction;  // without trailing zeros beyond the minimum
    int exponent = 0;
    bool zero = true;
};

void TrimFraction(QString& fraction, int minimum) {
    while (fraction.size() > minimum && fraction.endsWith(u'0')) {
        fraction.chop(1);
    }
}

void PadInteger(QString& integer, int minimum) {
    while (integer.startsWith(u'0')) {
        integer.remove(0, 1);
    }
    if (integer.size() < minimum) {
        integer.prepend(QString(minimum - integer.size(), u'0'));
    }
}

PictureDigits FixedDigits(double magnitude, const PictureLayout& layout) {
    PictureDigits digits;
    const QString text = platform::FormatNumber(magnitude, layout.fractionMaximum, false);
    const qsizetype point = text.indexOf(u'.');
    digits.integer = point < 0 ? text : text.left(point);
    digits.fraction = point < 0 ? QString() : text.mid(point + 1);
    for (QChar c : text) {
        if (c >= u'1' && c <= u'9') {
            digits.zero = false;
        }
    }
    PadInteger(digits.integer, layout.integerMinimum);
    TrimFraction(digits.fraction, layout.fractionMinimum);
    return digits;
}

PictureDigits ScientificDigits(double magnitude, const PictureLayout& layout) {
    PictureDigits digits;
    const int integerDigits = std::max(layout.integerPlaceholders, 1);
    const int significant = std::min(integerDigits + layout.fractionMaximum, 17);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, magnitude);
    std::string all;
    const char* p = buffer;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {
            all.push_back(*p);
        }
    }
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    digits.zero = all.find_first_not_of('0') == std::string::npos;
    while (static_cast<int>(all.size()) < integerDigits + layout.fractionMaximum) {
        all.push_back('0');
    }
    digits.integer = QString::fromStdString(all.substr(0, integerDigits));
    digits.fraction = QString::fromStdString(all.substr(integerDigits));
    digits.exponent = digits.zero ? 0 : exponent - (integerDigits - 1);
    PadInteger(digits.integer, layout.integerMinimum);
    TrimFraction(digits.fraction, layout.fractionMinimum);
    return digits;
}

PictureDigits DigitsFor(double magnitude, const PictureLayout& layout) {
    return layout.scientific ? ScientificDigits(magnitude, layout) : FixedDigits(magnitude, layout);
}

void AppendIntegerDigit(QString& out, const PictureDigits& digits, qsizetype j, bool thousands) {
    const qsizetype length = digits.integer.size();
    if (thousands && j > 0 && (length - j) % 3 == 0) {
        out += platform::kThousandsSeparator;
    }
    out += digits.integer[j];
}

QString Render(QStringView section, const PictureLayout& layout, const PictureDigits& digits,
               bool negative) {
    QString out;
    if (negative) {
        out += u'-';
    }
    const qsizetype length = digits.integer.size();
    const qsizetype placeholders = layout.integerPlaceholders;
    int integerIndex = 0;
    int fractionIndex = 0;
    bool afterPoint = false;
    bool integerWritten = placeholders > 0 || length == 0;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (IsQuote(c)) {
            i = CopyQuoted(section, i, out) - 1;
        } else if ((c == u'0' || c == u'#') && !afterPoint) {
            const qsizetype j = length - placeholders + integerIndex;
            const qsizetype from = integerIndex == 0 ? 0 : j;
            for (qsizetype k = std::max<qsizetype>(from, 0); k <= j; ++k) {
                AppendIntegerDigit(out, digits, k, layout.thousands);
            }
            ++integerIndex;
        } else if ((c == u'0' || c == u'#') && afterPoint) {
            if (fractionIndex < digits.fraction.size()) {
                out += digits.fraction[fractionIndex];
            }
            ++fractionIndex;
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
            if (!integerWritten) {
                for (qsizetype k = 0; k < length; ++k) {
                    AppendIntegerDigit(out, digits, k, layout.thousands);
                }
                integerWritten = true;
            }
            if (!digits.fraction.isEmpty()) {
                out += platform::kDecimalSeparator;
            }
        } else if (c == u',') {
            continue;
        } else if (IsExponentMark(section, i) && layout.scientific) {
            out += c;
            const bool alwaysSign = section[i + 1] == u'+';
            if (digits.exponent < 0) {
                out += u'-';
            } else if (alwaysSign) {
                out += u'+';
            }
            QString exponent = QString::number(std::abs(digits.exponent));
            if (exponent.size() < layout.exponentDigits) {
                exponent.prepend(QString(layout.exponentDigits - exponent.size(), u'0'));
            }
            out += exponent;
            i += 2;
            while (i < section.size() && section[i] == u'0') {
                ++i;
            }
            --i;
        } else {
            out += c;
        }
    }
    if (!integerWritten) {
        for (qsizetype k = 0; k < length; ++k) {
            AppendIntegerDigit(out, digits, k, layout.thousands);
        }
    }
    return out;
}

}  // namespace

QString FormatNumberPicture(double value, const QString& picture) {
    if (!std::isfinite(value)) {
        return GeneralNumberText(value);
    }
    if (picture.isEmpty()) {
        return GeneralNumberText(value);
    }
    const QList<QStringView> sections = SplitSections(picture);
    const double magnitude = std::fabs(value);
    int chosen = 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty()) {
        chosen = 1;
    }
    PictureLayout layout = Analyse(sections[chosen]);
    PictureDigits digits = DigitsFor(magnitude, layout);
    if (digits.zero && sections.size() >= 3 && !sections[2].isEmpty()) {
        chosen = 2;
        layout = Analyse(sections[chosen]);
        digits = DigitsFor(0.0, layout);
    }
    if (!layout.scientific && magnitude >= 1e18) {
        return GeneralNumberText(value);
    }
    const bool negative = value < 0 && chosen == 0 && !digits.zero;
    return Render(sections[chosen], layout, digits, negative);
}

// --- date pictures ----------------------------------------------------------

namespace {

qsizetype RunLength(QStringView picture, qsizetype i) {
    const QChar letter = picture[i].toLower();
    qsizetype n = i;
    while (n < picture.size() && picture[n].toLower() == letter) {
        ++n;
    }
    return n - i;
}

QString TwoDigits(int number) {
    return QString::number(number).rightJustified(2, u'0');
}

QString DefaultDateTimeText(const QDate& date, const QTime& time) {
    QString text = platform::FormatDate(date);
    if (time.msecsSinceStartOfDay() != 0) {
        text += u' ';
        text += platform::FormatTime(time);
    }
    return text;
}

}  // namespace

QString FormatDatePicture(double dateTime, const QString& picture) {
    QDate date;
    QTime time;
    if (!DateTimeOfDayNumber(dateTime, date, time)) {
        return QString();
    }
    if (picture.isEmpty()) {
        return DefaultDateTimeText(date, time);
    }
    const QStringView p(picture);
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < p.size();) {
        const QChar c = p[i];
        const QChar lower = c.toLower();
        if (IsQuote(c)) {
            i = CopyQuoted(p, i, out);
            continue;
        }
        const qsizetype run = (lower == u'd' || lower == u'm' || lower == u'y' || lower == u'h' ||
                               lower == u'n' || lower == u's' || lower == u'z')
                                  ? RunLength(p, i)
                                  : 1;
        bool hourToken = false;
        if (lower == u'd') {
            if (run == 1) {
                out += QString::number(date.day());
            } else if (run == 2) {
                out += TwoDigits(date.day());
            } else if (run == 3) {
                out += platform::ShortDayName(date.dayOfWeek());
            } else if (run == 4) {
                out += platform::DayName(date.dayOfWeek());
            } else if (run == 5) {
                out += platform::FormatDate(date);
            } else {
                out += platform::FormatLongDate(date);
            }
        } else if (lower == u'n' || (lower == u'm' && afterHour)) {
            // Minutes: "n", or "m" right after an hour.
            out += run == 1 ? QString::number(time.minute()) : TwoDigits(time.minute());
        } else if (lower == u'm') {
            if (run == 1) {
                out += QString::number(date.month());
            } else if (run == 2) {
                out += TwoDigits(date.month());
            } else if (run == 3) {
                out += platform::ShortMonthName(date.month());
            } else {
                out += platform::MonthName(date.month());
            }
        } else if (lower == u'y') {
            out += run <= 2 ? TwoDigits(date.year() % 100)
                            : QString::number(date.year()).rightJustified(4, u'0');
        } else if (lower == u'h') {
            out += run == 1 ? QString::number(time.hour()) : TwoDigits(time.hour());
            hourToken = true;
        } else if (lower == u's') {
            out += run == 1 ? QString::number(time.second()) : TwoDigits(time.second());
        } else if (lower == u'z') {
            out += run < 3 ? QString::number(time.msec())
                           : QString::number(time.msec()).rightJustified(3, u'0');
        } else if (c == u'/') {
            out += platform::kDateSeparator;
        } else if (c == u':') {
            out += platform::kTimeSeparator;
        } else {
            out += c;
        }
        if (lower.isLetter()) {
            afterHour = hourToken;
        }
        i += run;
    }
    return out;
}
