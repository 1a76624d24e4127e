#pragma once
// The connection to the kennel database: one SQLite file, harvel.sqlite, in
// the data folder named by the "PATH=" parameter, or a breed club's database
// on a PostgreSQL server when "PATH=" is its "postgresql://" address. All tables and queries of
// the program share it, so a reader sees the rows a writer has not committed
// yet. A post outside a transaction is committed (and flushed) at once.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace platform {

class Connection;
class DataFolderLock;
class PostgresConnection;
class DataSet;

// How a database is opened.
enum class OpenMode {
    ReadWrite,  // for changing the data; refuses a file that cannot be written
    // Never writes a byte: works in a read-only folder and on a full disk.
    // Commands and runs that only read use it.
    ReadOnly,
    // Read-write when the folder and the disk take writes, otherwise
    // read-only; ReadOnlyReason() then says why (the windowed program).
    ReadWriteOrReadOnly,
};

class Database {
  public:
    static constexpr const char* kFileName = "harvel.sqlite";

    Database();
    // Sets PATH= and opens.
    explicit Database(const QString& folder, OpenMode mode = OpenMode::ReadWrite);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& DatabaseName() const { return name_; }
    void SetDatabaseName(const QString& name) { name_ = name; }
    const QStringList& Params() const { return params_; }
    void SetParams(const QStringList& params) { params_ = params; }
    void AddParam(const QString& param) { params_ << param; }
    QString Folder() const;  // the value of PATH=

    // Opens the database file of the folder. Throws StoreError when the
    // folder or the file is missing, locked or not a Harvel database.
    // Opened for writing, the database holds the data folder's lock
    // (data_folder_lock.h) until it is closed: while another process holds
    // it, ReadWrite refuses with DataFolderBusy and ReadWriteOrReadOnly
    // opens read-only, naming the holder as the reason.
    void Open();
    void Close();  // closes every data set of the database first
    bool IsOpen() const { return connection_ != nullptr || server_ != nullptr; }
    // Whether the database is a club's on a server (PATH= is its address).
    bool IsServer() const { return server_ != nullptr; }
    OpenMode Mode() const { return mode_; }
    void SetOpenMode(OpenMode mode) { mode_ = mode; }
    // Whether the open database takes no writes (asked for, or found so).
    bool IsReadOnly() const { return readOnly_; }
    // Why ReadWriteOrReadOnly opened read-only ("na disku není místo"); empty otherwise.
    const QString& ReadOnlyReason() const { return readOnlyReason_; }
    // Throws StoreError with a clear refusal when the database is read-only.
    void RequireWritable() const;

    void StartTransaction();
    void Commit();
    // Undoes the transaction; open data sets re-read their rows (edits in
    // progress are discarded).
    // A transaction SQLite has already undone by itself (a full disk, an I/O
    // error) is only marked as ended.
    void Rollback();
    // For the failure path of a transaction: rolls back and never throws, so
    // the failure that stopped the transaction is the one reported.
    void RollbackAfterFailure() noexcept;
    bool InTransaction() const { return inTransaction_; }

    // Gathers the table statistics the query planner uses (after bulk loads).
    void Analyze();

    // Creates the folder (when missing) and the database with the thirteen
    // empty tables, or the tables and roles in a server's empty database
    // (postgres_schema.h). Refuses to touch an existing database.
    static void CreateSchema(const QString& folder);
    static QString DatabaseFile(const QString& folder);

    // The local file's connection, for the store's own data sets; throws
    // StoreError for a server database, naming what needs the local file.
    Connection& Handle();
    PostgresConnection& Server();  // the server's connection; throws for a local file

    // Re-reads the rows of every open data set that is not being edited: on
    // a club's server, what other officials saved since shows.
    void RefreshDataSets();

    void Register(DataSet* dataSet);
    void Unregister(DataSet* dataSet);

  private:
    QString name_;
    QStringList params_;
    void OpenFile(const QString& file);

    void OpenForWriting(const QString& file);
    void OpenServer(const QString& address);
    void ExecuteTransactionCommand(const QString& sqlite, const QString& server);

    std::unique_ptr<DataFolderLock> writeLock_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<PostgresConnection> server_;
    OpenMode mode_ = OpenMode::ReadWrite;
    bool readOnly_ = false;
    QString readOnlyReason_;
    bool inTransaction_ = false;
    std::vector<DataSet*> dataSets_;
};

}  // namespace platform
