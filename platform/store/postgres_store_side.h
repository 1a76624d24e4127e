#pragma once
// A club's database on a PostgreSQL server as one end of a copy between
// stores. A source is read in one snapshot, so a copy taken while officials
// work is consistent; a destination gets the tables when it has none.

#include <memory>

#include "platform/store/store_side.h"

namespace platform {

class PostgresConnection;

class PostgresStoreSide : public StoreSide {
  public:
    PostgresStoreSide(const QString& address, Role role);
    ~PostgresStoreSide() override;

    QString Shown() const override;
    void Scan(const TableSchema& table, const RowVisitor& visit) override;
    void BeginWriting() override;
    std::unique_ptr<RowSink> Write(const TableSchema& table) override;
    void CommitWriting() override;
    void AbandonWriting() noexcept override;

  private:
    std::unique_ptr<PostgresConnection> connection_;
    bool writing_ = false;
};

}  // namespace platform
