#include "platform/store/value_text.h"

#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>

namespace platform {

QDate ParseDateText(const QString& text) {
    static const QRegularExpression czech(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{1,4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString t = text.trimmed();
    QRegularExpressionMatch m = czech.match(t);
    if (m.hasMatch()) {
        return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    }
    m = iso.match(t);
    if (m.hasMatch()) {
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    return QDate();
}

QString FormatDateText(const QDate& date) {
    if (!date.isValid()) {
        return QString();
    }
    return QStringLiteral("%1.%2.%3").arg(date.day()).arg(date.month()).arg(date.year());
}

QString DateToIso(const QDate& date) {
    return QStringLiteral("%1-%2-%3")
        .arg(date.year(), 4, 10, QChar('0'))
        .arg(date.month(), 2, 10, QChar('0'))
        .arg(date.day(), 2, 10, QChar('0'));
}

QDate IsoToDate(const QString& iso) {
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch m = form.match(iso);
    if (!m.hasMatch()) {
        return QDate();
    }
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QString FloatToText(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NAN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    }
    // Whole numbers (counts, weights in grams, years) are most values; below
    // 10^15 the 15 significant digits write them exactly, without exponent.
    if (value == std::trunc(value) && std::abs(value) < 1e15 &&
        !(value == 0 && std::signbit(value))) {
        char digits[24];
        const auto end =
            std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value)).ptr;
        return QString::fromLatin1(digits, end - digits);
    }
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf('e');
    if (e < 0) {
        return text;
    }
    // Qt writes 1e+20 and 1e-05; the program shows 1E20 and 1E-5.
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    const bool negative = exponent.startsWith('-');
    exponent.remove(0, exponent.startsWith('+') || negative ? 1 : 0);
    while (exponent.size() > 1 && exponent.startsWith('0')) {
        exponent.remove(0, 1);
    }
    return mantissa + 'E' + (negative ? QStringLiteral("-") : QString()) + exponent;
}

namespace {

struct NumberPattern {
    QString prefix, suffix;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouping = false;
};

bool IsPlaceholder(QChar c) {
    return c == '0' || c == '#' || c == '.' || c == ',';
}

QStringList SplitSections(const QString& pattern) {
    QStringList sections{QString()};
    QChar quote;
    for (QChar c : pattern) {
        if (quote.isNull() && (c == '"' || c == '\'')) {
            quote = c;
        } else if (c == quote) {
            quote = QChar();
        }
        if (quote.isNull() && c == ';') {
            sections << QString();
        } else {
            sections.last() += c;
        }
    }
    return sections;
}

NumberPattern ParsePattern(const QString& section) {
    NumberPattern p;
    bool seenPlaceholder = false, inDecimals = false, placeholdersDone = false;
    QChar quote;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote) {
                quote = QChar();
            } else {
                (seenPlaceholder ? p.suffix : p.prefix) += c;
            }
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            if (seenPlaceholder) {
                placeholdersDone = true;
            }
            continue;
        }
        if (IsPlaceholder(c) && !placeholdersDone) {
            seenPlaceholder = true;
            if (c == '.') {
                inDecimals = true;
            } else if (c == ',') {
                p.grouping = p.grouping || !inDecimals;
            } else if (inDecimals) {
                ++p.maxDecimals;
                if (c == '0') {
                    p.minDecimals = p.maxDecimals;
                }
            } else if (c == '0') {
                ++p.minInteger;
            }
            continue;
        }
        if (seenPlaceholder) {
            placeholdersDone = true;
        }
        (seenPlaceholder ? p.suffix : p.prefix) += c;
    }
    return p;
}

QString GroupThousands(const QString& digits) {
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += ' ';
        }
        out += digits[i];
    }
    return out;
}

}  // namespace

QString FormatFloatText(const QString& pattern, double value) {
    if (pattern.isEmpty() || !std::isfinite(value)) {
        return FloatToText(value);
    }
    const QStringList sections = SplitSections(pattern);
    QString section = sections[0];
    bool showSign = value < 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty()) {
        section = sections[1];
        showSign = false;
    }
    const NumberPattern p = ParsePattern(section);
    QString digits = QString::number(std::fabs(value), 'f', p.maxDecimals);
    if (sections.size() >= 3 && !sections[2].isEmpty() && digits.toDouble() == 0.0) {
        return ParsePattern(sections[2]).prefix + ParsePattern(sections[2]).suffix;
    }
    QString integer = digits.section('.', 0, 0);
    QString decimals = digits.section('.', 1);
    while (decimals.size() > p.minDecimals && decimals.endsWith('0')) {
        decimals.chop(1);
    }
    while (integer.size() < p.minInteger) {
        integer.prepend('0');
    }
    if (p.minInteger == 0 && integer == QLatin1String("0")) {
        integer.clear();
    }
    if (p.grouping) {
        integer = GroupThousands(integer);
    }
    QString number = integer;
    if (!decimals.isEmpty()) {
        number += '.' + decimals;
    }
    if (number.isEmpty()) {
        number = QStringLiteral("0");
    }
    if (showSign && QString::number(std::fabs(value), 'f', p.maxDecimals).toDouble() != 0.0) {
        number.prepend('-');
    }
    return p.prefix + number + p.suffix;
}

std::optional<std::int64_t> ParseIntegerText(const QString& text) {
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok, 10);
    if (!ok) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(v);
}

std::optional<double> ParseFloatText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.contains(',')) {
        return std::nullopt;
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

}  // namespace platform
