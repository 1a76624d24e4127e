// Layout of plain text: wrapping, tabs, alignment, justification, the fixed
// character grid, fixed line heights and the height helpers. Measured on the
// real Liberation Sans installed for Arial (fonts-liberation2): at 10 points
// one em is 1000 layout units, and J 500, m 833, é 556, n 556, o 556, space
// 278, p 556, s 500, a 556, A 667, B 667, X height 1117.
#include <gtest/gtest.h>

#include "report/output/lumex_canvas.h"
#include "report/output/text_layout.h"

namespace {

platform::Font Arial10() {
    platform::Font font;
    font.name = "Arial";
    font.size = 10;
    return font;
}

struct Layout {
    TRadky lines;
    QStringList texts;
};

Layout Lay(const QString& text, int width, bool wrap = true, int alignment = 0,
           double lineHeight = 0, double charSpacing = 0, const platform::Font& font = Arial10()) {
    TLumexCanvas canvas(100);
    Layout result;
    LayoutText(canvas, LayoutRect(width, 100), text, result.lines, wrap, lineHeight, charSpacing,
               alignment, font, false);
    for (const TRadek& line : result.lines) {
        result.texts << LineText(line);
    }
    return result;
}

// End of the last character that is not a blank.
int VisibleEnd(const TRadek& line) {
    int end = 0;
    for (const TFragment& fragment : line.Fragments) {
        for (int i = 0; i < fragment.Count(); ++i) {
            if (fragment.Text[i] != u' ') {
                end = fragment.X[i + 1];
            }
        }
    }
    return end;
}

}  // namespace

TEST(LayoutWrapping, TwoWordsWrapAtTheSpace) {
    // Width 60: limit 72 * 60 - 72 = 4248; "Jméno " reaches 3279, "p" would
    // end at 3835 and 3835 + 556 + 2 passes the limit.
    const Layout layout = Lay("Jméno psa", 60);
    EXPECT_EQ(layout.texts, QStringList({QString("Jméno "), "psa"}));
    const TRadek& second = layout.lines[1];
    EXPECT_EQ(second.Fragments[0].X, QVector<int>({0, 556, 1056, 1612}));
    EXPECT_TRUE(layout.lines[0].Wrapped);
    EXPECT_TRUE(layout.lines[0].FirstOfParagraph);
    EXPECT_FALSE(second.FirstOfParagraph);
    EXPECT_FALSE(second.Wrapped);
}

TEST(LayoutWrapping, WholeTextOnOneLineWhenItFits) {
    const Layout layout = Lay("Jméno psa", 100);
    EXPECT_EQ(layout.texts, QStringList({QString("Jméno psa")}));
    EXPECT_EQ(layout.lines[0].Fragments[0].X.last(), 4891);
}

TEST(LayoutWrapping, LongWordBreaksAtTheCharacterThatWouldCross) {
    // Width 30: limit 2088. "Jm" ends at 1333 and 1333 + 833 + 2 > 2088.
    const Layout layout = Lay("Jménopsa", 30);
    EXPECT_EQ(layout.texts, QStringList({"Jm", QString("éno"), "psa"}));
    EXPECT_EQ(layout.lines.Count(), 3) << "no empty line after a wrap at the very end";
}

TEST(LayoutWrapping, WithoutWrappingTheTextIsCut) {
    EXPECT_EQ(Lay("Jménopsa", 30, false).texts, QStringList({"Jm"}));
    // "Jméno" reaches 3001 in width 50 (limit 3528): 3001 + 556 + 2 crosses.
    EXPECT_EQ(Lay("Jméno psa", 50, false).texts, QStringList({QString("Jméno")}));
    EXPECT_EQ(Lay("first\nsecond", 100, false).texts, QStringList({"first"}));
}

TEST(LayoutWrapping, LineFeedsStartParagraphsAndCarriageReturnsAreIgnored) {
    const Layout layout = Lay("one\r\ntwo\n\nthree", 100);
    EXPECT_EQ(layout.texts, QStringList({"one", "two", "", "three"}));
    for (const TRadek& line : layout.lines) {
        EXPECT_TRUE(line.FirstOfParagraph);
        EXPECT_EQ(line.Height, 1117);
    }
}

TEST(LayoutWrapping, ParagraphEndingAtAWrapGetsNoEmptyLine) {
    const Layout layout = Lay("Jménopsa\nX", 30);
    EXPECT_EQ(layout.texts, QStringList({"Jm", QString("éno"), "psa", "X"}));
    EXPECT_TRUE(layout.lines[3].FirstOfParagraph);
}

TEST(LayoutWrapping, ZeroWidthStillEnds) {
    const Layout layout = Lay("abc", 0);
    EXPECT_EQ(layout.texts, QStringList({"a", "b", "c"}));
}

TEST(LayoutTabs, TabMovesToTheNextDefaultStop) {
    // Default stops every 720 twips = 3456 layout units.
    const Layout layout = Lay("A\tB\tC", 200);
    ASSERT_EQ(layout.lines.Count(), 1);
    EXPECT_EQ(layout.texts[0], "A B C");
    EXPECT_EQ(layout.lines[0].Fragments[0].X, QVector<int>({0, 667, 3456, 4123, 6912, 7634}));
}

TEST(LayoutTabs, TabPastTheLimitWraps) {
    // Width 40: the first stop (3456) is past the limit 2808.
    const Layout layout = Lay("AA\tB", 40);
    EXPECT_EQ(layout.texts, QStringList({"AA ", "B"}));
    EXPECT_EQ(layout.lines[1].Fragments[0].X, QVector<int>({0, 667}));
    EXPECT_EQ(Lay("AA\tB", 40, false).texts, QStringList({"AA "}));
}

TEST(LayoutAlignment, OffsetsOfLeftRightAndCentre) {
    // "AB" is 1334 wide; the element is 100 hundredths = 7200 units.
    EXPECT_EQ(Lay("AB", 100, true, 0).lines[0].Offset, 72);
    EXPECT_EQ(Lay("AB", 100, true, 1).lines[0].Offset, 7200 - 72 - 1334);
    EXPECT_EQ(Lay("AB", 100, true, 2).lines[0].Offset, (7200 - 1334) / 2);
    EXPECT_EQ(Lay("AB", 100, true, 3).lines[0].Offset, 72);
}

TEST(LayoutAlignment, RightAlignedWrappedLinesEndFlushWithoutTheirBlank) {
    const Layout layout = Lay("Jméno psa", 60, true, 1);
    ASSERT_EQ(layout.lines.Count(), 2);
    const int right = 72 * 60 - 72;
    EXPECT_EQ(layout.lines[0].Offset + VisibleEnd(layout.lines[0]), right);
    EXPECT_EQ(layout.lines[1].Offset + VisibleEnd(layout.lines[1]), right);
}

TEST(LayoutJustification, WrappedLinesAreStretchedTheLastIsNot) {
    const Layout layout = Lay("aa bb cc dd ee ff gg hh ii jj", 60, true, 3);
    ASSERT_GE(layout.lines.Count(), 3);
    const int width = 72 * 60;
    for (int i = 0; i + 1 < layout.lines.Count(); ++i) {
        const TRadek& line = layout.lines[i];
        ASSERT_TRUE(line.Wrapped);
        EXPECT_NEAR(line.Offset + VisibleEnd(line), width, 1) << i;
        EXPECT_EQ(line.Offset, 72);
    }
    const TRadek& last = layout.lines[layout.lines.Count() - 1];
    EXPECT_FALSE(last.Wrapped);
    EXPECT_LT(last.Offset + VisibleEnd(last), width - 1000);
    // The gaps grew, the letters kept their order.
    const QVector<int> starts = layout.lines[0].StartPositions();
    EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end()));
    EXPECT_GT(starts[3] - starts[2], 278);
}

TEST(LayoutGrid, CharactersSitOnTheFixedGrid) {
    // 10 characters per inch: a cell of 10 hundredths = 720 units.
    const Layout layout = Lay("iWi", 100, true, 0, 0, 10);
    EXPECT_EQ(layout.lines[0].Fragments[0].X, QVector<int>({0, 720, 1440, 2160}));
    // 17 cpi: cells of 72 * 100 / 17 = 423.53 units, rounded per position.
    const Layout fine = Lay("abc", 100, true, 0, 0, 100.0 / 17);
    EXPECT_EQ(fine.lines[0].Fragments[0].X, QVector<int>({0, 424, 847, 1271}));
}

TEST(LayoutHeights, FixedLineHeightIsEveryLinesHeight) {
    platform::Font big = Arial10();
    big.size = 20;
    const Layout layout = Lay("a\nb\nc", 100, true, 0, 16.6667, 0, big);
    ASSERT_EQ(layout.lines.Count(), 3);
    for (const TRadek& line : layout.lines) {
        EXPECT_EQ(line.Height, 1200);
    }
    EXPECT_EQ(TotalHeight(layout.lines, 16.6667), (72 + 3 * 1200) / 72);
}

TEST(LayoutHeights, TotalHeight) {
    EXPECT_EQ(TotalHeight(Lay("", 100).lines, 0), 0);
    EXPECT_EQ(Lay("", 100).lines.Count(), 1);
    EXPECT_EQ(TotalHeight(Lay("", 100).lines, 16.6667), 0);
    EXPECT_EQ(TotalHeight(Lay("A", 100).lines, 0), (72 + 1117) / 72);
    EXPECT_EQ(TotalHeight(Lay("A\nB", 100).lines, 0), (72 + 2 * 1117) / 72);
    EXPECT_EQ(TotalHeight(Lay("\n", 100).lines, 0), (72 + 2 * 1117) / 72);
    EXPECT_EQ(TotalHeight(TRadky(), 0), 0);
}

TEST(LayoutHeights, FitLinesSplitsWhereTheNextLineNoLongerFits) {
    const Layout layout = Lay("1\n2\n3\n4\n5", 100);
    int used = -1;
    int last = -1;
    EXPECT_FALSE(FitLines(layout.lines, 0, 0, used, last));
    EXPECT_EQ(last, -1);
    EXPECT_EQ(used, 1);
    EXPECT_FALSE(FitLines(layout.lines, 2, 0, used, last));
    EXPECT_EQ(last, 1);
    // 40 hundredths = 2880 units: 72 + 1117 + 1117 = 2306 fits, a third does not.
    EXPECT_FALSE(FitLines(layout.lines, 0, 40, used, last));
    EXPECT_EQ(last, 1);
    EXPECT_EQ(used, 2306 / 72);
    EXPECT_FALSE(FitLines(layout.lines, 1, 40, used, last));
    EXPECT_EQ(last, 2);
    EXPECT_TRUE(FitLines(layout.lines, 3, 40, used, last));
    EXPECT_EQ(last, 4);
    EXPECT_TRUE(FitLines(layout.lines, 0, 1000, used, last));
    EXPECT_EQ(last, 4);
    EXPECT_EQ(used, (72 + 5 * 1117) / 72);
    EXPECT_TRUE(FitLines(layout.lines, 9, 0, used, last));
    EXPECT_EQ(last, 8);
}

TEST(LayoutLines, SliceCollectAndFragmentText) {
    const Layout layout = Lay("a\nb\nc", 100);
    const TRadky slice = layout.lines.Slice(1, 7);
    ASSERT_EQ(slice.Count(), 2);
    EXPECT_EQ(LineText(slice[0]), "b");
    EXPECT_EQ(FragmentText(slice[1], 0), "c");
    EXPECT_EQ(FragmentText(slice[1], 3), "");
    QStringList fonts;
    CollectFonts(layout.lines, fonts);
    EXPECT_EQ(fonts, QStringList({"238 0 0 0 Arial"}));
    QStringList colours;
    CollectColours(layout.lines, colours);
    EXPECT_EQ(colours, QStringList({"0"}));
}

TEST(LayoutLines, AppendsToExistingLines) {
    TLumexCanvas canvas(100);
    TRadky lines;
    LayoutText(canvas, LayoutRect(100, 20), "a", lines, true, 0, 0, 0, Arial10(), false);
    LayoutText(canvas, LayoutRect(100, 20), "b", lines, true, 0, 0, 0, Arial10(), false);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(LineText(lines[1]), "b");
}
