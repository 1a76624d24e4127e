#include "platform/store/table.h"

#include "platform/store/czech_collation.h"
#include "platform/store/database.h"
#include "platform/store/field.h"
#include "platform/store/postgres_table.h"
#include "platform/store/row_keys.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"

namespace platform {
namespace {

int CompareStored(const Value& a, const Value& b, bool czech) {
    const bool nullA = IsNullValue(a), nullB = IsNullValue(b);
    if (nullA || nullB) {
        return nullA == nullB ? 0 : (nullA ? -1 : 1);
    }
    const auto* sa = std::get_if<QString>(&a);
    const auto* sb = std::get_if<QString>(&b);
    if (sa != nullptr && sb != nullptr) {
        const int c =
            czech ? CompareCzech(*sa, *sb) : QString::compare(*sa, *sb, Qt::CaseSensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    auto number = [](const Value& v) {
        if (const auto* i = std::get_if<std::int64_t>(&v)) {
            return static_cast<double>(*i);
        }
        if (const auto* d = std::get_if<double>(&v)) {
            return *d;
        }
        return 0.0;
    };
    const double na = number(a), nb = number(b);
    return na < nb ? -1 : (na > nb ? 1 : 0);
}

}  // namespace

Table::Table(Database& database, const QString& tableName) : DataSet(database) {
    if (!tableName.isEmpty()) {
        SetTableName(tableName);
    }
}

Table::~Table() {
    try {
        Close();
    } catch (...) {
    }
}

void Table::SetTableName(const QString& tableName) {
    if (IsActive()) {
        throw StoreError(QStringLiteral("Otevřené tabulce nelze změnit název."));
    }
    const TableSchema* schema = FindTableSchema(tableName);
    if (schema == nullptr) {
        throw StoreError(
            QStringLiteral("Tabulka „%1“ v databázi Harvel neexistuje.").arg(tableName));
    }
    schema_ = schema;
    orderColumns_.clear();
    for (const QString& c : schema_->order) {
        orderColumns_.push_back(schema_->ColumnIndex(c));
    }
    BuildFields(schema_->columns);
    BuildStatementTexts();
}

void Table::BuildStatementTexts() {
    const QString table = QuoteIdentifier(schema_->sqlName);
    const QString columns = ColumnList();
    idsSql_ = QStringLiteral("SELECT rowid FROM %1 ORDER BY %2").arg(table, OrderClause());
    scanSql_ =
        QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY %3").arg(columns, table, OrderClause());
    fetchSql_ = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(columns, table);
    QStringList marks, sets;
    for (size_t i = 0; i < schema_->columns.size(); ++i) {
        marks << QStringLiteral("?%1").arg(i + 1);
        sets
            << QStringLiteral("%1 = ?%2").arg(QuoteIdentifier(schema_->columns[i].name)).arg(i + 1);
    }
    insertSql_ = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                     .arg(table, columns, marks.join(QStringLiteral(", ")));
    updateSql_ = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                     .arg(table, sets.join(QStringLiteral(", ")))
                     .arg(schema_->columns.size() + 1);
}

QString Table::TableName() const {
    return schema_ != nullptr ? schema_->fileName : QString();
}

const TableSchema& Table::Schema() const {
    if (schema_ == nullptr) {
        throw StoreError(QStringLiteral("Tabulce nebyl zadán název."));
    }
    return *schema_;
}

QString Table::DisplayName() const {
    return schema_ != nullptr ? QStringLiteral("Tabulka %1").arg(schema_->fileName)
                              : QStringLiteral("Tabulka");
}

bool Table::ReadOnly() const {
    return GetDatabase() != nullptr && GetDatabase()->IsReadOnly();
}

bool Table::HasKeyOrder() const {
    return !orderColumns_.empty();
}

std::vector<ColumnSchema> Table::DoOpen() {
    const TableSchema& schema = Schema();
    if (GetDatabase()->IsServer()) {
        server_ = std::make_unique<PostgresTable>(GetDatabase()->Server(), schema);
        try {
            server_->RequireColumns();
        } catch (...) {
            server_.reset();
            throw;
        }
        return schema.columns;
    }
    Connection& connection = GetDatabase()->Handle();
    if (!connection.TableExists(schema.sqlName)) {
        throw StoreError(QStringLiteral("V databázi chybí tabulka %1.").arg(schema.fileName));
    }
    const QStringList present = connection.TableColumns(schema.sqlName);
    for (const ColumnSchema& c : schema.columns) {
        if (!present.contains(c.name, Qt::CaseInsensitive)) {
            throw StoreError(
                QStringLiteral("V tabulce %1 chybí sloupec %2.").arg(schema.fileName, c.name));
        }
    }
    return schema.columns;
}

void Table::DoClose() {
    statements_.clear();
    server_.reset();
}

Statement& Table::Prepared(const QString& key, const QString& sql) {
    auto& slot = statements_[key];
    if (!slot) {
        slot = std::make_unique<Statement>(GetDatabase()->Handle().Raw(), sql);
    }
    slot->Reset();
    return *slot;
}

QString Table::ColumnList() const {
    return QuotedColumnList(*schema_);
}

QString Table::OrderClause() const {
    QStringList keys;
    for (int i : orderColumns_) {
        const ColumnSchema& c = schema_->columns[static_cast<size_t>(i)];
        keys << QuoteIdentifier(c.name) +
                    (c.type == ColumnType::Text ? QStringLiteral(" COLLATE CZECH") : QString());
    }
    keys << QStringLiteral("rowid");
    return keys.join(QStringLiteral(", "));
}

std::vector<DataSet::RowId> Table::LoadRowIds() {
    if (server_) {
        return server_->LoadRowIds();
    }
    Statement& s = Prepared(QStringLiteral("ids"), idsSql_);
    std::vector<RowId> ids;
    while (s.Step()) {
        ids.push_back(s.ColumnInt(0));
    }
    s.Reset();
    return ids;
}

void Table::ScanRows(const std::function<void(RowId, const Row&)>& visit) {
    if (server_) {
        server_->ScanRows(visit);
        return;
    }
    VisitRows(Prepared(QStringLiteral("scan"), scanSql_), visit);
}

void Table::ScanRowsContaining(int column, const QString& text,
                               const std::function<void(RowId, const Row&)>& visit) {
    // instr() runs inside SQLite on the stored text, so rows that cannot pass
    // are never decoded.
    if (server_) {
        server_->ScanRowsContaining(column, text, visit);
        return;
    }
    const ColumnSchema& c = schema_->columns.at(static_cast<size_t>(column));
    Statement& s = Prepared(QStringLiteral("scan-containing-%1").arg(column),
                            QStringLiteral("SELECT rowid, %1 FROM %2 WHERE instr(%3, ?1) > 0 "
                                           "ORDER BY %4")
                                .arg(ColumnList(), QuoteIdentifier(schema_->sqlName),
                                     QuoteIdentifier(c.name), OrderClause()));
    s.Bind(1, Value(text));
    VisitRows(s, visit);
}

void Table::VisitRows(Statement& s, const std::function<void(RowId, const Row&)>& visit) {
    Row row(schema_->columns.size());
    try {
        while (s.Step()) {
            for (size_t i = 0; i < row.size(); ++i) {
                row[i] = s.Column(static_cast<int>(i) + 1);
            }
            visit(s.ColumnInt(0), row);
        }
    } catch (...) {
        s.Reset();
        throw;
    }
    s.Reset();
}

void Table::FetchRow(RowId id, Row& out) {
    if (server_) {
        server_->FetchRow(id, out);
        return;
    }
    Statement& s = Prepared(QStringLiteral("fetch"), fetchSql_);
    s.Bind(1, Value(id));
    out.assign(schema_->columns.size(), Value());
    if (s.Step()) {
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] = s.Column(static_cast<int>(i));
        }
    }
    s.Reset();
}

std::vector<DataSet::RowId> Table::FindRows(const std::vector<int>& columns,
                                            const std::vector<Value>& values) {
    if (server_) {
        return server_->FindRows(columns, values);
    }
    // One prepared statement per column set and null pattern; Locate by the
    // registered name reuses it every time.
    QString key = QStringLiteral("find");
    for (size_t i = 0; i < columns.size(); ++i) {
        key += QString::number(columns[i]);
        key += IsNullValue(values[i]) ? 'n' : 'v';
    }
    auto it = statements_.find(key);
    if (it == statements_.end()) {
        QStringList conditions;
        int mark = 0;
        for (size_t i = 0; i < columns.size(); ++i) {
            const ColumnSchema& c = schema_->columns[static_cast<size_t>(columns[i])];
            const QString name = QuoteIdentifier(c.name);
            if (!IsNullValue(values[i])) {
                conditions << QStringLiteral("%1 = ?%2").arg(name).arg(++mark);
            } else if (c.type == ColumnType::Text || c.type == ColumnType::Memo) {
                conditions << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(name);
            } else {
                conditions << name + QStringLiteral(" IS NULL");
            }
        }
        Prepared(key, QStringLiteral("SELECT rowid FROM %1 WHERE %2")
                          .arg(QuoteIdentifier(schema_->sqlName),
                               conditions.join(QStringLiteral(" AND "))));
        it = statements_.find(key);
    }
    Statement& s = *it->second;
    int mark = 0;
    for (const Value& v : values) {
        if (!IsNullValue(v)) {
            s.Bind(++mark, v);
        }
    }
    std::vector<RowId> ids;
    while (s.Step()) {
        ids.push_back(s.ColumnInt(0));
    }
    s.Reset();
    return ids;
}

void Table::Rethrow(const StoreError& error, const Row& row) const {
    if (error.EngineCode() == SQLITE_CONSTRAINT_UNIQUE) {
        for (const IndexSchema& index : schema_->indexes) {
            if (!index.unique) {
                continue;
            }
            QStringList shown;
            for (const QString& c : index.columns) {
                const Value& v = row[static_cast<size_t>(schema_->ColumnIndex(c))];
                const auto* s = std::get_if<QString>(&v);
                const Field* field = FindField(c);
                shown << QStringLiteral("%1 „%2“").arg(field != nullptr ? field->ShownName() : c,
                                                       s != nullptr ? *s : QString());
            }
            throw StoreError(
                QStringLiteral("V tabulce %1 již existuje záznam se stejnou hodnotou %2.")
                    .arg(schema_->fileName, shown.join(QStringLiteral(", "))),
                error.EngineCode());
        }
    }
    throw StoreError(QStringLiteral("%1: %2").arg(schema_->fileName, error.Message()),
                     error.EngineCode());
}

// A duplicate key is told as in the local file; the server's other
// messages (a row changed by another official) stand as they are.
void Table::RethrowServerFailure(const StoreError& error, const Row& row) const {
    if (error.EngineCode() == SQLITE_CONSTRAINT_UNIQUE) {
        Rethrow(error, row);
    }
    throw error;
}

DataSet::RowId Table::InsertRow(const Row& row) {
    RequireIdentifyingKey(*schema_, row);
    if (server_) {
        try {
            return server_->InsertRow(row);
        } catch (const StoreError& error) {
            RethrowServerFailure(error, row);
        }
    }
    Statement& s = Prepared(QStringLiteral("insert"), insertSql_);
    for (size_t i = 0; i < row.size(); ++i) {
        s.Bind(static_cast<int>(i) + 1, row[i]);
    }
    try {
        s.Step();
    } catch (const StoreError& error) {
        Rethrow(error, row);
    }
    s.Reset();
    return GetDatabase()->Handle().LastInsertRowId();
}

void Table::UpdateRow(RowId id, const Row& row) {
    RequireIdentifyingKey(*schema_, row);
    if (server_) {
        try {
            server_->UpdateRow(id, row);
        } catch (const StoreError& error) {
            RethrowServerFailure(error, row);
        }
        return;
    }
    const int idMark = static_cast<int>(schema_->columns.size()) + 1;
    Statement& s = Prepared(QStringLiteral("update"), updateSql_);
    for (size_t i = 0; i < row.size(); ++i) {
        s.Bind(static_cast<int>(i) + 1, row[i]);
    }
    s.Bind(idMark, Value(id));
    try {
        s.Step();
    } catch (const StoreError& error) {
        Rethrow(error, row);
    }
    s.Reset();
    if (sqlite3_changes(GetDatabase()->Handle().Raw()) == 0) {
        throw StoreError(
            QStringLiteral("Záznam v tabulce %1 mezitím zmizel.").arg(schema_->fileName));
    }
}

void Table::DeleteRow(RowId id) {
    if (server_) {
        server_->DeleteRow(id);
        return;
    }
    Statement& s = Prepared(
        QStringLiteral("delete"),
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(QuoteIdentifier(schema_->sqlName)));
    s.Bind(1, Value(id));
    s.Step();
    s.Reset();
}

int Table::CompareOrder(const Row& a, RowId idA, const Row& b, RowId idB) const {
    for (int i : orderColumns_) {
        const bool text = schema_->columns[static_cast<size_t>(i)].type == ColumnType::Text;
        const int c = CompareStored(a[static_cast<size_t>(i)], b[static_cast<size_t>(i)], text);
        if (c != 0) {
            return c;
        }
    }
    return idA < idB ? -1 : (idA > idB ? 1 : 0);
}

}  // namespace platform
