#pragma once
// Runs one of the programs (or any other command) to its end for a test and
// hands back its exit code and what it wrote. A program that crashed or did
// not end within two minutes gives the code -1.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testing_support {

struct ProgramResult {
    int code = -1;
    QString out, err;
};

inline ProgramResult RunProgram(
    const QString& program, const QStringList& args,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, args);
    ProgramResult r;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Runs the built harvel-data with `args`.
inline ProgramResult RunDataTool(const QStringList& args) {
    return RunProgram(QStringLiteral(HARVEL_BIN_DIR "/harvel-data"), args);
}

}  // namespace testing_support
