#pragma once
// The thirteen tables of the kennel database as data: every column with its
// type and width, in table order, plus the keys and indexes. The store, the
// query translator, the data tool and the data module all ask this one table.

#include <QString>
#include <QStringList>
#include <vector>

namespace platform {

// Largeint is a 64-bit integer column (a 15-digit microchip number does not
// fit a 32-bit integer).
enum class ColumnType { Text, Date, Boolean, Smallint, Integer, Largeint, Float, Memo, Graphic };

// Field type ordinals as the report data bridge numbers them (0..37); the
// store uses the subset its column types map to.
enum class FieldType : int {
    Unknown = 0,
    String = 1,
    Smallint = 2,
    Integer = 3,
    Word = 4,
    Boolean = 5,
    Float = 6,
    Currency = 7,
    BCD = 8,
    Date = 9,
    Time = 10,
    DateTime = 11,
    Bytes = 12,
    VarBytes = 13,
    AutoInc = 14,
    Blob = 15,
    Memo = 16,
    Graphic = 17,
    Largeint = 25,
};

struct ColumnSchema {
    QString name;
    ColumnType type = ColumnType::Text;
    int width = 0;    // characters for text columns, 0 for the others
    QString caption;  // the word the forms show for the column (column_captions.h)
    // Added in a later version: an older database's table lacks it; the
    // program adds it (empty) when it opens such a database for writing, and
    // a reader of an older file sees it empty.
    bool addedLater = false;
};

struct IndexSchema {
    QStringList columns;
    bool unique = false;
    // Added in a later version: an older database may lack it; the program
    // creates it when it opens such a database for writing.
    bool addedLater = false;
};

struct TableSchema {
    QString fileName;  // as the program names it, e.g. "kryti.DB"
    QString sqlName;   // the SQLite table, e.g. "kryti"
    std::vector<ColumnSchema> columns;
    std::vector<IndexSchema> indexes;
    QStringList order;  // the table order (key columns); empty: insertion order
    // Added in a later version (the seasons): an older database lacks the
    // table and its indexes; the program creates them when it opens such a
    // database for writing, and a backup without them is still a kennel's.
    bool addedLater = false;

    // Position of a column, case-insensitive; -1 when absent.
    int ColumnIndex(const QString& name) const;
    const ColumnSchema* FindColumn(const QString& name) const;
};

const std::vector<TableSchema>& AllTableSchemas();

// Finds a table by file name or bare name, ignoring case and an optional
// ".db" ending: "main_card.db", "Main_Card", "KRYTI.DB" all work.
const TableSchema* FindTableSchema(const QString& name);

FieldType FieldTypeOf(ColumnType type);
QString ColumnTypeName(ColumnType type);

// The CREATE TABLE and CREATE INDEX statements for one table.
QStringList CreateStatements(const TableSchema& table);

// The CREATE TABLE statement of the table as the version before its later
// columns made it; empty when the table has no later column.
QString OlderCreateTableStatement(const TableSchema& table);

// The statement that adds a later column to an older table; its text makes
// SQLite's catalogue read exactly like CreateStatements' table.
QString AddColumnStatement(const TableSchema& table, const ColumnSchema& column);

// The names SQLite knows the table's indexes by, in the order of
// CreateStatements (the table order's index last).
QString IndexName(const TableSchema& table, const IndexSchema& index);
QString OrderIndexName(const TableSchema& table);

// Identifier quoting for generated SQLite text.
QString QuoteIdentifier(const QString& name);

// The table's columns quoted and joined by ", ", in table order.
QString QuotedColumnList(const TableSchema& table);

}  // namespace platform
