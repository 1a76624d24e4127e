#pragma once
// The reading and writing of one table on a club's PostgreSQL server, for
// Table. Rows are found and ordered by their row id as in the local file.
// Each row's version is remembered as it is read: a change or a delete of a
// row that another official has changed since is refused, so no one's edit
// overwrites another's unawares.

#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/store/schema.h"
#include "platform/store/value.h"

namespace platform {

class PostgresConnection;

class PostgresTable {
  public:
    using RowId = std::int64_t;
    using RowVisitor = std::function<void(RowId, const Row&)>;

    PostgresTable(PostgresConnection& connection, const TableSchema& table);

    // Throws StoreError when the table or one of its columns is missing.
    void RequireColumns();
    std::vector<RowId> LoadRowIds();
    void ScanRows(const RowVisitor& visit);
    void ScanRowsContaining(int column, const QString& text, const RowVisitor& visit);
    void FetchRow(RowId id, Row& out);
    std::vector<RowId> FindRows(const std::vector<int>& columns, const std::vector<Value>& values);
    RowId InsertRow(const Row& row);
    void UpdateRow(RowId id, const Row& row);
    void DeleteRow(RowId id);

  private:
    void VisitRows(const QString& where, const std::vector<QByteArray>& parameters,
                   const RowVisitor& visit);
    std::vector<QByteArray> RowParameters(const Row& row) const;
    // The message for a row that changed or vanished since it was read.
    [[noreturn]] void ThrowChangedMeanwhile(RowId id);
    // Reads the row and those that follow it in the table's order in one
    // statement into the cache: a list read row by row costs one round trip
    // to the server for a batch of rows, not for each.
    void FetchBatchFrom(RowId id);

    PostgresConnection& connection_;
    const TableSchema& table_;
    QString name_;     // the quoted table name
    QString columns_;  // the quoted column list
    QString order_;    // ORDER BY terms: the table order (Czech for texts), then the row id
    std::unordered_map<RowId, std::int64_t> versions_;
    std::vector<RowId> ids_;                          // the rows in order, as last listed
    std::unordered_map<RowId, std::size_t> placeOf_;  // row id -> index in ids_, built on demand
    std::unordered_map<RowId, Row> fetched_;          // rows read ahead, not yet asked for
};

}  // namespace platform
