#pragma once
// A table of the kennel database, addressed by its file name ("main_card.db",
// "kryti.DB"; case and the ".db" ending do not matter). Keyed tables list
// their rows in key order (main_card.db by registered name in Czech order,
// adresar.db by key name, vrhy.db and chovnost.DB by name and date); the
// others in the order the rows were added. Every post is written at once.

#include <map>
#include <memory>

#include "platform/store/dataset.h"

namespace platform {

class PostgresTable;
class Statement;

class Table : public DataSet {
  public:
    explicit Table(Database& database, const QString& tableName = QString());
    ~Table() override;

    // Throws StoreError for a name that is not one of the thirteen tables.
    void SetTableName(const QString& tableName);
    QString TableName() const;
    const TableSchema& Schema() const;

    QString DisplayName() const override;
    bool IsQuery() const override { return false; }

  protected:
    std::vector<ColumnSchema> DoOpen() override;
    void DoClose() override;
    std::vector<RowId> LoadRowIds() override;
    void ScanRows(const std::function<void(RowId, const Row&)>& visit) override;
    void ScanRowsContaining(int column, const QString& text,
                            const std::function<void(RowId, const Row&)>& visit) override;
    void FetchRow(RowId id, Row& out) override;
    std::vector<RowId> FindRows(const std::vector<int>& columns,
                                const std::vector<Value>& values) override;
    bool ReadOnly() const override;  // a table of a read-only database
    RowId InsertRow(const Row& row) override;
    void UpdateRow(RowId id, const Row& row) override;
    void DeleteRow(RowId id) override;
    int CompareOrder(const Row& a, RowId idA, const Row& b, RowId idB) const override;
    bool KeepsFields() const override { return true; }
    bool HasKeyOrder() const override;

  private:
    Statement& Prepared(const QString& key, const QString& sql);
    void VisitRows(Statement& s, const std::function<void(RowId, const Row&)>& visit);
    QString ColumnList() const;
    QString OrderClause() const;
    void BuildStatementTexts();
    [[noreturn]] void Rethrow(const class StoreError& error, const Row& row) const;
    [[noreturn]] void RethrowServerFailure(const class StoreError& error, const Row& row) const;

    const TableSchema* schema_ = nullptr;
    // The table on a club's server, while open on one; null for the local file.
    std::unique_ptr<PostgresTable> server_;
    std::vector<int> orderColumns_;
    std::map<QString, std::unique_ptr<Statement>> statements_;
    // The SQL of the statements every row goes through, built once per table
    // name so that reading or writing a row builds no text.
    QString idsSql_, scanSql_, fetchSql_, insertSql_, updateSql_;
};

}  // namespace platform
