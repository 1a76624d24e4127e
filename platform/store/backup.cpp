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
#include "platform/ini_file.h"
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
    if (log.exists() && log.size() > 0)
        state += QStringLiteral(" %1 %2").arg(log.size()).arg(ModificationTime(wal));
    return state;
}

QString StateFile(const QString& dataFolder) {
    return QDir(BackupFolder(dataFolder)).filePath(QString::fromLatin1(kStateFileName));
}

void WriteState(const QString& dataFolder, const QString& backup, const QString& state) {
    QFile file(StateFile(dataFolder));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write((QFileInfo(backup).fileName() + '\n' + state + '\n').toUtf8());
}

QStringList ReadState(const QString& dataFolder) {
    QFile file(StateFile(dataFolder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n');
}

void RequireFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw StoreError(QStringLiteral("Složku záloh „%1“ nelze vytvořit.").arg(Native(folder)));
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
    for (const QString& name : QDir(folder).entryList({stem + QStringLiteral("-*.sqlite")}))
        n = std::max(n, name.mid(stem.size() + 1).section('.', 0, 0).toInt() + 1);
    for (;; ++n) {
        const QString path =
            QDir(folder).filePath(stem + QStringLiteral("-%1.sqlite").arg(n, 2, 10, QChar('0')));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!file.exists())
            throw StoreError(QStringLiteral("Zálohu nelze zapsat do složky „%1“: %2")
                                 .arg(Native(folder), file.errorString()));
    }
}

void RemoveDatabaseFiles(const QString& file) {
    for (const char* ending : {"", "-wal", "-shm", "-journal"})
        QFile::remove(file + QLatin1String(ending));
}

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

// The online backup of `source` into a new file `part`, one step over all
// pages: the source stays in one read transaction, so the copy holds one
// committed state even while another connection writes.
void BackUpInto(Connection& source, const QString& part) {
    RemoveDatabaseFiles(part);
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(part.toUtf8().constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, SqliteCloser> target(raw);
    if (opened != SQLITE_OK)
        throw StoreError(QStringLiteral("Zálohu „%1“ nelze vytvořit: %2")
                             .arg(Native(part), SqliteMessage(raw, opened)),
                         opened);
    sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source.Raw(), "main");
    if (backup == nullptr)
        throw StoreError(SqliteMessage(target.get(), sqlite3_errcode(target.get())));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    const int failed = stepped != SQLITE_DONE ? stepped : finished;
    if (failed != SQLITE_DONE && failed != SQLITE_OK) {
        const QString message = SqliteMessage(target.get(), failed);
        target.reset();
        RemoveDatabaseFiles(part);
        throw StoreError(QStringLiteral("Zálohu databáze nelze vytvořit: %1").arg(message), failed);
    }
}

// Copies the database `sourceFile` to `targetFile` by way of a part file
// beside it, which replaces the target only when it is complete.
void CopyOver(const QString& sourceFile, const QString& targetFile) {
    const QString part = targetFile + QStringLiteral(".part");
    {
        std::unique_ptr<Connection> source = Connection::OpenForReading(sourceFile);
        BackUpInto(*source, part);
    }
    std::error_code error;
    std::filesystem::rename(part.toStdString(), targetFile.toStdString(), error);
    if (error) {
        RemoveDatabaseFiles(part);
        throw StoreError(QStringLiteral("Soubor „%1“ nelze zapsat: %2")
                             .arg(Native(targetFile), QString::fromStdString(error.message())));
    }
}

void Prune(const QString& dataFolder, int keep, const QString& justTaken) {
    QStringList backups = ListBackups(dataFolder);
    for (qsizetype i = 0; i < backups.size() - std::max(keep, 1); ++i)
        if (backups[i] != justTaken)
            RemoveDatabaseFiles(backups[i]);
}

}  // namespace

QString BackupFolder(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QString::fromLatin1(kBackupFolderName)) + '/';
}

QStringList ListBackups(const QString& dataFolder) {
    const QDir folder(BackupFolder(dataFolder));
    QStringList backups;
    for (const QString& name :
         folder.entryList({QStringLiteral("harvel-*.sqlite")}, QDir::Files, QDir::Name))
        if (BackupName().match(name).hasMatch())
            backups << folder.filePath(name);
    return backups;
}

void CopyDatabase(const QString& sourceFile, const QString& targetFile) {
    if (QFileInfo::exists(targetFile))
        throw StoreError(
            QStringLiteral("Soubor „%1“ již existuje; nebude přepsán.").arg(Native(targetFile)));
    CopyOver(sourceFile, targetFile);
}

bool DatabaseIsSound(const QString& file, QString* problem) {
    QString reason;
    if (!QFileInfo(file).isFile()) {
        reason = QStringLiteral("soubor neexistuje");
    } else if (QFileInfo(file).size() == 0) {
        reason = QStringLiteral("soubor je prázdný");
    } else {
        try {
            std::unique_ptr<Connection> connection = Connection::OpenForReading(file);
            Statement check(connection->Raw(), QStringLiteral("PRAGMA quick_check"));
            QStringList faults;
            while (check.Step()) {
                const Value v = check.Column(0);
                const auto* text = std::get_if<QString>(&v);
                if (text == nullptr || *text != QLatin1String("ok"))
                    faults << (text != nullptr ? *text : QString());
            }
            if (!faults.isEmpty())
                reason = faults.mid(0, 3).join(QStringLiteral("; "));
            else if (!connection->TableExists(QStringLiteral("main_card")))
                reason = QStringLiteral("není to databáze Harvel");
        } catch (const StoreError& error) {
            reason = error.Message();
        }
    }
    if (problem != nullptr)
        *problem = reason;
    return reason.isEmpty();
}

QString TakeBackup(const QString& dataFolder, int keep) {
    const QString source = Database::DatabaseFile(dataFolder);
    if (!QFileInfo::exists(source))
        throw StoreError(QStringLiteral("Ve složce dat „%1“ chybí databáze %2.")
                             .arg(Native(dataFolder), QString::fromLatin1(Database::kFileName)));
    // The state is read before the copy: a change made while copying makes
    // the next automatic backup copy again rather than miss it.
    const QString state = DiskState(source);
    const QString target = ReserveBackupName(dataFolder);
    try {
        CopyOver(source, target);
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
        state[1] == DiskState(Database::DatabaseFile(dataFolder)))
        return QString();
    return TakeBackup(dataFolder, keep);
}

QString RestoreBackup(const QString& dataFolder, const QString& backupFile) {
    QString problem;
    if (!DatabaseIsSound(backupFile, &problem))
        throw StoreError(QStringLiteral("Ze souboru „%1“ nelze databázi obnovit: %2.")
                             .arg(Native(backupFile), problem));
    const QString live = Database::DatabaseFile(dataFolder);
    if (QFileInfo(backupFile).canonicalFilePath() == QFileInfo(live).canonicalFilePath())
        throw StoreError(
            QStringLiteral("Záloha „%1“ je sama databází složky dat.").arg(Native(backupFile)));
    QString kept;
    if (QFileInfo::exists(live)) {
        kept = ReserveBackupName(dataFolder);
        try {
            CopyOver(live, kept);
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
    }
    const QString fresh = live + QStringLiteral(".obnova");
    CopyOver(backupFile, fresh);
    // The old database's write-ahead log belongs to it alone (its contents
    // are in the kept backup); left beside the restored file it would be
    // replayed onto it.
    QFile::remove(live + QStringLiteral("-wal"));
    QFile::remove(live + QStringLiteral("-shm"));
    std::error_code error;
    std::filesystem::rename(fresh.toStdString(), live.toStdString(), error);
    if (error)
        throw StoreError(QStringLiteral("Databázi „%1“ nelze nahradit: %2")
                             .arg(Native(live), QString::fromStdString(error.message())));
    return kept;
}

QString NewestSoundBackup(const QString& dataFolder) {
    const QStringList backups = ListBackups(dataFolder);
    for (qsizetype i = backups.size() - 1; i >= 0; --i)
        if (DatabaseIsSound(backups[i]))
            return backups[i];
    return QString();
}

QString DamagedDatabaseAdvice(const QString& dataFolder) {
    const QString newest = NewestSoundBackup(dataFolder);
    if (newest.isEmpty())
        return QStringLiteral("Ve složce záloh „%1“ není žádná záloha, kterou lze otevřít.")
            .arg(Native(BackupFolder(dataFolder)));
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
    if (!file.Load())
        return kDefaultBackupsKept;
    const int keep = file.ReadInteger(QStringLiteral("EvidList"), QStringLiteral("PocetZaloh"),
                                      kDefaultBackupsKept);
    return keep > 0 ? keep : kDefaultBackupsKept;
}

}  // namespace platform
