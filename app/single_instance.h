#pragma once
// One running copy of the program per user session. The lock is a lock file
// "harvel-<user>.lock" in the temporary folder (a copy that died leaves a
// stale lock, which the next start takes over) plus a local server named
// "harvel". A second copy finds the lock taken, connects to the first copy's
// server once (the first copy accepts and ignores it, as no window of the
// program reacts to the start of a second copy), shows its message and ends.

#include <QLocalServer>
#include <QLockFile>
#include <memory>

inline constexpr char kInstanceName[] = "harvel";

class SingleInstanceLock {
  public:
    SingleInstanceLock();
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock; false when another copy holds it.
    bool Acquire();

    QString LockFilePath() const;

  private:
    void Listen();

    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

// The second copy's part: tells the running copy (by connecting to its
// server) and shows "        Aplikace je již spuštěna    " with the caption
// "Upozornění", an error icon and OK.
void ReportRunningCopy();
