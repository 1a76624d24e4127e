#include "platform/program_version.h"

#include <cstdio>
#include <cstring>

#ifndef HARVEL_PROGRAM_VERSION
#error "the build passes HARVEL_PROGRAM_VERSION, the project version"
#endif

namespace platform {

QString ProgramVersion() {
    return QStringLiteral(HARVEL_PROGRAM_VERSION);
}

QString VersionLine(const QString& programName) {
    return programName + u' ' + ProgramVersion();
}

int AnswerVersionRequest(int argc, char** argv, const char* programName) {
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0) {
        return -1;
    }
    const QByteArray line = (VersionLine(QString::fromUtf8(programName)) + u'\n').toUtf8();
    // A full disk behind the output is a failure, not a silent success.
    const bool written = std::fputs(line.constData(), stdout) >= 0 && std::fflush(stdout) == 0;
    if (!written) {
        std::fputs("Verzi nelze vypsat: výstup nelze zapsat.\n", stderr);
    }
    return written ? 0 : 1;
}

}  // namespace platform
