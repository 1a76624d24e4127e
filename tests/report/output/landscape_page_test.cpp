// A page of a landscape template drawn on the whole sheet (PDF, spool,
// metafiles in paper geometry) lies across the sheet: wider than high, with
// an element at the right edge of the printable area still on the image.

#include <gtest/gtest.h>

#include "report/output/sestprn.h"
#include "tests/report/output/export_fixture.h"

TEST(LandscapePage, TheSheetIsTurnedWithThePaper) {
    ExportFixture f;
    PaperSetup().Orientation = 1;
    // A text at the right edge of the printable area.
    f.Place(f.Text(QStringLiteral("Matka_G5_16"), 100, 20), 0, PaperSetup().PrintableWidth() - 100,
            10);
    f.output.PaperGeometry = true;
    f.output.RenderPage(0, false);
    const platform::VectorPicture& sheet = f.output.PageImage();
    EXPECT_EQ(sheet.Width(), 1169 * 6);
    EXPECT_EQ(sheet.Height(), 826 * 6);
    // Portrait keeps its sheet.
    PaperSetup().Orientation = 0;
    f.output.RenderPage(0, false);
    EXPECT_EQ(f.output.PageImage().Width(), 826 * 6);
    EXPECT_EQ(f.output.PageImage().Height(), 1169 * 6);
}
