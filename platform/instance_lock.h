#pragma once
// The lock file of the program's single-instance guard. The windowed program
// holds it while it runs; tools that must not work under a running program
// (restoring a backup) take it for as long as they work, so the program
// cannot start meanwhile either.

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
