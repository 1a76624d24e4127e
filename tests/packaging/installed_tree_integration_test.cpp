// The installed tree: `cmake --install` of this build into a temporary
// prefix holds every file of an installation, the desktop files pass their
// validators, and the installed programs, run with HOME and the XDG folders
// in a temporary folder, put the data, templates and settings there and
// never write into the prefix.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "tests/packaging/installed_files.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::RunProgram;

class InstalledTree : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefixDir_ = new QTemporaryDir;
        const auto result = RunProgram(QStringLiteral(HARVEL_CMAKE),
                                       {"--install", HARVEL_BUILD_DIR, "--prefix", Prefix()});
        ASSERT_EQ(result.code, 0) << result.err.toStdString();
    }
    static void TearDownTestSuite() {
        delete prefixDir_;
        prefixDir_ = nullptr;
    }
    static QString Prefix() { return prefixDir_->filePath("usr"); }

    void SetUp() override {
        ASSERT_TRUE(user_.isValid());
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("HOME", user_.filePath("home"));
        environment_.insert("XDG_DATA_HOME", user_.filePath("xdg-data"));
        environment_.insert("XDG_CONFIG_HOME", user_.filePath("xdg-config"));
        environment_.insert("TMPDIR", user_.path());
        environment_.insert("QT_QPA_PLATFORM", "offscreen");
        environment_.insert("HARVEL_MESSAGES", "stderr");
    }

    // Every file below the prefix with its size and time: what a run must not change.
    static QStringList PrefixState() {
        QStringList state;
        QDirIterator it(Prefix(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            state << QStringLiteral("%1 %2 %3")
                         .arg(info.filePath())
                         .arg(info.size())
                         .arg(info.lastModified().toMSecsSinceEpoch());
        }
        state.sort();
        return state;
    }

    QString UserPath(const QString& path) const { return user_.filePath(path); }

    static QTemporaryDir* prefixDir_;
    QTemporaryDir user_;
    QProcessEnvironment environment_;
};

QTemporaryDir* InstalledTree::prefixDir_ = nullptr;

TEST_F(InstalledTree, HoldsEveryFileOfAnInstallation) {
    for (const QString& file : packaging_test::InstalledFiles()) {
        EXPECT_TRUE(QFileInfo(Prefix() + "/" + file).isFile()) << file.toStdString();
    }
    for (const QString program : {"harvel", "harvel-data", "harvel-report"}) {
        EXPECT_TRUE(QFileInfo(Prefix() + "/bin/" + program).isExecutable())
            << program.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(Prefix() + "/bin/harvel-pictures")) << "a build tool";
    // The icon's pixel sizes are rendered at their sizes.
    for (int size : {48, 128, 256}) {
        const QImage icon(
            QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/harvel.png").arg(Prefix()).arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size));
    }
    // Manual pages are compressed and name the version.
    const QByteArray page =
        testing_support::ReadFile(Prefix() + "/share/man/man1/harvel-data.1.gz");
    ASSERT_GE(page.size(), 2);
    EXPECT_EQ(page.left(2), QByteArray("\x1f\x8b"));
}

TEST_F(InstalledTree, DesktopFilesPassTheirValidators) {
    const QString desktopValidator = QStandardPaths::findExecutable("desktop-file-validate");
    const QString appstream = QStandardPaths::findExecutable("appstreamcli");
    if (desktopValidator.isEmpty() || appstream.isEmpty()) {
        GTEST_SKIP() << "desktop-file-utils and appstream are needed (Debian packages)";
    }
    for (const QString entry : {"cz.harvel.Harvel.desktop", "cz.harvel.HarvelDesigner.desktop"}) {
        const auto result =
            RunProgram(desktopValidator, {Prefix() + "/share/applications/" + entry});
        EXPECT_EQ(result.code, 0) << result.out.toStdString() << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    }
    const auto result = RunProgram(
        appstream,
        {"validate", "--no-net", Prefix() + "/share/metainfo/cz.harvel.Harvel.metainfo.xml"});
    EXPECT_EQ(result.code, 0) << result.out.toStdString() << result.err.toStdString();
    const QString metainfo = QString::fromUtf8(
        testing_support::ReadFile(Prefix() + "/share/metainfo/cz.harvel.Harvel.metainfo.xml"));
    EXPECT_TRUE(metainfo.contains("version=\"" HARVEL_PROJECT_VERSION "\""));
    EXPECT_TRUE(metainfo.contains("harvel-evidence.png")) << "the screenshot the package ships";
}

TEST_F(InstalledTree, EveryProgramPrintsTheProjectVersion) {
    for (const QString program : {"harvel", "harvel-data", "harvel-report"}) {
        const auto result = RunProgram(Prefix() + "/bin/" + program, {"--version"}, environment_);
        EXPECT_EQ(result.code, 0) << program.toStdString();
        EXPECT_EQ(result.out, program + " " HARVEL_PROJECT_VERSION "\n");
    }
    // A version that cannot be written is a failure.
    QProcess process;
    process.setStandardOutputFile("/dev/full");
    process.start(Prefix() + "/bin/harvel-data", {"--version"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
}

TEST_F(InstalledTree, ToolsKeepTheUsersThingsInTheXdgFoldersAndNeverWriteIntoThePrefix) {
    const QStringList before = PrefixState();
    const QString data = UserPath("xdg-data/Harvel/DATA");
    // harvel-report makes the user's folders as the program does.
    auto result =
        RunProgram(Prefix() + "/bin/harvel-report",
                   {"--data", data, "--table", "main_card.db", "--eval", "1"}, environment_);
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(data + "/harvel.sqlite"));
    EXPECT_TRUE(QFileInfo::exists(UserPath("xdg-data/Harvel/Predlohy/EvidList01.pts")));
    EXPECT_TRUE(QFileInfo(UserPath("xdg-config/Harvel")).isDir());

    // harvel-data reads Harvel.INI from the settings folder: one backup kept.
    testing_support::WriteFile(UserPath("xdg-config/Harvel/Harvel.INI"),
                               "[EvidList]\r\nPocetZaloh=1\r\n");
    testing_support::WriteFile(UserPath("karty.csv"), "Jmeno_registr,Pohlavi\nBrok,pes\n");
    result = RunProgram(Prefix() + "/bin/harvel-data",
                        {"load", data, "main_card.db", UserPath("karty.csv")}, environment_);
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    for (int i = 0; i < 2; ++i) {
        result = RunProgram(Prefix() + "/bin/harvel-data", {"backup", data}, environment_);
        EXPECT_EQ(result.code, 0) << result.err.toStdString();
        QThread::msleep(20);
    }
    EXPECT_EQ(QDir(data + "/Zalohy").entryList({"harvel-*.sqlite"}, QDir::Files).size(), 1);

    EXPECT_FALSE(QFileInfo::exists(UserPath("home/.local"))) << "XDG_DATA_HOME is used";
    EXPECT_EQ(PrefixState(), before);
}

TEST_F(InstalledTree, TheProgramPreparesTheUsersFoldersAndOffersTheFirstStart) {
    const QStringList before = PrefixState();
    environment_.remove("XDG_DATA_HOME");
    environment_.remove("XDG_CONFIG_HOME");
    QProcess program;
    program.setProcessEnvironment(environment_);
    program.start(Prefix() + "/bin/harvel", {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // The offer waits for the user; by then the folders are made.
    const QString templates = UserPath("home/.local/share/Harvel/Predlohy/EvidList01.pts");
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000 && !QFileInfo::exists(templates)) {
        QThread::msleep(100);
    }
    QThread::msleep(500);
    EXPECT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
    program.kill();
    program.waitForFinished(5000);

    EXPECT_TRUE(QFileInfo::exists(templates));
    EXPECT_TRUE(QFileInfo::exists(UserPath("home/.local/share/Harvel/DATA/harvel.sqlite")));
    EXPECT_TRUE(QFileInfo(UserPath("home/.config/Harvel")).isDir());
    EXPECT_EQ(PrefixState(), before);
}

}  // namespace
