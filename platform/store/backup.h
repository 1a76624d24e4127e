#pragma once
// Backups of the kennel database. A backup is a consistent copy made with
// SQLite's online backup, so it can be taken while the program (or any other
// connection) writes: it holds the data as one committed state. Backups of
// a data folder live in its subfolder Zalohy/ under names that carry the
// date and time and a two-digit sequence number,
//   harvel-2026-12-09_22-30-15-01.sqlite
// so two backups in the same second get different names and the names sort
// in the order the backups were taken. The newest `keep` backups stay; older
// ones are deleted whenever a new one is added. A backup is one
// self-contained file (not in write-ahead-log mode), and checking it makes
// no file beside it. Writing backups into Zalohy/ and restoring hold the
// data folder's lock (data_folder_lock.h).

#include <QString>
#include <QStringList>

namespace platform {

inline constexpr char kBackupFolderName[] = "Zalohy";
inline constexpr int kDefaultBackupsKept = 10;

// DATA/Zalohy/ of a data folder.
QString BackupFolder(const QString& dataFolder);

// The backups of a data folder, full paths, oldest first.
QStringList ListBackups(const QString& dataFolder);

// Copies the database file `sourceFile` into `targetFile` (which must not
// exist) with the online backup. The target appears whole or not at all.
// The source is only read (a reader takes no lock). Throws StoreError.
void CopyDatabase(const QString& sourceFile, const QString& targetFile);

// Whether the file is a sound kennel database: a regular file that passes
// SQLite's quick check of its pages and holds exactly the kennel's tables,
// columns and indexes (catalogue_check.h). `problem` (when given) receives
// the reason when it is not. Only running out of memory throws.
bool DatabaseIsSound(const QString& file, QString* problem = nullptr);

// A new backup of the data folder's database in its backup folder; the
// copy is checked, then the backups beyond the newest `keep` are deleted.
// Returns the backup's path. A database whose copy fails the check is
// damaged: nothing is kept and StoreError says so, naming the newest sound
// backup.
QString TakeBackup(const QString& dataFolder, int keep = kDefaultBackupsKept);

// TakeBackup, unless nothing changed in the database since the newest
// backup was taken: then returns an empty text and writes nothing.
QString TakeAutomaticBackup(const QString& dataFolder, int keep = kDefaultBackupsKept);

// Puts the backup file in place of the data folder's database. A pipe,
// device or folder, as the file or found as the database, is refused at
// once. Holding the data folder's lock (DataFolderBusy while another writer
// has it), the file is copied beside the database and the copy checked
// (DatabaseIsSound); a refused file leaves the folder as it was. The
// database it replaces is kept as one more backup, whose path is returned
// (empty when there was none), and the copy is renamed into place.
QString RestoreBackup(const QString& dataFolder, const QString& backupFile);

// The newest backup of the data folder that opens and passes the check;
// empty when there is none.
QString NewestSoundBackup(const QString& dataFolder);

// A sentence for a damaged database: the newest sound backup by name and
// how to put it back, or that there is no usable backup.
QString DamagedDatabaseAdvice(const QString& dataFolder);

// Whether a store error's engine code means a damaged or foreign database file.
bool IsDamageError(int engineCode);

// How many backups to keep: key PocetZaloh of section EvidList of the
// settings file (Harvel.INI); 10 when missing or not a positive number.
int BackupsToKeep(const QString& settingsFile);

}  // namespace platform
