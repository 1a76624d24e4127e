#pragma once
// The lock file of the program's single-instance guard: one running copy per
// user. It guards no data; the writers of a data folder exclude each other
// with the folder's own lock (store/data_folder_lock.h).

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// "harvel-<user>.lock" in the temporary folder.
QString InstanceLockFilePath();

// Takes the lock at once; nullptr when another process (a running program)
// holds it. A lock left by a process that died is taken over.
std::unique_ptr<QLockFile> TryInstanceLock();

}  // namespace platform
