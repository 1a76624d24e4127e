// Template files: Windows-1250 text, one record per line, CR LF.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "report/engine/predloha.h"
#include "tests/support/small_disk.h"

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(TemplateFile, LinesEndAtCrLfLfOrCr) {
    TPredloha predloha;
    predloha.LoadFromBytes("a\r\nb\nc\rd");
    EXPECT_EQ(predloha.Lines(), (QStringList{"a", "b", "c", "d"}));
    predloha.LoadFromBytes("a\r\n\r\nb\r\n");
    EXPECT_EQ(predloha.Lines(), (QStringList{"a", "", "b"}));
    predloha.LoadFromBytes("\n\r");
    EXPECT_EQ(predloha.Lines(), (QStringList{"", ""}));
    predloha.LoadFromBytes("");
    EXPECT_TRUE(predloha.IsEmpty());
}

TEST(TemplateFile, WindowsCodePageBothWays) {
    TPredloha predloha;
    // "Čáp" and "ř" in Windows-1250.
    predloha.LoadFromBytes("I,0,\"\xC8\xE1p \xF8\"\r\n");
    ASSERT_EQ(predloha.Count(), 1);
    EXPECT_EQ(predloha[0], R"(I,0,"Čáp ř")");
    EXPECT_EQ(predloha.ToBytes(), QByteArray("I,0,\"\xC8\xE1p \xF8\"\r\n"));
}

TEST(TemplateFile, CharactersBeyondTheCodePageMakeItUtf8WithTheMark) {
    const TPredloha signs(QStringList{R"(I,0,"Kontrola ✓")",
                                      R"(T,1,0,0,0,99,20,Arial,10,0,0,0,0,238,"♂ ♀ Ω čip",0,0)"});
    const QByteArray bytes = signs.ToBytes();
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF") +
                         signs.Lines().join(QStringLiteral("\r\n")).toUtf8() + QByteArray("\r\n"));
    EXPECT_FALSE(bytes.contains('?'));
    TPredloha read;
    read.LoadFromBytes(bytes);
    EXPECT_EQ(read, signs);
    // A file marked UTF-8 whose characters all fit is written as Windows-1250.
    read[0] = QStringLiteral("I,0,\"Č\"");
    read[1] = QStringLiteral("x");
    EXPECT_EQ(read.ToBytes(), QByteArray("I,0,\"\xC8\"\r\nx\r\n"));
}

TEST(TemplateFile, UndefinedBytesSurviveReadingAndWriting) {
    const QByteArray bytes("T,1,\"\x81\x83\x88\x90\x98\"\r\n");
    TPredloha predloha;
    predloha.LoadFromBytes(bytes);
    EXPECT_EQ(predloha.ToBytes(), bytes);
}

TEST(TemplateFile, SaveAndLoadFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Seznam00.pts");
    TPredloha predloha(QStringList{R"(I,0,"Seznam zvířat")", "I,1,10,52,6", ""});
    ASSERT_TRUE(predloha.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), QByteArray("I,0,\"Seznam zv\xED\xF8\x61t\"\r\nI,1,10,52,6\r\n\r\n"));
    TPredloha loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded, predloha);

    WriteBytes(path, QByteArray());
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_TRUE(loaded.IsEmpty());

    const TPredloha signs(QStringList{R"(I,0,"Pohlaví ♂ ♀")", R"(T,1,"✓ Ω")"});
    ASSERT_TRUE(signs.SaveToFile(path));
    EXPECT_TRUE(ReadBytes(path).startsWith("\xEF\xBB\xBF"));
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded, signs);
}

TEST(TemplateFile, MissingOrUnwritableFilesFail) {
    QTemporaryDir dir;
    TPredloha predloha(QStringList{"x"});
    EXPECT_FALSE(predloha.LoadFromFile(dir.filePath("chybi.pts")));
    EXPECT_TRUE(predloha.IsEmpty());
    EXPECT_FALSE(TPredloha(QStringList{"x"}).SaveToFile(dir.filePath("neni/slozka.pts")));
    EXPECT_FALSE(TPredloha(QStringList{"x"}).SaveToFile(dir.path()));  // a folder
}

// A template small enough to sit in a write buffer meets the full disk only
// when the file is closed: the save fails and the old template stays as it
// was, with no temporary file beside it.
TEST(TemplateFile, ASaveOntoAFullDiskKeepsTheOldTemplate) {
    QTemporaryDir dir;
    testing_support::SmallDisk disk(dir.filePath("disk"), 64);
    if (!disk.IsMounted()) {
        GTEST_SKIP() << "a small disk of its own needs root (mount of a tmpfs)";
    }
    const QString path = disk.Folder() + QStringLiteral("/Seznam00.pts");
    WriteBytes(path, "I,0,\"stara\"\r\n");
    disk.Fill(0);
    QStringList lines;
    for (int i = 0; i < 20; ++i) {
        lines << QStringLiteral(R"(T,1,0,10,5,100,20,,1,0,0,49,15,0,"Kontrola čipu: ověřeno %1")")
                     .arg(i);
    }
    EXPECT_FALSE(TPredloha(lines).SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), QByteArray("I,0,\"stara\"\r\n"));
    EXPECT_EQ(QDir(disk.Folder()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Seznam00.pts", "vypln.bin"}));
}

TEST(TemplateFile, StringLists) {
    TPredloha predloha;
    predloha.LoadFromStrings({"a", "b"});
    QStringList out;
    predloha.SaveToStrings(out);
    EXPECT_EQ(out, (QStringList{"a", "b"}));
    predloha.Add("c");
    predloha[0] = "z";
    EXPECT_EQ(predloha.Lines(), (QStringList{"z", "b", "c"}));
    predloha.Clear();
    EXPECT_EQ(predloha.Count(), 0);
}

}  // namespace
