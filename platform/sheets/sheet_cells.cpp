#include "platform/sheets/sheet_cells.h"

#include "platform/czech_locale.h"
#include "platform/store/dataset.h"
#include "platform/store/field.h"

namespace platform {

namespace {

SheetKind KindOf(const Field& field) {
    // A column rule that gives its own text ("Ano"/"Ne", a kind's name) is
    // shown as that text.
    if (field.Options().onGetText) {
        return SheetKind::Text;
    }
    switch (field.Kind()) {
        case ColumnType::Smallint:
        case ColumnType::Integer:
        case ColumnType::Largeint:
        case ColumnType::Float:
            return SheetKind::Number;
        case ColumnType::Date:
            return SheetKind::Date;
        default:
            return SheetKind::Text;
    }
}

// "0.00  kg" gives the pattern "0.00" and the unit "kg".
void SplitNumberFormat(const QString& format, SheetColumn& column) {
    qsizetype end = 0;
    while (end < format.size() && QStringLiteral("0#.,").contains(format.at(end))) {
        ++end;
    }
    column.numberPattern = format.left(end);
    column.unit = format.mid(end).trimmed();
}

QString BooleanText(const Field& field) {
    if (!field.DisplayFormat().isEmpty()) {
        return field.DisplayText();
    }
    return field.AsBoolean() ? QStringLiteral("Ano") : QStringLiteral("Ne");
}

QString TextOf(const Field& field) {
    switch (field.Kind()) {
        case ColumnType::Boolean:
            return BooleanText(field);
        case ColumnType::Graphic:
            return QStringLiteral("[obrázek]");
        default:
            return field.DisplayText();
    }
}

}  // namespace

std::vector<SheetColumn> SheetColumns(const DataSet& dataSet) {
    std::vector<SheetColumn> columns;
    columns.reserve(static_cast<size_t>(dataSet.FieldCount()));
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        const Field& field = dataSet.Fields(i);
        SheetColumn column;
        column.caption = field.DisplayLabel();
        column.kind = KindOf(field);
        if (column.kind == SheetKind::Number) {
            SplitNumberFormat(field.DisplayFormat(), column);
        }
        columns.push_back(column);
    }
    return columns;
}

void ReadSheetCell(const Field& field, const SheetColumn& column, SheetCell& cell) {
    cell.empty = field.IsNull();
    cell.number = 0;
    cell.text.clear();
    if (cell.empty && field.Kind() != ColumnType::Boolean) {
        return;
    }
    switch (column.kind) {
        case SheetKind::Number:
            cell.number = field.AsFloat();
            cell.text = field.AsString();
            break;
        case SheetKind::Date:
            cell.number = field.AsFloat();
            cell.text = FormatDate(field.AsDate());
            break;
        case SheetKind::Text:
            cell.text = TextOf(field);
            cell.empty = cell.text.isEmpty();
            break;
    }
}

bool LooksLikeFormula(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    switch (text.at(0).unicode()) {
        case u'=':
        case u'+':
        case u'-':
        case u'@':
        case u'\t':
        case u'\r':
            return true;
        default:
            return false;
    }
}

}  // namespace platform
