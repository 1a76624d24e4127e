#include "platform/store/field.h"

#include <cmath>
#include <limits>

#include "platform/store/dataset.h"
#include "platform/store/store_error.h"
#include "platform/store/value_check.h"
#include "platform/store/value_text.h"

namespace platform {
namespace {

const QDate kDayZero(1899, 12, 30);  // day 0 of the report's day numbers

[[noreturn]] void Refuse(const QString& text) {
    throw StoreError(text);
}

QString Shown(const QString& text) {
    return text.size() > 40 ? text.left(40) + QStringLiteral("…") : text;
}

bool IsIntegral(ColumnType t) {
    return t == ColumnType::Smallint || t == ColumnType::Integer || t == ColumnType::Largeint;
}

// The largest value of a 64-bit column: fifteen digits, which a report's
// double still carries exactly and prints without an exponent.
constexpr std::int64_t kLargeintLimit = 999999999999999;

Value CheckedInteger(const ColumnSchema& column, std::int64_t v) {
    std::int64_t low = std::numeric_limits<std::int32_t>::min();
    std::int64_t high = std::numeric_limits<std::int32_t>::max();
    if (column.type == ColumnType::Smallint) {
        low = -32768;
        high = 32767;
    } else if (column.type == ColumnType::Largeint) {
        low = -kLargeintLimit;
        high = kLargeintLimit;
    }
    if (v < low || v > high) {
        Refuse(QStringLiteral("Hodnota %1 je mimo rozsah sloupce %2 (%3 až %4).")
                   .arg(v)
                   .arg(column.name)
                   .arg(low)
                   .arg(high));
    }
    return Value(v);
}

// Cuts a text to the column width without splitting a surrogate pair.
QString CutToWidth(const QString& text, int width) {
    if (width <= 0 || text.size() <= width) {
        return text;
    }
    qsizetype n = width;
    if (text[n - 1].isHighSurrogate()) {
        --n;
    }
    return text.left(n);
}

std::optional<bool> ParseBoolean(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("ano") || t == QLatin1String("1") ||
        t == QLatin1String("t") || t == QLatin1String("a") || t == QLatin1String("yes")) {
        return true;
    }
    if (t == QLatin1String("false") || t == QLatin1String("ne") || t == QLatin1String("0") ||
        t == QLatin1String("f") || t == QLatin1String("n") || t == QLatin1String("no")) {
        return false;
    }
    return std::nullopt;
}

QString TypeName(const ColumnSchema& c) {
    return ColumnTypeName(c.type);
}

}  // namespace

Field::Field(DataSet& owner, int index, ColumnSchema column, std::shared_ptr<FieldOptions> options)
    : owner_(owner), index_(index), column_(std::move(column)), options_(std::move(options)) {}

// A label set on the field wins; otherwise the column's caption, and the
// bare name only for what has none (a computed column of a query).
QString Field::DisplayLabel() const {
    if (!options_->displayLabel.isEmpty()) {
        return options_->displayLabel;
    }
    return column_.caption.isEmpty() ? column_.name : column_.caption;
}

int Field::DisplayWidth() const {
    if (options_->displayWidth >= 0) {
        return options_->displayWidth;
    }
    switch (column_.type) {
        case ColumnType::Text:
            return column_.width;
        case ColumnType::Smallint:
            return 6;
        case ColumnType::Integer:
            return 11;
        case ColumnType::Largeint:
            return 16;
        case ColumnType::Boolean:
            return 5;
        default:
            return 10;
    }
}

int Field::Alignment() const {
    if (options_->alignment >= 0) {
        return options_->alignment;
    }
    return IsIntegral(column_.type) || column_.type == ColumnType::Float ? 1 : 0;
}

// ---- reading -------------------------------------------------------------------

const Value& Field::StoredValue() const {
    return owner_.ActiveValue(index_);
}

const Value& Field::RawValue() const {
    static const Value kNull;
    const Value& stored = owner_.ActiveValue(index_);
    return FitsColumn(column_, stored) ? stored : kNull;
}

bool Field::IsDamaged() const {
    return !FitsColumn(column_, StoredValue());
}

bool Field::IsNull() const {
    const Value& v = RawValue();
    if (IsNullValue(v)) {
        return true;
    }
    if (const auto* s = std::get_if<QString>(&v)) {
        return s->isEmpty();
    }
    if (const auto* b = std::get_if<QByteArray>(&v)) {
        return b->isEmpty();
    }
    return false;
}

QString Field::AsString() const {
    const Value& v = RawValue();
    if (IsNullValue(v)) {
        return QString();
    }
    switch (column_.type) {
        case ColumnType::Date: {
            const auto* s = std::get_if<QString>(&v);
            const QDate d = s != nullptr ? IsoToDate(*s) : QDate();
            return d.isValid() ? FormatDateText(d) : (s != nullptr ? *s : QString());
        }
        case ColumnType::Boolean:
            return AsBoolean() ? QStringLiteral("True") : QStringLiteral("False");
        case ColumnType::Graphic:
            return QString();
        default:
            break;
    }
    if (const auto* s = std::get_if<QString>(&v)) {
        return *s;
    }
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        return QString::number(*i);
    }
    if (const auto* d = std::get_if<double>(&v)) {
        return FloatToText(*d);
    }
    return QString::fromUtf8(std::get<QByteArray>(v));
}

QString Field::DisplayText() const {
    if (options_->onGetText) {
        return options_->onGetText(*this, true);
    }
    const QString& format = options_->displayFormat;
    switch (column_.type) {
        case ColumnType::Graphic:
            return IsNull() ? QStringLiteral("(graphic)") : QStringLiteral("(GRAPHIC)");
        case ColumnType::Boolean:
            if (!format.isEmpty() && !IsNullValue(RawValue())) {
                return format.section(';', AsBoolean() ? 0 : 1, AsBoolean() ? 0 : 1);
            }
            break;
        case ColumnType::Float:
        case ColumnType::Smallint:
        case ColumnType::Integer:
        case ColumnType::Largeint:
            if (!format.isEmpty() && !IsNull()) {
                return FormatFloatText(format, AsFloat());
            }
            break;
        case ColumnType::Date:
            if (!format.isEmpty() && AsDate().isValid()) {
                QString qtFormat = format;
                qtFormat.replace('m', 'M');
                return AsDate().toString(qtFormat);
            }
            break;
        default:
            break;
    }
    return AsString();
}

QString Field::EditText() const {
    if (options_->onGetText) {
        return options_->onGetText(*this, false);
    }
    const bool number = column_.type == ColumnType::Float || IsIntegral(column_.type);
    if (number && !options_->editFormat.isEmpty() && !IsNull()) {
        return FormatFloatText(options_->editFormat, AsFloat());
    }
    if (column_.type == ColumnType::Boolean && !options_->displayFormat.isEmpty()) {
        return DisplayText();
    }
    return AsString();
}

bool Field::AsBoolean() const {
    const Value& v = RawValue();
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        return *i != 0;
    }
    if (const auto* d = std::get_if<double>(&v)) {
        return *d != 0.0;
    }
    if (const auto* s = std::get_if<QString>(&v)) {
        return ParseBoolean(*s).value_or(false);
    }
    return false;
}

QDate Field::AsDate() const {
    const Value& v = RawValue();
    if (const auto* s = std::get_if<QString>(&v)) {
        const QDate iso = IsoToDate(*s);
        return iso.isValid() ? iso : ParseDateText(*s);
    }
    if (const auto* d = std::get_if<double>(&v)) {
        return kDayZero.addDays(static_cast<qint64>(std::floor(*d)));
    }
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        return kDayZero.addDays(*i);
    }
    return QDate();
}

std::int64_t Field::AsInteger() const {
    const Value& v = RawValue();
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        return *i;
    }
    if (column_.type == ColumnType::Date) {
        const QDate d = AsDate();
        return d.isValid() ? kDayZero.daysTo(d) : 0;
    }
    if (const auto* d = std::get_if<double>(&v)) {
        if (!std::isfinite(*d) || std::fabs(*d) > 9.2e18) {
            Refuse(
                QStringLiteral("Hodnotu sloupce %1 nelze převést na celé číslo.").arg(ShownName()));
        }
        return std::llround(*d);
    }
    if (const auto* s = std::get_if<QString>(&v)) {
        if (s->isEmpty()) {
            return 0;
        }
        if (const auto n = ParseIntegerText(*s)) {
            return *n;
        }
        Refuse(QStringLiteral("„%1“ ve sloupci %2 není celé číslo.").arg(Shown(*s), ShownName()));
    }
    return 0;
}

double Field::AsFloat() const {
    const Value& v = RawValue();
    if (const auto* d = std::get_if<double>(&v)) {
        return *d;
    }
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        return static_cast<double>(*i);
    }
    if (column_.type == ColumnType::Date) {
        const QDate d = AsDate();
        return d.isValid() ? static_cast<double>(kDayZero.daysTo(d)) : 0.0;
    }
    if (const auto* s = std::get_if<QString>(&v)) {
        if (s->isEmpty()) {
            return 0.0;
        }
        if (const auto n = ParseFloatText(*s)) {
            return *n;
        }
        Refuse(QStringLiteral("„%1“ ve sloupci %2 není číslo.").arg(Shown(*s), ShownName()));
    }
    return 0.0;
}

QByteArray Field::AsBytes() const {
    const Value& v = RawValue();
    if (const auto* b = std::get_if<QByteArray>(&v)) {
        return *b;
    }
    if (IsNullValue(v)) {
        return QByteArray();
    }
    return AsString().toUtf8();
}

QVariant Field::AsVariant() const {
    if (IsNull()) {
        return QVariant();
    }
    switch (column_.type) {
        case ColumnType::Text:
        case ColumnType::Memo:
            return AsString();
        case ColumnType::Date:
            return AsDate();
        case ColumnType::Boolean:
            return AsBoolean();
        case ColumnType::Smallint:
        case ColumnType::Integer:
        case ColumnType::Largeint:
            return QVariant::fromValue<qint64>(AsInteger());
        case ColumnType::Float:
            return AsFloat();
        case ColumnType::Graphic:
            return AsBytes();
    }
    return QVariant();
}

// ---- conversion ------------------------------------------------------------------

Value Field::ConvertText(const ColumnSchema& column, const QString& text) {
    const QString trimmed = text.trimmed();
    switch (column.type) {
        case ColumnType::Text:
            return text.isEmpty() ? Value() : Value(CutToWidth(text, column.width));
        case ColumnType::Memo:
            return text.isEmpty() ? Value() : Value(text);
        case ColumnType::Date: {
            if (trimmed.isEmpty()) {
                return Value();
            }
            const QDate d = ParseDateText(trimmed);
            if (!d.isValid()) {
                Refuse(QStringLiteral("„%1“ není platné datum (sloupec %2).")
                           .arg(Shown(text), column.name));
            }
            return Value(DateToIso(d));
        }
        case ColumnType::Boolean: {
            if (trimmed.isEmpty()) {
                return Value();
            }
            const auto b = ParseBoolean(trimmed);
            if (!b) {
                Refuse(
                    QStringLiteral("„%1“ není logická hodnota (sloupec %2); použijte Ano nebo Ne.")
                        .arg(Shown(text), column.name));
            }
            return Value(static_cast<std::int64_t>(*b ? 1 : 0));
        }
        case ColumnType::Smallint:
        case ColumnType::Integer:
        case ColumnType::Largeint: {
            if (trimmed.isEmpty()) {
                return Value();
            }
            const auto n = ParseIntegerText(trimmed);
            if (!n) {
                if (trimmed.size() > 1 && (trimmed[0] == '-' || trimmed[0].isDigit()) &&
                    trimmed.mid(1).toStdString().find_first_not_of("0123456789") ==
                        std::string::npos) {
                    Refuse(QStringLiteral("Hodnota %1 je mimo rozsah sloupce %2.")
                               .arg(Shown(trimmed), column.name));
                }
                Refuse(QStringLiteral("„%1“ není celé číslo (sloupec %2).")
                           .arg(Shown(text), column.name));
            }
            return CheckedInteger(column, *n);
        }
        case ColumnType::Float: {
            if (trimmed.isEmpty()) {
                return Value();
            }
            const auto d = ParseFloatText(trimmed);
            if (!d) {
                Refuse(
                    QStringLiteral("„%1“ není číslo (sloupec %2).").arg(Shown(text), column.name));
            }
            return Value(*d);
        }
        case ColumnType::Graphic:
            if (text.isEmpty()) {
                return Value();
            }
            Refuse(QStringLiteral("Do sloupce %1 (obrázek) nelze zapsat text.").arg(column.name));
    }
    return Value();
}

Value Field::ConvertVariant(const ColumnSchema& column, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return Value();
    }
    const int type = value.typeId();
    switch (column.type) {
        case ColumnType::Date:
            if (type == QMetaType::QDate) {
                const QDate d = value.toDate();
                return d.isValid() ? Value(DateToIso(d)) : Value();
            }
            if (type == QMetaType::QDateTime) {
                return Value(DateToIso(value.toDateTime().date()));
            }
            break;
        case ColumnType::Boolean:
            if (type == QMetaType::Bool) {
                return Value(static_cast<std::int64_t>(value.toBool() ? 1 : 0));
            }
            break;
        case ColumnType::Smallint:
        case ColumnType::Integer:
        case ColumnType::Largeint:
            if (type == QMetaType::Double || type == QMetaType::Float) {
                const double d = value.toDouble();
                if (!std::isfinite(d) || std::fabs(d) > 9.2e18) {
                    Refuse(QStringLiteral("Hodnota je mimo rozsah sloupce %1.").arg(column.name));
                }
                return CheckedInteger(column, std::llround(d));
            }
            if (type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::UInt ||
                type == QMetaType::Short || type == QMetaType::Long) {
                return CheckedInteger(column, value.toLongLong());
            }
            if (type == QMetaType::ULongLong) {
                const qulonglong u = value.toULongLong();
                if (u > static_cast<qulonglong>(std::numeric_limits<std::int64_t>::max())) {
                    Refuse(QStringLiteral("Hodnota je mimo rozsah sloupce %1.").arg(column.name));
                }
                return CheckedInteger(column, static_cast<std::int64_t>(u));
            }
            break;
        case ColumnType::Float:
            if (type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int ||
                type == QMetaType::LongLong || type == QMetaType::UInt) {
                const double d = value.toDouble();
                if (!std::isfinite(d)) {
                    Refuse(QStringLiteral("Hodnota sloupce %1 není číslo.").arg(column.name));
                }
                return Value(d);
            }
            break;
        case ColumnType::Graphic:
            if (type == QMetaType::QByteArray) {
                const QByteArray b = value.toByteArray();
                return b.isEmpty() ? Value() : Value(b);
            }
            break;
        default:
            break;
    }
    if (type == QMetaType::QDate) {
        return ConvertText(column, FormatDateText(value.toDate()));
    }
    if (type == QMetaType::Bool) {
        return ConvertText(column,
                           value.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    }
    if (type == QMetaType::Double) {
        return ConvertText(column, FloatToText(value.toDouble()));
    }
    if (type == QMetaType::QByteArray && column.type != ColumnType::Graphic) {
        return ConvertText(column, QString::fromUtf8(value.toByteArray()));
    }
    if (!value.canConvert<QString>()) {
        Refuse(QStringLiteral("Hodnotu nelze zapsat do sloupce %1 (%2).")
                   .arg(column.name, TypeName(column)));
    }
    return ConvertText(column, value.toString());
}

// ---- writing ---------------------------------------------------------------------

void Field::Store(Value value) {
    owner_.StoreFieldValue(*this, std::move(value));
}

QString Field::ShownCaption() const {
    return options_->caption.isEmpty() ? column_.caption : options_->caption;
}

QString Field::ShownName() const {
    const QString caption = ShownCaption();
    if (caption.isEmpty()) {
        return column_.name;
    }
    return QStringLiteral("„%1“ (%2)").arg(caption, column_.name);
}

// A refused value is converted once more under the shown name, which throws
// the same refusal naming the caption; values that fit pay nothing for it.
Value Field::Converted(const QString& text) const {
    try {
        return ConvertText(column_, text);
    } catch (const StoreError&) {
        if (ShownCaption().isEmpty()) {
            throw;
        }
        ColumnSchema shown = column_;
        shown.name = ShownName();
        return ConvertText(shown, text);
    }
}

Value Field::Converted(const QVariant& value) const {
    try {
        return ConvertVariant(column_, value);
    } catch (const StoreError&) {
        if (ShownCaption().isEmpty()) {
            throw;
        }
        ColumnSchema shown = column_;
        shown.name = ShownName();
        return ConvertVariant(shown, value);
    }
}

void Field::SetText(const QString& text) {
    if (options_->onSetText) {
        options_->onSetText(*this, text);
        return;
    }
    SetAsString(text);
}

void Field::SetAsString(const QString& text) {
    Store(Converted(text));
}

void Field::SetAsBoolean(bool value) {
    Store(Converted(QVariant(value)));
}

void Field::SetAsDate(const QDate& date) {
    if (!date.isValid()) {
        Store(Value());
        return;
    }
    if (column_.type != ColumnType::Date && column_.type != ColumnType::Text &&
        column_.type != ColumnType::Memo) {
        Refuse(QStringLiteral("Do sloupce %1 (%2) nelze zapsat datum.")
                   .arg(ShownName(), TypeName(column_)));
    }
    Store(Converted(QVariant(date)));
}

void Field::SetAsInteger(std::int64_t value) {
    if (column_.type == ColumnType::Date || column_.type == ColumnType::Graphic) {
        Refuse(QStringLiteral("Do sloupce %1 (%2) nelze zapsat číslo.")
                   .arg(ShownName(), TypeName(column_)));
    }
    if (column_.type == ColumnType::Boolean) {
        Store(Value(static_cast<std::int64_t>(value != 0 ? 1 : 0)));
        return;
    }
    Store(Converted(QVariant::fromValue<qlonglong>(value)));
}

void Field::SetAsFloat(double value) {
    if (column_.type == ColumnType::Date || column_.type == ColumnType::Graphic ||
        column_.type == ColumnType::Boolean) {
        Refuse(QStringLiteral("Do sloupce %1 (%2) nelze zapsat číslo.")
                   .arg(ShownName(), TypeName(column_)));
    }
    Store(Converted(QVariant(value)));
}

void Field::SetAsBytes(const QByteArray& bytes) {
    if (column_.type == ColumnType::Graphic) {
        Store(bytes.isEmpty() ? Value() : Value(bytes));
        return;
    }
    SetAsString(QString::fromUtf8(bytes));
}

void Field::SetAsVariant(const QVariant& value) {
    Store(Converted(value));
}

void Field::Clear() {
    Store(Value());
}

}  // namespace platform
