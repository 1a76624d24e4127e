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
