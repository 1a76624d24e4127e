#pragma once
// Whether a text fits its text column. The store cuts a longer text to the
// column's width when it is written; a load or an import that must lose
// nothing asks first and refuses the row (or, asked to, cuts and says so).

#include <QString>

#include "platform/store/schema.h"

namespace platform {

// Whether `text` is longer than the width of `column` (false for every
// column that is not a text of a fixed width).
bool IsTooLongFor(const ColumnSchema& column, const QString& text);

// "text má 47 znaků, sloupec jich pojme 40"
QString TooLongText(const ColumnSchema& column, const QString& text);

}  // namespace platform
