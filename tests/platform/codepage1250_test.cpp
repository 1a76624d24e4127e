// Windows-1250 conversion: the bytes Czech text must have on disk, the five
// undefined bytes, and characters the code page cannot hold.
#include <gtest/gtest.h>

#include <QSet>

#include "platform/codepage1250.h"

using namespace platform;

TEST(Codepage1250, CzechLettersHaveTheirWindowsBytes) {
    const QString text = QStringLiteral("Čeněk Řezníček ŽÍŠŤĎŇ ůú € „ok“ – Kč");
    const QByteArray expected =
        "\xC8"
        "en\xEC"
        "k \xD8"
        "ezn\xED\xE8"
        "ek \x8E\xCD\x8A\x8D\xCF\xD2 \xF9\xFA \x80 \x84"
        "ok\x93 \x96 K\xE8";
    EXPECT_EQ(ToCp1250(text), expected);
    EXPECT_EQ(FromCp1250(expected), text);
}

TEST(Codepage1250, EveryDefinedByteRoundTripsAndCharactersAreDistinct) {
    QSet<char16_t> seen;
    for (int value = 0; value < 256; ++value) {
        const unsigned char byte = static_cast<unsigned char>(value);
        const char16_t character = Cp1250ToUnicode(byte, UndefinedBytes::Keep);
        seen.insert(character);
        unsigned char back = 0;
        ASSERT_TRUE(UnicodeToCp1250(character, &back)) << value;
        EXPECT_EQ(back, byte) << value;
    }
    EXPECT_EQ(seen.size(), 256);
}

TEST(Codepage1250, UndefinedBytesReplaceOrKeep) {
    const QByteArray undefined("\x81\x83\x88\x90\x98", 5);
    EXPECT_EQ(FromCp1250(undefined), QString(5, QChar(0xFFFD)));
    // Kept as C1 controls, they encode back to the same bytes: nothing lost.
    const QString kept = FromCp1250(undefined, UndefinedBytes::Keep);
    EXPECT_EQ(kept[0].unicode(), 0x81);
    EXPECT_EQ(ToCp1250(kept), undefined);
    // The replacement character itself is not in the code page.
    EXPECT_EQ(ToCp1250(FromCp1250(undefined)), QByteArray("?????"));
}

TEST(Codepage1250, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    EXPECT_EQ(ToCp1250(QStringLiteral("Ωa")), QByteArray("?a"));
    EXPECT_EQ(ToCp1250(QStringLiteral("pes \U0001F415!")), QByteArray("pes ?!"));
    // A lone surrogate half is not a character either.
    QString lone = QStringLiteral("x");
    lone.append(QChar(0xD83D));
    EXPECT_EQ(ToCp1250(lone), QByteArray("x?"));
    // Latin-1 letters that Windows-1250 lacks (it has ä and ö, not à or ñ).
    EXPECT_EQ(ToCp1250(QStringLiteral("äàöñ")), QByteArray("\xE4?\xF6?"));
    EXPECT_FALSE(FitsCp1250(QStringLiteral("Müller Ñ")));
    EXPECT_TRUE(FitsCp1250(QStringLiteral("Müller Łódź Ő")));
}

TEST(Codepage1250, AsciiAndControlBytesPassUnchanged) {
    const QByteArray bytes("a\0\r\n\t~\x7F", 7);
    EXPECT_EQ(ToCp1250(FromCp1250(bytes)), bytes);
    EXPECT_TRUE(FromCp1250(QByteArray()).isEmpty());
}

TEST(Cp1250OrUtf8, TextThatFitsIsWindows1250AndAnyOtherUtf8WithTheMark) {
    const QByteArray mark("\xEF\xBB\xBF");
    // Czech text and the undefined bytes kept as controls: Windows-1250, no mark.
    const QString czech = QStringLiteral("Čáp \u0081 ů");
    EXPECT_EQ(ToCp1250OrUtf8(czech), QByteArray("\xC8\xE1p \x81 \xF9"));
    bool utf8 = true;
    EXPECT_EQ(FromCp1250OrUtf8("\xC8\xE1p \x81 \xF9", UndefinedBytes::Keep, &utf8), czech);
    EXPECT_FALSE(utf8);
    // Any character the code page lacks, one outside the BMP included.
    const QString signs = QStringLiteral("ověřeno ✓ ♂ ♀ Ω \U0001F415");
    const QByteArray written = ToCp1250OrUtf8(signs);
    EXPECT_EQ(written, mark + signs.toUtf8());
    EXPECT_EQ(FromCp1250OrUtf8(written, UndefinedBytes::Keep, &utf8), signs);
    EXPECT_TRUE(utf8);
    EXPECT_TRUE(ToCp1250OrUtf8(QString()).isEmpty());
}

TEST(Cp1250OrUtf8, TextWhoseWindowsBytesWouldLookLikeTheMarkIsUtf8) {
    // "ď»ż" is EF BB BF in Windows-1250: written so, it would read back as UTF-8.
    const QString text = QStringLiteral("ď»żx");
    const QByteArray written = ToCp1250OrUtf8(text);
    EXPECT_EQ(written, QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    EXPECT_EQ(FromCp1250OrUtf8(written), text);
    // Not at the start it is ordinary Windows-1250.
    EXPECT_EQ(ToCp1250OrUtf8(QStringLiteral("xď»ż")), QByteArray("x\xEF\xBB\xBF"));
}

TEST(Codepage1250, CharactersWrittenAsQuestionMarksAreListedOnceEach) {
    QString lost;
    // ø and å are Scandinavian letters Windows-1250 lacks; the dog is a
    // surrogate pair; Czech letters and a real '?' are not lost.
    EXPECT_EQ(ToCp1250(QStringLiteral("Bjørn? Åsgård ø 🐕 Čáp"), &lost),
              QByteArray("Bj?rn? ?sg?rd ? ? \xC8\xE1p"));
    EXPECT_EQ(lost, QStringLiteral("øÅå🐕"));
    ToCp1250(QStringLiteral("ø Ω"), &lost);
    EXPECT_EQ(lost, QStringLiteral("øÅå🐕Ω"));
}
