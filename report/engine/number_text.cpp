// Numbers to texts and texts to numbers for the expression language and the
// values of user functions.

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/czech_locale.h"
#include "report/engine/expr_internal.h"
#include "report/engine/expression.h"

namespace {

// A number as decimal digits: value = 0.d1d2d3... x 10^point.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int point = 0;
};

// The number rounded to `significant` digits (1..17), trailing zeros removed.
Decimal ToDecimal(double value, int significant) {
    Decimal result;
    result.negative = std::signbit(value) && value != 0.0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, std::fabs(value));
    // buffer: d.ddddde[+-]x
    const char* p = buffer;
    std::string digits;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {
            digits.push_back(*p);
        }
    }
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    if (digits.empty()) {
        result.negative = false;
        return result;
    }
    result.digits = digits;
    result.point = exponent + 1;
    return result;
}

QString NonFiniteText(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NAN");
    }
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Small integers come up all the time (truth values, counters); their texts
// are shared instead of built again.
const QString* SmallIntegerText(double value) {
    static const QString texts[] = {
        QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
        QStringLiteral("3"),  QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
        QStringLiteral("7"),  QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"),
    };
    if (value >= -1.0 && value <= 10.0 && value == std::floor(value)) {
        return &texts[static_cast<int>(value) + 1];
    }
    return nullptr;
}

QString ExponentText(int exponent, bool alwaysSign, int minimumDigits) {
    QString text = QString::number(std::abs(exponent));
    if (text.size() < minimumDigits) {
        text.prepend(QString(minimumDigits - text.size(), u'0'));
    }
    if (exponent < 0) {
        text.prepend(u'-');
    } else if (alwaysSign) {
        text.prepend(u'+');
    }
    return text;
}

}  // namespace

QString GeneralNumberText(double value, int precision) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    precision = std::clamp(precision, 1, 15);
    if (precision == 15) {
        if (const QString* small = SmallIntegerText(value)) {
            return *small;
        }
        if (value == std::trunc(value) && std::fabs(value) < 1e15) {
            return QString::number(static_cast<long long>(value));
        }
    }
    const Decimal number = ToDecimal(value, precision);
    if (number.digits.empty()) {
        return QStringLiteral("0");
    }
    const QString digits =
        QString::fromLatin1(number.digits.data(), static_cast<qsizetype>(number.digits.size()));
    QString text;
    if (number.negative) {
        text += u'-';
    }
    const int exponent = number.point - 1;
    if (exponent >= precision || exponent < -5) {
        text += digits.left(1);
        if (digits.size() > 1) {
            text += platform::kDecimalSeparator;
            text += digits.mid(1);
        }
        text += u'E';
        text += ExponentText(exponent, false, 0);
        return text;
    }
    if (number.point <= 0) {
        text += u'0';
        text += platform::kDecimalSeparator;
        text += QString(-number.point, u'0');
        text += digits;
    } else if (number.point >= digits.size()) {
        text += digits;
        text += QString(number.point - digits.size(), u'0');
    } else {
        text += digits.left(number.point);
        text += platform::kDecimalSeparator;
        text += digits.mid(number.point);
    }
    return text;
}

namespace {

QString ExponentFormat(double value, int precision, int digits) {
    const int significant = std::clamp(precision, 1, 15);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, value);
    const QString raw = QString::fromLatin1(buffer);
    const qsizetype e = raw.indexOf(u'e');
    QString mantissa = raw.left(e);
    const int exponent = raw.mid(e + 1).toInt();
    return mantissa + u'E' + ExponentText(exponent, true, std::clamp(digits, 0, 4));
}

// Fixed notation with `digits` decimals after rounding to `precision`
// significant digits; values with more integer digits than the precision
// fall back to the general form.
QString FixedFormat(double value, int precision, int digits, bool groupThousands) {
    const int significant = std::clamp(precision, 1, 15);
    const Decimal number = ToDecimal(value, significant);
    if (number.point > significant) {
        return GeneralNumberText(value, significant);
    }
    const double rounded = std::strtod(
        ((number.negative ? "-0." : "0.") + (number.digits.empty() ? "0" : number.digits) + "e" +
         std::to_string(number.point))
            .c_str(),
        nullptr);
    return platform::FormatNumber(rounded, std::clamp(digits, 0, 18), groupThousands);
}

}  // namespace

QString FormatNumber(double value, int format, int precision, int digits) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    switch (format) {
        case nfGeneral:
            return GeneralNumberText(value, precision);
        case nfExponent:
            return ExponentFormat(value, precision, digits);
        case nfNumber:
            return FixedFormat(value, precision, digits, true);
        case nfCurrency: {
            const QString amount = FixedFormat(value, precision, digits, true);
            return amount + u' ' + platform::CurrencyText();
        }
        case nfFixed:
        default:
            return FixedFormat(value, precision, digits, false);
    }
}

using expr::IsDigit;

namespace {

bool IsLenientBlank(QChar c) {
    return c == u' ' || c == QChar(0x00A0);
}

// The shape a text must have to be read as a number: digits, one decimal
// separator, one exponent mark followed by at most two characters, and "-"
// only first or right after the exponent mark.
bool HasLenientShape(const QString& text) {
    if (text.isEmpty() || !(IsDigit(text[0]) || text[0] == u'-')) {
        return false;
    }
    bool seenPoint = false;
    qsizetype exponentAt = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (IsDigit(c)) {
            continue;
        }
        if (c == platform::kDecimalSeparator && !seenPoint && exponentAt < 0) {
            seenPoint = true;
        } else if ((c == u'E' || c == u'e') && exponentAt < 0) {
            exponentAt = i;
            if (text.size() - i - 1 > 2) {
                return false;
            }
        } else if (c == u'-' && (i == 0 || (exponentAt >= 0 && i == exponentAt + 1))) {
            continue;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

double LenientNumber(const QString& text) {
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!IsLenientBlank(c) && c != platform::kThousandsSeparator) {
            compact.append(c);
        }
    }
    // The decimal separator is "."; a decimal comma typed by the user is read as one.
    const qsizetype comma = compact.indexOf(u',');
    if (comma >= 0) {
        compact[comma] = platform::kDecimalSeparator;
    }
    if (!HasLenientShape(compact)) {
        return 0.0;
    }
    return platform::ParseNumber(compact).value_or(0.0);
}

namespace expr {

double LeadingNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == u'-') {
        ++i;
    }
    const qsizetype digitsStart = i;
    while (i < n && IsDigit(text[i])) {
        ++i;
    }
    if (i == digitsStart) {
        return 0.0;
    }
    if (i + 1 < n && text[i] == u'.' && IsDigit(text[i + 1])) {
        i += 2;
        while (i < n && IsDigit(text[i])) {
            ++i;
        }
    }
    if (i + 1 < n && (text[i] == u'E' || text[i] == u'e')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            ++j;
        }
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    const std::string latin = text.left(i).toLatin1().toStdString();
    const double value = std::strtod(latin.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace expr
