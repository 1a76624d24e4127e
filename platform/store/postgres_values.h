#pragma once
// The store's values in the text forms a PostgreSQL server reads and writes:
// COPY's text format for writing many rows, the output form of each column
// type for reading them back. Dates stay ISO texts and booleans 0/1 on the
// store's side, as in the local file.

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

#include "platform/store/schema.h"
#include "platform/store/value.h"

namespace platform {

class PostgresRowStream;

// Appends the COPY text form of a value (already of its column's kind) to
// `line`: "\N" for null, escapes for backslash, tab and line breaks.
// Throws StoreError for what the server cannot hold: a text with a NUL
// character, or longer than its column.
void AppendCopyText(const ColumnSchema& column, const Value& value, QByteArray& line);

// The text form of a value as a statement's parameter: a null QByteArray for
// null, "\x…" for bytes. Refuses what AppendCopyText refuses.
QByteArray ServerText(const ColumnSchema& column, const Value& value);

// A query's constant as a parameter, typed by the server from where it stands.
QByteArray ParameterText(const Value& value);

// The value that a column's output text stands for.
Value ValueFromServerText(const ColumnSchema& column, QByteArrayView text, bool isNull);

// The value of a computed result column, from the server's type of it (its
// type id): booleans as 0/1, whole numbers, floats and bytes as the store
// holds them, every other type (texts, dates) as its text.
Value ValueOfServerType(unsigned type, QByteArrayView text, bool isNull);

// The stream's current row from its column `first` on, one value per column
// of `columns`, into `row` (sized to match).
void ReadServerRow(const PostgresRowStream& rows, const std::vector<ColumnSchema>& columns,
                   int first, Row& row);

}  // namespace platform
