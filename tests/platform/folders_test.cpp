// The folder rule of the installation, on program folders written with "/".
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/folders.h"

using namespace platform;

TEST(FolderRule, ProgramFolderInBinGivesFoldersBesideIt) {
    const InstallationFolders folders = FoldersForProgramFolder("/opt/APP/BIN/");
    EXPECT_EQ(folders.program, "/opt/APP/BIN/");
    EXPECT_EQ(folders.data, "/opt/APP/DATA/");
    EXPECT_EQ(folders.other, "/opt/APP/OTHER/");
    EXPECT_EQ(folders.templates, "/opt/APP/Predlohy/");
    EXPECT_EQ(folders.help, "/opt/APP/HELP/");
}

TEST(FolderRule, ProgramFolderWithoutBinKeepsDataInsideAndTemplatesRelative) {
    const InstallationFolders folders = FoldersForProgramFolder("/opt/APP/");
    EXPECT_EQ(folders.data, "/opt/APP/DATA/");
    EXPECT_EQ(folders.other, "/opt/APP/OTHER/");
    EXPECT_EQ(folders.templates, "Predlohy/");
    EXPECT_EQ(folders.help, "HELP/");
}

TEST(FolderRule, BinIsFoundInAnyCaseAndAnyPosition) {
    // "ROBIN/" contains "BIN/": the last four characters ("APP/") are cut.
    const InstallationFolders robin = FoldersForProgramFolder("/home/ROBIN/APP/");
    EXPECT_EQ(robin.data, "/home/ROBIN/DATA/");
    EXPECT_EQ(robin.templates, "/home/ROBIN/Predlohy/");
    EXPECT_EQ(FoldersForProgramFolder("/usr/local/harvel/bin/").data, "/usr/local/harvel/DATA/");
    EXPECT_EQ(FoldersForProgramFolder("/srv/Bin/").help, "/srv/HELP/");
    // "BIN" not followed by the separator is no match.
    EXPECT_EQ(FoldersForProgramFolder("/opt/binx/").data, "/opt/binx/DATA/");
    EXPECT_EQ(FoldersForProgramFolder("/opt/binx/").templates, "Predlohy/");
}

TEST(FolderRule, MissingSeparatorIsAddedAndBlanksAroundTheRootTrimmed) {
    EXPECT_EQ(FoldersForProgramFolder("/opt/app/bin").data, "/opt/app/DATA/");
    EXPECT_EQ(FoldersForProgramFolder(" /opt/app/bin/").data, "/opt/app/DATA/");
    EXPECT_EQ(FoldersForProgramFolder(" /opt/app/").other, "/opt/app/OTHER/");
}

TEST(ProgramFolder, ComesFromTheExecutableUnlessOverridden) {
    EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
    SetProgramFolderOverride("/inst/BIN");
    EXPECT_EQ(ProgramFolder(), "/inst/BIN/");
    EXPECT_EQ(DataFolder(), "/inst/DATA/");
    EXPECT_EQ(OtherFolder(), "/inst/OTHER/");
    EXPECT_EQ(TemplateFolder(), "/inst/Predlohy/");
    EXPECT_EQ(HelpFolder(), "/inst/HELP/");
    SetProgramFolderOverride(QString());
    EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
}

TEST(ProgramFolder, FilesAreFoundWhateverTheCaseOfTheirName) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.path() + "/";
    EXPECT_EQ(FileInFolder(path, "Harvel.INI"), path + "Harvel.INI");  // none yet
    QFile file(path + "HARVEL.ini");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(FileInFolder(path, "Harvel.INI"), path + "HARVEL.ini");
}

// ---- an installed program ---------------------------------------------------

TEST(InstalledFolders, UserThingsGoToTheHomeAndShippedOnesComeFromTheShareFolder) {
    const InstallationFolders folders = FoldersForInstalledProgram(
        "/usr/bin", "/usr/share/harvel", {"/home/eva/.local/share", "/home/eva/.config/"});
    EXPECT_TRUE(folders.installed);
    EXPECT_EQ(folders.program, "/usr/bin/");
    EXPECT_EQ(folders.data, "/home/eva/.local/share/Harvel/DATA/");
    EXPECT_EQ(folders.templates, "/home/eva/.local/share/Harvel/Predlohy/");
    EXPECT_EQ(folders.settings, "/home/eva/.config/Harvel/");
    EXPECT_EQ(folders.other, "/usr/share/harvel/OTHER/");
    EXPECT_EQ(folders.help, "/usr/share/harvel/HELP/");
    EXPECT_EQ(folders.shipped, "/usr/share/harvel/");
    // The build-folder rule keeps the settings beside the programs.
    EXPECT_FALSE(FoldersForProgramFolder("/opt/APP/BIN/").installed);
    EXPECT_EQ(FoldersForProgramFolder("/opt/APP/BIN/").settings, "/opt/APP/BIN/");
}

TEST(InstalledFolders, XdgVariablesCountOnlyWithAnAbsolutePath) {
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", "/home/eva");
    qputenv("XDG_DATA_HOME", "/data/eva");
    qputenv("XDG_CONFIG_HOME", "relative/config");
    const UserBaseFolders user = UserBaseFoldersFromEnvironment();
    EXPECT_EQ(user.dataHome, "/data/eva/");
    EXPECT_EQ(user.configHome, "/home/eva/.config/");
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(UserBaseFoldersFromEnvironment().dataHome, "/home/eva/.local/share/");
    qputenv("HOME", home);
}

// A prefix with bin/ and share/harvel/; the marker file makes it an installation.
class InstalledPrefix : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(prefix_.isValid());
        ASSERT_TRUE(QDir(prefix_.path()).mkpath("bin"));
        ASSERT_TRUE(QDir(prefix_.path()).mkpath("share/harvel"));
        home_ = qgetenv("HOME");
        qputenv("HOME", prefix_.filePath("home").toLocal8Bit());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override {
        SetProgramFolderOverride(QString());
        qputenv("HOME", home_);
    }
    void WriteMarker() {
        QFile marker(prefix_.filePath("share/harvel/") + kInstallationMarker);
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    }

    QTemporaryDir prefix_;
    QByteArray home_;
};

TEST_F(InstalledPrefix, WithoutTheMarkerTheBuildFolderRuleHolds) {
    // "bin/" in the path would put the data in <prefix>/DATA/ by the old rule.
    SetProgramFolderOverride(prefix_.filePath("bin"));
    EXPECT_TRUE(InstalledShareFolder(prefix_.filePath("bin")).isEmpty());
    EXPECT_FALSE(CurrentFolders().installed);
    EXPECT_EQ(DataFolder(), prefix_.path() + "/DATA/");
    EXPECT_EQ(SettingsFolder(), prefix_.filePath("bin") + "/");
}

TEST_F(InstalledPrefix, WithTheMarkerEveryFolderFunctionAnswersTheInstalledOnes) {
    WriteMarker();
    SetProgramFolderOverride(prefix_.filePath("bin"));
    const QString home = prefix_.filePath("home");
    EXPECT_EQ(InstalledShareFolder(prefix_.filePath("bin")), prefix_.filePath("share/harvel/"));
    EXPECT_EQ(DataFolder(), home + "/.local/share/Harvel/DATA/");
    EXPECT_EQ(TemplateFolder(), home + "/.local/share/Harvel/Predlohy/");
    EXPECT_EQ(SettingsFolder(), home + "/.config/Harvel/");
    EXPECT_EQ(OtherFolder(), prefix_.filePath("share/harvel/OTHER/"));
    EXPECT_EQ(HelpFolder(), prefix_.filePath("share/harvel/HELP/"));
}
