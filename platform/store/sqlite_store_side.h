#pragma once
// A kennel's data folder as one end of a copy between stores.

#include <memory>

#include "platform/store/store_side.h"

namespace platform {

class Database;

class SqliteStoreSide : public StoreSide {
  public:
    // A source is opened read-only; a destination folder gets a new, empty
    // database when it has none.
    SqliteStoreSide(const QString& folder, Role role);
    ~SqliteStoreSide() override;

    QString Shown() const override;
    void Scan(const TableSchema& table, const RowVisitor& visit) override;
    void BeginWriting() override;
    std::unique_ptr<RowSink> Write(const TableSchema& table) override;
    void CommitWriting() override;
    void AbandonWriting() noexcept override;

  private:
    QString folder_;
    bool created_ = false;  // the database was made for this copy
    std::unique_ptr<Database> database_;
};

}  // namespace platform
