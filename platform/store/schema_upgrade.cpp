#include "platform/store/schema_upgrade.h"

#include <QStringList>

#include "platform/store/schema.h"
#include "platform/store/sqlite_handle.h"

namespace platform {
namespace {

bool IndexExists(Connection& connection, const QString& name) {
    Statement query(
        connection.Raw(),
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"));
    query.Bind(1, Value(name));
    return query.Step();
}

QString CreateIndexStatement(const TableSchema& table, const QString& indexName) {
    for (const QString& statement : CreateStatements(table)) {
        if (statement.contains(QuoteIdentifier(indexName))) {
            return statement;
        }
    }
    return QString();
}

void AddIfMissing(Connection& connection, const TableSchema& table, const QString& indexName,
                  QStringList& statements) {
    if (!IndexExists(connection, indexName)) {
        statements << CreateIndexStatement(table, indexName);
    }
}

void AddMissingColumns(Connection& connection, const TableSchema& table, QStringList& statements) {
    const QStringList present = connection.TableColumns(table.sqlName);
    for (const ColumnSchema& column : table.columns) {
        if (column.addedLater && !present.contains(column.name, Qt::CaseInsensitive)) {
            statements << AddColumnStatement(table, column);
        }
    }
}

QStringList MissingStatements(Connection& connection) {
    QStringList statements;
    for (const TableSchema& table : AllTableSchemas()) {
        if (table.addedLater && !connection.TableExists(table.sqlName)) {
            statements << CreateStatements(table);
            continue;
        }
        AddMissingColumns(connection, table, statements);
        for (const IndexSchema& index : table.indexes) {
            if (index.addedLater || table.addedLater) {
                AddIfMissing(connection, table, IndexName(table, index), statements);
            }
        }
        if (table.addedLater && !table.order.isEmpty()) {
            AddIfMissing(connection, table, OrderIndexName(table), statements);
        }
    }
    return statements;
}

}  // namespace

const QSet<QString>& LaterObjectNames() {
    static const QSet<QString> names = [] {
        QSet<QString> made;
        for (const TableSchema& table : AllTableSchemas()) {
            if (table.addedLater) {
                made << table.sqlName;
                if (!table.order.isEmpty()) {
                    made << OrderIndexName(table);
                }
            }
            for (const IndexSchema& index : table.indexes) {
                if (table.addedLater || index.addedLater) {
                    made << IndexName(table, index);
                }
            }
        }
        return made;
    }();
    return names;
}

void AddLaterObjects(Connection& connection) {
    const QStringList statements = MissingStatements(connection);
    if (statements.isEmpty()) {
        return;
    }
    connection.Execute(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        for (const QString& statement : statements) {
            connection.Execute(statement);
        }
        connection.Execute(QStringLiteral("COMMIT"));
    } catch (...) {
        if (connection.InTransaction()) {
            connection.Execute(QStringLiteral("ROLLBACK"));
        }
        throw;
    }
}

void ShowLaterColumnsEmpty(Connection& connection) {
    for (const TableSchema& table : AllTableSchemas()) {
        if (table.addedLater) {
            continue;
        }
        const QStringList present = connection.TableColumns(table.sqlName);
        QStringList empty;
        for (const ColumnSchema& column : table.columns) {
            if (column.addedLater && !present.contains(column.name, Qt::CaseInsensitive)) {
                empty << QStringLiteral("NULL AS ") + QuoteIdentifier(column.name);
            }
        }
        if (empty.isEmpty()) {
            continue;
        }
        const QString name = QuoteIdentifier(table.sqlName);
        // The row ids go through: the store finds and orders rows by them.
        connection.Execute(
            QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS %1 AS SELECT rowid AS rowid, *, %2 "
                           "FROM main.%1")
                .arg(name, empty.join(QStringLiteral(", "))));
    }
}

}  // namespace platform
