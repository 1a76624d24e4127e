// The text export: rows of the character field per page, the last-page rule,
// copies, page ranges and the five code pages.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "report/output/sestexport.h"
#include "tests/report/output/export_fixture.h"

namespace {

QList<QByteArray> Rows(const QByteArray& text) {
    QList<QByteArray> rows = text.split('\n');
    EXPECT_TRUE(rows.last().isEmpty()) << "the text ends with a line end";
    rows.removeLast();
    for (QByteArray& row : rows) {
        EXPECT_TRUE(row.endsWith('\r'));
        row.chop(1);
    }
    return rows;
}

QByteArray Text(const TSestVystup& output, int first, int last, int copies) {
    return Written([&](QIODevice& device) {
        EXPECT_TRUE(SaveTextStream(output, device, first, last, copies));
    });
}

// "Strana n" from column 11 in the 20 columns of its element, padded with
// blanks to the element's end.
QByteArray Row(int page) {
    return QByteArray(10, ' ') + "Strana " + QByteArray::number(page) + QByteArray(12, ' ');
}

// Three pages with "Strana n" at row 1 (top 17 at six lines per inch) and
// column 11 (left 100 at 10 cpi: 11-point Arial).
void ThreePages(ExportFixture& f) {
    for (int page = 0; page < 3; ++page) {
        TLumexReportElement& text = f.Text(QStringLiteral("Strana %1").arg(page + 1));
        text.font.size = 11;
        f.Place(text, page, 100, 17);
    }
}

}  // namespace

TEST(ExportText, FullPagesExceptTheLastOfTheRange) {
    ExportFixture f;
    ThreePages(f);
    const QList<QByteArray> rows = Rows(Text(f.output, 1, 3, 1));
    const int pageRows = 1169 * 6 / 100;  // A4 portrait at six lines per inch
    ASSERT_EQ(rows.size(), 2 * pageRows + 2);
    EXPECT_EQ(rows[0], QByteArray(""));
    EXPECT_EQ(rows[1], Row(1));
    EXPECT_EQ(rows[pageRows + 1], Row(2));
    EXPECT_EQ(rows.last(), Row(3));
}

TEST(ExportText, RangeIsClampedAndCopiesRepeatIt) {
    ExportFixture f;
    ThreePages(f);
    const int pageRows = 1169 * 6 / 100;
    // Pages 2..9 are pages 2 and 3; two copies, each ending after its last used row.
    const QList<QByteArray> rows = Rows(Text(f.output, 2, 9, 2));
    ASSERT_EQ(rows.size(), 2 * (pageRows + 2));
    EXPECT_EQ(rows[1], Row(2));
    EXPECT_EQ(rows[pageRows + 1], Row(3));
    EXPECT_EQ(rows[pageRows + 3], Row(2));
    // A first page of 0 starts at page 1.
    EXPECT_EQ(Rows(Text(f.output, 0, 1, 1)).last(), Row(1));
}

TEST(ExportText, LineSpacingSettingSetsRowsPerPage) {
    ExportFixture f;
    ThreePages(f);
    f.output.SetTextLineSpacing(2);  // three lines per inch
    const QList<QByteArray> rows = Rows(Text(f.output, 1, 2, 1));
    EXPECT_EQ(rows.size(), 1169 * 3 / 100 + 2);
}

TEST(ExportText, CodePagesConvertCzechLettersOnly) {
    ExportFixture f;
    TLumexReportElement& text = f.Text(QStringLiteral("Čáp a"));
    text.font.size = 11;
    f.Place(text, 0, 0, 0);
    f.Place(f.Text(QStringLiteral("x")), 1, 0, 0);
    f.Place(f.Text(QStringLiteral("y")), 2, 0, 0);
    struct Case {
        TSestLanguage language;
        QByteArray row;
    };
    const Case cases[] = {
        {slUndefined, "\xC8\xE1p a"}, {slCP1250, "\xC8\xE1p a"}, {slCP852, "\xAC\xA0p a"},
        {slASCII, "Cap a"},           {slCP867, "\x80\xA0p a"},  {slISO88592, "\xC8\xE1p a"},
    };
    const QByteArray padding(20 - 5, ' ');
    for (const Case& c : cases) {
        f.output.ExportLanguage = c.language;
        EXPECT_EQ(Rows(Text(f.output, 1, 3, 1)).first(), c.row + padding) << int(c.language);
    }
}

TEST(ExportText, SaveTextWritesAllPagesOnceAndReplacesTheFile) {
    ExportFixture f;
    ThreePages(f);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("sestava.txt"));
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    ASSERT_TRUE(SaveText(f.output, name));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), Text(f.output, 1, 3, 1));
    EXPECT_FALSE(SaveText(f.output, dir.filePath(QStringLiteral("no/such/folder.txt"))));
}

TEST(ExportText, StopFlagEndsBetweenPages) {
    ExportFixture f;
    ThreePages(f);
    const bool stop = true;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(SaveTextStream(f.output, buffer, 1, 3, 1, &stop));
    EXPECT_TRUE(buffer.data().isEmpty());
}

TEST(ExportText, OutputWithoutPagesWritesNothing) {
    ExportFixture f;
    EXPECT_TRUE(Text(f.output, 1, 9999, 1).isEmpty());
}

// A record sheet's label in 10 points (12 cpi) and its value in bold 11
// points (10 cpi), right aligned in the box after it: in fixed-pitch cells the
// value claims the label's last cells. The label stays whole and the value
// follows it.
TEST(ExportText, AValueNeverCoversItsLabel) {
    ExportFixture f;
    TLumexReportElement& label = f.Text(QStringLiteral("Tetování:"), 90);
    TLumexReportElement& value = f.Text(QStringLiteral("TD 451"), 60);
    value.kind = ekField;
    value.alignment = eaRight;
    value.font.size = 11;
    value.font.style = fsBold;
    // The value is put on the page first; its box begins where the label's ends.
    f.Place(value, 0, 190, 0);
    f.Place(label, 0, 100, 0);
    EXPECT_EQ(Rows(Text(f.output, 1, 1, 1)).first(),
              QByteArray(12, ' ') + "Tetov\xE1n\xED: TD 451");
}

// Elements on a row keep the order in which their letters stand on the page,
// even where a box begins further left than the text before it: the print
// date, right aligned in a box from the left edge, begins after "Datum:" on
// the page but asks for cells of it.
TEST(ExportText, RowsFollowWhereTheLettersStand) {
    ExportFixture f;
    TLumexReportElement& caption = f.Text(QStringLiteral("Datum:"), 100);
    TLumexReportElement& date = f.Text(QStringLiteral("Vytištěno 1.2.2020"), 200);
    date.kind = ekVariable;
    date.alignment = eaRight;
    f.Place(date, 0, 0, 0);
    f.Place(caption, 0, 10, 0);
    EXPECT_EQ(Rows(Text(f.output, 1, 1, 1)).first(), " Datum: Vyti\x9At\xECno 1.2.2020");
}
