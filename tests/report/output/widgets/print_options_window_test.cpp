// The print-options window: the three options over a real (fake) printer's
// sheet, turning the medium, the printer set-up, the sketch, and the hook
// that printing asks when the paper is larger than the sheet.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "platform/print/fake_printer_system.h"
#include "report/model/lumex_element.h"
#include "report/output/print_options.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"
#include "report/output/widgets/print_options_window.h"
#include "report/output/widgets/print_sketch.h"
#include "tests/support/qt_printers.h"
#include "tests/support/seams.h"

using platform::FakePrinter;
using platform::FakePrinterSystem;
using testing_support::ScriptedModal;

namespace {

constexpr TPrintOptionsRequest kA3WithMargins50{1169, 1652, 50, 50, 50, 50};

template <typename T>
T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Press(QWidget& window, const char* name) {
    window.show();
    QAbstractButton* button = Child<QAbstractButton>(window, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// An A4 laser at 100 dpi: its sheet is 827 x 1169 hundredths of an inch.
class PrintOptionsTest : public ::testing::Test {
  protected:
    PrintOptionsTest() : printers({FakePrinter::Laser(QStringLiteral("A4 laser"))}) {
        printers.Install();
        PaperSetup() = TPaperSetup();
        SelectPrinter(-1);
    }
    ~PrintOptionsTest() override { ResetPrinterState(); }
    FakePrinterSystem printers;
};

TEST_F(PrintOptionsTest, OpensCroppingWithBothFormatsShown) {
    TFormLumexReportZoom form(kA3WithMargins50);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Lumex - možnosti tisku"));
    EXPECT_TRUE(Child<QRadioButton>(form, "RBOriznout")->isChecked());
    EXPECT_EQ(Child<QRadioButton>(form, "RBOriznout")->text(),
              QStringLiteral("Oříznout tiskovou sestavu"));
    EXPECT_EQ(Child<QRadioButton>(form, "RBZmensit")->text(),
              QStringLiteral("Zmenšit měřítko tisku"));
    EXPECT_EQ(Child<QRadioButton>(form, "RBViceListu")->text(),
              QStringLiteral("Tisknout na více listů"));
    EXPECT_EQ(Child<QCheckBox>(form, "ChBOtocit")->text(),
              QStringLiteral("Otočit médium v tiskárně"));
    EXPECT_EQ(Child<QPushButton>(form, "BtnTiskarna")->text(), QStringLiteral("Tiskárna..."));
    EXPECT_EQ(Child<QPushButton>(form, "BtnTisknout")->text(), QStringLiteral("Tisknout"));
    EXPECT_EQ(Child<QPushButton>(form, "BtnStorno")->text(), QStringLiteral("Storno"));
    EXPECT_EQ(Child<QLabel>(form, "LabelFormatSestavy")->text(), QStringLiteral("1169 x 1652"));
    EXPECT_EQ(Child<QLabel>(form, "LabelFormatMedia")->text(), QStringLiteral("827 x 1169"));
    EXPECT_EQ(Child<QLabel>(form, "LabelZoom")->text(), QStringLiteral("100 %"));
    EXPECT_EQ(form.Columns(), 1);
    EXPECT_EQ(form.Rows(), 1);
    EXPECT_EQ(form.Zoom(), 100);
    EXPECT_EQ(form.OrientationToApply(), 0);
}

TEST_F(PrintOptionsTest, A3OnA4SpreadsOverTwoByTwoSheets) {
    TFormLumexReportZoom form(kA3WithMargins50);
    Press(form, "RBViceListu");
    EXPECT_EQ(form.Columns(), 2);
    EXPECT_EQ(form.Rows(), 2);
    EXPECT_EQ(form.Zoom(), 100);
    Press(form, "RBOriznout");
    EXPECT_EQ(form.Columns(), 1);
    EXPECT_EQ(form.Rows(), 1);
}

TEST_F(PrintOptionsTest, ReducingTakesTheSmallerRatio) {
    TFormLumexReportZoom form(kA3WithMargins50);
    Press(form, "RBZmensit");
    // min(827 * 100 / 1169, 1169 * 100 / 1652) = min(70, 70)
    EXPECT_EQ(form.Zoom(), 70);
    EXPECT_EQ(form.Columns(), 1);
    EXPECT_EQ(Child<QLabel>(form, "LabelZoom")->text(), QStringLiteral("70 %"));
    // A wide paper is limited by the width.
    TFormLumexReportZoom wide(TPrintOptionsRequest{2000, 1000, 50, 50, 50, 50});
    wide.SelectOption(TFormLumexReportZoom::poZmensit);
    EXPECT_EQ(wide.Zoom(), 41);
}

TEST_F(PrintOptionsTest, TurningTheMediumSwapsTheSheetAndTheOrientation) {
    TFormLumexReportZoom form(kA3WithMargins50);
    Press(form, "RBViceListu");
    Press(form, "ChBOtocit");
    EXPECT_EQ(form.PhysicalWidth(), 1169);
    EXPECT_EQ(form.PhysicalHeight(), 827);
    EXPECT_EQ(form.OrientationToApply(), 1);
    EXPECT_EQ(Child<QLabel>(form, "LabelFormatMedia")->text(), QStringLiteral("1169 x 827"));
    // The selected option is applied again on the turned sheet.
    EXPECT_EQ(form.Columns(), 1);
    EXPECT_EQ(form.Rows(), 3);
    // The printer is turned only when the choice is confirmed.
    EXPECT_EQ(printers.Metrics().orientation, platform::PageOrientation::Portrait);
    Press(form, "BtnTisknout");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(printers.Metrics().orientation, platform::PageOrientation::Landscape);
}

TEST_F(PrintOptionsTest, TurningBackRestoresTheSheet) {
    TFormLumexReportZoom form(kA3WithMargins50);
    form.SetTurned(true);
    form.SetTurned(false);
    EXPECT_EQ(form.PhysicalWidth(), 827);
    EXPECT_EQ(form.OrientationToApply(), 0);
    Press(form, "BtnStorno");
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(printers.Metrics().orientation, platform::PageOrientation::Portrait);
}

TEST_F(PrintOptionsTest, PrinterSetUpReadsTheSheetAgain) {
    platform::PageOrientation duringDialog = platform::PageOrientation::Portrait;
    printers.propertiesScript = [&](FakePrinter& printer, QWidget*) {
        duringDialog = printers.Metrics().orientation;
        // The user picks A3 paper in the driver's dialog.
        printer.portrait.physicalWidth = 1169;
        printer.portrait.physicalHeight = 1654;
        return true;
    };
    TFormLumexReportZoom form(kA3WithMargins50);
    form.SetTurned(true);
    Press(form, "BtnTiskarna");
    EXPECT_EQ(printers.PropertiesShown(), 1);
    // The dialog opens on the printer turned as the window would turn it.
    EXPECT_EQ(duringDialog, platform::PageOrientation::Landscape);
    EXPECT_EQ(form.PhysicalWidth(), 1654);
    EXPECT_EQ(form.PhysicalHeight(), 1169);
    EXPECT_EQ(form.OrientationToApply(), 1);
}

TEST_F(PrintOptionsTest, CancelledPrinterSetUpKeepsTheSheet) {
    printers.propertiesScript = [](FakePrinter& printer, QWidget*) {
        printer.portrait.physicalWidth = 2000;
        return false;
    };
    TFormLumexReportZoom form(kA3WithMargins50);
    Press(form, "BtnTiskarna");
    EXPECT_EQ(form.PhysicalWidth(), 827);
}

TEST_F(PrintOptionsTest, SheetNoWiderThanTheMarginsCountsAsOneHundredthWider) {
    TFormLumexReportZoom form(TPrintOptionsRequest{3000, 3000, 500, 700, 400, 600});
    EXPECT_EQ(form.PhysicalWidth(), 901);
    EXPECT_EQ(form.PhysicalHeight(), 1301);
    // Each further sheet moves by a hundredth: many sheets, but the count ends.
    form.SelectOption(TFormLumexReportZoom::poViceListu);
    EXPECT_GT(form.Columns(), 1000);
    // Turned, the rule holds for the swapped sides as well.
    form.SetTurned(true);
    EXPECT_GT(form.PhysicalWidth(), 900);
    EXPECT_GT(form.PhysicalHeight(), 1300);
}

TEST_F(PrintOptionsTest, EmptyPaperDoesNotDivideByZero) {
    TFormLumexReportZoom form(TPrintOptionsRequest{0, 0, 0, 0, 0, 0});
    form.SelectOption(TFormLumexReportZoom::poZmensit);
    EXPECT_EQ(form.Zoom(), 100);
    form.SelectOption(TFormLumexReportZoom::poViceListu);
    EXPECT_EQ(form.Columns(), 1);
    EXPECT_EQ(form.Rows(), 1);
}

// Red pixels of the sketch to the right of the paper and its shadow.
int RedRightOfPaper(TFormLumexReportZoom& form) {
    TPrintSketch* sketch = Child<TPrintSketch>(form, "Nahled");
    form.show();
    QCoreApplication::processEvents();
    const QImage image = sketch->grab().toImage();
    const QRect paper = sketch->PaperRect();
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = paper.right() + TPrintSketch::kShadow + 2; x < image.width(); ++x) {
            red += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        }
    }
    return red;
}

TEST_F(PrintOptionsTest, SketchShowsThePaperAreaAndTheSheets) {
    TFormLumexReportZoom form(kA3WithMargins50);
    form.resize(640, 420);
    form.show();
    QCoreApplication::processEvents();
    TPrintSketch* sketch = Child<TPrintSketch>(form, "Nahled");
    const QImage image = sketch->grab().toImage();
    const QRect paper = sketch->PaperRect();
    ASSERT_GT(paper.width(), 50);
    // Scaled to fit and centred.
    EXPECT_LE(paper.height(), sketch->height() - TPrintSketch::kShadow);
    EXPECT_NEAR(paper.center().x(), (sketch->width() - TPrintSketch::kShadow) / 2, 2);
    int cyan = 0, blue = 0, grey = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            cyan += p == qRgb(0, 255, 255) ? 1 : 0;
            blue += p == qRgb(0, 0, 255) ? 1 : 0;
            grey += p == QColor(Qt::gray).rgb() ? 1 : 0;
        }
    }
    EXPECT_GT(cyan, 100);
    EXPECT_GT(blue, 50);
    EXPECT_GT(grey, 50);
    // Cropping: the one sheet lies on the paper; several sheets reach beyond it.
    EXPECT_EQ(RedRightOfPaper(form), 0);
    form.SelectOption(TFormLumexReportZoom::poViceListu);
    EXPECT_GT(RedRightOfPaper(form), 10);
}

TEST_F(PrintOptionsTest, HookAnswersTheChosenOptionOrCancel) {
    InstallPrintOptionsWindow();
    TPrintOptions options;
    {
        ScriptedModal modal([](QDialog& dialog) {
            Press(dialog, "RBViceListu");
            Press(dialog, "BtnTisknout");
            return dialog.result();
        });
        EXPECT_TRUE(AskPrintOptions(kA3WithMargins50, options));
        EXPECT_EQ(options.Columns, 2);
        EXPECT_EQ(options.Rows, 2);
        EXPECT_EQ(options.Zoom, 100);
    }
    {
        ScriptedModal modal([](QDialog& dialog) {
            Press(dialog, "RBZmensit");
            Press(dialog, "BtnStorno");
            return dialog.result();
        });
        EXPECT_FALSE(AskPrintOptions(kA3WithMargins50, options));
    }
    SetPrintOptionsHook(nullptr);
}

// The whole road: an A3 page printed on the A4 laser asks the window, and
// the sheets chosen there are what reaches the printer.
TEST_F(PrintOptionsTest, PrintingAnA3PageOnA4AsksAndTilesTheSheets) {
    InstallPrintOptionsWindow();
    PaperSetup().PaperWidth = 1169;
    PaperSetup().PaperHeight = 1652;
    PaperSetup().MarginLeft = PaperSetup().MarginRight = 50;
    PaperSetup().MarginTop = PaperSetup().MarginBottom = 50;
    TLumexReportElement frame;
    frame.kind = ekFrame;
    frame.width = 1000;
    frame.height = 1500;
    TSestVystup output;
    output.AddElement(std::make_unique<TVystPrvek>(&frame, 0, 0, 1000, 1500), 0);
    int asked = 0;
    ScriptedModal modal([&asked](QDialog& dialog) {
        ++asked;
        EXPECT_EQ(Child<QLabel>(dialog, "LabelFormatSestavy")->text(),
                  QStringLiteral("1169 x 1652"));
        Press(dialog, "RBViceListu");
        Press(dialog, "BtnTisknout");
        return dialog.result();
    });
    const bool stop = false;
    EXPECT_TRUE(output.Print(1, 1, &stop, QStringLiteral("A3"), 1));
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(printers.Jobs().size(), 1U);
    EXPECT_EQ(printers.Jobs()[0].pages.size(), 4U);
    SetPrintOptionsHook(nullptr);
}

}  // namespace
