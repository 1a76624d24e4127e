#include "platform/paradox/field_value.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cmath>
#include <cstring>

namespace platform::paradox {
namespace {

// Julian day number of 31 December of the year 0, the Paradox calendar's day 0.
constexpr qint64 kJulianDayOfDayZero = 1721425;

bool AllZero(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (c != 0) {
            return false;
        }
    }
    return true;
}

quint64 BigEndian(QByteArrayView bytes) {
    quint64 v = 0;
    for (const char c : bytes) {
        v = (v << 8) | static_cast<unsigned char>(c);
    }
    return v;
}

// A signed integer of 2 or 4 bytes: big-endian with the top bit flipped.
qint64 FlippedInteger(QByteArrayView bytes) {
    const int bits = static_cast<int>(bytes.size()) * 8;
    const quint64 raw = BigEndian(bytes) ^ (quint64{1} << (bits - 1));
    const qint64 sign = qint64{1} << (bits - 1);
    return static_cast<qint64>(raw & ((quint64{1} << bits) - 1)) - ((raw & sign) ? 2 * sign : 0);
}

// A double: big-endian; positive numbers have the sign bit set, negative
// ones are stored with every bit inverted.
double FlippedDouble(QByteArrayView bytes) {
    quint64 raw = BigEndian(bytes);
    if (raw & (quint64{1} << 63)) {
        raw ^= quint64{1} << 63;
    } else {
        raw = ~raw;
    }
    double v = 0;
    std::memcpy(&v, &raw, sizeof v);
    return v;
}

int Nibble(QByteArrayView bytes, int index) {
    const auto byte = static_cast<unsigned char>(bytes[index / 2]);
    return index % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// Seventeen bytes: the first holds the sign (top bit set for positive) and
// the count of decimals, then 32 digits as nibbles, the last `decimals` of
// them after the point; a negative number keeps every digit complemented.
QVariant DecodeBcd(QByteArrayView bytes, int decimals) {
    const bool positive = (static_cast<unsigned char>(bytes[0]) & 0x80) != 0;
    const int stored = static_cast<unsigned char>(bytes[0]) & 0x3F;
    if (stored <= 32) {
        decimals = stored;
    }
    if (decimals > 32) {
        decimals = 32;
    }
    QString integer, fraction;
    constexpr int kDigits = 34;
    for (int i = 2; i < kDigits; ++i) {
        int digit = Nibble(bytes, i);
        if (!positive) {
            digit = 15 - digit;
        }
        if (digit > 9) {
            return QVariant();  // not a decimal number: treated as damaged, empty
        }
        (i < kDigits - decimals ? integer : fraction) += QChar(u'0' + digit);
    }
    while (integer.size() > 1 && integer.front() == u'0') {
        integer.remove(0, 1);
    }
    if (integer.isEmpty()) {
        integer = QStringLiteral("0");
    }
    QString text = integer;
    if (!fraction.isEmpty()) {
        text += u'.' + fraction;
    }
    const bool zero = text.count(u'0') + text.count(u'.') == text.size();
    if (!positive && !zero) {
        text.prepend(u'-');
    }
    return text;
}

}  // namespace

QDate DateFromParadoxDays(qint64 days) {
    return QDate::fromJulianDay(kJulianDayOfDayZero + days);
}

QVariant DecodeFixedField(const FieldInfo& field, QByteArrayView bytes) {
    if (AllZero(bytes)) {
        return QVariant();
    }
    switch (field.kind) {
        case FieldKind::Short:
        case FieldKind::Long:
        case FieldKind::AutoIncrement:
            return QVariant::fromValue<qint64>(FlippedInteger(bytes));
        case FieldKind::Number:
        case FieldKind::Money:
            return FlippedDouble(bytes);
        case FieldKind::Logical:
            return (static_cast<unsigned char>(bytes[0]) & 0x7F) != 0;
        case FieldKind::Date: {
            const QDate date = DateFromParadoxDays(FlippedInteger(bytes));
            return date.isValid() ? QVariant(date) : QVariant();
        }
        case FieldKind::Time: {
            const qint64 ms = FlippedInteger(bytes);
            if (ms < 0 || ms >= 86400000) {
                return QVariant();
            }
            return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
        }
        case FieldKind::Timestamp: {
            const double ms = FlippedDouble(bytes);
            if (!std::isfinite(ms) || ms < 0 || ms > 4.0e14) {
                return QVariant();
            }
            const qint64 whole = static_cast<qint64>(std::llround(ms));
            const qint64 days = whole / 86400000;
            const QDate date = DateFromParadoxDays(days);
            const QTime time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(whole % 86400000));
            if (!date.isValid()) {
                return QVariant();
            }
            return QDateTime(date, time, Qt::UTC);
        }
        case FieldKind::Bcd:
            return DecodeBcd(bytes, field.decimals);
        case FieldKind::Bytes:
            return bytes.toByteArray();
        default:
            return QVariant();
    }
}

}  // namespace platform::paradox
