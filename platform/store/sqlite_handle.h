#pragma once
// Thin RAII owners of a SQLite connection and its prepared statements. Every
// SQLite failure becomes a StoreError with a readable text.

#include <sqlite3.h>

#include <QString>
#include <memory>

#include "platform/store/value.h"

namespace platform {

class Statement {
  public:
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void Bind(int index, const Value& value);  // 1-based like SQLite
    // Steps once: true when a row is ready, false when done. Throws on error.
    bool Step();
    void Reset();
    Value Column(int index) const;  // 0-based
    std::int64_t ColumnInt(int index) const { return sqlite3_column_int64(stmt_, index); }
    int ColumnCount() const { return sqlite3_column_count(stmt_); }
    sqlite3_stmt* Raw() const { return stmt_; }

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Connection {
  public:
    // Opens an existing database file for reading and writing (never creates
    // it unless `create` is set), registers the Czech collation and the LIKE
    // function, and sets WAL with full synchronous commits.
    Connection(const QString& file, bool create);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* Raw() const { return db_; }
    void Execute(const QString& sql);
    bool TableExists(const QString& sqlName);
    QStringList TableColumns(const QString& sqlName);
    std::int64_t LastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }

  private:
    sqlite3* db_ = nullptr;
};

// Readable text for a SQLite failure; `what` says what was being done.
QString SqliteMessage(sqlite3* db, int code);

}  // namespace platform
