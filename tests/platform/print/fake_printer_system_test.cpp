// The scripted printer system other tests print through: it has to keep the
// settings a real printer keeps and record exactly what was printed.
#include <gtest/gtest.h>

#include <QPainter>

#include "platform/paint/qpainter_canvas.h"
#include "platform/print/fake_printer_system.h"

namespace platform {
namespace {

std::vector<FakePrinter> TwoPrinters() {
    return {FakePrinter::Laser(QStringLiteral("Laser")),
            FakePrinter::TextOnly(QStringLiteral("Jehličková"))};
}

TEST(FakePrinterSystem, InstallsItselfAndRestoresThePreviousSystem) {
    PrinterSystem* before = &Printers();
    {
        FakePrinterSystem outer(TwoPrinters());
        outer.Install();
        EXPECT_EQ(&Printers(), &outer);
        {
            FakePrinterSystem inner;
            inner.Install();
            EXPECT_EQ(&Printers(), &inner);
            EXPECT_EQ(Printers().PrinterCount(), 0);
        }
        EXPECT_EQ(&Printers(), &outer);
    }
    EXPECT_EQ(&Printers(), before);
}

TEST(FakePrinterSystem, CurrentPrinterStartsAtTheDefaultAndRefusesBadIndices) {
    FakePrinterSystem printers(TwoPrinters(), 1);
    EXPECT_EQ(printers.PrinterNames(), QStringList({"Laser", "Jehličková"}));
    EXPECT_EQ(printers.CurrentIndex(), 1);
    EXPECT_TRUE(printers.SetCurrent(0));
    EXPECT_FALSE(printers.SetCurrent(2));
    EXPECT_FALSE(printers.SetCurrent(-2));
    EXPECT_EQ(printers.CurrentIndex(), 0);
    EXPECT_TRUE(printers.SetCurrent(-1));
    EXPECT_EQ(printers.CurrentIndex(), 1);

    FakePrinterSystem none;
    EXPECT_EQ(none.CurrentIndex(), -1);
    EXPECT_EQ(none.DefaultIndex(), -1);
    EXPECT_FALSE(none.SetCurrent(-1));
    EXPECT_EQ(none.BeginJob(JobKind::Graphic, QStringLiteral("x")), nullptr);
}

TEST(FakePrinterSystem, LandscapeTurnsTheMetricsAndSettingsStayWithEachPrinter) {
    FakePrinterSystem printers(TwoPrinters());
    const PrinterMetrics portrait = printers.Metrics();
    EXPECT_EQ(portrait.dpiX, 100);
    EXPECT_EQ(portrait.physicalWidth, 827);
    EXPECT_EQ(portrait.physicalHeight, 1169);
    EXPECT_EQ(portrait.offsetX, 25);
    EXPECT_EQ(portrait.offsetY, 33);
    EXPECT_EQ(portrait.printableWidth, 777);

    printers.SetOrientation(PageOrientation::Landscape);
    printers.SetCopies(3);
    const PrinterMetrics landscape = printers.Metrics();
    EXPECT_EQ(landscape.orientation, PageOrientation::Landscape);
    EXPECT_EQ(landscape.physicalWidth, 1169);
    EXPECT_EQ(landscape.physicalHeight, 827);
    EXPECT_EQ(landscape.offsetX, 33);
    EXPECT_EQ(landscape.printableHeight, 777);

    printers.SetCurrent(1);
    EXPECT_EQ(printers.Metrics().orientation, PageOrientation::Portrait);
    EXPECT_EQ(printers.Copies(), 1);
    printers.SetCurrent(0);
    EXPECT_EQ(printers.Metrics(), landscape);
    EXPECT_EQ(printers.Copies(), 3);
}

TEST(FakePrinterSystem, ReplacingThePrintersKeepsTheCurrentOneByName) {
    FakePrinterSystem printers(TwoPrinters());
    printers.SetCurrent(1);
    printers.SetPrinters({FakePrinter::Laser(QStringLiteral("Nová")),
                          FakePrinter::Laser(QStringLiteral("Laser")),
                          FakePrinter::TextOnly(QStringLiteral("Jehličková"))});
    EXPECT_EQ(printers.CurrentIndex(), 2);
    printers.SetPrinters({FakePrinter::Laser(QStringLiteral("Jiná"))});
    EXPECT_EQ(printers.CurrentIndex(), 0);
}

TEST(FakePrinterSystem, DeviceCopiesAndTextOnlyComeFromTheScript) {
    FakePrinterSystem printers(TwoPrinters());
    EXPECT_FALSE(printers.IsTextOnly(0));
    EXPECT_TRUE(printers.IsTextOnly(1));
    EXPECT_FALSE(printers.IsTextOnly(5));
    EXPECT_EQ(printers.MaxCopies(0), 99);
    EXPECT_EQ(printers.MaxCopies(1), 1);  // the driver cannot be asked
    EXPECT_EQ(printers.Device(1).driver, "Generic Text-Only Printer");
    EXPECT_EQ(printers.Device(1).port, "parallel:/dev/lp0");
    EXPECT_TRUE(printers.Device(7).device.isEmpty());

    printers.SetCurrent(1);
    printers.SetPort(QStringLiteral("FILE:"));
    EXPECT_EQ(printers.Device(1).port, "FILE:");
    EXPECT_EQ(printers.Device(0).port, "usb://Fake/Laser");
    printers.SetPort(QString());
    EXPECT_EQ(printers.Device(1).port, "parallel:/dev/lp0");
}

TEST(FakePrinterSystem, GraphicJobRecordsEachPageAsDrawn) {
    FakePrinterSystem printers(TwoPrinters());
    printers.SetCopies(2);
    auto job = printers.BeginJob(JobKind::Graphic, QStringLiteral("Tisková sestava"));
    ASSERT_NE(job, nullptr);
    ASSERT_NE(job->Painter(), nullptr);
    EXPECT_EQ(job->PaintDevice()->width(), 777);
    EXPECT_EQ(job->PaintDevice()->logicalDpiX(), 100);
    job->Painter()->fillRect(QRect(10, 10, 5, 5), Qt::black);
    EXPECT_TRUE(job->NewPage());
    job->Painter()->fillRect(QRect(100, 200, 5, 5), Qt::red);
    EXPECT_TRUE(job->End());
    EXPECT_FALSE(job->Aborted());
    EXPECT_EQ(job->Painter(), nullptr);

    ASSERT_EQ(printers.Jobs().size(), 1u);
    const RecordedJob& recorded = printers.Jobs()[0];
    EXPECT_EQ(recorded.title, "Tisková sestava");
    EXPECT_EQ(recorded.printer, "Laser");
    EXPECT_EQ(recorded.copies, 2);
    EXPECT_TRUE(recorded.ended);
    ASSERT_EQ(recorded.pages.size(), 2u);
    EXPECT_EQ(recorded.pages[0].pixelColor(12, 12), QColor(Qt::black));
    EXPECT_EQ(recorded.pages[0].pixelColor(102, 202), QColor(Qt::white));
    EXPECT_EQ(recorded.pages[1].pixelColor(102, 202), QColor(Qt::red));
}

TEST(FakePrinterSystem, ACanvasOnTheJobsPainterDrawsOnThePage) {
    FakePrinterSystem printers({FakePrinter::Laser(QStringLiteral("Laser"))});
    auto job = printers.BeginJob(JobKind::Graphic, QStringLiteral("plátno"));
    {
        QPainterCanvas canvas(job->Painter());
        Brush brush;
        brush.color = Qt::blue;
        canvas.SetBrush(brush);
        canvas.FillRect(QRect(20, 30, 10, 10));
    }
    ASSERT_TRUE(job->End());
    const QImage& page = printers.Jobs().at(0).pages.at(0);
    EXPECT_EQ(page.pixelColor(25, 35), QColor(Qt::blue));
    EXPECT_EQ(page.pixelColor(35, 35), QColor(Qt::white));
}

TEST(FakePrinterSystem, RawJobKeepsEveryByte) {
    FakePrinterSystem printers(TwoPrinters());
    printers.SetCurrent(1);
    auto job = printers.BeginJob(JobKind::Raw, QStringLiteral("Text"));
    EXPECT_EQ(job->Painter(), nullptr);
    EXPECT_TRUE(
        job->WriteRaw(QByteArray("\xC8"
                                 "ert\r\n\f",
                                 7)));
    EXPECT_TRUE(job->NewPage());
    EXPECT_TRUE(job->WriteRaw(QByteArray("\0x", 2)));
    EXPECT_TRUE(job->End());
    EXPECT_FALSE(job->WriteRaw("late"));
    const RecordedJob& recorded = printers.Jobs().at(0);
    EXPECT_EQ(recorded.raw, QByteArray("\xC8"
                                       "ert\r\n\f\0x",
                                       9));
    EXPECT_EQ(recorded.newPages, 1);
    EXPECT_TRUE(recorded.pages.empty());
}

TEST(FakePrinterSystem, AbortedRefusedAndDroppedJobsAreRecordedAsAborted) {
    FakePrinterSystem printers(TwoPrinters());
    auto aborted = printers.BeginJob(JobKind::Graphic, QStringLiteral("a"));
    aborted->Abort();
    EXPECT_TRUE(aborted->Aborted());
    EXPECT_FALSE(aborted->End());

    printers.RefuseNextJob(QStringLiteral("Tiskárna je vypnutá."));
    auto refused = printers.BeginJob(JobKind::Raw, QStringLiteral("b"));
    EXPECT_TRUE(refused->Aborted());
    EXPECT_EQ(refused->ErrorText(), "Tiskárna je vypnutá.");
    EXPECT_FALSE(refused->WriteRaw("x"));

    printers.AbortAtSpooler(true);
    auto spooled = printers.BeginJob(JobKind::Graphic, QStringLiteral("c"));
    EXPECT_FALSE(spooled->End());
    EXPECT_TRUE(spooled->Aborted());
    printers.AbortAtSpooler(false);

    { auto dropped = printers.BeginJob(JobKind::Graphic, QStringLiteral("d")); }

    ASSERT_EQ(printers.Jobs().size(), 4u);
    for (const RecordedJob& job : printers.Jobs()) {
        EXPECT_TRUE(job.aborted) << job.title.toStdString();
        EXPECT_FALSE(job.ended) << job.title.toStdString();
    }
    EXPECT_TRUE(printers.BeginJob(JobKind::Raw, QStringLiteral("e"))->End());
}

TEST(FakePrinterSystem, PropertiesDialogIsAnsweredByTheScript) {
    FakePrinterSystem printers(TwoPrinters());
    EXPECT_FALSE(printers.ShowProperties(nullptr, 0));
    printers.propertiesScript = [](FakePrinter& printer, QWidget*) {
        printer.portrait.offsetX = 40;
        return true;
    };
    EXPECT_TRUE(printers.ShowProperties(nullptr, 0));
    EXPECT_FALSE(printers.ShowProperties(nullptr, 9));
    EXPECT_EQ(printers.PropertiesShown(), 2);
    EXPECT_EQ(printers.Metrics().offsetX, 40);
}

}  // namespace
}  // namespace platform
