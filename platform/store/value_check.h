#pragma once
// Values damaged outside the program. The store writes every value in the
// form of its column (dates as ISO texts, booleans 0/1, whole numbers in
// range), but a file edited by another tool may hold a text in a number
// column or an impossible date. Such a value is kept as it is stored (a
// dump writes it unchanged), read by fields as empty and compared, sorted
// and grouped by queries as null; the check command lists it.

#include <QString>

#include "platform/store/schema.h"
#include "platform/store/value.h"

namespace platform {

// Whether a stored value has the form its column keeps. Null always fits;
// texts and memos take any text (a text longer than the column is still a text).
bool FitsColumn(const ColumnSchema& column, const Value& value);

// The stored value as a dump shows it: the text, the number, the bytes in base64.
QString StoredText(const Value& value);

// What is wrong with a value that does not fit: "text „abc“ ve sloupci typu datum".
QString DamageText(const ColumnSchema& column, const Value& value);

// The SQLite expression of a column that gives null for a value that does
// not fit it; `sql` itself for text columns, whose values always fit (and
// whose indexes the joins use).
QString CheckedColumnSql(const ColumnSchema& column, const QString& sql);

}  // namespace platform
