#include "platform/store/database.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

#include <sqlite3.h>

#include "platform/file_kind.h"
#include "platform/store/data_folder_lock.h"
#include "platform/store/dataset.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/postgres_schema.h"
#include "platform/store/schema.h"
#include "platform/store/schema_upgrade.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"

namespace platform {
namespace {

// Below this much free space the program opens the data read-only: a post
// needs room for its pages in the write-ahead log.
constexpr qint64 kMinimumFreeBytes = 64 * 1024;

QString NoWriteReason(int code) {
    return (code & 0xFF) == SQLITE_FULL ? QStringLiteral("na disku není místo")
                                        : QStringLiteral("do složky dat nelze zapisovat");
}

bool DiskNearlyFull(const QString& folder) {
    const QStorageInfo storage(folder);
    const qint64 free = storage.isValid() ? storage.bytesAvailable() : -1;
    return free >= 0 && free < kMinimumFreeBytes;
}

}  // namespace

Database::Database() = default;

Database::Database(const QString& folder, OpenMode mode) : mode_(mode) {
    params_ << QStringLiteral("PATH=") + folder;
    Open();
}

Database::~Database() {
    const std::vector<DataSet*> dataSets = dataSets_;
    for (DataSet* dataSet : dataSets) {
        dataSet->DetachDatabase();
    }
    dataSets_.clear();
    Close();
}

QString Database::Folder() const {
    for (const QString& p : params_) {
        if (p.startsWith(QStringLiteral("PATH="), Qt::CaseInsensitive)) {
            return p.mid(5).trimmed();
        }
    }
    return QString();
}

QString Database::DatabaseFile(const QString& folder) {
    return QDir(folder).filePath(QString::fromLatin1(kFileName));
}

void Database::Open() {
    if (IsOpen()) {
        return;
    }
    const QString folder = Folder();
    if (folder.isEmpty()) {
        throw StoreError(
            QStringLiteral("Databázi nelze otevřít: chybí parametr PATH= se složkou dat."));
    }
    if (IsServerAddress(folder)) {
        OpenServer(folder);
        return;
    }
    if (!QFileInfo(folder).isDir()) {
        throw StoreError(
            QStringLiteral("Složka dat „%1“ neexistuje.").arg(QDir::toNativeSeparators(folder)));
    }
    const QString file = DatabaseFile(folder);
    if (!PathExists(file)) {
        throw StoreError(
            QStringLiteral("Ve složce dat „%1“ chybí databáze %2.")
                .arg(QDir::toNativeSeparators(folder), QString::fromLatin1(kFileName)));
    }
    // A pipe or a device would block or never end when read.
    const QString notAFile = NotARegularFileReason(file);
    if (!notAFile.isEmpty()) {
        throw StoreError(QStringLiteral("Databázi „%1“ nelze otevřít: %2.")
                             .arg(QDir::toNativeSeparators(file), notAFile));
    }
    if (QFileInfo(file).size() == 0) {
        throw StoreError(
            QStringLiteral("Soubor databáze „%1“ je prázdný (0 bajtů); není to databáze Harvel.")
                .arg(QDir::toNativeSeparators(file)));
    }
    OpenFile(file);
}

void Database::OpenFile(const QString& file) {
    readOnly_ = false;
    readOnlyReason_.clear();
    switch (mode_) {
        case OpenMode::ReadWrite:
            OpenForWriting(file);
            break;
        case OpenMode::ReadOnly:
            connection_ = Connection::OpenForReading(file);
            break;
        case OpenMode::ReadWriteOrReadOnly:
            if (DiskNearlyFull(Folder())) {
                readOnlyReason_ = NoWriteReason(SQLITE_FULL);
                connection_ = Connection::OpenForReading(file);
                break;
            }
            try {
                OpenForWriting(file);
                if (connection_->IsReadOnly()) {
                    readOnlyReason_ = NoWriteReason(SQLITE_READONLY);
                }
            } catch (const DataFolderBusy& busy) {
                readOnlyReason_ = busy.Reason();
                connection_ = Connection::OpenForReading(file);
            } catch (const StoreError& error) {
                if (!IsNoWriteFailure(error.EngineCode())) {
                    throw;
                }
                readOnlyReason_ = NoWriteReason(error.EngineCode());
                connection_ = Connection::OpenForReading(file);
            }
            break;
    }
    readOnly_ = mode_ == OpenMode::ReadOnly || connection_->IsReadOnly();
    if (readOnly_) {
        writeLock_.reset();  // a reader keeps no writer out
        ShowLaterColumnsEmpty(*connection_);
    }
}

void Database::OpenServer(const QString& address) {
    readOnly_ = false;
    readOnlyReason_.clear();
    auto server = std::make_unique<PostgresConnection>(address);
    const QStringList present = ServerTablesPresent(*server);
    if (present.size() != static_cast<qsizetype>(AllTableSchemas().size())) {
        throw StoreError(QStringLiteral("V databázi %1 nejsou tabulky programu Harvel; vytvoří je "
                                        "příkaz harvel-data init %1.")
                             .arg(server->ShownAddress()));
    }
    // An official whose role may only read works read-only, as with a
    // write-protected data folder.
    const bool mayWrite =
        server->Values(QStringLiteral("SELECT has_table_privilege('main_card', 'INSERT')"))
            .value(0) == QLatin1String("t");
    if (!mayWrite && mode_ == OpenMode::ReadWrite) {
        throw StoreError(QStringLiteral("Uživatel databáze %1 smí data jen číst; změny nelze "
                                        "uložit.")
                             .arg(server->ShownAddress()),
                         SQLITE_READONLY);
    }
    if (!mayWrite && mode_ == OpenMode::ReadWriteOrReadOnly) {
        readOnlyReason_ = QStringLiteral("uživatel serveru smí data jen číst");
    }
    readOnly_ = mode_ == OpenMode::ReadOnly || !mayWrite;
    if (readOnly_) {
        server->Execute(QStringLiteral("SET default_transaction_read_only = on"));
    }
    // A run that only reads (a report, a dump) sees one snapshot of the
    // club's data from start to end, whatever officials save meanwhile.
    if (mode_ == OpenMode::ReadOnly) {
        server->Execute(QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
    }
    server_ = std::move(server);
}

void Database::OpenForWriting(const QString& file) {
    writeLock_ = std::make_unique<DataFolderLock>(Folder());
    try {
        connection_ = std::make_unique<Connection>(file, Connection::Access::ReadWrite);
        // A database of an older version gets the tables added since.
        if (!connection_->IsReadOnly()) {
            AddLaterObjects(*connection_);
        }
    } catch (...) {
        connection_.reset();
        writeLock_.reset();
        throw;
    }
}

void Database::RequireWritable() const {
    if (!readOnly_) {
        return;
    }
    throw StoreError(
        readOnlyReason_.isEmpty()
            ? QStringLiteral("Data jsou otevřena jen pro čtení; změny nelze uložit.")
            : QStringLiteral("Data jsou otevřena jen pro čtení (%1); změny nelze uložit.")
                  .arg(readOnlyReason_),
        SQLITE_READONLY);
}

void Database::Close() {
    if (!IsOpen()) {
        return;
    }
    for (DataSet* dataSet : std::vector<DataSet*>(dataSets_)) {
        dataSet->Close();
    }
    if (server_) {
        // The server undoes a transaction left open when the connection ends.
        server_.reset();
        inTransaction_ = false;
        readOnly_ = false;
        readOnlyReason_.clear();
        return;
    }
    try {
        if (inTransaction_ && connection_->InTransaction()) {
            connection_->Execute(QStringLiteral("ROLLBACK"));
        }
        // Keeps the planner's table statistics current, so joins of the book
        // lists start from the smaller side. A read-only database is never written.
        if (!readOnly_) {
            connection_->Execute(QStringLiteral("PRAGMA optimize"));
        }
    } catch (const StoreError&) {
    }
    inTransaction_ = false;
    readOnly_ = false;
    readOnlyReason_.clear();
    connection_.reset();
    writeLock_.reset();
}

void Database::Analyze() {
    if (server_) {
        server_->Execute(QStringLiteral("ANALYZE"));
        return;
    }
    Handle().Execute(QStringLiteral("ANALYZE"));
}

Connection& Database::Handle() {
    if (server_) {
        throw StoreError(QStringLiteral("Tato činnost pracuje jen s databází ve složce dat, ne s "
                                        "databází na serveru %1.")
                             .arg(server_->ShownAddress()));
    }
    if (!connection_) {
        throw StoreError(QStringLiteral("Databáze není otevřena."));
    }
    return *connection_;
}

PostgresConnection& Database::Server() {
    if (!server_) {
        throw StoreError(QStringLiteral("Databáze na serveru není otevřena."));
    }
    return *server_;
}

void Database::ExecuteTransactionCommand(const QString& sqlite, const QString& server) {
    if (server_) {
        server_->Execute(server);
    } else {
        Handle().Execute(sqlite);
    }
}

void Database::StartTransaction() {
    if (inTransaction_) {
        throw StoreError(QStringLiteral("Transakce již probíhá."));
    }
    RequireWritable();
    ExecuteTransactionCommand(QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("BEGIN"));
    inTransaction_ = true;
}

void Database::Commit() {
    if (!inTransaction_) {
        throw StoreError(QStringLiteral("Žádná transakce neprobíhá."));
    }
    ExecuteTransactionCommand(QStringLiteral("COMMIT"), QStringLiteral("COMMIT"));
    inTransaction_ = false;
}

void Database::Rollback() {
    if (!inTransaction_) {
        throw StoreError(QStringLiteral("Žádná transakce neprobíhá."));
    }
    inTransaction_ = false;
    // After a full disk or an I/O error SQLite may have undone the
    // transaction itself; a ROLLBACK would then only fail.
    if (server_) {
        server_->Execute(QStringLiteral("ROLLBACK"));
    } else if (Handle().InTransaction()) {
        Handle().Execute(QStringLiteral("ROLLBACK"));
    }
    for (DataSet* dataSet : std::vector<DataSet*>(dataSets_)) {
        dataSet->ReloadAfterRollback();
    }
}

void Database::RollbackAfterFailure() noexcept {
    if (!inTransaction_) {
        return;
    }
    try {
        Rollback();
    } catch (...) {
        // The failure that ended the transaction is the one to report; the
        // transaction is undone by SQLite when the connection closes.
    }
}

void Database::CreateSchema(const QString& folder) {
    if (IsServerAddress(folder)) {
        PostgresConnection server(folder);
        CreateServerSchema(server);
        return;
    }
    const QString file = DatabaseFile(folder);
    const auto refuseExisting = [&file] {
        if (PathExists(file)) {
            throw StoreError(QStringLiteral("Databáze „%1“ již existuje; nebude přepsána.")
                                 .arg(QDir::toNativeSeparators(file)));
        }
    };
    refuseExisting();
    if (!QDir().mkpath(folder)) {
        throw StoreError(QStringLiteral("Složku dat „%1“ nelze vytvořit.")
                             .arg(QDir::toNativeSeparators(folder)));
    }
    const DataFolderLock lock(folder);
    refuseExisting();  // made by another writer meanwhile
    try {
        Connection connection(file, true);
        connection.Execute(QStringLiteral("BEGIN"));
        for (const TableSchema& table : AllTableSchemas()) {
            for (const QString& statement : CreateStatements(table)) {
                connection.Execute(statement);
            }
        }
        connection.Execute(QStringLiteral("COMMIT"));
    } catch (const StoreError&) {
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-wal"));
        QFile::remove(file + QStringLiteral("-shm"));
        throw;
    }
}

void Database::RefreshDataSets() {
    for (DataSet* dataSet : std::vector<DataSet*>(dataSets_)) {
        if (dataSet->State() == DataSetState::Browse) {
            dataSet->Refresh();
        }
    }
}

void Database::Register(DataSet* dataSet) {
    dataSets_.push_back(dataSet);
}

void Database::Unregister(DataSet* dataSet) {
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), dataSet), dataSets_.end());
}

}  // namespace platform
