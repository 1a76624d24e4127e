#include "platform/store/database.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "platform/store/dataset.h"
#include "platform/store/schema.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"

namespace platform {

Database::Database() = default;

Database::Database(const QString& folder) {
    params_ << QStringLiteral("PATH=") + folder;
    Open();
}

Database::~Database() {
    const std::vector<DataSet*> dataSets = dataSets_;
    for (DataSet* dataSet : dataSets)
        dataSet->DetachDatabase();
    dataSets_.clear();
    Close();
}

QString Database::Folder() const {
    for (const QString& p : params_)
        if (p.startsWith(QStringLiteral("PATH="), Qt::CaseInsensitive))
            return p.mid(5).trimmed();
    return QString();
}

QString Database::DatabaseFile(const QString& folder) {
    return QDir(folder).filePath(QString::fromLatin1(kFileName));
}

void Database::Open() {
    if (IsOpen())
        return;
    const QString folder = Folder();
    if (folder.isEmpty())
        throw StoreError(
            QStringLiteral("Databázi nelze otevřít: chybí parametr PATH= se složkou dat."));
    if (!QFileInfo(folder).isDir())
        throw StoreError(
            QStringLiteral("Složka dat „%1“ neexistuje.").arg(QDir::toNativeSeparators(folder)));
    const QString file = DatabaseFile(folder);
    if (!QFileInfo::exists(file))
        throw StoreError(
            QStringLiteral("Ve složce dat „%1“ chybí databáze %2.")
                .arg(QDir::toNativeSeparators(folder), QString::fromLatin1(kFileName)));
    connection_ = std::make_unique<Connection>(file, false);
}

void Database::Close() {
    if (!IsOpen())
        return;
    for (DataSet* dataSet : std::vector<DataSet*>(dataSets_))
        dataSet->Close();
    try {
        if (inTransaction_)
            connection_->Execute(QStringLiteral("ROLLBACK"));
        // Keeps the planner's table statistics current, so joins of the book
        // lists start from the smaller side.
        connection_->Execute(QStringLiteral("PRAGMA optimize"));
    } catch (const StoreError&) {
    }
    inTransaction_ = false;
    connection_.reset();
}

void Database::Analyze() {
    Handle().Execute(QStringLiteral("ANALYZE"));
}

Connection& Database::Handle() {
    if (!connection_)
        throw StoreError(QStringLiteral("Databáze není otevřena."));
    return *connection_;
}

void Database::StartTransaction() {
    if (inTransaction_)
        throw StoreError(QStringLiteral("Transakce již probíhá."));
    Handle().Execute(QStringLiteral("BEGIN IMMEDIATE"));
    inTransaction_ = true;
}

void Database::Commit() {
    if (!inTransaction_)
        throw StoreError(QStringLiteral("Žádná transakce neprobíhá."));
    Handle().Execute(QStringLiteral("COMMIT"));
    inTransaction_ = false;
}

void Database::Rollback() {
    if (!inTransaction_)
        throw StoreError(QStringLiteral("Žádná transakce neprobíhá."));
    inTransaction_ = false;
    Handle().Execute(QStringLiteral("ROLLBACK"));
    for (DataSet* dataSet : std::vector<DataSet*>(dataSets_))
        dataSet->ReloadAfterRollback();
}

void Database::CreateSchema(const QString& folder) {
    const QString file = DatabaseFile(folder);
    if (QFileInfo::exists(file))
        throw StoreError(QStringLiteral("Databáze „%1“ již existuje; nebude přepsána.")
                             .arg(QDir::toNativeSeparators(file)));
    if (!QDir().mkpath(folder))
        throw StoreError(QStringLiteral("Složku dat „%1“ nelze vytvořit.")
                             .arg(QDir::toNativeSeparators(folder)));
    try {
        Connection connection(file, true);
        connection.Execute(QStringLiteral("BEGIN"));
        for (const TableSchema& table : AllTableSchemas())
            for (const QString& statement : CreateStatements(table))
                connection.Execute(statement);
        connection.Execute(QStringLiteral("COMMIT"));
    } catch (const StoreError&) {
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-wal"));
        QFile::remove(file + QStringLiteral("-shm"));
        throw;
    }
}

void Database::Register(DataSet* dataSet) {
    dataSets_.push_back(dataSet);
}

void Database::Unregister(DataSet* dataSet) {
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), dataSet), dataSets_.end());
}

}  // namespace platform
