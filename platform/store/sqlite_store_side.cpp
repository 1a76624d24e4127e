#include "platform/store/sqlite_store_side.h"

#include <QDir>
#include <QFile>

#include "platform/file_kind.h"
#include "platform/store/database.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"

namespace platform {
namespace {

class SqliteRowSink : public RowSink {
  public:
    SqliteRowSink(Connection& connection, const TableSchema& table)
        : statement_(connection.Raw(), InsertSql(table)) {}

    void Add(std::int64_t rowId, const Row& row) override {
        statement_.Reset();
        statement_.Bind(1, Value(rowId));
        for (size_t i = 0; i < row.size(); ++i) {
            statement_.Bind(static_cast<int>(i) + 2, row[i]);
        }
        statement_.Step();
    }
    void Finish() override { statement_.Reset(); }

  private:
    static QString InsertSql(const TableSchema& table) {
        QStringList marks;
        for (size_t i = 0; i <= table.columns.size(); ++i) {
            marks << QStringLiteral("?%1").arg(i + 1);
        }
        return QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (%3)")
            .arg(QuoteIdentifier(table.sqlName), QuotedColumnList(table),
                 marks.join(QStringLiteral(", ")));
    }

    Statement statement_;
};

}  // namespace

SqliteStoreSide::SqliteStoreSide(const QString& folder, Role role) : folder_(folder) {
    if (role == Role::Source) {
        database_ = std::make_unique<Database>(folder, OpenMode::ReadOnly);
        return;
    }
    if (!PathExists(Database::DatabaseFile(folder))) {
        Database::CreateSchema(folder);
        created_ = true;
    }
    try {
        database_ = std::make_unique<Database>(folder, OpenMode::ReadWrite);
    } catch (...) {
        AbandonWriting();
        throw;
    }
}

SqliteStoreSide::~SqliteStoreSide() = default;

QString SqliteStoreSide::Shown() const {
    return QDir::toNativeSeparators(folder_);
}

void SqliteStoreSide::Scan(const TableSchema& table, const RowVisitor& visit) {
    Connection& connection = database_->Handle();
    if (!connection.TableExists(table.sqlName)) {
        return;
    }
    Statement s(connection.Raw(),
                QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
                    .arg(QuotedColumnList(table), QuoteIdentifier(table.sqlName)));
    Row row(table.columns.size());
    while (s.Step()) {
        for (size_t i = 0; i < row.size(); ++i) {
            row[i] = s.Column(static_cast<int>(i) + 1);
        }
        visit(s.ColumnInt(0), row);
    }
}

void SqliteStoreSide::BeginWriting() {
    Connection& connection = database_->Handle();
    for (const TableSchema& table : AllTableSchemas()) {
        Statement any(
            connection.Raw(),
            QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(QuoteIdentifier(table.sqlName)));
        if (any.Step()) {
            throw StoreError(DestinationNotEmptyText(Shown(), table.fileName));
        }
    }
    database_->StartTransaction();
}

std::unique_ptr<RowSink> SqliteStoreSide::Write(const TableSchema& table) {
    return std::make_unique<SqliteRowSink>(database_->Handle(), table);
}

void SqliteStoreSide::CommitWriting() {
    database_->Commit();
}

void SqliteStoreSide::AbandonWriting() noexcept {
    if (database_) {
        database_->RollbackAfterFailure();
    }
    if (!created_) {
        return;
    }
    // A database made for a copy that failed is not left half-filled.
    database_.reset();
    const QString file = Database::DatabaseFile(folder_);
    QFile::remove(file);
    QFile::remove(file + QStringLiteral("-wal"));
    QFile::remove(file + QStringLiteral("-shm"));
}

}  // namespace platform
