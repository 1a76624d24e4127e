// The character-cell field of text-only printers and text files: rows,
// pitch groups, placing with alignment, slot overlay and the written bytes.
#include <gtest/gtest.h>

#include <QBuffer>

#include "report/output/char_field.h"
#include "tests/report/output/text_recording_canvas.h"

namespace {

TZnakovePole A4Field(int lineSpacing = 0) {
    TZnakovePole field;
    field.Setup(1169, lineSpacing);
    return field;
}

QByteArray Written(const TZnakovePole& field, TSestLanguage codePage, bool lastPage) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    field.WriteRows(buffer, codePage, lastPage);
    return buffer.data();
}

}  // namespace

TEST(CharfieldSetup, RowsFollowTheLineSpacing) {
    EXPECT_EQ(A4Field(0).RowCount(), 1169 * 6 / 100);
    EXPECT_EQ(A4Field(1).RowCount(), 1169 * 4 / 100);
    EXPECT_EQ(A4Field(2).RowCount(), 1169 * 3 / 100);
    EXPECT_EQ(A4Field(7).LinesPerInch(), 6);
    EXPECT_EQ(A4Field().HighestRow(), -1);
}

TEST(CharfieldSetup, PitchGroupsFromFontSizes) {
    EXPECT_EQ(TZnakovePole::PitchGroup(14), 0);
    EXPECT_EQ(TZnakovePole::PitchGroup(11), 0);
    EXPECT_EQ(TZnakovePole::PitchGroup(10), 1);
    EXPECT_EQ(TZnakovePole::PitchGroup(9), 1);
    EXPECT_EQ(TZnakovePole::PitchGroup(8), 2);
    EXPECT_EQ(TZnakovePole::PitchGroup(6), 2);
    EXPECT_EQ(TZnakovePole::CharsPerInch(1), 12);
}

TEST(CharfieldPlace, LeftRightAndCentreAtTenCharactersPerInch) {
    // Left 100, width 200 at 10 cpi: columns 11..30.
    TZnakovePole field = A4Field();
    field.Place(QRect(100, 0, 200, 20), "ABC", 0, 11, 0, 0);
    field.Place(QRect(100, 0, 200, 20), "ABC", 1, 11, 0, 1);
    field.Place(QRect(100, 0, 200, 20), "ABCD", 2, 11, 0, 2);
    field.Place(QRect(100, 0, 200, 20), "0123456789abcdefghijklmn", 2, 11, 0, 3);
    field.Place(QRect(100, 0, 200, 20), "0123456789abcdefghijklmn", 0, 11, 0, 4);
    EXPECT_EQ(field.Row(0).Text(), QString(10, ' ') + "ABC" + QString(17, ' '));
    EXPECT_EQ(field.Row(1).Text(), QString(27, ' ') + "ABC");
    EXPECT_EQ(field.Row(1).Text().size(), 30);
    EXPECT_EQ(field.Row(2).Text(), QString(18, ' ') + "ABCD" + QString(8, ' '));
    EXPECT_EQ(field.Row(3).Text(), QString(10, ' ') + "23456789abcdefghijkl");
    EXPECT_EQ(field.Row(4).Text(), QString(10, ' ') + "0123456789abcdefghij");
    EXPECT_EQ(field.HighestRow(), 4);
}

TEST(CharfieldPlace, RowsPitchAndStyleSlots) {
    TZnakovePole field = A4Field();
    // Top 50 at 6 lines per inch is row 3; the line index adds.
    field.Place(QRect(0, 50, 100, 20), "x", 0, 10, 1 | 4, 2);
    EXPECT_EQ(field.HighestRow(), 5);
    EXPECT_EQ(field.Row(5).Slots[1 * 8 + 5], QString("x") + QString(11, ' '));
    for (int slot = 0; slot < 24; ++slot) {
        if (slot != 13) {
            EXPECT_TRUE(field.Row(5).Slots[slot].isEmpty()) << slot;
        }
    }
    // 17 cpi for small fonts: width 100 is 17 columns.
    field.Place(QRect(0, 0, 100, 20), "y", 0, 8, 0, 0);
    EXPECT_EQ(field.Row(0).Slots[16].size(), 17);
}

TEST(CharfieldPlace, TextOutsideTheFieldIsDropped) {
    TZnakovePole field = A4Field();
    field.Place(QRect(100, 0, 200, 20), "justified", 3, 11, 0, 0);
    field.Place(QRect(10000, 0, 300, 20), "beyond column 1024", 0, 11, 0, 1);
    field.Place(QRect(-500, 0, 100, 20), "left of the page", 0, 11, 0, 2);
    field.Place(QRect(0, 1169, 100, 20), "below the page", 0, 11, 0, 0);
    field.Place(QRect(0, 0, 100, 20), "above", 0, 11, 0, -1);
    EXPECT_EQ(field.HighestRow(), -1);
    EXPECT_EQ(Written(field, slCP1250, true), QByteArray());
}

TEST(CharfieldPlace, ColumnsBeforeTheFirstAreCut) {
    TZnakovePole field = A4Field();
    // Right aligned in columns 1..5: the text's first two letters fall off.
    field.Place(QRect(0, 0, 50, 20), "abcdefg", 1, 11, 0, 0);
    EXPECT_EQ(field.Row(0).Text(), "cdefg");
    // Partly left of the page: f = -2, n = 5.
    field.Place(QRect(-20, 0, 50, 20), "ABCDE", 0, 11, 0, 1);
    EXPECT_EQ(field.Row(1).Text(), "CDE");
}

TEST(CharfieldWrite, SlotsOverlayOnlyBlanks) {
    TZnakovePole field = A4Field();
    field.Place(QRect(0, 0, 40, 20), "  CD", 0, 11, 0, 0);
    field.Place(QRect(0, 0, 40, 20), "ABxx", 0, 11, 1, 0);
    field.Place(QRect(0, 0, 40, 20), "AB  ", 0, 11, 1, 1);
    field.Place(QRect(0, 0, 40, 20), "  CD", 0, 11, 0, 1);
    EXPECT_EQ(field.Row(0).Text(), "ABCD");
    EXPECT_EQ(field.Row(1).Text(), "ABCD");
}

TEST(CharfieldWrite, RowsInTheCodePageWithCrLf) {
    TZnakovePole field;
    field.Setup(100, 0);  // six rows
    field.Place(QRect(0, 0, 100, 20), "Černý", 0, 11, 0, 1);
    EXPECT_EQ(Written(field, slCP852, true), QByteArray("\r\n\xAC"
                                                        "ern\xEC     \r\n"));
    EXPECT_EQ(Written(field, slASCII, false), QByteArray("\r\nCerny     \r\n\r\n\r\n\r\n\r\n"));
    EXPECT_EQ(Written(field, slUndefined, true), QByteArray("\r\n\xC8"
                                                            "ern\xFD     \r\n"));
}

TEST(CharfieldWrite, ClearEmptiesTheRowsAndKeepsThem) {
    TZnakovePole field = A4Field();
    field.Place(QRect(0, 0, 100, 20), "x", 0, 11, 0, 3);
    field.Clear();
    EXPECT_EQ(field.RowCount(), 70);
    EXPECT_EQ(field.HighestRow(), -1);
    EXPECT_TRUE(field.Row(3).Text().isEmpty());
    EXPECT_EQ(Written(field, slCP1250, false), QByteArray("\r\n").repeated(70));
}

TEST(CharfieldPrint, SlotsInTheirDeviceFontsOneRowHeightApart) {
    TZnakovePole field = A4Field();
    field.Place(QRect(0, 0, 100, 20), "bold", 0, 12, 1, 2);
    field.Place(QRect(200, 0, 100, 20), "Šíp", 0, 8, 0, 0);
    TextRecordingCanvas canvas;
    canvas.textHeight = 40;
    field.PrintRows(canvas, slCP852);
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(canvas.texts[0].point, QPoint(0, 0));
    EXPECT_EQ(canvas.texts[0].font.name, "Roman 17cpi");
    EXPECT_FALSE(canvas.texts[0].font.bold);
    // The converted bytes reach the device as the characters they are in the
    // program's code page: "Šíp" is E6 A1 70 in IBM 852, which read as "ćˇp".
    EXPECT_EQ(canvas.texts[0].text.trimmed(), QString("ćˇp"));
    EXPECT_EQ(canvas.texts[1].point, QPoint(0, 80));
    EXPECT_EQ(canvas.texts[1].font.name, "Roman 10cpi");
    EXPECT_TRUE(canvas.texts[1].font.bold);
    EXPECT_EQ(canvas.texts[1].text.trimmed(), "bold");
}
