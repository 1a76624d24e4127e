#pragma once
// What a path names, found without opening it. Opening a named pipe (FIFO)
// for reading waits until some other program writes into it, and reading a
// device may never end, so callers that only want the bytes of an ordinary
// file ask first.

#include <QString>

namespace platform {

enum class FileKind { Missing, Regular, Folder, Fifo, Device, Other };

// Follows symbolic links: a link to a file is a file, a dangling link is missing.
FileKind KindOfFile(const QString& path);

// Why a path that is not an ordinary file cannot be read as one, in Czech
// ("soubor neexistuje", "je to složka, ne soubor", ...); empty for an
// ordinary file.
QString WhyNotAFile(FileKind kind);

}  // namespace platform
