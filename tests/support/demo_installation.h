#pragma once
// An installation of harvel-report for a test suite: the program copied into
// bin/ of a temporary folder beside a Harvel.INI of the test's own (so the
// kennel's name is known), and the demo kennel loaded into DATA/.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/codepage1250.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace testing_support {

class DemoInstallation {
  public:
    // `ini` is the text of Harvel.INI, written in Windows-1250 as the program reads it.
    explicit DemoInstallation(const QString& ini) {
        const QString bin = root_.filePath("bin");
        if (!root_.isValid() || !QDir().mkpath(bin) ||
            !QFile::copy(QStringLiteral(HARVEL_BIN_DIR "/harvel-report"), bin + "/harvel-report")) {
            failure_ = QStringLiteral("the program cannot be copied into ") + bin;
            return;
        }
        WriteFile(bin + "/Harvel.INI", platform::ToCp1250(ini));
        const ProgramResult load = RunProgram(
            QStringLiteral("/bin/sh"), {QStringLiteral(HARVEL_SOURCE_DIR "/demo/load-demo.sh"),
                                        Data(), QStringLiteral(HARVEL_BIN_DIR "/harvel-data")});
        if (load.code != 0) {
            failure_ = QStringLiteral("the demo kennel was not loaded: ") + load.err;
        }
    }

    // Empty when the installation is ready, else what went wrong.
    const QString& Failure() const { return failure_; }

    QString Data() const { return root_.filePath("DATA"); }
    QString Out(const QString& name) const { return root_.filePath(name); }

    // Runs the installed harvel-report over the demo kennel.
    ProgramResult Report(const QStringList& args) const {
        return RunProgram(root_.filePath("bin/harvel-report"),
                          QStringList{"--data", Data()} + args);
    }

  private:
    QTemporaryDir root_;
    QString failure_;
};

}  // namespace testing_support
