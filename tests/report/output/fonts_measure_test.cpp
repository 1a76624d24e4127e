// Font resolution, device-independent measuring and the font rules.
// These tests measure on the real fonts installed here: Arial, Times New Roman
// and Courier New resolve through fontconfig to Liberation Sans, Serif and Mono
// (fonts-liberation2), whose advances equal the Windows fonts'.
#include <gtest/gtest.h>

#include "platform/paint/vector_picture.h"
#include "report/output/font_metrics.h"
#include "report/output/lumex_canvas.h"
#include "report/output/template_font.h"
#include "tests/report/output/text_recording_canvas.h"

namespace {

platform::Font MakeFont(const QString& name, double size, bool bold = false) {
    platform::Font font;
    font.name = name;
    font.size = size;
    font.bold = bold;
    return font;
}

}  // namespace

TEST(FontsMeasure, WindowsCoreFontsResolveToMetricCompatibleLiberationFaces) {
    TFontFaceCache& cache = TFontFaceCache::Instance();
    EXPECT_EQ(cache.ResolvedFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(cache.ResolvedFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(cache.ResolvedFamily("Courier New"), "Liberation Mono");
    EXPECT_TRUE(HasMetricCompatibleFace("Arial"));
    EXPECT_TRUE(HasMetricCompatibleFace("Courier New"));
    EXPECT_FALSE(HasMetricCompatibleFace("No Such Family Anywhere"));
    EXPECT_EQ(cache.Face("Arial", true, false)->StyleName(), "Bold");
    EXPECT_EQ(cache.Face("arial", false, false), cache.Face("Arial", false, false));
}

TEST(FontsMeasure, AdvancesInLayoutUnitsMatchTheArialDesign) {
    // 10 points measured at 720 points on a 100 pixels-per-inch canvas: one
    // em is 1000 layout units (1/7200 inch).
    TLumexCanvas canvas(100);
    canvas.SetFont(MakeFont("Arial", 720));
    EXPECT_EQ(canvas.CharWidth(u'C'), 722);       // 1479 / 2048 em
    EXPECT_EQ(canvas.CharWidth(u' '), 278);       // 569 / 2048 em
    EXPECT_EQ(canvas.CharWidth(u'\u010C'), 722);  // Č as wide as C
    EXPECT_EQ(canvas.TextWidth("CC "), 722 + 722 + 278);
    // Cell height from the win ascent and descent: (1854 + 434) / 2048 em.
    EXPECT_EQ(canvas.FontHeight(), 1117);
    EXPECT_EQ(canvas.FontAscent(), 905);
    EXPECT_EQ(canvas.FontDescent(), 212);
    EXPECT_EQ(canvas.TextHeight("X"), 1117);

    canvas.SetFont(MakeFont("Courier New", 720));
    for (char16_t ch : {u'i', u'W', u'\u0161', u' '}) {
        EXPECT_EQ(canvas.CharWidth(ch), 600) << int(ch);
    }
    canvas.SetFont(MakeFont("Arial", 720, true));
    EXPECT_EQ(canvas.CharWidth(u'a'), 556);
}

TEST(FontsMeasure, MeasuringIgnoresTheTargetDeviceAndPinsItsResolution) {
    TextRecordingCanvas printer;
    printer.ppi = 600;
    TLumexCanvas onPrinter(printer, 100);
    EXPECT_EQ(printer.ppi, 100) << "creation pins the target to the font resolution";
    TLumexCanvas alone(100);
    for (TLumexCanvas* canvas : {&onPrinter, &alone}) {
        canvas->SetFont(MakeFont("Times New Roman", 720));
    }
    EXPECT_EQ(onPrinter.TextWidth("Harvel"), alone.TextWidth("Harvel"));
    EXPECT_NE(onPrinter.TextWidth("Harvel"), printer.TextWidth("Harvel"));

    printer.ppi = 300;  // someone changed the device
    onPrinter.SetFont(MakeFont("Arial", 12));
    EXPECT_EQ(printer.ppi, 100);
}

TEST(FontsMeasure, FontsReachTheTargetOnlyWhenSomethingIsDrawn) {
    TextRecordingCanvas target;
    TLumexCanvas canvas(target, 100);
    const int before = target.fontChanges;
    for (int size = 8; size < 20; ++size) {
        canvas.SetFont(MakeFont("Arial", size));
        canvas.TextWidth("abc");
    }
    EXPECT_EQ(target.fontChanges, before);
    canvas.TextOut(QPoint(1, 2), "x");
    EXPECT_EQ(target.fontChanges, before + 1);
    EXPECT_EQ(target.font.size, 19);
    ASSERT_EQ(target.texts.size(), 1u);
}

TEST(FontsMeasure, ResolutionScalesPixelWidths) {
    TLumexCanvas canvas(600);
    canvas.SetFont(MakeFont("Arial", 72));   // one inch em at 600 ppi: 600 pixels
    EXPECT_EQ(canvas.CharWidth(u'C'), 433);  // 1479 / 2048 * 600
    canvas.SetFontResolution(100);
    EXPECT_EQ(canvas.CharWidth(u'C'), 72);
}

TEST(FontsDeviceFonts, RomanFontsBecomeCourierNewOfTheirPitch) {
    struct Case {
        const char* name;
        double size;
        int cpi;
    };
    for (const Case& c :
         {Case{"Roman 10cpi", 11, 10}, Case{"Roman 12cpi", 10, 12}, Case{"Roman 17cpi", 8, 17},
          Case{"Roman 15cpi", 11, 15}, Case{"Roman ", 11, 10}}) {
        platform::Font font = MakeFont(c.name, 30);
        font.charset = 0;
        EXPECT_TRUE(IsDeviceFont(font.name));
        EXPECT_EQ(DeviceFontCpi(font.name), c.cpi) << c.name;
        ASSERT_TRUE(SubstituteDeviceFont(font));
        EXPECT_EQ(font.name, "Courier New");
        EXPECT_TRUE(font.fixedPitch);
        EXPECT_EQ(font.charset, 238);
        EXPECT_EQ(font.size, c.size) << c.name;
    }
    platform::Font arial = MakeFont("Arial", 10);
    EXPECT_FALSE(SubstituteDeviceFont(arial));
    EXPECT_EQ(arial.name, "Arial");
    EXPECT_FALSE(IsDeviceFont("Romantic"));
}

TEST(FontsList, ListsInstalledFamiliesTheCoreNamesAndTheDeviceFonts) {
    const QStringList& list = FontList();
    ASSERT_GE(list.size(), 6);
    EXPECT_EQ(list.mid(list.size() - 3),
              QStringList({"Roman 10cpi", "Roman 12cpi", "Roman 17cpi"}));
    EXPECT_TRUE(list.contains("Liberation Sans"));
    EXPECT_TRUE(list.contains("Arial"));
    EXPECT_TRUE(list.contains("Times New Roman"));
    EXPECT_TRUE(list.contains("Courier New"));
    EXPECT_EQ(&FontList(), &list) << "built once";
}

TEST(FontsTemplate, CharsetSuffixIsCutWhenTheNameIsNotInstalled) {
    const QStringList installed{"Arial", "Times New Roman CE", "Courier New"};
    platform::Font font;
    ApplyTemplateFont(font, "Arial CE", 10, 0, 0, 0, installed);
    EXPECT_EQ(font.name, "Arial");
    EXPECT_EQ(font.charset, 238);
    ApplyTemplateFont(font, "Times New Roman CE", 10, 0, 0, 0, installed);
    EXPECT_EQ(font.name, "Times New Roman CE");
    EXPECT_EQ(font.charset, 0);
    ApplyTemplateFont(font, "Courier New CYR", 10, 0, 0, 0, installed);
    EXPECT_EQ(font.name, "Courier New");
    EXPECT_EQ(font.charset, 204);
    ApplyTemplateFont(font, "Arial Greek", 10, 0, 0, 0, installed);
    EXPECT_EQ(font.charset, 161);
    ApplyTemplateFont(font, "Arial Baltic", 10, 0, 0, 0, installed);
    EXPECT_EQ(font.charset, 186);
    ApplyTemplateFont(font, "Arial TUR", 10, 0, 0, 0, installed);
    EXPECT_EQ(font.charset, 162);
}

TEST(FontsTemplate, SizeStyleAndColour) {
    platform::Font font;
    ApplyTemplateFont(font, "Arial", -50, 238, 1 | 4, 9, {"Arial"});
    EXPECT_EQ(font.size, 36);
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    EXPECT_TRUE(font.underline);
    EXPECT_FALSE(font.strikeout);
    EXPECT_EQ(font.color, QColor(255, 0, 0));

    ApplyTemplateFont(font, "Arial", 12, 238, 2 | 8, 128 + 256 * 64 + 65536 * 32, {"Arial"});
    EXPECT_EQ(font.size, 12);
    EXPECT_FALSE(font.bold);
    EXPECT_TRUE(font.italic);
    EXPECT_TRUE(font.strikeout);
    EXPECT_EQ(font.color, QColor(128, 64, 32));

    EXPECT_EQ(TemplateColour(0), QColor(0, 0, 0));
    EXPECT_EQ(TemplateColour(1), QColor(128, 0, 0));
    EXPECT_EQ(TemplateColour(8), QColor(192, 192, 192));
    EXPECT_EQ(TemplateColour(15), QColor(255, 255, 255));
    EXPECT_EQ(TemplateColour(16), QColor(16, 0, 0));
    EXPECT_EQ(ColourNumber(QColor(128, 0, 0)), 128);
    EXPECT_EQ(ColourNumber(QColor(0, 0, 255)), 65536 * 255);
}

TEST(FontsMeasure, PageImageCanvasGetsTheFontResolution) {
    platform::VectorPicture page(826 * 6, 1169 * 6, 600);
    TLumexCanvas canvas(page, 100);
    EXPECT_EQ(page.PixelsPerInch(), 100);
    platform::Font font = MakeFont("Arial", 60);
    canvas.SetFont(font);
    canvas.ExtTextOut(QPoint(10, 20), "Ab", {56, 56});
    EXPECT_EQ(page.GetFont().size, 60);
    EXPECT_EQ(page.GetFont().name, "Arial");
    EXPECT_FALSE(page.IsEmpty());
}
