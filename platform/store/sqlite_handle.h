#pragma once
// Thin RAII owners of a SQLite connection and its prepared statements. Every
// SQLite failure becomes a StoreError with a readable text.

#include <sqlite3.h>

#include <QString>
#include <memory>

#include "platform/store/value.h"

namespace platform {

class LogReadingCopy;

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
    enum class Access {
        ReadWrite,  // an existing file, WAL with full synchronous commits
        Create,     // likewise, creating the file when missing
        ReadOnly,   // never writes; needs the WAL index (-shm) or room to make it
        // Reads the file as it lies on disk without any WAL index or lock:
        // for a write-protected medium or a full disk, where nothing else
        // can change the file either.
        Immutable,
    };
    // Opens the database file, registers the Czech collation and the LIKE
    // function and reads the catalogue (so a foreign or damaged file is
    // refused here).
    Connection(const QString& file, Access access);
    Connection(const QString& file, bool create)
        : Connection(file, create ? Access::Create : Access::ReadWrite) {}
    // Reads without writing; where even the write-ahead log's index cannot
    // be made (a write-protected medium, a full disk), reads the file as it
    // lies, or, when a log beside it may hold committed changes, a private
    // copy of the file and its log (never an older state of the data).
    static std::unique_ptr<Connection> OpenForReading(const QString& file);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* Raw() const { return db_; }
    void Execute(const QString& sql);
    // Reads pages straight from a memory mapping of the file instead of
    // copying them into the page cache, and keeps that cache small: a cold
    // read of a large table is several times cheaper, and reading the whole
    // file (a backup) leaves nothing of its size in memory. For short-lived
    // reading connections on the kennel's own database: the mapping holds
    // address space for the whole file.
    void MapFileForReading();
    // Keeps the page cache at a few megabytes: for a short reading of pages
    // scattered over a large file (the ancestors of one animal), filling the
    // program's large cache costs more in allocation than it saves in reads.
    void KeepPageCacheSmall();
    bool TableExists(const QString& sqlName);
    QStringList TableColumns(const QString& sqlName);
    std::int64_t LastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }
    // Whether the main database takes no writes (opened so, or a file the
    // system lets us only read).
    bool IsReadOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }
    // Whether a transaction is open (SQLite may end one by itself on a failure).
    bool InTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

  private:
    sqlite3* db_ = nullptr;
    // The private copy this connection reads, when it reads one.
    std::unique_ptr<LogReadingCopy> copy_;
};

// Readable text for a SQLite failure.
QString SqliteMessage(sqlite3* db, int code);

// The result code a failure is reported with: SQLITE_FULL also for an I/O
// error that the system gave as a full disk.
int EngineCode(sqlite3* db, int code);

// Whether a failure means the folder or the disk takes no writes (rather
// than a damaged or foreign file).
bool IsNoWriteFailure(int code);

}  // namespace platform
