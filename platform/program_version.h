#pragma once
// The programs' version: CMake's project version ("1.0.0"), the same for the
// windowed program, both tools, the about box and the Debian package.

#include <QString>

namespace platform {

QString ProgramVersion();

// "harvel-data 1.0.0": what --version prints.
QString VersionLine(const QString& programName);

// When the only argument is "--version", prints the version line on stdout
// and answers the exit code (0, or 1 when stdout cannot be written);
// otherwise answers -1 and prints nothing.
int AnswerVersionRequest(int argc, char** argv, const char* programName);

}  // namespace platform
