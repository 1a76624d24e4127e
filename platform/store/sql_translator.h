#pragma once
// Translates one statement of the store's local SQL into SQLite SQL, or into
// PostgreSQL SQL for a club's server.
//
// The dialect: SELECT * | t.* | [t.]column [AS name] | aggregate [AS name], ...
// FROM table [alias] {[LEFT [OUTER] | INNER] JOIN table [alias] ON condition}
// [WHERE condition] [GROUP BY column, ...] [HAVING condition]
// [ORDER BY column|number|aggregate [ASC|DESC], ...] [;]. Aggregates:
// COUNT(*), COUNT|SUM|MIN|MAX|AVG([DISTINCT] column), named "COUNT OF *",
// "SUM OF column" and so on; a grouped query lists its groups in the order of
// the group columns unless it gives its own. Conditions: AND, OR, NOT,
// parentheses, = <> != < > <= >=, [NOT] BETWEEN x AND y, [NOT] LIKE,
// IS [NOT] NULL, [NOT] IN (...). Constants: "text" (a doubled "" is one
// quote; 'text' likewise), numbers, TRUE/FALSE in any case with or without
// quotes, NULL. Table and column names ignore case.
//
// Typing follows the column the constant meets: a text constant compared
// with a date column is a d.m.yyyy date and compares as a date; with a
// boolean column "TRUE"/"FALSE"; with a number column a number. Text order
// and comparisons are Czech. LIKE is case-sensitive ("_" one character, "%"
// any run), as the keyed-table engine's was. An empty text and null are the
// same value: col = "" matches both.
//
// Every constant becomes a bound parameter, so no constant can change the
// shape of the statement. Only one SELECT is accepted; everything else
// throws StoreError with the position of the fault.

#include <QString>
#include <vector>

#include "platform/store/schema.h"
#include "platform/store/value.h"

namespace platform {

struct ResultColumn {
    QString name;         // unique within the result ("Plemeno", "Plemeno_1")
    ColumnSchema column;  // type and width of the source column (name as in the table)
    QString tableFile;    // file name of the source table
};

// One sort term: an SQLite expression (texts as their Czech sort key) and its direction.
struct OrderTerm {
    QString sql;
    bool descending = false;
};

struct TranslatedQuery {
    QString sql;                    // the whole statement, ORDER BY included
    std::vector<Value> parameters;  // bound as ?1, ?2, ... in order
    std::vector<ResultColumn> columns;
    // The same statement in parts, for a caller that sorts the rows itself:
    // "SELECT [DISTINCT] selectList FROM fromWhere" in the order of `order`
    // (the last term is always the first table's rowid).
    bool distinct = false;
    QString selectList;
    QString fromWhere;
    std::vector<OrderTerm> order;
};

// The SQL a statement is translated into: the local file's SQLite, or a
// club's PostgreSQL server ($1 parameters, the server's Czech collation).
enum class SqlTarget { LocalFile, Server };

TranslatedQuery TranslateLocalSql(const QString& statement,
                                  SqlTarget target = SqlTarget::LocalFile);

}  // namespace platform
