// One running copy only: the real program started twice (the second copy
// reports the first and ends with exit code 0), a lock left by a copy that
// died is taken over, and in-process the start-up ends before creating any
// window when the lock is taken.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "app/single_instance.h"
#include "app/startup.h"
#include "tests/support/seams.h"

namespace {

const QString kRunningCopyLine =
    QStringLiteral("Upozornění:         Aplikace je již spuštěna    \n");

QString ProgramPath() {
    return QStringLiteral(HARVEL_BIN_DIR "/harvel");
}

// Each test gets a temporary folder of its own for the lock and the socket,
// so a Harvel the developer runs meanwhile does not interfere.
class StartUp : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        ASSERT_TRUE(QFileInfo(ProgramPath()).isExecutable())
            << "build the harvel program first: " << ProgramPath().toStdString();
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("TMPDIR", temp_.path());
        environment_.insert("QT_QPA_PLATFORM", "offscreen");
        environment_.insert("HARVEL_MESSAGES", "stderr");
    }

    void TearDown() override {
        for (QProcess* process : {&first_, &third_}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    void Start(QProcess& process) {
        process.setProcessEnvironment(environment_);
        process.start(ProgramPath(), {});
        ASSERT_TRUE(process.waitForStarted(5000));
    }

    // The first copy holds the lock once its lock file and its socket exist.
    bool WaitUntilRunning(QProcess& process) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 15000 && process.state() == QProcess::Running) {
            if (QFileInfo::exists(temp_.filePath("harvel"))) {
                return true;
            }
            QThread::msleep(50);
        }
        return false;
    }

    QTemporaryDir temp_;
    QProcessEnvironment environment_;
    QProcess first_;
    QProcess third_;
};

}  // namespace

TEST_F(StartUp, SecondCopyReportsTheRunningOneAndEndsWithZero) {
    Start(first_);
    ASSERT_TRUE(WaitUntilRunning(first_)) << first_.readAllStandardError().toStdString();

    QProcess second;
    Start(second);
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(second.readAllStandardError()).contains(kRunningCopyLine))
        << "the second copy's message";

    EXPECT_EQ(first_.state(), QProcess::Running) << "the first copy is not disturbed";
    EXPECT_FALSE(QString::fromUtf8(first_.readAllStandardError()).contains("Aplikace"));
}

TEST_F(StartUp, ALockLeftByACopyThatDiedIsTakenOver) {
    Start(first_);
    ASSERT_TRUE(WaitUntilRunning(first_));
    first_.kill();
    ASSERT_TRUE(first_.waitForFinished(5000));

    Start(third_);
    EXPECT_FALSE(third_.waitForFinished(2000)) << "the new copy runs";
    EXPECT_FALSE(QString::fromUtf8(third_.readAllStandardError()).contains("Aplikace"));
}

TEST_F(StartUp, WithTheLockTakenNoWindowIsCreated) {
    const QByteArray previousTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp_.path().toLocal8Bit());
    {
        SingleInstanceLock running;
        ASSERT_TRUE(running.Acquire());
        testing_support::ScriptedMessages messages;
        const auto windowsBefore = QApplication::topLevelWidgets().size();

        EXPECT_EQ(RunHarvel(*qApp), 0);

        EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text, "        Aplikace je již spuštěna    ");
        EXPECT_EQ(messages.Shown()[0].caption, "Upozornění");
        EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);
        EXPECT_EQ(messages.Shown()[0].buttons, platform::mbOK);
    }
    qputenv("TMPDIR", previousTemp);
}

TEST_F(StartUp, AnInstallationWithoutItsDatabaseReportsTheStoreAndGoesOn) {
    // A copy of the program in BIN/ of a fresh root: its data folder is ROOT/DATA/.
    ASSERT_TRUE(QDir(temp_.path()).mkpath("root/BIN"));
    const QString program = temp_.filePath("root/BIN/harvel");
    ASSERT_TRUE(QFile::copy(ProgramPath(), program));
    third_.setProcessEnvironment(environment_);
    third_.start(program, {});
    ASSERT_TRUE(third_.waitForStarted(5000));
    EXPECT_FALSE(third_.waitForFinished(3000)) << "the program goes on with its launcher";
    const QString errors = QString::fromUtf8(third_.readAllStandardError());
    EXPECT_TRUE(errors.contains("Harvel 1.0: ")) << errors.toStdString();  // one error box
    EXPECT_TRUE(errors.contains(temp_.filePath("root/DATA"))) << errors.toStdString();
}
