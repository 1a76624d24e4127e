// The RTF reader of text layout: keywords, font and colour tables, hex
// characters, binary data, skipped groups, and bad input that must end the
// reading cleanly with what was laid out so far. Measured on the real
// Liberation fonts installed for Arial and Times New Roman.
#include <gtest/gtest.h>

#include "report/output/lumex_canvas.h"
#include "report/output/rtf_reader.h"
#include "report/output/text_layout.h"
#include "report/output/text_layouter.h"

namespace {

platform::Font Arial10() {
    platform::Font font;
    font.name = "Arial";
    font.size = 10;
    return font;
}

struct Read {
    TRadky lines;
    QStringList texts;
    TRtfResult result = TRtfResult::Ok;
};

Read ReadText(const QString& rtf, int width = 300, bool wrap = true, int alignment = 0) {
    TLumexCanvas canvas(100);
    Read read;
    TTextLayouter layouter(canvas, LayoutRect(width, 100), read.lines, wrap, 0, 0, alignment,
                           Arial10());
    read.result = ReadRtf(rtf, layouter);
    layouter.Finish();
    for (const TRadek& line : read.lines) {
        read.texts << LineText(line);
    }
    return read;
}

}  // namespace

TEST(RtfKeywords, TableHasTheDocumentedSize) {
    EXPECT_EQ(RtfKeywordCount(), 102);
}

TEST(RtfKeywords, FontTableAndStyleRunsMakeFragments) {
    TLumexCanvas canvas(100);
    TRadky lines;
    LayoutText(canvas, LayoutRect(300, 100),
               R"({\rtf1{\fonttbl{\f0\fcharset238 Arial;}}\f0\fs20 A\b B\b0 C})", lines, true, 0, 0,
               0, Arial10(), true);
    ASSERT_EQ(lines.Count(), 1);
    const TRadek& line = lines[0];
    ASSERT_EQ(line.Fragments.size(), 3);
    const char* texts[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        const TFragment& fragment = line.Fragments[i];
        EXPECT_EQ(fragment.Text, texts[i]);
        EXPECT_EQ(fragment.FontName, "Arial");
        EXPECT_EQ(fragment.Charset, 238);
        EXPECT_EQ(fragment.Size, 10);
        EXPECT_EQ(fragment.Bold, i == 1);
    }
    // Fragments continue each other's positions: A 667, bold B 722.
    EXPECT_EQ(line.Fragments[1].X, QVector<int>({667, 1389}));
    EXPECT_EQ(line.Fragments[2].X[0], 1389);
}

TEST(RtfKeywords, FontSelectionSizeAndFamilyWordsInTheTable) {
    // The font families only classify table entries; the names after them count.
    const Read read = ReadText(
        R"({\rtf1{\fonttbl{\f0\fswiss\fcharset238 Arial;}{\f1\froman\fcharset0 Times New Roman;}})"
        R"(\f1\fs30 T\f0\fs A\f7 X})");
    ASSERT_EQ(read.result, TRtfResult::Ok);
    const TRadek& line = read.lines[0];
    ASSERT_EQ(line.Fragments.size(), 2);
    EXPECT_EQ(line.Fragments[0].FontName, "Times New Roman");
    EXPECT_EQ(line.Fragments[0].Charset, 0);
    EXPECT_EQ(line.Fragments[0].Size, 15);
    EXPECT_EQ(line.Fragments[1].FontName, "Arial");
    EXPECT_EQ(line.Fragments[1].Size, 6) << "\\fs without a number is 12 half-points";
    EXPECT_EQ(line.Fragments[1].Text, "AX") << "an unknown font number keeps the font";
}

TEST(RtfKeywords, ColourTable) {
    const Read read = ReadText(
        R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\cf1 R\cf2 B\cf9 K\cf0 Z})");
    const TRadek& line = read.lines[0];
    ASSERT_EQ(line.Fragments.size(), 3);
    EXPECT_EQ(line.Fragments[0].Colour, QColor(255, 0, 0));
    EXPECT_EQ(line.Fragments[1].Colour, QColor(0, 0, 255));
    EXPECT_EQ(line.Fragments[2].Colour, QColor(0, 0, 0));
    EXPECT_EQ(line.Fragments[2].Text, "KZ");
    QStringList colours;
    CollectColours(read.lines, colours);
    EXPECT_EQ(colours, QStringList({"255", "16711680", "0"}));
}

TEST(RtfKeywords, CharacterKeywordsAndSymbols) {
    const Read read =
        ReadText(R"({\rtf1 a\tab b\cell c\ldblquote d\rdblquote \{\}\\\~e\par f\row g})");
    EXPECT_EQ(read.texts, QStringList({R"(a b c'd'{}\ e)", "f", "g"}));
    EXPECT_EQ(ReadText("{\\rtf1 a\\\nb\\\rc}").texts, QStringList({"a", "b", "c"}));
}

TEST(RtfKeywords, HexCharactersAreWindows1250) {
    const Read read = ReadText(R"({\rtf1 \'e8\'C8\'9a\'8a})");
    EXPECT_EQ(read.texts, QStringList({QString("čČšŠ")}));
}

TEST(RtfKeywords, GroupsRestoreProperties) {
    const Read read = ReadText(R"({\rtf1{\b\i A{\ul B}C}D\plain E})");
    const TRadek& line = read.lines[0];
    ASSERT_EQ(line.Fragments.size(), 4);
    EXPECT_EQ(line.Fragments[0].Text, "A");
    EXPECT_TRUE(line.Fragments[0].Bold && line.Fragments[0].Italic);
    EXPECT_TRUE(line.Fragments[1].Underline);
    EXPECT_EQ(line.Fragments[2].Text, "C");
    EXPECT_FALSE(line.Fragments[2].Underline);
    EXPECT_EQ(line.Fragments[3].Text, "DE");
    EXPECT_FALSE(line.Fragments[3].Bold);
}

TEST(RtfKeywords, PlainResetsStyleAndColour) {
    const Read read =
        ReadText(R"({\rtf1{\colortbl;\red0\green128\blue0;}\b\ul\i\strike\cf1 A\plain B})");
    const TFragment& b = read.lines[0].Fragments[1];
    EXPECT_FALSE(b.Bold || b.Underline || b.Italic || b.Strikeout);
    EXPECT_EQ(b.Colour, QColor(0, 0, 0));
    EXPECT_TRUE(read.lines[0].Fragments[0].Strikeout);
}

TEST(RtfKeywords, SkippedDestinationsAndStarGroups) {
    const Read read =
        ReadText(R"({\rtf1{\info{\title T}{\author X}}{\stylesheet{\s0 Normal;}}{\*\generator W}A)"
                 R"({\header H}{\*\comment C}B{\pict 0102}{\*\b C}})");
    EXPECT_EQ(read.result, TRtfResult::Ok);
    EXPECT_EQ(read.texts, QStringList({"ABC"})) << "a \\* group whose word is known is read";
    EXPECT_EQ(ReadText(R"({\rtf1 A\unknownword B\u269?})").texts, QStringList({"AB?"}));
}

TEST(RtfKeywords, BinaryDataIsSkipped) {
    EXPECT_EQ(ReadText(R"({\rtf1 X\bin3 {}\Y})").texts, QStringList({"XY"}));
    EXPECT_EQ(ReadText(R"({\rtf1 X{\*\unknown\bin2 ab}Y})").texts, QStringList({"XY"}));
    EXPECT_EQ(ReadText(R"({\rtf1 X\bin Y})").texts, QStringList({"XY"}));
}

TEST(RtfParagraphs, AlignmentIndentsAndPard) {
    // \li720: 720 twips * 72 / 15 = 3456, plus the margin of 72.
    Read read = ReadText(R"({\rtf1\li720 A\par\pard B\par\qr C\par\qc D})", 100);
    ASSERT_EQ(read.lines.Count(), 4);
    EXPECT_EQ(read.lines[0].Offset, 3456 + 72);
    EXPECT_EQ(read.lines[1].Offset, 72);
    EXPECT_EQ(read.lines[2].Offset, 7200 - 72 - 722);
    EXPECT_EQ(read.lines[3].Offset, (7200 - 722) / 2);
    // A first-line indent applies to the paragraph's first line only.
    read = ReadText(R"({\rtf1\fi480 aaaa bbbb cccc dddd eeee ffff gggg})", 40);
    ASSERT_GE(read.lines.Count(), 2);
    EXPECT_EQ(read.lines[0].Offset, 480 * 72 / 15 + 72);
    EXPECT_EQ(read.lines[1].Offset, 72);
    // The element's alignment holds until the text sets its own.
    EXPECT_EQ(ReadText(R"({\rtf1 AB})", 100, true, 1).lines[0].Offset, 7200 - 72 - 1334);
}

TEST(RtfParagraphs, DefaultTabWidthAndLineSpacing) {
    Read read = ReadText(R"({\rtf1\deftab360 A\tab B})");
    EXPECT_EQ(read.lines[0].Fragments[0].X[2], 360 * 72 / 15);
    read = ReadText(R"({\rtf1\sl480 A\par B})");
    ASSERT_EQ(read.lines.Count(), 2);
    EXPECT_EQ(read.lines[1].MinHeight, 144 + 480 * 72 / 15);
    EXPECT_EQ(read.lines[1].Height, 144 + 480 * 72 / 15);
}

TEST(RtfBadInput, UnbalancedClosingBraceStopsAndKeepsText) {
    const Read read = ReadText(R"({\rtf1 AB}}CD)");
    EXPECT_EQ(read.result, TRtfResult::StackUnderflow);
    EXPECT_EQ(read.texts, QStringList({"AB"}));
}

TEST(RtfBadInput, UnterminatedGroupKeepsText) {
    const Read read = ReadText(R"({\rtf1 AB{\b CD)");
    EXPECT_EQ(read.result, TRtfResult::UnmatchedBrace);
    EXPECT_EQ(read.texts, QStringList({"ABCD"}));
}

TEST(RtfBadInput, BadHexDigitStops) {
    const Read read = ReadText(R"({\rtf1 AB\'zzCD})");
    EXPECT_EQ(read.result, TRtfResult::InvalidHex);
    EXPECT_EQ(read.texts, QStringList({"AB"}));
    EXPECT_EQ(ReadText(R"({\rtf1 AB\'e)").result, TRtfResult::EndOfText);
}

TEST(RtfBadInput, EndlessBinaryDataEndsAtTheEndOfTheText) {
    const Read read = ReadText(R"({\rtf1 AB\bin99999999999999999999 CD})");
    EXPECT_EQ(read.result, TRtfResult::UnmatchedBrace);
    EXPECT_EQ(read.texts, QStringList({"AB"}));
    EXPECT_EQ(ReadText(R"({\rtf1 AB\bin-5 CD})").texts, QStringList({"ABCD"}));
}

TEST(RtfBadInput, ControlWordAtTheEndOfTheText) {
    const Read read = ReadText(R"({\rtf1 AB\par)");
    EXPECT_EQ(read.result, TRtfResult::EndOfText);
    EXPECT_EQ(read.texts, QStringList({"AB"}));
    EXPECT_EQ(ReadText("AB\\").result, TRtfResult::EndOfText);
}

TEST(RtfBadInput, DeepNestingIsRefused) {
    const QString deep = QString(100000, u'{') + "X" + QString(100000, u'}');
    const Read read = ReadText(deep);
    EXPECT_EQ(read.result, TRtfResult::TooDeep);
    EXPECT_EQ(read.lines.Count(), 1);
    const QString fine = QString(kMaxRtfDepth, u'{') + "X" + QString(kMaxRtfDepth, u'}');
    EXPECT_EQ(ReadText(fine).texts, QStringList({"X"}));
}

TEST(RtfBadInput, HugeParametersStayInRange) {
    const Read read = ReadText(
        R"({\rtf1\li99999999999\ri-99999999999\fi2147483647\fs99999999 A\par\fs0 B\tab\deftab0 C\tab D})");
    EXPECT_EQ(read.result, TRtfResult::Ok);
    ASSERT_GE(read.lines.Count(), 2);
    EXPECT_EQ(read.lines[0].Fragments[0].Size, 3276 / 2.0);
    EXPECT_EQ(LineText(read.lines.Count() > 1 ? read.lines[read.lines.Count() - 1] : read.lines[0])
                  .right(1),
              "D");
}

TEST(RtfBadInput, OneLineElementStopsReading) {
    const Read read = ReadText(R"({\rtf1 first\par second})", 300, false);
    EXPECT_EQ(read.result, TRtfResult::LayoutEnded);
    EXPECT_EQ(read.texts, QStringList({"first"}));
}

TEST(RtfBadInput, LayoutTextKeepsWhatWasReadBeforeAnError) {
    TLumexCanvas canvas(100);
    TRadky lines;
    LayoutText(canvas, LayoutRect(300, 100), R"({\rtf1 one\par two}} three)", lines, true, 0, 0, 0,
               Arial10(), true);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(LineText(lines[1]), "two");
    EXPECT_EQ(lines[1].Height, 1117) << "the last line is closed";
}
