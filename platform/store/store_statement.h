#pragma once
// One reading statement on either store, the kennel's file or a club's
// server, for the readers that need more SQL than the local dialect has (see
// reading_sql.h for how its text is written). Parameters are ?1, ?2, …;
// columns are read by their place, from 0.

#include <QString>
#include <cstdint>
#include <memory>

#include "platform/store/value.h"

namespace platform {

class Connection;
class Database;

class StoreStatement {
  public:
    enum class Reading {
        // The whole result is fetched at the first Step, so several look-ups
        // can be read side by side on one server connection.
        LookUp,
        // The rows come one at a time (a whole table): nothing else may run
        // on the database until the scan ends or the statement is reset.
        Scan,
    };

    StoreStatement(Database& database, const QString& sql, Reading reading = Reading::LookUp);
    // On a reading connection of a kennel's file of its own (a reading on a thread).
    StoreStatement(Connection& connection, const QString& sql);
    ~StoreStatement();
    StoreStatement(const StoreStatement&) = delete;
    StoreStatement& operator=(const StoreStatement&) = delete;

    void Bind(int index, const Value& value);  // from 1, as ?1
    // Moves to the next row: false at the end. Throws StoreError.
    bool Step();
    // Back before the first row, keeping the bound values.
    void Reset();

    bool IsNull(int column) const;
    QString Text(int column) const;      // empty for null
    std::int64_t Int(int column) const;  // 0 for null; a set boolean is 1
    Value Column(int column) const;

    class Side;

  private:
    std::unique_ptr<Side> side_;
};

}  // namespace platform
