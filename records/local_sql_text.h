#pragma once
// A typed value as a text constant of the store's local SQL: between double
// quotes, every double quote inside doubled. The store reads "" inside a
// constant as one quote, so O"Brien is looked for as it was typed and no
// typed text can end the constant early and change the statement.

#include <QString>

QString LocalSqlText(const QString& value);

// The value with every double quote doubled, for a constant whose opening
// quote is already written.
QString DoubledQuotes(const QString& value);
