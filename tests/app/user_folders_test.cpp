// An installed program's folders in the user's home: made at first start,
// the shipped templates copied, an update adding new and following untouched
// templates while an edited one stays, an existing database never touched.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/user_folders.h"
#include "platform/store/database.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

class UserFolders : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        folders_ = platform::FoldersForInstalledProgram(
            temp_.filePath("usr/bin"), temp_.filePath("usr/share/harvel"),
            {temp_.filePath("home/.local/share"), temp_.filePath("home/.config")});
    }
    void Ship(const QString& name, const QByteArray& bytes) {
        WriteFile(folders_.shipped + "Predlohy/" + name, bytes);
    }
    QByteArray UserTemplate(const QString& name) const {
        return ReadFile(folders_.templates + name);
    }

    QTemporaryDir temp_;
    platform::InstallationFolders folders_;
};

TEST_F(UserFolders, FirstStartMakesTheFoldersTheDatabaseAndCopiesTheTemplates) {
    Ship("EvidList01.pts", "evidence v1");
    Ship("Vrhy00.pts", "vrhy v1");

    EXPECT_EQ(PrepareUserFolders(folders_), QStringList());

    EXPECT_TRUE(QFileInfo(folders_.settings).isDir());
    EXPECT_TRUE(QFileInfo::exists(platform::Database::DatabaseFile(folders_.data)));
    EXPECT_EQ(UserTemplate("EvidList01.pts"), "evidence v1");
    EXPECT_EQ(UserTemplate("Vrhy00.pts"), "vrhy v1");
    EXPECT_TRUE(QFileInfo(folders_.templates + "EvidList01.pts").isWritable());
}

TEST_F(UserFolders, AnUpdateAddsNewTemplatesFollowsUntouchedOnesAndKeepsEditedOnes) {
    Ship("EvidList01.pts", "evidence v1");
    Ship("Vrhy00.pts", "vrhy v1");
    ASSERT_EQ(PrepareUserFolders(folders_), QStringList());
    WriteFile(folders_.templates + "Vrhy00.pts", "vrhy edited by the breeder");
    WriteFile(folders_.templates + "Moje.pts", "the breeder's own");

    // The update ships new versions of both and one more template.
    Ship("EvidList01.pts", "evidence v2");
    Ship("Vrhy00.pts", "vrhy v2");
    Ship("Kryti00.pts", "kryti v2");
    EXPECT_EQ(PrepareUserFolders(folders_), QStringList());

    EXPECT_EQ(UserTemplate("EvidList01.pts"), "evidence v2");
    EXPECT_EQ(UserTemplate("Vrhy00.pts"), "vrhy edited by the breeder");
    EXPECT_EQ(UserTemplate("Kryti00.pts"), "kryti v2");
    EXPECT_EQ(UserTemplate("Moje.pts"), "the breeder's own");

    // A template edited after an update stays edited through the next one.
    WriteFile(folders_.templates + "EvidList01.pts", "evidence edited");
    Ship("EvidList01.pts", "evidence v3");
    EXPECT_EQ(PrepareUserFolders(folders_), QStringList());
    EXPECT_EQ(UserTemplate("EvidList01.pts"), "evidence edited");
}

TEST_F(UserFolders, AnExistingDatabaseIsNeverReplaced) {
    platform::Database::CreateSchema(folders_.data);
    const QString file = platform::Database::DatabaseFile(folders_.data);
    WriteFile(folders_.data + "marker.txt", "x");
    const QDateTime written = QFileInfo(file).lastModified();
    const QByteArray before = ReadFile(file);

    EXPECT_EQ(PrepareUserFolders(folders_), QStringList());

    EXPECT_EQ(ReadFile(file), before);
    EXPECT_EQ(QFileInfo(file).lastModified(), written);
}

TEST_F(UserFolders, AFolderThatCannotBeMadeIsReported) {
    WriteFile(temp_.filePath("home/.config"), "a file where the folder should be");
    const QStringList problems = PrepareUserFolders(folders_);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(QDir::toNativeSeparators(folders_.settings.chopped(1))))
        << problems[0].toStdString();
}

TEST_F(UserFolders, ABuildFolderIsLeftToTheBuild) {
    const platform::InstallationFolders build =
        platform::FoldersForProgramFolder(temp_.filePath("build/bin"));
    EXPECT_EQ(PrepareUserFolders(build), QStringList());
    EXPECT_FALSE(QFileInfo::exists(temp_.filePath("build/DATA")));
}

}  // namespace
