// The export code pages: the 44-letter table checked against the system's
// iconv tables, and the byte conversion rules.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include "report/output/code_pages.h"

namespace {

// The bytes iconv gives for `text` in `encoding`; empty when iconv fails.
QByteArray Iconv(const QString& text, const char* encoding) {
    QProcess iconv;
    iconv.start("iconv", {"-f", "UTF-8", "-t", encoding});
    if (!iconv.waitForStarted()) {
        return {};
    }
    iconv.write(text.toUtf8());
    iconv.closeWriteChannel();
    iconv.waitForFinished();
    return iconv.exitCode() == 0 ? iconv.readAllStandardOutput() : QByteArray();
}

QString TableLetters() {
    QString letters;
    for (const TCodePageRow& row : CodePageTable()) {
        letters.append(QChar(row.letter));
    }
    return letters;
}

QByteArray Column(TSestLanguage language) {
    QByteArray bytes;
    for (const TCodePageRow& row : CodePageTable()) {
        bytes.append(char(row.bytes[size_t(language) - 1]));
    }
    return bytes;
}

}  // namespace

TEST(CodePageTable, LettersAreTheKamenickyRangeInOrder) {
    EXPECT_EQ(TableLetters(), QString("ČüéďäĎŤčěĚĹÍľĺÄÁÉžŽôöÓůÚýÖÜŠĽÝŘťáíóúňŇŮÔšřŕŔ"));
    for (size_t i = 0; i < CodePageTable().size(); ++i) {
        EXPECT_EQ(CodePageTable()[i].bytes[size_t(slCP867) - 1], 128 + i);
    }
}

TEST(CodePageTable, PublishedColumnsMatchIconv) {
    if (QStandardPaths::findExecutable("iconv").isEmpty()) {
        GTEST_SKIP() << "iconv is not installed";
    }
    const QString letters = TableLetters();
    EXPECT_EQ(Column(slCP852), Iconv(letters, "IBM852"));
    EXPECT_EQ(Column(slCP1250), Iconv(letters, "WINDOWS-1250"));
    EXPECT_EQ(Column(slISO88592), Iconv(letters, "ISO-8859-2"));
}

TEST(CodePageTable, AsciiColumnDropsTheDiacritics) {
    for (const TCodePageRow& row : CodePageTable()) {
        const QString decomposed =
            QString(QChar(row.letter)).normalized(QString::NormalizationForm_D);
        EXPECT_EQ(QChar(row.bytes[0]), decomposed.at(0)) << int(row.letter);
    }
}

TEST(CodePageConversion, ConvertsLettersAndKeepsEverythingElse) {
    EXPECT_EQ(ConvertCodePageByte(0xC8, slCP1250, slCP852), 0xAC);  // Č
    EXPECT_EQ(ConvertCodePageByte(0xC8, slCP1250, slASCII), 'C');
    EXPECT_EQ(ConvertCodePageByte(0xC8, slCP1250, slCP867), 0x80);
    EXPECT_EQ(ConvertCodePageByte(0x8A, slCP1250, slISO88592), 0xA9);  // Š
    EXPECT_EQ(ConvertCodePageByte(0xAC, slCP852, slCP1250), 0xC8);
    EXPECT_EQ(ConvertCodePageByte('a', slCP1250, slCP852), 'a');
    EXPECT_EQ(ConvertCodePageByte(0xA7, slCP1250, slCP852), 0xA7) << "§ is in no row";
    EXPECT_EQ(ConvertCodePageByte(0xC8, slCP1250, slUndefined), 0xC8);
    EXPECT_EQ(ConvertCodePageByte(0xC8, slUndefined, slCP852), 0xC8);
    EXPECT_EQ(ConvertCodePageByte(0xC8, slCP1250, slCP1250), 0xC8);
}

TEST(CodePageConversion, FirstMatchingRowWins) {
    // ü (row 1) and Ř (row 30) are 0x81/0xFC in IBM 852 and 0xFC/0xD8 in
    // Windows-1250: 0xFC from Windows-1250 is ü, from IBM 852 it is Ř.
    EXPECT_EQ(ConvertCodePageByte(0xFC, slCP1250, slCP852), 0x81);
    EXPECT_EQ(ConvertCodePageByte(0xFC, slCP852, slCP1250), 0xD8);
}

TEST(CodePageConversion, EncodesText) {
    EXPECT_EQ(EncodeCodePage(u"Černý pes", slCP852), QByteArray("\xAC"
                                                                "ern\xEC pes"));
    EXPECT_EQ(EncodeCodePage(u"Černý pes", slASCII), QByteArray("Cerny pes"));
    EXPECT_EQ(EncodeCodePage(u"Černý pes", slCP1250), QByteArray("\xC8"
                                                                 "ern\xFD pes"));
    EXPECT_EQ(EncodeCodePage(u"Černý pes", slUndefined), QByteArray("\xC8"
                                                                    "ern\xFD pes"));
    EXPECT_EQ(EncodeCodePage(u"Žluťoučký kůň", slISO88592), QByteArray("\xAE"
                                                                       "lu\xBB"
                                                                       "ou\xE8"
                                                                       "k\xFD k\xF9\xF2"));
    EXPECT_EQ(EncodeCodePage(u"Ł€", slCP852), QByteArray("\xA3\x80"))
        << "letters outside the table keep their Windows-1250 byte";
}
