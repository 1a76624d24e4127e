#pragma once
// The lock of a data folder. Every process that writes a data folder (the
// program, harvel-data load, import, restore and init, the backups into
// Zalohy/) holds it for as long as it writes; readers never take it, so
// queries, dumps, checks and reports run beside any writer.
//
// It is an exclusive flock() on the file "harvel.lock" in the data folder
// itself: one lock for everyone who reaches the folder, whatever their user
// name or temporary folder, and one the system releases when its holder ends
// in any way, kill -9 included. The file names the holder and its process
// number ("harvel-data load", "1234") so that a refused writer can say who
// has the data; the holder removes it when it lets the lock go. A file left
// by a holder that died is only a name: the next writer locks and rewrites it.
//
// Within one process the lock is shared: the program's start-up backup, made
// beside its open database, or an import's backup before it writes, takes
// the lock its own process already holds.

#include <QString>
#include <memory>

#include "platform/store/store_error.h"

namespace platform {

inline constexpr char kDataLockFileName[] = "harvel.lock";

// What this process is called in the lock file: "program Harvel",
// "harvel-data load", ... Without it the executable's file name is used.
void SetDataLockHolderName(const QString& name);

// A refusal because another process holds the lock of the folder.
class DataFolderBusy : public StoreError {
  public:
    DataFolderBusy(const QString& holder, qint64 processId);
    // "Data používá harvel-data load (proces 1234)" without the full stop,
    // for use inside another sentence; the first letter is kept.
    const QString& Reason() const { return reason_; }

  private:
    QString reason_;
};

class DataLockHolding;

class DataFolderLock {
  public:
    // Takes the lock of the data folder at once, without waiting. Throws
    // DataFolderBusy when another process holds it, StoreError when the
    // folder is missing or the lock file cannot be made there (a
    // write-protected folder: engine code SQLITE_READONLY; a full disk:
    // SQLITE_FULL).
    explicit DataFolderLock(const QString& dataFolder);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    // The lock file's path.
    static QString LockFile(const QString& dataFolder);

  private:
    QString key_;  // the folder's canonical path
    std::shared_ptr<DataLockHolding> holding_;
};

}  // namespace platform
