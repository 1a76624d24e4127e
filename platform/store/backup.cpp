#include "platform/store/backup.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "platform/clock.h"
#include "platform/file_kind.h"
#include "platform/ini_file.h"
#include "platform/store/catalogue_check.h"
#include "platform/store/data_folder_lock.h"
#include "platform/store/database.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/store_error.h"

namespace platform {
namespace {

// Beside the backups: the name of the newest backup and the state of the
// database file on disk when it was taken, so an unchanged database is not
// copied again.
constexpr char kStateFileName[] = "posledni-zaloha.txt";

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

const QRegularExpression& BackupName() {
    static const QRegularExpression name(
        QStringLiteral("^harvel-\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2}-\\d{2,}\\.sqlite$"));
    return name;
}

std::int64_t ModificationTime(const QString& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path.toStdString(), error);
    return error ? 0 : static_cast<std::int64_t>(time.time_since_epoch().count());
}

// Sizes and modification times (to the nanosecond) of the database file and
// of its write-ahead log when that holds anything. Opening the database
// makes an empty log, which changes no data and so does not count.
QString DiskState(const QString& file) {
    QString state = QStringLiteral("%1 %2").arg(QFileInfo(file).size()).arg(ModificationTime(file));
    const QString wal = file + QStringLiteral("-wal");
    const QFileInfo log(wal);
    if (log.exists() && log.size() > 0) {
        state += QStringLiteral(" %1 %2").arg(log.size()).arg(ModificationTime(wal));
    }
    return state;
}

QString StateFile(const QString& dataFolder) {
    return QDir(BackupFolder(dataFolder)).filePath(QString::fromLatin1(kStateFileName));
}

void WriteState(const QString& dataFolder, const QString& backup, const QString& state) {
    QFile file(StateFile(dataFolder));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write((QFileInfo(backup).fileName() + '\n' + state + '\n').toUtf8());
    }
}

QStringList ReadState(const QString& dataFolder) {
    QFile file(StateFile(dataFolder));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split('\n');
}

void RequireFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        throw StoreError(QStringLiteral("Složku záloh „%1“ nelze vytvořit.").arg(Native(folder)));
    }
}

// Creates the next backup's file (empty) under a name no other backup has:
// the time of day to the second and the first free sequence number.
QString ReserveBackupName(const QString& dataFolder) {
    const QString folder = BackupFolder(dataFolder);
    RequireFolder(folder);
    const QString stem =
        QStringLiteral("harvel-") + Now().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    // After the highest number of the second, not in a gap an older backup
    // of the same second left, so the names keep the order of taking.
    int n = 1;
    for (const QString& name : QDir(folder).entryList({stem + QStringLiteral("-*.sqlite")})) {
        n = std::max(n, name.mid(stem.size() + 1).section('.', 0, 0).toInt() + 1);
    }
    for (;; ++n) {
        const QString path =
            QDir(folder).filePath(stem + QStringLiteral("-%1.sqlite").arg(n, 2, 10, QChar('0')));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            return path;
        }
        if (!file.exists()) {
            throw StoreError(QStringLiteral("Zálohu nelze zapsat do složky „%1“: %2")
                                 .arg(Native(folder), file.errorString()));
        }
    }
}

void RemoveDatabaseFiles(const QString& file) {
    for (const char* ending : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(file + QLatin1String(ending));
    }
}

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

// Pages copied a step: each step is short, and the source stays in one read
// transaction over all of them.
constexpr int kPagesPerStep = 1024;

// Holds the connection in one read transaction until it ends.
class ReadTransaction {
  public:
    explicit ReadTransaction(Connection& connection) : connection_(connection) {
        connection_.Execute(QStringLiteral("BEGIN"));
        connection_.Execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    }
    ~ReadTransaction() { sqlite3_exec(connection_.Raw(), "ROLLBACK", nullptr, nullptr, nullptr); }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

  private:
    Connection& connection_;
};

// The online backup of `source` into a new file `part`, in steps of pages:
// the source is held in one read transaction, so the copy holds one
// committed state even while another connection writes, and no step has to
// begin again.
void BackUpInto(Connection& source, const QString& part) {
    RemoveDatabaseFiles(part);
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(part.toUtf8().constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, SqliteCloser> target(raw);
    if (opened != SQLITE_OK) {
        throw StoreError(QStringLiteral("Zálohu „%1“ nelze vytvořit: %2")
                             .arg(Native(part), SqliteMessage(raw, opened)),
                         opened);
    }
    const ReadTransaction snapshot(source);
    sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source.Raw(), "main");
    if (backup == nullptr) {
        throw StoreError(SqliteMessage(target.get(), sqlite3_errcode(target.get())));
    }
    int stepped = SQLITE_OK;
    while (stepped == SQLITE_OK) {
        stepped = sqlite3_backup_step(backup, kPagesPerStep);
    }
    const int finished = sqlite3_backup_finish(backup);
    const int failed = stepped != SQLITE_DONE ? stepped : finished;
    // The copy takes the source's write-ahead-log mode with its pages; a
    // rollback journal makes it one self-contained file again, which is
    // read without a -wal or -shm file ever appearing beside it.
    const int single =
        failed == SQLITE_DONE || failed == SQLITE_OK
            ? sqlite3_exec(target.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr)
            : failed;
    if (single != SQLITE_OK) {
        const QString message = SqliteMessage(target.get(), single);
        const int code = EngineCode(target.get(), single);
        target.reset();
        RemoveDatabaseFiles(part);
        throw StoreError(QStringLiteral("Zálohu databáze nelze vytvořit: %1").arg(message), code);
    }
}

// Copies the open database to `targetFile` by way of a part file beside
// it, which replaces the target only when it is complete.
void CopyOver(Connection& source, const QString& targetFile) {
    const QString part = targetFile + QStringLiteral(".part");
    BackUpInto(source, part);
    std::error_code error;
    std::filesystem::rename(part.toStdString(), targetFile.toStdString(), error);
    if (error) {
        RemoveDatabaseFiles(part);
        throw StoreError(QStringLiteral("Soubor „%1“ nelze zapsat: %2")
                             .arg(Native(targetFile), QString::fromStdString(error.message())));
    }
}

// A database that may be in use: read through its write-ahead log, as it
// stands committed.
void CopyLive(const QString& sourceFile, const QString& targetFile) {
    const std::unique_ptr<Connection> source = Connection::OpenForReading(sourceFile);
    source->MapFileForReading();
    CopyOver(*source, targetFile);
}

// A file given to restore from. One in write-ahead-log mode with no log
// beside it (a backup of an earlier version) holds all its data in its one
// file: it is read as it lies, so that no -wal or -shm file appears beside
// it. Anything else is read through its log.
void CopyBackupFile(const QString& sourceFile, const QString& targetFile) {
    QFile header(sourceFile);
    const bool walMode =
        header.open(QIODevice::ReadOnly) && header.read(20).mid(18) == QByteArray("\x02\x02");
    header.close();
    const std::unique_ptr<Connection> source =
        walMode && !PathExists(sourceFile + QStringLiteral("-wal"))
            ? std::make_unique<Connection>(sourceFile, Connection::Access::Immutable)
            : Connection::OpenForReading(sourceFile);
    CopyOver(*source, targetFile);
}

// Refuses a database path that names a pipe, a device or a folder: reading
// it would block, never end or fail later with a misleading reason.
void RequireDatabaseFile(const QString& file) {
    const QString notAFile = NotARegularFileReason(file);
    if (!notAFile.isEmpty()) {
        throw StoreError(QStringLiteral("Databázi „%1“ nelze použít: %2; nic nebylo změněno.")
                             .arg(Native(file), notAFile));
    }
}

bool IsOutOfMemory(int engineCode) {
    return (engineCode & 0xFF) == SQLITE_NOMEM;
}

StoreError RestoreRefusal(const QString& backupFile, const QString& reason) {
    return StoreError(QStringLiteral("Ze souboru „%1“ nelze databázi obnovit: %2.")
                          .arg(Native(backupFile), reason));
}

// A file of our own that must not outlive the operation making it.
struct RemovedAtEnd {
    QString file;
    ~RemovedAtEnd() { RemoveDatabaseFiles(file); }
};

// Our backups are whole in their one file and read as they lie, so a check
// leaves no -wal or -shm file beside them; a file with a log of its own is
// read through it.
std::unique_ptr<Connection> OpenForCheck(const QString& file) {
    const QFileInfo log(file + QStringLiteral("-wal"));
    if (log.exists() && log.size() > 0) {
        return Connection::OpenForReading(file);
    }
    return std::make_unique<Connection>(file, Connection::Access::Immutable);
}

// What makes the open database unfit to be a kennel's: damaged pages, or a
// catalogue other than the kennel's. Empty when it is fit. The check reads
// every page once, so a small page cache serves it as well as a large one,
// and none of the file's size stays in memory after it.
QString SoundnessProblem(Connection& connection) {
    connection.Execute(QStringLiteral("PRAGMA cache_size=-2048"));
    Statement check(connection.Raw(), QStringLiteral("PRAGMA quick_check"));
    QStringList faults;
    while (check.Step()) {
        const Value v = check.Column(0);
        const auto* text = std::get_if<QString>(&v);
        if (text == nullptr || *text != QLatin1String("ok")) {
            faults << (text != nullptr ? *text : QString());
        }
    }
    if (!faults.isEmpty()) {
        return faults.mid(0, 3).join(QStringLiteral("; "));
    }
    const QString mismatch = CatalogueMismatch(connection.Raw());
    return mismatch.isEmpty() ? QString() : QStringLiteral("není to databáze Harvel: ") + mismatch;
}

// The database a restore replaces, kept as one more backup; empty when the
// folder has none.
QString KeepReplacedDatabase(const QString& dataFolder) {
    const QString live = Database::DatabaseFile(dataFolder);
    if (!PathExists(live)) {
        return QString();
    }
    const QString kept = ReserveBackupName(dataFolder);
    try {
        CopyLive(live, kept);
    } catch (const StoreError&) {
        // A database too damaged to be read page by page is kept byte for byte.
        QFile::remove(kept);
        if (!QFile::copy(live, kept)) {
            QFile::remove(kept);
            throw StoreError(QStringLiteral("Nahrazovanou databázi „%1“ nelze uschovat; "
                                            "nic nebylo změněno.")
                                 .arg(Native(live)));
        }
    }
    return kept;
}

// Folds the write-ahead log into the database file where that can be done
// (nobody else reads or writes it).
void CheckpointQuietly(const QString& file) {
    try {
        Connection connection(file, Connection::Access::ReadWrite);
        connection.Execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    } catch (const StoreError&) {
        // A damaged database keeps its log; its contents are in the kept backup.
    }
}

// Renames the checked copy over the database in one step. The old
// database's write-ahead log belongs to it alone: left beside the restored
// file it would be replayed onto it. It is folded into the old file first,
// so even a stop between the two steps leaves the old data whole.
void PutInPlace(const QString& fresh, const QString& live) {
    if (PathExists(live)) {
        CheckpointQuietly(live);
    }
    QFile::remove(live + QStringLiteral("-wal"));
    QFile::remove(live + QStringLiteral("-shm"));
    std::error_code error;
    std::filesystem::rename(fresh.toStdString(), live.toStdString(), error);
    if (error) {
        throw StoreError(QStringLiteral("Databázi „%1“ nelze nahradit: %2")
                             .arg(Native(live), QString::fromStdString(error.message())));
    }
}

void Prune(const QString& dataFolder, int keep, const QString& justTaken) {
    QStringList backups = ListBackups(dataFolder);
    for (qsizetype i = 0; i < backups.size() - std::max(keep, 1); ++i) {
        if (backups[i] != justTaken) {
            RemoveDatabaseFiles(backups[i]);
        }
    }
}

}  // namespace

QString BackupFolder(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QString::fromLatin1(kBackupFolderName)) + '/';
}

QStringList ListBackups(const QString& dataFolder) {
    const QDir folder(BackupFolder(dataFolder));
    QStringList backups;
    for (const QString& name :
         folder.entryList({QStringLiteral("harvel-*.sqlite")}, QDir::Files, QDir::Name)) {
        if (BackupName().match(name).hasMatch()) {
            backups << folder.filePath(name);
        }
    }
    return backups;
}

void CopyDatabase(const QString& sourceFile, const QString& targetFile) {
    if (PathExists(targetFile)) {
        throw StoreError(
            QStringLiteral("Soubor „%1“ již existuje; nebude přepsán.").arg(Native(targetFile)));
    }
    RequireDatabaseFile(sourceFile);
    CopyLive(sourceFile, targetFile);
}

bool DatabaseIsSound(const QString& file, QString* problem) {
    QString reason = NotARegularFileReason(file);
    if (reason.isEmpty() && QFileInfo(file).size() == 0) {
        reason = QStringLiteral("soubor je prázdný");
    }
    if (reason.isEmpty()) {
        try {
            reason = SoundnessProblem(*OpenForCheck(file));
        } catch (const StoreError& error) {
            if (IsOutOfMemory(error.EngineCode())) {
                throw;
            }
            reason = error.Message();
        }
    }
    if (problem != nullptr) {
        *problem = reason;
    }
    return reason.isEmpty();
}

QString TakeBackup(const QString& dataFolder, int keep) {
    const QString source = Database::DatabaseFile(dataFolder);
    if (!PathExists(source)) {
        throw StoreError(QStringLiteral("Ve složce dat „%1“ chybí databáze %2.")
                             .arg(Native(dataFolder), QString::fromLatin1(Database::kFileName)));
    }
    RequireDatabaseFile(source);
    const DataFolderLock lock(dataFolder);
    // The state is read before the copy: a change made while copying makes
    // the next automatic backup copy again rather than miss it.
    const QString state = DiskState(source);
    const QString target = ReserveBackupName(dataFolder);
    try {
        CopyLive(source, target);
    } catch (...) {
        RemoveDatabaseFiles(target);
        throw;
    }
    QString problem;
    if (!DatabaseIsSound(target, &problem)) {
        // A copy of a damaged database must not push a sound backup out.
        RemoveDatabaseFiles(target);
        throw StoreError(QStringLiteral("Databáze „%1“ je poškozena (%2). %3")
                             .arg(Native(source), problem, DamagedDatabaseAdvice(dataFolder)),
                         SQLITE_CORRUPT);
    }
    WriteState(dataFolder, target, state);
    Prune(dataFolder, keep, target);
    return target;
}

QString TakeAutomaticBackup(const QString& dataFolder, int keep) {
    const QStringList backups = ListBackups(dataFolder);
    const QStringList state = ReadState(dataFolder);
    if (!backups.isEmpty() && state.size() >= 2 &&
        state[0] == QFileInfo(backups.last()).fileName() &&
        state[1] == DiskState(Database::DatabaseFile(dataFolder))) {
        return QString();
    }
    return TakeBackup(dataFolder, keep);
}

QString RestoreBackup(const QString& dataFolder, const QString& backupFile) {
    QString problem = NotARegularFileReason(backupFile);
    if (problem.isEmpty() && QFileInfo(backupFile).size() == 0) {
        problem = QStringLiteral("soubor je prázdný");
    }
    if (!problem.isEmpty()) {
        throw RestoreRefusal(backupFile, problem);
    }
    const QString live = Database::DatabaseFile(dataFolder);
    if (PathExists(live)) {
        RequireDatabaseFile(live);
    }
    if (QFileInfo(backupFile).canonicalFilePath() == QFileInfo(live).canonicalFilePath()) {
        throw StoreError(
            QStringLiteral("Záloha „%1“ je sama databází složky dat.").arg(Native(backupFile)));
    }
    const DataFolderLock lock(dataFolder);
    // What is checked is the copy that goes in place, so a file changed
    // after its check cannot slip in.
    const QString fresh = live + QStringLiteral(".obnova");
    const RemovedAtEnd copy{fresh};
    try {
        CopyBackupFile(backupFile, fresh);
    } catch (const StoreError& error) {
        if (IsOutOfMemory(error.EngineCode()) || (error.EngineCode() & 0xFF) == SQLITE_FULL) {
            throw;
        }
        throw RestoreRefusal(backupFile, error.Message());
    }
    if (!DatabaseIsSound(fresh, &problem)) {
        throw RestoreRefusal(backupFile, problem);
    }
    const QString kept = KeepReplacedDatabase(dataFolder);
    PutInPlace(fresh, live);
    return kept;
}

QString NewestSoundBackup(const QString& dataFolder) {
    const QStringList backups = ListBackups(dataFolder);
    for (qsizetype i = backups.size() - 1; i >= 0; --i) {
        if (DatabaseIsSound(backups[i])) {
            return backups[i];
        }
    }
    return QString();
}

QString DamagedDatabaseAdvice(const QString& dataFolder) {
    const QString newest = NewestSoundBackup(dataFolder);
    if (newest.isEmpty()) {
        return QStringLiteral("Ve složce záloh „%1“ není žádná záloha, kterou lze otevřít.")
            .arg(Native(BackupFolder(dataFolder)));
    }
    return QStringLiteral(
               "Nejnovější záloha, kterou lze otevřít: %1 (obnoví ji příkaz "
               "harvel-data restore \"%2\" \"%3\").")
        .arg(QFileInfo(newest).fileName(), Native(dataFolder), Native(newest));
}

bool IsDamageError(int engineCode) {
    const int code = engineCode & 0xFF;
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

int BackupsToKeep(const QString& settingsFile) {
    IniFile file(settingsFile);
    if (!file.Load()) {
        return kDefaultBackupsKept;
    }
    const int keep = file.ReadInteger(QStringLiteral("EvidList"), QStringLiteral("PocetZaloh"),
                                      kDefaultBackupsKept);
    return keep > 0 ? keep : kDefaultBackupsKept;
}

}  // namespace platform
