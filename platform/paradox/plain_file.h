#pragma once
// Taking over reads only the old installation's own files: a symbolic link
// could point anywhere (/etc/shadow copied as a template), and a pipe or a
// device would hang or flood the reading. Such a file is reported and left
// where it is.

#include <QString>

namespace platform::paradox {

// Why `path` is not read ("symbolický odkaz", "pojmenovaná roura", ...);
// empty for a plain file (also for a missing one, which the caller reports).
QString NotPlainFileReason(const QString& path);

}  // namespace platform::paradox
