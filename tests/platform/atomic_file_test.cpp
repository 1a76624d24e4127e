// Files written whole or not at all: the target changes only when every byte
// reached the disk, a full disk is named in Czech and leaves neither a partial
// file nor a temporary one, the permissions of a replaced file and the link
// that names it stay, and a device is written in place with every write
// checked. Control characters are made visible for a terminal.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/atomic_file.h"
#include "platform/standard_output.h"
#include "tests/support/small_disk.h"
#include "tests/support/test_files.h"

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

using platform::AtomicFile;
using testing_support::SmallDisk;

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

TEST(AtomicFile, TheTargetChangesOnlyOnCommitAndKeepsItsPermissionsAndLink) {
    QTemporaryDir dir;
    const QString target = dir.filePath("sestava.txt");
    WriteFile(target, "stará");
    ASSERT_TRUE(QFile::setPermissions(
        target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    ASSERT_TRUE(QFile::link(target, dir.filePath("odkaz.txt")));
    {
        AtomicFile file(dir.filePath("odkaz.txt"));
        ASSERT_TRUE(file.Open());
        EXPECT_EQ(file.write("nová"), 5);
        EXPECT_EQ(ReadFile(target), "stará");
        ASSERT_TRUE(file.Commit()) << file.FailureText().toStdString();
    }
    EXPECT_EQ(ReadFile(target), "nová");
    EXPECT_TRUE(QFileInfo(dir.filePath("odkaz.txt")).isSymLink());
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    {
        AtomicFile abandoned(target);
        ASSERT_TRUE(abandoned.Open());
        abandoned.write("rozepsaná");
    }
    EXPECT_EQ(ReadFile(target), "nová");
    EXPECT_EQ(Entries(dir.path()), (QStringList{"odkaz.txt", "sestava.txt"}));
    AtomicFile folder(dir.path());
    EXPECT_FALSE(folder.Open());
    EXPECT_TRUE(folder.FailureText().endsWith("nelze zapsat: je to složka, ne soubor."));
}

TEST(AtomicFile, AFullDiskIsNamedAndLeavesTheOldFileAndNoTemporaryOne) {
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath("disk"), 64);
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
    }
    const QString target = disk.Folder() + "/karty.pdf";
    WriteFile(target, "stará verze");
    disk.Fill(8192);
    // Some of it fits: the failure comes at a later write, not the first.
    const QByteArray block(4096, 'x');
    AtomicFile file(target);
    ASSERT_TRUE(file.Open());
    bool failed = false;
    for (int i = 0; i < 32 && !failed; ++i) {
        failed = file.write(block) != block.size();
    }
    EXPECT_TRUE(failed);
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.FailureText(),
              QStringLiteral("Soubor \"%1\" nelze zapsat: na disku není místo.").arg(target));
    EXPECT_EQ(ReadFile(target), "stará verze");
    EXPECT_EQ(Entries(disk.Folder()), (QStringList{"karty.pdf", "vypln.bin"}));
}

TEST(AtomicFile, ADeviceIsWrittenInPlaceAndItsFailureReported) {
    QTemporaryDir dir;
    const QString full = dir.filePath("full");
    const QString null = dir.filePath("null");
    // Nodes of their own for /dev/full and /dev/null, so the real ones are never at stake.
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0 ||
        ::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "device nodes of a test's own need root (mknod)";
    }
    AtomicFile toFull(full);
    ASSERT_TRUE(toFull.Open());
    toFull.write("data");
    EXPECT_FALSE(toFull.Commit());
    EXPECT_TRUE(toFull.FailureText().endsWith("na disku není místo."));
    AtomicFile toNull(null);
    ASSERT_TRUE(toNull.Open());
    EXPECT_EQ(toNull.write("data"), 4);
    EXPECT_TRUE(toNull.Commit());
    EXPECT_TRUE(QFileInfo(null).exists() && !QFileInfo(null).isFile());
    EXPECT_EQ(Entries(dir.path()), (QStringList{"full", "null"}));
}

TEST(StandardOutput, ControlCharactersBecomeVisibleEscapes) {
    EXPECT_EQ(platform::EscapeControlCharacters("Rex\x1B]0;pwned\x07\r\n\tDEL\x7F"),
              "Rex\\x1B]0;pwned\\x07\\x0D\n\tDEL\\x7F");
    // C1 controls (U+009B is a one-character escape sequence); č and ř stay.
    EXPECT_EQ(platform::EscapeControlCharacters("\xC2\x9B"
                                                "31m \xC4\x8D\xC5\x99"),
              "\\u009B31m \xC4\x8D\xC5\x99");
}

}  // namespace
