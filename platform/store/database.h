#pragma once
// The connection to the kennel database: one SQLite file, harvel.sqlite, in
// the data folder named by the "PATH=" parameter. All tables and queries of
// the program share it, so a reader sees the rows a writer has not committed
// yet. A post outside a transaction is committed (and flushed) at once.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace platform {

class Connection;
class DataSet;

class Database {
  public:
    static constexpr const char* kFileName = "harvel.sqlite";

    Database();
    explicit Database(const QString& folder);  // sets PATH= and opens
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
    void Open();
    void Close();  // closes every data set of the database first
    bool IsOpen() const { return connection_ != nullptr; }

    void StartTransaction();
    void Commit();
    // Undoes the transaction; open data sets re-read their rows (edits in
    // progress are discarded).
    void Rollback();
    bool InTransaction() const { return inTransaction_; }

    // Gathers the table statistics the query planner uses (after bulk loads).
    void Analyze();

    // Creates the folder (when missing) and the database with the thirteen
    // empty tables. Refuses to touch an existing database.
    static void CreateSchema(const QString& folder);
    static QString DatabaseFile(const QString& folder);

    Connection& Handle();  // for the store's own data sets

    void Register(DataSet* dataSet);
    void Unregister(DataSet* dataSet);

  private:
    QString name_;
    QStringList params_;
    std::unique_ptr<Connection> connection_;
    bool inTransaction_ = false;
    std::vector<DataSet*> dataSets_;
};

}  // namespace platform
