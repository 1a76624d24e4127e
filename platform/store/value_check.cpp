#include "platform/store/value_check.h"

#include <QDate>
#include <cmath>
#include <limits>

namespace platform {
namespace {

// The largest value of a 64-bit column (the store's own limit for Largeint).
constexpr std::int64_t kLargeintLimit = 999999999999999;

bool InRange(ColumnType type, std::int64_t v) {
    switch (type) {
        case ColumnType::Smallint:
            return v >= -32768 && v <= 32767;
        case ColumnType::Integer:
            return v >= std::numeric_limits<std::int32_t>::min() &&
                   v <= std::numeric_limits<std::int32_t>::max();
        case ColumnType::Largeint:
            return v >= -kLargeintLimit && v <= kLargeintLimit;
        default:
            return true;
    }
}

int Digits(const QString& text, int from, int count) {
    int n = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = text[i];
        if (c < '0' || c > '9') {
            return -1;
        }
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

// yyyy-mm-dd of a real calendar day.
bool IsIsoDate(const QString& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    const int y = Digits(text, 0, 4), m = Digits(text, 5, 2), d = Digits(text, 8, 2);
    return y > 0 && m > 0 && d > 0 && QDate::isValid(y, m, d);
}

QString Shortened(const QString& text) {
    return text.size() > 40 ? text.left(40) + QStringLiteral("…") : text;
}

}  // namespace

bool FitsColumn(const ColumnSchema& column, const Value& value) {
    if (IsNullValue(value)) {
        return true;
    }
    const auto* text = std::get_if<QString>(&value);
    const auto* whole = std::get_if<std::int64_t>(&value);
    switch (column.type) {
        case ColumnType::Text:
        case ColumnType::Memo:
            return text != nullptr;
        case ColumnType::Date:
            return text != nullptr && IsIsoDate(*text);
        case ColumnType::Boolean:
            return whole != nullptr && (*whole == 0 || *whole == 1);
        case ColumnType::Smallint:
        case ColumnType::Integer:
        case ColumnType::Largeint:
            return whole != nullptr && InRange(column.type, *whole);
        case ColumnType::Float:
            return whole != nullptr || std::holds_alternative<double>(value);
        case ColumnType::Graphic:
            return std::holds_alternative<QByteArray>(value);
    }
    return true;
}

QString StoredText(const Value& value) {
    if (const auto* s = std::get_if<QString>(&value)) {
        return *s;
    }
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        return QString::number(*i);
    }
    if (const auto* d = std::get_if<double>(&value)) {
        return QString::number(*d, 'g', 17);
    }
    if (const auto* b = std::get_if<QByteArray>(&value)) {
        return QString::fromLatin1(b->toBase64());
    }
    return QString();
}

QString DamageText(const ColumnSchema& column, const Value& value) {
    QString kind;
    if (std::holds_alternative<QString>(value)) {
        kind = QStringLiteral("text");
    } else if (std::holds_alternative<std::int64_t>(value)) {
        kind = QStringLiteral("celé číslo");
    } else if (std::holds_alternative<double>(value)) {
        kind = QStringLiteral("číslo");
    } else {
        kind = QStringLiteral("bajty");
    }
    const QString shown = std::holds_alternative<QByteArray>(value)
                              ? QStringLiteral("%1 B").arg(std::get<QByteArray>(value).size())
                              : Shortened(StoredText(value));
    return QStringLiteral("%1 „%2“ ve sloupci typu %3")
        .arg(kind, shown, ColumnTypeName(column.type));
}

QString CheckedColumnSql(const ColumnSchema& column, const QString& sql) {
    switch (column.type) {
        case ColumnType::Text:
        case ColumnType::Memo:
            return sql;
        case ColumnType::Date:
            // A shift by no days normalises an impossible day (2021-02-30
            // becomes 2021-03-02; date() alone keeps it), so only a real day
            // equals its shifted self.
            return QStringLiteral("(CASE WHEN date(%1, '+0 days') IS %1 THEN %1 END)").arg(sql);
        case ColumnType::Boolean:
            return QStringLiteral("(CASE WHEN typeof(%1) = 'integer' AND %1 IN (0, 1) THEN %1 END)")
                .arg(sql);
        case ColumnType::Smallint:
        case ColumnType::Integer:
        case ColumnType::Largeint:
            return QStringLiteral("(CASE WHEN typeof(%1) = 'integer' THEN %1 END)").arg(sql);
        case ColumnType::Float:
            return QStringLiteral("(CASE WHEN typeof(%1) IN ('integer', 'real') THEN %1 END)")
                .arg(sql);
        case ColumnType::Graphic:
            return QStringLiteral("(CASE WHEN typeof(%1) = 'blob' THEN %1 END)").arg(sql);
    }
    return sql;
}

}  // namespace platform
