#pragma once
// What a path names on disk, for commands that must only take a regular
// file: a named pipe (FIFO) opened for reading would wait forever for a
// writer, a device such as /dev/zero never ends, a folder is no file at all.
// Asking never opens the path.

#include <QString>

namespace platform {

// Empty when the path (after following symbolic links) is a regular file;
// otherwise the reason in Czech, e.g. "je to pojmenovaná roura (FIFO), ne
// soubor" or "soubor neexistuje".
QString NotARegularFileReason(const QString& path);

// Whether anything at all (a file, folder, pipe, device or link) has the name.
bool PathExists(const QString& path);

}  // namespace platform
