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
    field.Place(QRect(100, 0, 200, 20), "0123456789abcdefghijklmn", 1, 11, 0, 5);
    EXPECT_EQ(field.Row(0).Text(), QString(10, ' ') + "ABC" + QString(17, ' '));
    EXPECT_EQ(field.Row(1).Text(), QString(27, ' ') + "ABC");
    EXPECT_EQ(field.Row(1).Text().size(), 30);
    EXPECT_EQ(field.Row(2).Text(), QString(18, ' ') + "ABCD" + QString(8, ' '));
    // A text longer than its box keeps every letter: centred it reaches out
    // on both sides, left aligned past the box's end, right aligned before
    // its start.
    EXPECT_EQ(field.Row(3).Text(), QString(8, ' ') + "0123456789abcdefghijklmn");
    EXPECT_EQ(field.Row(4).Text(), QString(10, ' ') + "0123456789abcdefghijklmn");
    EXPECT_EQ(field.Row(5).Text(), QString(6, ' ') + "0123456789abcdefghijklmn");
    EXPECT_EQ(field.HighestRow(), 5);
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

TEST(CharfieldPlace, TextOutsideTheFieldComesIntoItsNearestCells) {
    TZnakovePole field = A4Field();
    const int lastRow = field.RowCount() - 1;
    field.Place(QRect(100, 0, 200, 20), "justified", 3, 11, 0, 0);
    field.Place(QRect(11000, 0, 300, 20), "beyond column 1024", 0, 11, 0, 1);
    field.Place(QRect(-500, 0, 100, 20), "left of the page", 0, 11, 0, 2);
    field.Place(QRect(0, 1169, 100, 20), "below the page", 0, 11, 0, 0);
    field.Place(QRect(0, 0, 100, 20), "above", 0, 11, 0, -1);
    // Justified text is placed as left aligned.
    EXPECT_EQ(field.Row(0).Text(), "above     justified" + QString(11, ' '));
    EXPECT_EQ(field.Row(1).Text(), QString(1024, ' ') + "beyond column 1024");
    EXPECT_EQ(field.Row(2).Text(), "left of the page");
    EXPECT_EQ(field.Row(lastRow).Text(), "below the page");
    EXPECT_EQ(field.HighestRow(), lastRow);
}

TEST(CharfieldPlace, ColumnsBeforeTheFirstMoveTheTextRight) {
    TZnakovePole field = A4Field();
    // Right aligned in columns 1..5: the text starts in the first column.
    field.Place(QRect(0, 0, 50, 20), "abcdefg", 1, 11, 0, 0);
    EXPECT_EQ(field.Row(0).Text(), "abcdefg");
    // Partly left of the page: f = -2, n = 5.
    field.Place(QRect(-20, 0, 50, 20), "ABCDE", 0, 11, 0, 1);
    EXPECT_EQ(field.Row(1).Text(), "ABCDE");
}

// "Tetování:" and its value "TD 451" right aligned in the next four columns:
// the value asks for columns 9..14, over the label's end.
TEST(CharfieldCollision, AValueMovesPastItsLabelWhicheverComesFirst) {
    for (const bool labelFirst : {true, false}) {
        TZnakovePole field = A4Field();
        const TZnakovyVstup label{QRect(0, 0, 100, 20), "Tetování:", 0, 11, 0, 0, 0, true};
        const TZnakovyVstup value{QRect(100, 0, 40, 20), "TD 451", 1, 11, 0, 0, 105, false};
        field.Place(labelFirst ? label : value);
        field.Place(labelFirst ? value : label);
        EXPECT_EQ(field.Row(0).Text(), "Tetování: TD 451") << labelFirst;
    }
}

TEST(CharfieldCollision, TextsKeepTheirPageOrderAndPushOnAlongTheRow) {
    TZnakovePole field = A4Field();
    // Three texts of 12 letters in boxes 10 columns apart, each in its own
    // slot, placed in no particular order.
    field.Place(TZnakovyVstup{QRect(200, 0, 100, 20), "CCCCCCCCCCCC", 0, 11, 2, 0, 200, false});
    field.Place(TZnakovyVstup{QRect(0, 0, 100, 20), "AAAAAAAAAAAA", 0, 11, 0, 0, 0, true});
    field.Place(TZnakovyVstup{QRect(100, 0, 100, 20), "BBBBBBBBBBBB", 0, 11, 1, 0, 100, false});
    // A text that has room stays where it asked to be.
    field.Place(TZnakovyVstup{QRect(700, 0, 100, 20), "D", 0, 11, 0, 0, 700, true});
    EXPECT_EQ(field.Row(0).Text(),
              "AAAAAAAAAAAA BBBBBBBBBBBB CCCCCCCCCCCC" + QString(32, ' ') + "D" + QString(9, ' '));
    // The row order comes from where the letters stand, not from the boxes:
    // a wide right-aligned box beginning at the left edge ends after a label.
    field.Place(TZnakovyVstup{QRect(0, 17, 500, 20), "Strana 1", 1, 11, 0, 0, 440, false});
    field.Place(TZnakovyVstup{QRect(100, 17, 100, 20), "Datum:", 0, 11, 0, 0, 100, true});
    EXPECT_EQ(field.Row(1).Text(), QString(10, ' ') + "Datum:" + QString(26, ' ') + "Strana 1");
}

TEST(CharfieldCollision, AtTheSamePlaceTheLabelComesFirst) {
    TZnakovePole field = A4Field();
    field.Place(TZnakovyVstup{QRect(0, 0, 100, 20), "hodnota", 0, 11, 0, 0, 0, false});
    field.Place(TZnakovyVstup{QRect(0, 0, 100, 20), "Popis:", 0, 11, 0, 0, 0, true});
    field.Place(TZnakovyVstup{QRect(0, 0, 100, 20), "druhá", 0, 11, 0, 0, 0, false});
    EXPECT_EQ(field.Row(0).Text(), "Popis: hodnota druhá");
    // Blanks around a text claim no cells; inner blanks stay.
    field.Place(TZnakovyVstup{QRect(0, 17, 100, 20), "  a  b  ", 0, 11, 0, 0, 0, true});
    field.Place(TZnakovyVstup{QRect(50, 17, 100, 20), "c", 0, 11, 0, 0, 50, false});
    EXPECT_EQ(field.Row(1).Text(), "  a  b c  " + QString(5, ' '));
}

TEST(CharfieldWrite, SlotsOverlayOnlyBlanks) {
    // The rows of text files lay the slots over each other in slot order.
    TZnakovyRadek row;
    row.Slots[0] = "  CD";
    row.Slots[1] = "ABxx";
    EXPECT_EQ(row.Text(), "ABCD");
    row.Slots[0] = "AB  ";
    row.Slots[1] = "  CDEF";
    EXPECT_EQ(row.Text(), "ABCDEF");
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
    // A text of the next page does not meet the cleared one.
    field.Place(QRect(0, 0, 100, 20), "y", 0, 11, 0, 3);
    EXPECT_EQ(field.Row(3).Text(), "y" + QString(9, ' '));
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
