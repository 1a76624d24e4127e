// Reading version information: this program's own block, another file's
// block, files without one, and damaged blocks.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "controls/version_info.h"

namespace {

constexpr quint32 kCzechUnicode = 0x0405FDE9;
constexpr quint32 kUsEnglish1252 = 0x040904E4;

VersionBlock SampleBlock() {
    VersionBlock block;
    block.translations = {kUsEnglish1252, kCzechUnicode};
    block.fileVersionNum = QStringLiteral("2.5.0.17");
    block.texts[kUsEnglish1252] = {{QStringLiteral("CompanyName"), QStringLiteral("Vexa")},
                                   {QStringLiteral("FileVersion"), QStringLiteral("2.5")},
                                   {QStringLiteral("LegalCopyright"), QStringLiteral("(c) Vexa")}};
    block.texts[kCzechUnicode] = {
        {QStringLiteral("CompanyName"), QStringLiteral("Vexa s.r.o.")},
        {QStringLiteral("FileDescription"), QStringLiteral("Účetnictví")}};
    return block;
}

class VersionInfoTest : public ::testing::Test {
  protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(VersionInfoTest, ProgramFileCarriesTheBuildVersion) {
    TVerInfo info;
    info.SetFileNameToProgram();
    EXPECT_EQ(info.FileName(), QCoreApplication::applicationFilePath());
    ASSERT_TRUE(info.Valid());
    EXPECT_EQ(info.FileVersion(), QStringLiteral(HARVEL_VERSION_TEXT));
    EXPECT_EQ(info.ProductVersion(), QStringLiteral(HARVEL_VERSION_TEXT));
    EXPECT_EQ(info.ProductName(), QStringLiteral("Harvel"));
    EXPECT_EQ(info.VersionLanguage(), vlCzech);
    EXPECT_EQ(info.VersionCharSet(), 65001);
    EXPECT_EQ(info.VersionNum(), PackVersionNumber(QStringLiteral(HARVEL_VERSION_TEXT)));
    EXPECT_NE(info.VersionNum(), 0u);
    EXPECT_TRUE(info.VerFileDate().isValid()) << "the file's own date without one in the block";

    // Read from the file itself, not from the copy the program keeps in memory.
    QFile self(QCoreApplication::applicationFilePath());
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    VersionBlock block;
    ASSERT_TRUE(FindVersionBlock(self.readAll(), block));
    EXPECT_EQ(block.fileVersionNum, QStringLiteral(HARVEL_VERSION_TEXT));
}

TEST_F(VersionInfoTest, AnotherFileTextsComeFromItsFirstTranslation) {
    const QByteArray bytes =
        QByteArray(300, '\x01') + VersionBlockBytes(SampleBlock()) + QByteArray(50, 'z');
    TVerInfo info(Write("other.exe", bytes));
    ASSERT_TRUE(info.Valid());
    EXPECT_EQ(info.VersionLanguage(), vlUSEnglish);
    EXPECT_EQ(info.VersionCharSet(), 1252);
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Vexa"));
    EXPECT_EQ(info.LegalCopyright(), QStringLiteral("(c) Vexa"));
    EXPECT_EQ(info.FileDescription(), QString()) << "only in the second translation";
    EXPECT_EQ(info.VersionNum(), (quint64(2) << 48) | (quint64(5) << 32) | 17u);
}

TEST_F(VersionInfoTest, FileWithoutBlockIsNotValidAndClearsEarlierValues) {
    TVerInfo info(Write("with.bin", VersionBlockBytes(SampleBlock())));
    ASSERT_TRUE(info.Valid());
    info.SetFileName(Write("plain.txt", "no version here"));
    EXPECT_FALSE(info.Valid());
    EXPECT_EQ(info.CompanyName(), QString());
    EXPECT_EQ(info.VersionNum(), 0u);
    EXPECT_EQ(info.VersionLanguage(), vlUnknown);

    info.SetFileName(dir_.filePath("missing.exe"));
    EXPECT_FALSE(info.Valid());
    info.SetFileName(Write("empty.bin", QByteArray()));
    EXPECT_FALSE(info.Valid());
    info.SetFileName(QString());
    EXPECT_FALSE(info.Valid());
}

TEST_F(VersionInfoTest, DamagedBlocksAreSkippedForALaterGoodOne) {
    const QByteArray good = VersionBlockBytes(SampleBlock());
    const QByteArray marker = good.left(good.indexOf('\n') + 1);
    // A marker without its closing NUL within reach, one with a bad line and
    // one without translations come before the good block.
    const QByteArray bytes = marker + "Translation=XYZ\n" + '\0' + marker + "garbage line\n" +
                             '\0' + marker + "FileVersionNum=1.0.0.0\n" + '\0' + good;
    VersionBlock found;
    ASSERT_TRUE(FindVersionBlock(bytes, found));
    EXPECT_EQ(found.translations, SampleBlock().translations);

    EXPECT_FALSE(FindVersionBlock(marker + "Translation=0405FDE9\n", found)) << "no NUL";
    EXPECT_FALSE(FindVersionBlock(marker, found));
    EXPECT_FALSE(FindVersionBlock(QByteArrayView(), found));
}

TEST_F(VersionInfoTest, BlockRoundTripsWithFileDate) {
    VersionBlock block = SampleBlock();
    block.fileDate = QDateTime(QDate(2026, 12, 9), QTime(10, 30));
    TVerInfo info(Write("dated.bin", VersionBlockBytes(block)));
    ASSERT_TRUE(info.Valid());
    EXPECT_EQ(info.VerFileDate(), block.fileDate);
    VersionBlock back;
    ASSERT_TRUE(FindVersionBlock(VersionBlockBytes(block), back));
    EXPECT_EQ(back.texts, block.texts);
    EXPECT_EQ(back.fileVersionNum, block.fileVersionNum);
}

TEST(VersionNumberTest, PacksFourSixteenBitParts) {
    EXPECT_EQ(PackVersionNumber("1.0.0.0"), quint64(1) << 48);
    EXPECT_EQ(PackVersionNumber("1.2"), (quint64(1) << 48) | (quint64(2) << 32));
    EXPECT_EQ(PackVersionNumber("65535.0.0.1"), (quint64(0xFFFF) << 48) | 1u);
    EXPECT_EQ(PackVersionNumber("65536.0.0.0"), 0u);
    EXPECT_EQ(PackVersionNumber("1.x.0.0"), 0u);
    EXPECT_EQ(PackVersionNumber("1.2.3.4.5"), 0u);
    EXPECT_EQ(PackVersionNumber(""), 0u);
}

TEST(VersionLanguageTest, IdentifiersMapBothWays) {
    EXPECT_EQ(VersionLanguageFromId(0x0405), vlCzech);
    EXPECT_EQ(VersionLanguageFromId(0x041B), vlSlovak);
    EXPECT_EQ(VersionLanguageFromId(0x100C), vlSwissFrench);
    EXPECT_EQ(VersionLanguageFromId(0x0000), vlUnknown);
    EXPECT_EQ(VersionLanguageFromId(0x0C0A), vlUnknown);
    for (int i = 0; i < vlUnknown; ++i) {
        const auto language = static_cast<TVersionLanguage>(i);
        EXPECT_EQ(VersionLanguageFromId(VersionLanguageId(language)), language);
    }
    EXPECT_EQ(VersionLanguageId(vlUnknown), 0);
}

}  // namespace
