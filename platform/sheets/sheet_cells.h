#pragma once
// The cells of a list handed to a spreadsheet: each column of a data set as
// a spreadsheet column (its caption, whether it holds text, numbers or
// dates, the number format of its unit) and each value of the current
// record as a cell of that kind. Dates stay dates and numbers numbers, so a
// spreadsheet sorts and sums them; everything else is the text the program
// shows ("Ano"/"Ne", a label a column rule gives).

#include <QString>
#include <vector>

namespace platform {

class DataSet;
class Field;

enum class SheetKind { Text, Number, Date };

struct SheetColumn {
    QString caption;  // the column's caption (its display label)
    SheetKind kind = SheetKind::Text;
    // Numbers: the pattern of the display format ("0.00") and the unit
    // written after it ("kg"); both empty for a plain number.
    QString numberPattern;
    QString unit;
};

struct SheetCell {
    bool empty = true;
    QString text;       // Text: the value; Number and Date: the shown value
    double number = 0;  // Number: the value; Date: days since 30.12.1899
};

// The columns of `dataSet` in field order.
std::vector<SheetColumn> SheetColumns(const DataSet& dataSet);

// The cell of `field` in the current record, read as `column` says.
void ReadSheetCell(const Field& field, const SheetColumn& column, SheetCell& cell);

// The largest number of characters a text cell of a spreadsheet holds.
inline constexpr int kSheetTextLimit = 32767;

// Whether a spreadsheet program would take `text` typed into a cell for a
// formula (it begins with "=", "+", "-" or "@", or with a tab or a carriage
// return that hides such a start).
bool LooksLikeFormula(const QString& text);

}  // namespace platform
