#pragma once
// The kennel's tables on a PostgreSQL server: the same columns, widths and
// indexes as the local file, with types the server checks (dates, booleans,
// whole numbers in range, texts no longer than their column) and Czech
// order through the server's ICU collation. Every table also has the row id
// the store addresses rows by, the row's version, which grows with each
// change so that two officials cannot overwrite each other unawares, and who
// changed the row last and when.

#include <QString>
#include <QStringList>

#include "platform/store/schema.h"

namespace platform {

class PostgresConnection;

// PostgreSQL's ICU collation for Czech; sorts as the local store does.
inline constexpr const char* kServerCzechCollation = "cs-CZ-x-icu";

// The two roles a club grants its officials: reading everything, and
// reading and writing.
inline constexpr const char* kServerReaderRole = "harvel_cteni";
inline constexpr const char* kServerWriterRole = "harvel_zapis";

// The server type of a column ("varchar(40) COLLATE …", "date", "bytea").
QString ServerColumnType(const ColumnSchema& column);

// CREATE TABLE and CREATE INDEX statements for one table.
QStringList ServerCreateStatements(const TableSchema& table);

// Creates every table missing in the connected database and the two roles
// with their rights, in one transaction. Throws StoreError when the server
// lacks the Czech collation, when some tables exist already (a database of
// another program, or half of ours), or when the user may not create roles.
void CreateServerSchema(PostgresConnection& connection);

// Which of the kennel's tables the connected database has.
QStringList ServerTablesPresent(PostgresConnection& connection);

}  // namespace platform
