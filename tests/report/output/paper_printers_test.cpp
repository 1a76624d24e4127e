// The paper setup and the printer operations against scripted printers.
#include <gtest/gtest.h>

#include "platform/print/fake_printer_system.h"
#include "report/output/sestprn.h"

namespace {

using platform::FakePrinter;
using platform::FakePrinterSystem;

class PaperAndPrinters : public ::testing::Test {
  protected:
    void SetUp() override {
        PaperSetup() = TPaperSetup{};
        ResetPrinterState();
    }
    void TearDown() override { ResetPrinterState(); }
};

// A 300 dpi laser whose strips differ on every side, so that a swapped
// formula shows: 0.25" left, 0.5" top, 0.2" right, 0.4" bottom on A4.
FakePrinter UnevenLaser() {
    FakePrinter printer = FakePrinter::Laser(QStringLiteral("Laser"), 300);
    printer.portrait.physicalWidth = 2480;
    printer.portrait.physicalHeight = 3508;
    printer.portrait.offsetX = 75;
    printer.portrait.offsetY = 150;
    printer.portrait.printableWidth = 2480 - 75 - 60;
    printer.portrait.printableHeight = 3508 - 150 - 120;
    return printer;
}

TEST_F(PaperAndPrinters, PaperSetupDefaultsAndDerivedValues) {
    TPaperSetup& paper = PaperSetup();
    EXPECT_EQ(paper.PaperWidth, 826);
    EXPECT_EQ(paper.PaperHeight, 1169);
    EXPECT_EQ(paper.Orientation, 0);
    EXPECT_FALSE(paper.OrientationMayChange);
    EXPECT_EQ(paper.MarginLeft, 50);
    EXPECT_EQ(paper.MarginRight, 50);
    EXPECT_EQ(paper.MarginTop, 70);
    EXPECT_EQ(paper.MarginBottom, 70);
    EXPECT_EQ(paper.OrientedWidth(), 826);
    EXPECT_EQ(paper.PrintableWidth(), 726);
    EXPECT_EQ(paper.PrintableHeight(), 1029);

    paper.Orientation = 1;
    paper.MarginLeft = 100;
    paper.MarginBottom = 30;
    EXPECT_EQ(paper.OrientedWidth(), 1169);
    EXPECT_EQ(paper.OrientedHeight(), 826);
    EXPECT_EQ(paper.PrintableWidth(), 1169 - 100 - 50);
    EXPECT_EQ(paper.PrintableHeight(), 826 - 70 - 30);
    EXPECT_EQ(PaperSetup().PrintableWidth(), 1019) << "the setup is one per process";
}

TEST_F(PaperAndPrinters, WithoutAPrinterTheDefaultsApply) {
    FakePrinterSystem none;
    none.Install();
    SelectPrinter(-1);
    EXPECT_FALSE(PrinterState().PrinterPresent);
    EXPECT_EQ(PrinterState().ScaleX, 1.0);
    EXPECT_EQ(PrinterState().ScaleY, 1.0);

    PaperSetup().PaperWidth = 850;
    PaperSetup().PaperHeight = 1200;
    const TPrinterMetrics metrics = PrinterMetrics();
    EXPECT_EQ(metrics.DpiX, 100);
    EXPECT_EQ(metrics.DpiY, 100);
    EXPECT_EQ(metrics.OffsetX(), 50);
    EXPECT_EQ(metrics.OffsetY(), 72);
    EXPECT_EQ(metrics.PhysicalWidth, 850);
    EXPECT_EQ(metrics.PhysicalHeightHundredths(), 1200);
    EXPECT_EQ(metrics.PrinterOrientation, 0);

    EXPECT_EQ(MaxCopies(0), 0);
    EXPECT_FALSE(IsTextOnlyPrinter(0));
    EXPECT_TRUE(PrinterDeviceAndPort(0).Device.isEmpty());
    EXPECT_TRUE(PrinterDeviceAndPort(-1).Port.isEmpty());
    EXPECT_FALSE(ShowPrinterProperties(nullptr, 0));
    EXPECT_TRUE(MarginsFitPrinter(0, 0, 0, 0, 0));
    int left = 1, top = 2, right = 3, bottom = 4;
    AdjustMarginsToPrinter(left, top, right, bottom);
    EXPECT_EQ((std::vector<int>{left, top, right, bottom}), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(PaperAndPrinters, SelectPrinterSetsPresenceAndScales) {
    FakePrinterSystem printers({FakePrinter::Laser(QStringLiteral("A"), 600), UnevenLaser()}, 1);
    printers.Install();

    SelectPrinter(0);
    EXPECT_TRUE(PrinterState().PrinterPresent);
    EXPECT_EQ(printers.CurrentIndex(), 0);
    EXPECT_EQ(PrinterState().ScaleX, 6.0);
    EXPECT_EQ(PrinterState().ScaleY, 6.0);

    SelectPrinter(-1);  // the current printer stays
    EXPECT_TRUE(PrinterState().PrinterPresent);
    EXPECT_EQ(printers.CurrentIndex(), 0);

    SelectPrinter(2);  // beyond the list
    EXPECT_FALSE(PrinterState().PrinterPresent);
    EXPECT_EQ(PrinterState().ScaleX, 1.0);
    EXPECT_EQ(PrinterMetrics().DpiX, 100) << "no printer: the defaults";

    SelectPrinter(1);
    EXPECT_EQ(PrinterState().ScaleX, 3.0);
    SelectPrinter(-5);  // only the scales are reset
    EXPECT_TRUE(PrinterState().PrinterPresent);
    EXPECT_EQ(PrinterState().ScaleX, 1.0);
    EXPECT_EQ(printers.CurrentIndex(), 1);
}

TEST_F(PaperAndPrinters, MetricsFollowTheOrientationSetOnThePrinter) {
    FakePrinterSystem printers({UnevenLaser()});
    printers.Install();
    SetPrinterOrientation(1);  // no printer present yet: nothing happens
    EXPECT_EQ(printers.Metrics().orientation, platform::PageOrientation::Portrait);

    SelectPrinter(0);
    TPrinterMetrics metrics = PrinterMetrics();
    EXPECT_EQ(metrics.OffsetX(), 25);
    EXPECT_EQ(metrics.OffsetY(), 50);
    EXPECT_EQ(metrics.PhysicalWidthHundredths(), 826);
    EXPECT_EQ(metrics.PhysicalHeightHundredths(), 1169);

    SetPrinterOrientation(2);  // anything above 0 is landscape
    metrics = PrinterMetrics();
    EXPECT_EQ(metrics.PrinterOrientation, 1);
    EXPECT_EQ(metrics.PhysicalWidthHundredths(), 1169);
    EXPECT_EQ(metrics.OffsetX(), 50);
    SetPrinterOrientation(0);
    EXPECT_EQ(PrinterMetrics().PrinterOrientation, 0);
}

TEST_F(PaperAndPrinters, MetricsOfAPrinterThatWentAwayFallBackToTheDefaults) {
    FakePrinterSystem printers({UnevenLaser()});
    printers.Install();
    SelectPrinter(0);
    printers.SetPrinters({});
    const TPrinterMetrics metrics = PrinterMetrics();
    EXPECT_EQ(metrics.DpiX, 100);
    EXPECT_EQ(metrics.OffsetX(), 50);
}

TEST_F(PaperAndPrinters, TextOnlyDetectionSelectsThePrinterAndSetsItsPort) {
    FakePrinterSystem printers({FakePrinter::Laser(QStringLiteral("Laser")),
                                FakePrinter::TextOnly(QStringLiteral("Text"))});
    printers.Install();

    EXPECT_TRUE(IsTextOnlyPrinter(1));
    EXPECT_EQ(printers.CurrentIndex(), 1);
    EXPECT_FALSE(IsTextOnlyPrinter(7)) << "outside the list: the default printer";
    EXPECT_EQ(printers.CurrentIndex(), 0);

    EXPECT_TRUE(IsTextOnlyPrinter(1, QStringLiteral("FILE:"), true));
    EXPECT_EQ(PrinterDeviceAndPort(1).Port, "FILE:");
    EXPECT_TRUE(IsTextOnlyPrinter(1, QString(), false));
    EXPECT_EQ(PrinterDeviceAndPort(1).Port, "FILE:") << "without apply the port stays";
    EXPECT_TRUE(IsTextOnlyPrinter(1, QString(), true));
    EXPECT_EQ(PrinterDeviceAndPort(1).Port, "parallel:/dev/lp0");

    const QString longPort = QStringLiteral("FILE:/") + QString(100, QLatin1Char('x'));
    IsTextOnlyPrinter(1, longPort, false);
    EXPECT_EQ(PrinterDeviceAndPort(1).Port, longPort.left(79));

    // A job started now goes to the chosen port.
    auto job = printers.BeginJob(platform::JobKind::Raw, QStringLiteral("t"));
    job->End();
    EXPECT_EQ(printers.Jobs().back().port, longPort.left(79));
}

TEST_F(PaperAndPrinters, DeviceAndPortAndCopiesOfAValidOrTheCurrentPrinter) {
    FakePrinter limited = FakePrinter::Laser(QStringLiteral("Laser"));
    limited.maxCopies = 9;
    FakePrinterSystem printers({limited, FakePrinter::TextOnly(QStringLiteral("Text"))});
    printers.Install();
    printers.SetCurrent(1);

    EXPECT_EQ(PrinterDeviceAndPort(0).Device, "Laser");
    EXPECT_EQ(PrinterDeviceAndPort(0).Port, "usb://Fake/Laser");
    EXPECT_EQ(PrinterDeviceAndPort(5).Device, "Text");
    EXPECT_EQ(PrinterDeviceAndPort(-1).Device, "Text");
    EXPECT_EQ(MaxCopies(0), 9);
    EXPECT_EQ(MaxCopies(-1), 1) << "the current text printer's driver cannot be asked";
    EXPECT_EQ(printers.CurrentIndex(), 1) << "asking changes no printer";
}

TEST_F(PaperAndPrinters, PrinterPropertiesGoToTheChosenPrinter) {
    FakePrinterSystem printers(
        {FakePrinter::Laser(QStringLiteral("A")), FakePrinter::Laser(QStringLiteral("B"))});
    printers.Install();
    QString shownFor;
    printers.propertiesScript = [&](FakePrinter& printer, QWidget*) {
        shownFor = printer.name;
        return printer.name == "B";
    };
    EXPECT_TRUE(ShowPrinterProperties(nullptr, 1));
    EXPECT_EQ(shownFor, "B");
    EXPECT_FALSE(ShowPrinterProperties(nullptr, 9));
    EXPECT_EQ(shownFor, "A") << "outside the list: the default printer";
    EXPECT_EQ(printers.CurrentIndex(), 0);
}

TEST_F(PaperAndPrinters, MarginsFitOnlyWhenEverySideCoversTheStrip) {
    FakePrinterSystem printers({UnevenLaser()});
    printers.Install();
    printers.SetCopies(4);
    // Strips in portrait: left 25, top 50, right 20, bottom 40.
    EXPECT_TRUE(MarginsFitPrinter(0, 25, 50, 40, 20));
    EXPECT_EQ(printers.Copies(), 1);
    EXPECT_TRUE(PrinterState().PrinterPresent);
    EXPECT_FALSE(MarginsFitPrinter(0, 24, 50, 40, 20));
    EXPECT_FALSE(MarginsFitPrinter(0, 25, 49, 40, 20));
    EXPECT_FALSE(MarginsFitPrinter(0, 25, 50, 39, 20));
    EXPECT_FALSE(MarginsFitPrinter(0, 25, 50, 40, 19));

    // In landscape the strips turn: left 50, top 25, right 40, bottom 20.
    EXPECT_FALSE(MarginsFitPrinter(1, 25, 50, 40, 20));
    EXPECT_EQ(printers.Metrics().orientation, platform::PageOrientation::Landscape);
    EXPECT_TRUE(MarginsFitPrinter(1, 50, 25, 20, 40));
}

TEST_F(PaperAndPrinters, AdjustRaisesOnlyTheMarginsThatAreTooSmall) {
    FakePrinterSystem printers({UnevenLaser()});
    printers.Install();
    ASSERT_FALSE(MarginsFitPrinter(0, 10, 100, 0, 30));
    int left = 10, top = 100, right = 30, bottom = 0;
    AdjustMarginsToPrinter(left, top, right, bottom);
    EXPECT_EQ(left, 25);
    EXPECT_EQ(top, 100);
    EXPECT_EQ(right, 30);
    EXPECT_EQ(bottom, 40);
    EXPECT_TRUE(MarginsFitPrinter(0, left, top, bottom, right));
}

TEST_F(PaperAndPrinters, MinimumMarginsUseIntegerDivisionOfDevicePixels) {
    // 600 dpi, strips of 95 px left (15.8 hundredths) and 59 px right (9.8).
    FakePrinter printer = FakePrinter::Laser(QStringLiteral("Fine"), 600);
    printer.portrait.offsetX = 95;
    printer.portrait.printableWidth = printer.portrait.physicalWidth - 95 - 59;
    FakePrinterSystem printers({printer});
    printers.Install();
    int left = 0, top = 0, right = 0, bottom = 0;
    AdjustMarginsToPrinter(left, top, right, bottom);
    EXPECT_EQ(left, 15);
    EXPECT_EQ(right, 9);
    EXPECT_TRUE(MarginsFitPrinter(0, 15, top, bottom, 9));
}

}  // namespace
