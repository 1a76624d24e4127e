#pragma once
// One end of a copy between two stores: a kennel's data folder (the local
// SQLite file) or a club's database on a PostgreSQL server. A side reads a
// table's rows in the order of their row ids, and as the destination takes
// rows with their ids in one transaction that is committed only when every
// table has been written and checked.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/store/schema.h"
#include "platform/store/value.h"

namespace platform {

using RowVisitor = std::function<void(std::int64_t rowId, const Row& row)>;

// Takes the rows of one table; Finish sends what is still buffered.
class RowSink {
  public:
    virtual ~RowSink() = default;
    virtual void Add(std::int64_t rowId, const Row& row) = 0;
    virtual void Finish() = 0;
};

class StoreSide {
  public:
    enum class Role { Source, Destination };
    virtual ~StoreSide() = default;

    // The folder or the server address as the messages show it.
    virtual QString Shown() const = 0;
    // Every row of the table, by row id; a table the store lacks (an older
    // kennel file without a table added later) has none.
    virtual void Scan(const TableSchema& table, const RowVisitor& visit) = 0;

    // Destination only. Begin makes the tables where there are none, refuses
    // a store that already holds rows, and starts the transaction.
    virtual void BeginWriting() = 0;
    virtual std::unique_ptr<RowSink> Write(const TableSchema& table) = 0;
    virtual void CommitWriting() = 0;
    // Undoes everything written; never throws.
    virtual void AbandonWriting() noexcept = 0;
};

// A data folder or a "postgresql://" address.
std::unique_ptr<StoreSide> OpenStoreSide(const QString& address, StoreSide::Role role);

// The message for a destination that already holds rows.
QString DestinationNotEmptyText(const QString& shown, const QString& tableFile);

}  // namespace platform
