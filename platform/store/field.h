#pragma once
// One column of a data set's current record. Reads and writes go to the
// record the data set has current (or is editing); writes need the data set
// in edit or insert state and follow the column's rules: text cut to its
// width, whole numbers range-checked, dates as dates, empty text = null.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

#include "platform/store/schema.h"
#include "platform/store/value.h"

namespace platform {

class DataSet;
class Field;

// Settings of a field that outlive the field object: a query re-creates its
// fields on every open, but the labels, formats and hooks set by name stay.
struct FieldOptions {
    // Replaces the display text (display == true) or the edit text.
    std::function<QString(const Field& field, bool display)> onGetText;
    // Replaces the conversion of typed text; the hook writes the field itself.
    std::function<void(Field& field, const QString& text)> onSetText;
    // Called after a new value is put in place; throwing refuses it (the
    // previous value is restored and the exception passes to the writer).
    std::function<void(Field& field)> onValidate;
    QString displayLabel;   // empty: the column's caption, else its name
    QString caption;        // the form's caption of the field, named when a value is refused
    QString displayFormat;  // numbers: "0.00 kg"; dates: "d.m.yyyy"; booleans: "Ano;Ne"
    QString editFormat;     // numbers only
    int displayWidth = -1;  // -1: by type
    int alignment = -1;     // -1: by type; 0 left, 1 right, 2 centre
};

class Field {
  public:
    Field(DataSet& owner, int index, ColumnSchema column, std::shared_ptr<FieldOptions> options);

    const QString& Name() const { return column_.name; }
    int Index() const { return index_; }
    FieldType Type() const { return FieldTypeOf(column_.type); }
    ColumnType Kind() const { return column_.type; }
    int Size() const { return column_.width; }
    const ColumnSchema& Column() const { return column_; }
    DataSet& Owner() const { return owner_; }

    QString DisplayLabel() const;
    void SetDisplayLabel(const QString& label) { options_->displayLabel = label; }
    QString DisplayFormat() const { return options_->displayFormat; }
    void SetDisplayFormat(const QString& format) { options_->displayFormat = format; }
    QString EditFormat() const { return options_->editFormat; }
    void SetEditFormat(const QString& format) { options_->editFormat = format; }
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { options_->displayWidth = width; }
    int Alignment() const;
    void SetAlignment(int alignment) { options_->alignment = alignment; }
    FieldOptions& Options() { return *options_; }
    const FieldOptions& Options() const { return *options_; }

    // ---- reading the current record ----
    bool IsNull() const;
    // The value of the current record; a value that does not fit the column
    // (damaged outside the program, see value_check.h) reads as null.
    const Value& RawValue() const;
    // The value exactly as it is stored, damaged or not (the dump writes it).
    const Value& StoredValue() const;
    bool IsDamaged() const;
    QString AsString() const;     // plain text form: d.M.yyyy, True/False, 12.5
    QString DisplayText() const;  // through the get-text hook or the display format
    QString EditText() const;     // through the get-text hook or the edit format
    bool AsBoolean() const;
    QDate AsDate() const;  // invalid when empty
    std::int64_t AsInteger() const;
    double AsFloat() const;  // dates: days since 30.12.1899
    QByteArray AsBytes() const;
    QVariant AsVariant() const;  // null QVariant when empty

    // ---- writing (edit or insert state) ----
    void SetText(const QString& text);  // through the set-text hook
    void SetAsString(const QString& text);
    void SetAsBoolean(bool value);
    void SetAsDate(const QDate& date);
    void SetAsInteger(std::int64_t value);
    void SetAsFloat(double value);
    void SetAsBytes(const QByteArray& bytes);
    void SetAsVariant(const QVariant& value);
    void Clear();

    // Converts a value to the form this column keeps, applying its rules;
    // throws StoreError naming the column when the value does not fit.
    static Value ConvertText(const ColumnSchema& column, const QString& text);
    static Value ConvertVariant(const ColumnSchema& column, const QVariant& value);

    // The name a refusal gives the field: "„Kohoutková výška“ (Vyska_kohout)",
    // by the form's caption where a form has given one, else by the column's
    // caption; the bare column name only for a computed column without one.
    QString ShownName() const;

  private:
    QString ShownCaption() const;
    void Store(Value value);
    // The conversions, refusing with the field's caption where it has one.
    Value Converted(const QString& text) const;
    Value Converted(const QVariant& value) const;

    DataSet& owner_;
    int index_;
    ColumnSchema column_;
    std::shared_ptr<FieldOptions> options_;
};

}  // namespace platform
