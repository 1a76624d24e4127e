#include "platform/store/postgres_values.h"

#include <QLocale>
#include <cmath>

#include "platform/store/postgres_connection.h"
#include "platform/store/store_error.h"

namespace platform {
namespace {

// Texts the server could not hold are refused, never cut: libpq ends a text
// at a NUL character, and a column holds no more characters than its width.
void RequireServerCanHold(const ColumnSchema& column, const QString& text) {
    if (text.contains(QChar(0))) {
        throw StoreError(
            QStringLiteral("text ve sloupci %1 obsahuje znak NUL, který server neuloží")
                .arg(column.name));
    }
    // Only a text of more UTF-16 units than the width can have more characters.
    if (column.type == ColumnType::Text && column.width > 0 && text.size() > column.width) {
        // The server counts characters, not UTF-16 units.
        const qsizetype characters = text.toUcs4().size();
        if (characters > column.width) {
            throw StoreError(QStringLiteral("text ve sloupci %1 má %2 znaků, sloupec jich pojme %3")
                                 .arg(column.name)
                                 .arg(characters)
                                 .arg(column.width));
        }
    }
}

void AppendEscaped(const QByteArray& utf8, QByteArray& line) {
    for (char c : utf8) {
        switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
        }
    }
}

QByteArray FloatText(double d) {
    if (std::isnan(d)) {
        return "NaN";
    }
    if (std::isinf(d)) {
        return d > 0 ? "Infinity" : "-Infinity";
    }
    // The shortest text that reads back as the same double.
    return QString::number(d, 'g', QLocale::FloatingPointShortest).toLatin1();
}

double FloatFromText(QByteArrayView text) {
    if (text == "NaN") {
        return std::nan("");
    }
    if (text == "Infinity") {
        return HUGE_VAL;
    }
    if (text == "-Infinity") {
        return -HUGE_VAL;
    }
    return text.toDouble();
}

// The value's own kind, or a refusal naming the column: a value of another
// kind is never sent as something it is not.
template <typename T>
const T& Kind(const ColumnSchema& column, const Value& value) {
    if (const T* v = std::get_if<T>(&value)) {
        return *v;
    }
    throw StoreError(QStringLiteral("hodnota ve sloupci %1 nemá tvar sloupce (%2)")
                         .arg(column.name, ColumnTypeName(column.type)));
}

}  // namespace

QByteArray ServerText(const ColumnSchema& column, const Value& value) {
    if (IsNullValue(value)) {
        return QByteArray();
    }
    using CT = ColumnType;
    switch (column.type) {
        case CT::Text:
        case CT::Memo:
        case CT::Date: {
            const QString& text = Kind<QString>(column, value);
            RequireServerCanHold(column, text);
            // An empty text stays a text: a null QByteArray would be SQL null.
            const QByteArray utf8 = text.toUtf8();
            return utf8.isNull() ? QByteArray("") : utf8;
        }
        case CT::Boolean:
            return Kind<std::int64_t>(column, value) != 0 ? "t" : "f";
        case CT::Smallint:
        case CT::Integer:
        case CT::Largeint:
            return QByteArray::number(static_cast<qlonglong>(Kind<std::int64_t>(column, value)));
        case CT::Float:
            if (const auto* whole = std::get_if<std::int64_t>(&value)) {
                return FloatText(static_cast<double>(*whole));
            }
            return FloatText(Kind<double>(column, value));
        case CT::Graphic:
            return "\\x" + Kind<QByteArray>(column, value).toHex();
    }
    return QByteArray();
}

QByteArray ParameterText(const Value& value) {
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        return QByteArray::number(static_cast<qlonglong>(*i));
    }
    if (const auto* d = std::get_if<double>(&value)) {
        return FloatText(*d);
    }
    if (const auto* text = std::get_if<QString>(&value)) {
        if (text->contains(QChar(0))) {
            throw StoreError(
                QStringLiteral("Text v dotazu obsahuje znak NUL, který server "
                               "nepřijme."));
        }
        const QByteArray utf8 = text->toUtf8();
        return utf8.isNull() ? QByteArray("") : utf8;
    }
    if (const auto* bytes = std::get_if<QByteArray>(&value)) {
        return "\\x" + bytes->toHex();
    }
    return QByteArray();
}

void AppendCopyText(const ColumnSchema& column, const Value& value, QByteArray& line) {
    if (IsNullValue(value)) {
        line += "\\N";
        return;
    }
    // COPY reads backslashes as escapes, so bytea's "\x" has its own doubled.
    AppendEscaped(ServerText(column, value), line);
}

Value ValueFromServerText(const ColumnSchema& column, QByteArrayView text, bool isNull) {
    if (isNull) {
        return Value();
    }
    using CT = ColumnType;
    switch (column.type) {
        case CT::Text:
        case CT::Memo:
        case CT::Date:
            return QString::fromUtf8(text);
        case CT::Boolean:
            return std::int64_t{text == "t" ? 1 : 0};
        case CT::Smallint:
        case CT::Integer:
        case CT::Largeint:
            return std::int64_t{text.toLongLong()};
        case CT::Float:
            return FloatFromText(text);
        case CT::Graphic:
            return QByteArray::fromHex(
                (text.startsWith("\\x") ? text.sliced(2) : text).toByteArray());
    }
    return Value();
}

Value ValueOfServerType(unsigned type, QByteArrayView text, bool isNull) {
    // The type ids of pg_type, fixed for the built-in types.
    enum : unsigned {
        kBoolean = 16,
        kBytes = 17,
        kBigint = 20,
        kSmallint = 21,
        kInteger = 23,
        kReal = 700,
        kDouble = 701,
        kNumeric = 1700
    };
    ColumnSchema column;
    switch (type) {
        case kBoolean:
            column.type = ColumnType::Boolean;
            break;
        case kBytes:
            column.type = ColumnType::Graphic;
            break;
        case kBigint:
        case kSmallint:
        case kInteger:
            column.type = ColumnType::Largeint;
            break;
        case kReal:
        case kDouble:
        case kNumeric:
            column.type = ColumnType::Float;
            break;
        default:
            column.type = ColumnType::Text;
    }
    return ValueFromServerText(column, text, isNull);
}

void ReadServerRow(const PostgresRowStream& rows, const std::vector<ColumnSchema>& columns,
                   int first, Row& row) {
    for (size_t i = 0; i < columns.size(); ++i) {
        const int column = first + static_cast<int>(i);
        row[i] = ValueFromServerText(columns[i], rows.View(column), rows.IsNull(column));
    }
}

}  // namespace platform
