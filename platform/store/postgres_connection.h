#pragma once
// A connection to a breed club's database on a PostgreSQL server, through
// libpq. Every failure becomes a StoreError in Czech that names the server's
// own reason. Values travel as text: the store's Value kinds per column type
// (postgres_values.h) convert them both ways.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct pg_conn;
struct pg_result;

namespace platform {

class PostgresConnection;

// The whole result of one statement, every value in the server's text form.
class PostgresResult {
  public:
    explicit PostgresResult(pg_result* result) : result_(result) {}
    ~PostgresResult();
    PostgresResult(PostgresResult&& other) noexcept : result_(other.result_) {
        other.result_ = nullptr;
    }
    PostgresResult(const PostgresResult&) = delete;
    PostgresResult& operator=(const PostgresResult&) = delete;
    PostgresResult& operator=(PostgresResult&&) = delete;

    int Rows() const;
    bool IsNull(int row, int column) const;
    QByteArray Bytes(int row, int column) const;
    // The server's type of a result column (its type id, as pg_type has it).
    unsigned ColumnType(int column) const;
    // The rows an INSERT, UPDATE or DELETE changed.
    int ChangedRows() const;

  private:
    pg_result* result_;
};

// The rows of one SELECT read one at a time (libpq's single-row mode), so a
// table of a million rows never lies in memory as a whole. The connection
// runs nothing else until the stream is read to its end or destroyed.
class PostgresRowStream {
  public:
    PostgresRowStream(PostgresConnection& connection, const QString& sql,
                      const std::vector<QByteArray>& parameters = {});
    ~PostgresRowStream();
    PostgresRowStream(const PostgresRowStream&) = delete;
    PostgresRowStream& operator=(const PostgresRowStream&) = delete;

    // Moves to the next row: false at the end. Throws on a failure.
    bool Next();
    bool IsNull(int column) const;
    // The column's text form as the server sends it (UTF-8).
    QByteArray Bytes(int column) const;
    // The same without a copy, valid until the next Next().
    QByteArrayView View(int column) const;
    // The server's type of a result column (its type id); 0 before the first row.
    unsigned ColumnType(int column) const;

  private:
    void Drain() noexcept;

    PostgresConnection& connection_;
    pg_result* row_ = nullptr;
    bool done_ = false;
};

class PostgresConnection {
  public:
    // `address` is a libpq connection URI ("postgresql://user@host/db") or
    // key=value text. Connects with UTF-8 texts and ISO dates, and refuses a
    // database whose own encoding is not UTF-8 (it could not hold every
    // name a kennel writes).
    explicit PostgresConnection(const QString& address);
    ~PostgresConnection();
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    // Runs one or more statements without parameters.
    void Execute(const QString& sql);
    // Runs one statement with text parameters ($1, $2, ...; a null
    // QByteArray is SQL null).
    PostgresResult Run(const QString& sql, const std::vector<QByteArray>& parameters = {});
    // The same for a statement run many times (a look-up): it is prepared
    // on the server at its first run and planned once, and kept for the
    // connection's life under a name of its own per text.
    PostgresResult RunPrepared(const QString& sql, const std::vector<QByteArray>& parameters);
    // Runs one statement and returns the first column of every row.
    QStringList Values(const QString& sql, const std::vector<QByteArray>& parameters = {});

    // COPY ... FROM STDIN in the text format: Start, then Put each line's
    // bytes (buffered here), then Finish, which reports the server's verdict.
    void StartCopyIn(const QString& copySql);
    void PutCopyData(const QByteArray& bytes);
    void FinishCopyIn();
    // Ends an unfinished COPY without its rows (after a refused value), so
    // the connection can roll back. Never throws.
    void AbortCopyIn() noexcept;

    bool TableExists(const QString& sqlName);
    // The address as the user gave it, without a password.
    const QString& ShownAddress() const { return shown_; }

    pg_conn* Raw() const { return conn_; }
    // The Czech message for a failure of this connection, with the server's reason.
    QString FailureText(const QString& what, pg_result* result = nullptr) const;

  private:
    void FlushCopyBuffer();

    pg_conn* conn_ = nullptr;
    QString shown_;
    QByteArray copyBuffer_;
    QHash<QString, QByteArray> prepared_;  // statement text -> its name on the server
    bool inCopy_ = false;
};

// Whether a data argument names a server database rather than a data folder.
bool IsServerAddress(const QString& argument);

// The address with any password replaced by "***", for messages and logs.
QString AddressWithoutPassword(const QString& address);

}  // namespace platform
