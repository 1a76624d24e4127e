#pragma once
// Sorting a query result in memory: each row's sort terms are packed into
// one byte string whose plain byte order is the wanted row order (texts are
// already Czech sort keys), and the row numbers are sorted by those strings.
// This sorts a large book list faster than SQLite's sorter, which would
// carry every column of the row through the sort.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/store/sql_translator.h"

struct sqlite3_stmt;

namespace platform {

class SortKeys {
  public:
    // Encodes columns first.. of the statement's current row as the key of the next row.
    void AppendFrom(sqlite3_stmt* statement, int first, const std::vector<OrderTerm>& terms);
    // Row numbers 0..n-1 in key order.
    std::vector<std::int64_t> SortedRows() const;
    void Clear();

  private:
    std::string arena_;
    std::vector<std::uint64_t> starts_;
};

}  // namespace platform
