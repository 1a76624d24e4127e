#pragma once
// Copies every table of one store into another, empty one: a kennel's data
// folder into a club's PostgreSQL database and back, or between two folders
// or two servers. Rows keep their ids, so the tables list in the same order
// on both sides. Every row read back from the destination is checked
// against the source before the copy is committed; any difference, and any
// value the destination cannot hold, stops the copy with nothing written.

#include <QString>
#include <cstdint>
#include <vector>

namespace platform {

struct CopiedTable {
    QString fileName;
    std::int64_t rows = 0;
};

struct StoreCopyResult {
    std::vector<CopiedTable> tables;
    std::int64_t Rows() const;
};

// `source` and `destination` are data folders or "postgresql://" addresses.
// Throws StoreError: a damaged value in the source (with the way to find
// it), a value the destination refuses (with the table, the record and the
// column), a destination that holds rows, a difference found by the check.
StoreCopyResult CopyStore(const QString& source, const QString& destination);

}  // namespace platform
