#include "platform/store/postgres_values.h"

#include <QLocale>
#include <cmath>

#include "platform/store/store_error.h"

namespace platform {
namespace {

void AppendEscapedText(const QString& text, const ColumnSchema& column, QByteArray& line) {
    if (text.contains(QChar(0))) {
        throw StoreError(
            QStringLiteral("text ve sloupci %1 obsahuje znak NUL, který server neuloží")
                .arg(column.name));
    }
    if (column.type == ColumnType::Text && column.width > 0) {
        // The server counts characters, not UTF-16 units.
        const qsizetype characters = text.toUcs4().size();
        if (characters > column.width) {
            throw StoreError(QStringLiteral("text ve sloupci %1 má %2 znaků, sloupec jich pojme %3")
                                 .arg(column.name)
                                 .arg(characters)
                                 .arg(column.width));
        }
    }
    const QByteArray utf8 = text.toUtf8();
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

double FloatFromText(const QByteArray& text) {
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

}  // namespace

void AppendCopyText(const ColumnSchema& column, const Value& value, QByteArray& line) {
    if (IsNullValue(value)) {
        line += "\\N";
        return;
    }
    using CT = ColumnType;
    switch (column.type) {
        case CT::Text:
        case CT::Memo:
        case CT::Date:
            AppendEscapedText(std::get<QString>(value), column, line);
            return;
        case CT::Boolean:
            line += std::get<std::int64_t>(value) != 0 ? 't' : 'f';
            return;
        case CT::Smallint:
        case CT::Integer:
        case CT::Largeint:
            line += QByteArray::number(static_cast<qlonglong>(std::get<std::int64_t>(value)));
            return;
        case CT::Float:
            line += FloatText(std::get<double>(value));
            return;
        case CT::Graphic:
            // bytea's hex input "\x…", its backslash doubled for COPY.
            line += "\\\\x";
            line += std::get<QByteArray>(value).toHex();
            return;
    }
}

Value ValueFromServerText(const ColumnSchema& column, const QByteArray& text, bool isNull) {
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
            return QByteArray::fromHex(text.startsWith("\\x") ? text.mid(2) : text);
    }
    return Value();
}

}  // namespace platform
