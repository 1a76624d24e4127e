#pragma once
// What a path names on disk, found without opening it. Opening a named pipe
// (FIFO) for reading waits until some other program writes into it, reading
// a device such as /dev/zero may never end, and a folder is no file at all,
// so callers that only want the bytes of an ordinary file ask first.

#include <QString>

namespace platform {

enum class FileKind { Missing, NoAccess, Regular, Folder, Fifo, Device, Socket, Other };

// Follows symbolic links: a link to a file is a file, a dangling link is missing.
FileKind KindOfFile(const QString& path);

// Why a path that is not an ordinary file cannot be read as one, in Czech
// ("soubor neexistuje", "je to složka, ne soubor", ...); empty for an
// ordinary file.
QString WhyNotAFile(FileKind kind);

// WhyNotAFile(KindOfFile(path)): empty when the path is a regular file.
QString NotARegularFileReason(const QString& path);

// Whether anything at all (a file, folder, pipe, device or link) has the name.
bool PathExists(const QString& path);

}  // namespace platform
