#pragma once
// Reading a database whose write-ahead log holds changes in a place where
// SQLite cannot make the log's index (a write-protected medium, a full disk).
// Read "as it lies" the file would show the state before those changes, so
// the file and its log are copied into a private temporary folder, where
// SQLite reads the log as usual. The copy lives as long as its connection.

#include <QString>
#include <QTemporaryDir>

namespace platform {

// Whether the database file has a write-ahead log beside it that may hold
// committed changes (a "-wal" file that is not empty).
bool HasWriteAheadLog(const QString& file);

class LogReadingCopy {
  public:
    // Throws StoreError naming the reason when the copy cannot be made; the
    // data is then not shown at all rather than shown in an older state.
    explicit LogReadingCopy(const QString& file);
    LogReadingCopy(const LogReadingCopy&) = delete;
    LogReadingCopy& operator=(const LogReadingCopy&) = delete;

    // The copied database file, with its log beside it.
    QString File() const;

  private:
    QTemporaryDir folder_;
    QString file_;
};

}  // namespace platform
