#include "platform/store/postgres_store_side.h"

#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_schema.h"
#include "platform/store/postgres_values.h"
#include "platform/store/store_error.h"

namespace platform {
namespace {

// The row id first, then the table's columns.
QString ColumnList(const TableSchema& table) {
    return QStringLiteral("\"rowid\", ") + QuotedColumnList(table);
}

// Writes a table's rows with COPY, the server's fastest way in.
class PostgresRowSink : public RowSink {
  public:
    PostgresRowSink(PostgresConnection& connection, const TableSchema& table)
        : connection_(connection), table_(table) {
        connection_.StartCopyIn(QStringLiteral("COPY %1 (%2) FROM STDIN")
                                    .arg(QuoteIdentifier(table.sqlName), ColumnList(table)));
    }

    void Add(std::int64_t rowId, const Row& row) override {
        line_.clear();
        line_ += QByteArray::number(static_cast<qlonglong>(rowId));
        for (size_t i = 0; i < row.size(); ++i) {
            line_ += '\t';
            AppendCopyText(table_.columns[i], row[i], line_);
        }
        line_ += '\n';
        connection_.PutCopyData(line_);
    }

    void Finish() override {
        connection_.FinishCopyIn();
        // New rows continue after the copied ids.
        connection_.Execute(
            QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'rowid'), "
                           "COALESCE(max(\"rowid\"), 1), max(\"rowid\") IS NOT NULL) FROM %1")
                .arg(QuoteIdentifier(table_.sqlName)));
    }

  private:
    PostgresConnection& connection_;
    const TableSchema& table_;
    QByteArray line_;
};

}  // namespace

PostgresStoreSide::PostgresStoreSide(const QString& address, Role role)
    : connection_(std::make_unique<PostgresConnection>(address)) {
    if (role == Role::Source) {
        connection_->Execute(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    }
}

PostgresStoreSide::~PostgresStoreSide() {
    AbandonWriting();
}

QString PostgresStoreSide::Shown() const {
    return connection_->ShownAddress();
}

void PostgresStoreSide::Scan(const TableSchema& table, const RowVisitor& visit) {
    if (!connection_->TableExists(table.sqlName)) {
        throw StoreError(
            QStringLiteral("V databázi %1 chybí tabulka %2.").arg(Shown(), table.fileName));
    }
    PostgresRowStream rows(*connection_,
                           QStringLiteral("SELECT %1 FROM %2 ORDER BY \"rowid\"")
                               .arg(ColumnList(table), QuoteIdentifier(table.sqlName)));
    Row row(table.columns.size());
    while (rows.Next()) {
        ReadServerRow(rows, table.columns, 1, row);
        visit(rows.Bytes(0).toLongLong(), row);
    }
}

void PostgresStoreSide::BeginWriting() {
    const QStringList present = ServerTablesPresent(*connection_);
    if (present.isEmpty()) {
        CreateServerSchema(*connection_);
    } else if (present.size() != static_cast<qsizetype>(AllTableSchemas().size())) {
        QStringList missing;
        for (const TableSchema& table : AllTableSchemas()) {
            if (!present.contains(table.fileName)) {
                missing << table.fileName;
            }
        }
        throw StoreError(QStringLiteral("V databázi %1 chybí tabulky %2; není to databáze Harvel.")
                             .arg(Shown(), missing.join(QStringLiteral(", "))));
    }
    for (const TableSchema& table : AllTableSchemas()) {
        if (!connection_
                 ->Values(
                     QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(QuoteIdentifier(table.sqlName)))
                 .isEmpty()) {
            throw StoreError(DestinationNotEmptyText(Shown(), table.fileName));
        }
    }
    connection_->Execute(QStringLiteral("BEGIN"));
    writing_ = true;
}

std::unique_ptr<RowSink> PostgresStoreSide::Write(const TableSchema& table) {
    return std::make_unique<PostgresRowSink>(*connection_, table);
}

void PostgresStoreSide::CommitWriting() {
    connection_->Execute(QStringLiteral("COMMIT"));
    writing_ = false;
}

void PostgresStoreSide::AbandonWriting() noexcept {
    if (!writing_) {
        return;
    }
    writing_ = false;
    connection_->AbortCopyIn();
    try {
        connection_->Execute(QStringLiteral("ROLLBACK"));
    } catch (const StoreError&) {
        // The server undoes an unfinished transaction when the connection ends.
    }
}

}  // namespace platform
