// The INI reader/writer: the exact on-disk form, values kept as written,
// case-insensitive names, untouched lines kept, write failures reported.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/ini_file.h"
#include "tests/support/small_disk.h"

using platform::IniFile;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

TEST(IniFile, ReadsValuesAsWrittenWithCaseInsensitiveNames) {
    const IniFile ini = IniFile::FromBytes(
        "; Harvel\r\n"
        "[EvidList]\r\n"
        "JednotkaDelka= cm\r\n"
        "  OnlineFoto = 0\r\n"
        "Poznamka=a=b \r\n"
        "[ Jiny ]\r\n"
        "JednotkaDelka=mm\r\n");
    EXPECT_EQ(ini.ReadString("evidlist", "JEDNOTKADELKA"), " cm");
    EXPECT_EQ(ini.ReadString("EvidList", "onlinefoto"), " 0");
    EXPECT_EQ(ini.ReadInteger("EvidList", "OnlineFoto", 7), 0);
    EXPECT_FALSE(ini.ReadBool("EvidList", "OnlineFoto", true));
    // Only the first "=" separates; trailing blanks are part of the value.
    EXPECT_EQ(ini.ReadString("EvidList", "Poznamka"), "a=b ");
    EXPECT_EQ(ini.ReadString("jiny", "JednotkaDelka"), "mm");
    EXPECT_EQ(ini.ReadString("EvidList", "Chybi", "výchozí"), "výchozí");
    EXPECT_EQ(ini.ReadString("Nikde", "JednotkaDelka", "x"), "x");
    EXPECT_TRUE(ini.ValueExists("EVIDLIST", "poznamka"));
    EXPECT_FALSE(ini.ValueExists("Jiny", "Poznamka"));
}

TEST(IniFile, IntegersAndBooleansFallBackToTheDefault) {
    const IniFile ini = IniFile::FromBytes(
        "[S]\nA=12\nB=-3\nC=abc\nD=\nE=2\nF=TRUE\nG=false\nH=12abc\nI=99999999999\n");
    EXPECT_EQ(ini.ReadInteger("S", "A", 0), 12);
    EXPECT_EQ(ini.ReadInteger("S", "B", 0), -3);
    EXPECT_EQ(ini.ReadInteger("S", "C", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "D", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "H", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "I", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "missing", 5), 5);
    EXPECT_TRUE(ini.ReadBool("S", "E", false));  // non-zero is true
    EXPECT_TRUE(ini.ReadBool("S", "F", false));
    EXPECT_FALSE(ini.ReadBool("S", "G", true));
    EXPECT_TRUE(ini.ReadBool("S", "C", true));
    EXPECT_FALSE(ini.ReadBool("S", "C", false));
}

TEST(IniFile, KeysBeforeTheFirstSectionCommentsAndDuplicatesAreHandled) {
    const IniFile ini = IniFile::FromBytes(
        "Volny=1\n"
        "[A]\n"
        ";Klic=komentar\n"
        "bez rovnitka\n"
        "=prazdny klic\n"
        "Klic=prvni\n"
        "KLIC=druhy\n"
        "[a]\n"
        "Klic=treti\n"
        "Jiny=4\n"
        "[B\n"
        "X=5\n");
    EXPECT_EQ(ini.ReadString("A", "Klic"), "prvni");
    EXPECT_FALSE(ini.ValueExists("A", "Jiny"));  // in the second [a]: the first section counts
    EXPECT_EQ(ini.Sections(), QStringList({"A", "B"}));
    EXPECT_EQ(ini.Keys("a"), QStringList({"Klic"}));
    EXPECT_EQ(ini.ReadString("B", "X"), "5");  // a header without "]" still opens a section
    EXPECT_TRUE(ini.Keys("Chybi").isEmpty());
}

TEST(IniFile, WritingKeepsEveryOtherLineAndUsesCrLf) {
    const QByteArray original =
        "; koment\xE1\xF8 se zachov\xE1\n"
        "[EvidList]\n"
        "OnlineTituly=1\n"
        "Neznamy= ponechat \n"
        "\n"
        "; koment\xE1\xF8 p\xF8"
        "ed dal\x9A\xED sekc\xED\n"
        "[FormatyPapiru]\n"
        "A4 na \x9A\xED\xF8"
        "ce=2970,2100\n";
    IniFile ini = IniFile::FromBytes(original);
    EXPECT_EQ(ini.Keys("FormatyPapiru"), QStringList({"A4 na šířce"}));
    ASSERT_TRUE(ini.WriteString("evidlist", "onlinetituly", "0"));
    ASSERT_TRUE(ini.WriteString("EvidList", "JednotkaDelka", " cm"));
    ASSERT_TRUE(ini.WriteInteger("Nova", "Pocet", -12));
    ASSERT_TRUE(ini.WriteBool("Nova", "Zapnuto", true));
    const QByteArray expected =
        "; koment\xE1\xF8 se zachov\xE1\r\n"
        "[EvidList]\r\n"
        "OnlineTituly=0\r\n"
        "Neznamy= ponechat \r\n"
        "JednotkaDelka= cm\r\n"
        "\r\n"
        "; koment\xE1\xF8 p\xF8"
        "ed dal\x9A\xED sekc\xED\r\n"
        "[FormatyPapiru]\r\n"
        "A4 na \x9A\xED\xF8"
        "ce=2970,2100\r\n"
        "\r\n"
        "[Nova]\r\n"
        "Pocet=-12\r\n"
        "Zapnuto=1\r\n";
    EXPECT_EQ(ini.ToBytes(), expected);
}

TEST(IniFile, UndefinedCodePageBytesAndLoneLineEndsSurvive) {
    // 0x81 has no character in Windows-1250; a comment holding it stays byte for byte.
    IniFile ini = IniFile::FromBytes(QByteArray("[S]\r;\x81\x98\xC8\rK=1\n"));
    ASSERT_TRUE(ini.WriteString("S", "K", "2"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("[S]\r\n;\x81\x98\xC8\r\nK=2\r\n"));
}

TEST(IniFile, RefusesNamesThatWouldBreakTheFileAndFlattensLineBreaks) {
    IniFile ini;
    EXPECT_FALSE(ini.WriteString("", "K", "v"));
    EXPECT_FALSE(ini.WriteString("  ", "K", "v"));
    EXPECT_FALSE(ini.WriteString("S]x", "K", "v"));
    EXPECT_FALSE(ini.WriteString("S", "a=b", "v"));
    EXPECT_FALSE(ini.WriteString("S", "K\nL", "v"));
    EXPECT_FALSE(ini.WriteString("S", ";K", "v"));
    EXPECT_FALSE(ini.WriteString("S", "[K", "v"));
    EXPECT_TRUE(ini.ToBytes().isEmpty());
    // A value cannot smuggle in a section of its own.
    ASSERT_TRUE(ini.WriteString("S", "Chovatel", "Od Lesa\r\n[EvidList]\r\nKontrolaJmen=1"));
    EXPECT_EQ(ini.Sections(), QStringList({"S"}));
    EXPECT_EQ(ini.ReadString("S", "Chovatel"), "Od Lesa  [EvidList]  KontrolaJmen=1");
    EXPECT_EQ(ini.ToBytes(), QByteArray("[S]\r\nChovatel=Od Lesa  [EvidList]  KontrolaJmen=1\r\n"));
}

TEST(IniFile, DeletesKeysAndErasesSections) {
    IniFile ini = IniFile::FromBytes("[A]\nX=1\nY=2\n[B]\nZ=3\n[C]\nW=4\n");
    ini.DeleteKey("a", "x");
    ini.DeleteKey("A", "chybi");
    ini.EraseSection("b");
    ini.EraseSection("chybi");
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nY=2\r\n[C]\r\nW=4\r\n"));
}

TEST(IniFile, AValueWindows1250CannotHoldMakesTheFileUtf8) {
    const QByteArray mark("\xEF\xBB\xBF");
    IniFile ini = IniFile::FromBytes("[EvidList]\r\nChovatel=Od Lesa\r\n;\x81\r\n");
    ASSERT_TRUE(ini.WriteString("EvidList", "Chovatel", "Od Lesa ✓ ♂♀"));
    const QByteArray bytes = ini.ToBytes();
    // The kept undefined byte becomes its control character in UTF-8.
    EXPECT_EQ(bytes,
              mark + QStringLiteral("[EvidList]\r\nChovatel=Od Lesa ✓ ♂♀\r\n;\u0081\r\n").toUtf8());
    EXPECT_EQ(IniFile::FromBytes(bytes).ReadString("evidlist", "chovatel"), "Od Lesa ✓ ♂♀");

    // Once every character fits again the file is Windows-1250 for older
    // readers, the undefined byte back as it was.
    IniFile marked = IniFile::FromBytes(bytes);
    ASSERT_TRUE(marked.WriteString("EvidList", "Chovatel", "Řehoř"));
    EXPECT_EQ(marked.ToBytes(), QByteArray("[EvidList]\r\nChovatel=\xD8\x65ho\xF8\r\n;\x81\r\n"));
    // A file written as UTF-8 by another program reads the same.
    const IniFile other = IniFile::FromBytes("\xEF\xBB\xBF[S]\nJm\xC3\xA9no=\xC4\x8C\x65rt\n");
    EXPECT_EQ(other.ReadString("S", "Jméno"), "Čert");
}

// A settings file is small enough to sit in a write buffer, so only the
// close finds a full disk: the save fails with the reason and the old file
// stays as it was.
TEST(IniFile, ASaveOntoAFullDiskKeepsTheOldFile) {
    QTemporaryDir folder;
    testing_support::SmallDisk disk(folder.filePath("disk"), 64);
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
    }
    const QString path = disk.Folder() + QStringLiteral("/Harvel.INI");
    WriteBytes(path, "[EvidList]\r\nChovatel=z Lipov\xE9 aleje\r\n");
    disk.Fill(0);
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    ASSERT_TRUE(ini.WriteString("EvidList", "PocetZaloh", "12"));
    EXPECT_FALSE(ini.Save());
    EXPECT_TRUE(ini.ErrorText().contains(QStringLiteral("na disku není místo")))
        << ini.ErrorText().toStdString();
    EXPECT_EQ(ReadBytes(path), QByteArray("[EvidList]\r\nChovatel=z Lipov\xE9 aleje\r\n"));
    EXPECT_EQ(QDir(disk.Folder()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Harvel.INI", "vypln.bin"}));
}

TEST(IniFile, LoadAndSaveThroughTheFileSystem) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("SestDLL.ini");

    IniFile missing(path);
    EXPECT_TRUE(missing.Load());  // a missing file is an empty document
    EXPECT_TRUE(missing.Sections().isEmpty());

    WriteBytes(path, "[FormatyPapiru]\r\nOb\xE1lka=2200,1100\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.Keys("formatypapiru"), QStringList({"Obálka"}));
    EXPECT_EQ(ini.ReadString("FormatyPapiru", "OBÁLKA"), "2200,1100");
    ASSERT_TRUE(ini.WriteString("EditorSestav", "Mřížka", "1"));
    ASSERT_TRUE(ini.Save()) << ini.ErrorText().toStdString();
    EXPECT_EQ(ReadBytes(path), QByteArray("[FormatyPapiru]\r\nOb\xE1lka=2200,1100\r\n\r\n"
                                          "[EditorSestav]\r\nM\xF8\xED\x9Eka=1\r\n"));
    IniFile again(path);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.ReadString("editorsestav", "MŘÍŽKA"), "1");

    // A value with "✓" survives a save and a load.
    ASSERT_TRUE(again.WriteString("EditorSestav", "ImplNazevFontu", "Arial ✓"));
    ASSERT_TRUE(again.Save()) << again.ErrorText().toStdString();
    IniFile third(path);
    ASSERT_TRUE(third.Load());
    EXPECT_EQ(third.ReadString("EditorSestav", "ImplNazevFontu"), "Arial ✓");
    EXPECT_EQ(third.ReadString("FormatyPapiru", "Obálka"), "2200,1100");
}

TEST(IniFile, SaveReportsFailureAndLeavesNothingBehind) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    IniFile inMissingFolder(folder.filePath("neni/Harvel.INI"));
    ASSERT_TRUE(inMissingFolder.WriteString("S", "K", "v"));
    EXPECT_FALSE(inMissingFolder.Save());
    EXPECT_FALSE(inMissingFolder.ErrorText().isEmpty());
    EXPECT_FALSE(QDir(folder.filePath("neni")).exists());

    ASSERT_TRUE(QDir(folder.path()).mkdir("Harvel.INI"));  // a folder in the file's place
    IniFile onFolder(folder.filePath("Harvel.INI"));
    ASSERT_TRUE(onFolder.WriteString("S", "K", "v"));
    EXPECT_FALSE(onFolder.Save());
    EXPECT_FALSE(onFolder.Load());
}
