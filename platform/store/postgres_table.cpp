#include "platform/store/postgres_table.h"

#include <algorithm>

#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_values.h"
#include "platform/store/store_error.h"

namespace platform {
namespace {

// Rows read ahead at once; a few hundred make the round trips negligible
// against the rows' own transfer.
constexpr std::size_t kFetchBatch = 500;

QByteArray IdText(std::int64_t id) {
    return QByteArray::number(static_cast<qlonglong>(id));
}

}  // namespace

PostgresTable::PostgresTable(PostgresConnection& connection, const TableSchema& table)
    : connection_(connection), table_(table), name_(QuoteIdentifier(table.sqlName)) {
    columns_ = QuotedColumnList(table_);
    QStringList keys;
    for (const QString& c : table_.order) {
        keys << QuoteIdentifier(table_.FindColumn(c)->name);
    }
    keys << QStringLiteral("rowid");
    order_ = keys.join(QStringLiteral(", "));
}

void PostgresTable::RequireColumns() {
    const QStringList present = connection_.Values(
        QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_schema = "
                       "current_schema() AND table_name = $1"),
        {table_.sqlName.toUtf8()});
    if (present.isEmpty()) {
        throw StoreError(QStringLiteral("V databázi chybí tabulka %1.").arg(table_.fileName));
    }
    for (const ColumnSchema& c : table_.columns) {
        if (!present.contains(c.name)) {
            throw StoreError(
                QStringLiteral("V tabulce %1 chybí sloupec %2.").arg(table_.fileName, c.name));
        }
    }
}

std::vector<PostgresTable::RowId> PostgresTable::LoadRowIds() {
    PostgresRowStream rows(connection_,
                           QStringLiteral("SELECT rowid FROM %1 ORDER BY %2").arg(name_, order_));
    std::vector<RowId> ids;
    while (rows.Next()) {
        ids.push_back(rows.Bytes(0).toLongLong());
    }
    // A new listing reads the rows anew.
    ids_ = ids;
    placeOf_.clear();
    fetched_.clear();
    return ids;
}

void PostgresTable::VisitRows(const QString& where, const std::vector<QByteArray>& parameters,
                              const RowVisitor& visit) {
    PostgresRowStream rows(connection_,
                           QStringLiteral("SELECT rowid, row_version, %1 FROM %2 %3 ORDER BY %4")
                               .arg(columns_, name_, where, order_),
                           parameters);
    Row row(table_.columns.size());
    while (rows.Next()) {
        ReadServerRow(rows, table_.columns, 2, row);
        const RowId id = rows.Bytes(0).toLongLong();
        versions_[id] = rows.Bytes(1).toLongLong();
        visit(id, row);
    }
}

void PostgresTable::ScanRows(const RowVisitor& visit) {
    VisitRows(QString(), {}, visit);
}

void PostgresTable::ScanRowsContaining(int column, const QString& text, const RowVisitor& visit) {
    const ColumnSchema& c = table_.columns.at(static_cast<size_t>(column));
    VisitRows(QStringLiteral("WHERE strpos(%1, $1) > 0").arg(QuoteIdentifier(c.name)),
              {text.toUtf8()}, visit);
}

void PostgresTable::FetchRow(RowId id, Row& out) {
    auto found = fetched_.find(id);
    if (found == fetched_.end()) {
        FetchBatchFrom(id);
        found = fetched_.find(id);
    }
    if (found == fetched_.end()) {
        out.assign(table_.columns.size(), Value());
        return;
    }
    out = std::move(found->second);
    fetched_.erase(found);
}

void PostgresTable::FetchBatchFrom(RowId id) {
    if (placeOf_.empty()) {
        for (std::size_t i = 0; i < ids_.size(); ++i) {
            placeOf_.emplace(ids_[i], i);
        }
    }
    fetched_.clear();
    QByteArray wanted = "{" + IdText(id);
    const auto place = placeOf_.find(id);
    if (place != placeOf_.end()) {
        const std::size_t end = std::min(ids_.size(), place->second + kFetchBatch);
        for (std::size_t i = place->second + 1; i < end; ++i) {
            wanted += ',' + IdText(ids_[i]);
        }
    }
    wanted += '}';
    PostgresRowStream rows(
        connection_,
        QStringLiteral("SELECT rowid, row_version, %1 FROM %2 WHERE rowid = ANY($1::bigint[])")
            .arg(columns_, name_),
        {wanted});
    while (rows.Next()) {
        Row row(table_.columns.size());
        ReadServerRow(rows, table_.columns, 2, row);
        const RowId read = rows.Bytes(0).toLongLong();
        versions_[read] = rows.Bytes(1).toLongLong();
        fetched_[read] = std::move(row);
    }
}

std::vector<PostgresTable::RowId> PostgresTable::FindRows(const std::vector<int>& columns,
                                                          const std::vector<Value>& values) {
    QStringList conditions;
    std::vector<QByteArray> parameters;
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnSchema& c = table_.columns[static_cast<size_t>(columns[i])];
        const QString name = QuoteIdentifier(c.name);
        if (!IsNullValue(values[i])) {
            parameters.push_back(ServerText(c, values[i]));
            conditions << QStringLiteral("%1 = $%2").arg(name).arg(parameters.size());
        } else if (c.type == ColumnType::Text || c.type == ColumnType::Memo) {
            conditions << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(name);
        } else {
            conditions << name + QStringLiteral(" IS NULL");
        }
    }
    const PostgresResult result =
        connection_.Run(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY rowid")
                            .arg(name_, conditions.join(QStringLiteral(" AND "))),
                        parameters);
    std::vector<RowId> ids;
    for (int r = 0; r < result.Rows(); ++r) {
        ids.push_back(result.Bytes(r, 0).toLongLong());
    }
    return ids;
}

std::vector<QByteArray> PostgresTable::RowParameters(const Row& row) const {
    std::vector<QByteArray> parameters;
    parameters.reserve(row.size() + 2);
    for (size_t i = 0; i < row.size(); ++i) {
        try {
            parameters.push_back(ServerText(table_.columns[i], row[i]));
        } catch (const StoreError& refused) {
            throw StoreError(QStringLiteral("%1: %2.").arg(table_.fileName, refused.Message()));
        }
    }
    return parameters;
}

PostgresTable::RowId PostgresTable::InsertRow(const Row& row) {
    QStringList marks;
    for (size_t i = 0; i < row.size(); ++i) {
        marks << QStringLiteral("$%1").arg(i + 1);
    }
    const PostgresResult result = connection_.Run(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING rowid, row_version")
            .arg(name_, columns_, marks.join(QStringLiteral(", "))),
        RowParameters(row));
    const RowId id = result.Bytes(0, 0).toLongLong();
    versions_[id] = result.Bytes(0, 1).toLongLong();
    return id;
}

void PostgresTable::UpdateRow(RowId id, const Row& row) {
    std::vector<QByteArray> parameters = RowParameters(row);
    QStringList sets;
    for (size_t i = 0; i < row.size(); ++i) {
        sets << QStringLiteral("%1 = $%2").arg(QuoteIdentifier(table_.columns[i].name)).arg(i + 1);
    }
    parameters.push_back(QByteArray::number(static_cast<qlonglong>(id)));
    QString where = QStringLiteral("rowid = $%1").arg(parameters.size());
    const auto known = versions_.find(id);
    if (known != versions_.end()) {
        parameters.push_back(QByteArray::number(static_cast<qlonglong>(known->second)));
        where += QStringLiteral(" AND row_version = $%1").arg(parameters.size());
    }
    const PostgresResult result = connection_.Run(
        QStringLiteral("UPDATE %1 SET %2, row_version = row_version + 1, row_changed_by = "
                       "current_user, row_changed_at = now() WHERE %3 RETURNING row_version")
            .arg(name_, sets.join(QStringLiteral(", ")), where),
        parameters);
    if (result.Rows() == 0) {
        ThrowChangedMeanwhile(id);
    }
    versions_[id] = result.Bytes(0, 0).toLongLong();
    fetched_.erase(id);
}

void PostgresTable::DeleteRow(RowId id) {
    std::vector<QByteArray> parameters{QByteArray::number(static_cast<qlonglong>(id))};
    QString where = QStringLiteral("rowid = $1");
    const auto known = versions_.find(id);
    if (known != versions_.end()) {
        parameters.push_back(QByteArray::number(static_cast<qlonglong>(known->second)));
        where += QStringLiteral(" AND row_version = $2");
    }
    const PostgresResult result =
        connection_.Run(QStringLiteral("DELETE FROM %1 WHERE %2").arg(name_, where), parameters);
    if (result.ChangedRows() == 0) {
        // A row already gone is deleted, as in the local file; a changed
        // one is the other official's, who may have meant to keep it.
        const PostgresResult still = connection_.Run(
            QStringLiteral("SELECT 1 FROM %1 WHERE rowid = $1").arg(name_), {parameters[0]});
        if (still.Rows() > 0) {
            ThrowChangedMeanwhile(id);
        }
    }
    versions_.erase(id);
    fetched_.erase(id);
}

void PostgresTable::ThrowChangedMeanwhile(RowId id) {
    const PostgresResult now = connection_.Run(
        QStringLiteral("SELECT row_changed_by, to_char(row_changed_at, 'FMDD. FMMM. YYYY HH24:MI') "
                       "FROM %1 WHERE rowid = $1")
            .arg(name_),
        {QByteArray::number(static_cast<qlonglong>(id))});
    if (now.Rows() == 0) {
        throw StoreError(
            QStringLiteral("Záznam v tabulce %1 mezitím zmizel.").arg(table_.fileName));
    }
    throw StoreError(
        QStringLiteral("Záznam mezitím změnil jiný uživatel (%1, %2). Načtěte jej "
                       "znovu.")
            .arg(QString::fromUtf8(now.Bytes(0, 0)), QString::fromUtf8(now.Bytes(0, 1))));
}

}  // namespace platform
