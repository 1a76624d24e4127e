// Printing the output on scripted printers: where the page lands on the sheet,
// the page range, copies, orientation, the print options for paper larger
// than the sheet, stops and refusals, and the character rows of text-only
// printers in each code page.
#include <gtest/gtest.h>

#include <QImage>
#include <optional>

#include "platform/print/fake_printer_system.h"
#include "report/output/print_options.h"
#include "tests/report/output/export_fixture.h"
#include "tests/support/seams.h"

namespace {

using platform::FakePrinter;
using platform::FakePrinterSystem;
using platform::PageOrientation;
using platform::RecordedJob;

// The black pixels of a sheet; empty when there are none.
QRect BlackArea(const QImage& sheet) {
    int left = sheet.width();
    int top = sheet.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < sheet.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
        for (int x = 0; x < sheet.width(); ++x) {
            if (qGray(line[x]) < 64) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

void ExpectNear(const QRect& actual, const QRect& expected) {
    EXPECT_NEAR(actual.left(), expected.left(), 1) << "left";
    EXPECT_NEAR(actual.top(), expected.top(), 1) << "top";
    EXPECT_NEAR(actual.right(), expected.right(), 1) << "right";
    EXPECT_NEAR(actual.bottom(), expected.bottom(), 1) << "bottom";
}

// Keeps the print-options hook of one test and puts the previous one back.
class ScopedOptionsHook {
  public:
    explicit ScopedOptionsHook(TPrintOptionsHook hook)
        : previous_(SetPrintOptionsHook(std::move(hook))) {}
    ~ScopedOptionsHook() { SetPrintOptionsHook(previous_); }

  private:
    TPrintOptionsHook previous_;
};

class PrintTest : public ::testing::Test {
  protected:
    // A solid black box of 50 x 40 hundredths on `page` at (left, top).
    void PlaceBox(int page, int left, int top) {
        TLumexReportElement& box = f.Element(ekFrame);
        box.width = 50;
        box.height = 40;
        box.fillColor = 0;
        f.Place(box, page, left, top);
    }
    // One box per page, page n (1-based) at top 100 * n.
    void PlaceNumberedPages(int count) {
        for (int page = 0; page < count; ++page) {
            PlaceBox(page, 100, 100 * (page + 1));
        }
    }
    // Which pages the sheets of a job show, by the position of their box (0: none).
    std::vector<int> PagesOf(const RecordedJob& job, int dpi = 100) {
        std::vector<int> pages;
        const int shiftY = 70 - 33;  // top margin less the printer's top strip
        for (const QImage& sheet : job.pages) {
            const QRect area = BlackArea(sheet);
            pages.push_back(area.isNull() ? 0 : (area.top() * 100 / dpi - shiftY + 50) / 100);
        }
        return pages;
    }

    ExportFixture f;
    testing_support::ScriptedMessages messages;
};

// ---- graphic printers ------------------------------------------------------------------

TEST_F(PrintTest, PageIsShiftedByMarginsLessStripsAndScaledToTheResolution) {
    for (const int dpi : {100, 300}) {
        SCOPED_TRACE(dpi);
        FakePrinterSystem printers({FakePrinter::Laser("HP", dpi)});
        printers.Install();
        PlaceBox(0, 100, 200);
        ASSERT_TRUE(f.output.Print(1, 1, nullptr, QStringLiteral("Evidenční list"), 1));
        ASSERT_EQ(printers.Jobs().size(), 1u);
        const RecordedJob& job = printers.Jobs().front();
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.title, "Evidenční list");
        ASSERT_EQ(job.pages.size(), 1u);
        // Margins 50/70, strips 25/33 hundredths: the box lands at (125, 237).
        const double s = dpi / 100.0;
        ExpectNear(BlackArea(job.pages[0]), QRect(QPoint(int(125 * s), int(237 * s)),
                                                  QPoint(int(175 * s) - 1, int(277 * s) - 1)));
        f.output.Clear();
    }
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(PrintTest, PageRangeIsClampedAndARangeOutsideTheOutputIsReported) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    PlaceNumberedPages(5);

    ASSERT_TRUE(f.output.Print(2, 4, nullptr, "a", 1));
    EXPECT_EQ(PagesOf(printers.Jobs().at(0)), (std::vector<int>{2, 3, 4}));
    ASSERT_TRUE(f.output.Print(0, 9999, nullptr, "b", 1));
    EXPECT_EQ(PagesOf(printers.Jobs().at(1)), (std::vector<int>{1, 2, 3, 4, 5}));
    ASSERT_TRUE(f.output.Print(4, 9, nullptr, "c", 1));
    EXPECT_EQ(PagesOf(printers.Jobs().at(2)), (std::vector<int>{4, 5}));
    EXPECT_EQ(f.output.CurrentPage, 4) << "the last page handled";
    EXPECT_TRUE(messages.Shown().empty());

    EXPECT_FALSE(f.output.Print(7, 9, nullptr, "d", 1));
    EXPECT_EQ(printers.Jobs().size(), 3u) << "no job for a range without pages";
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              "Zadaný rozsah stránek (7 až 9) je mimo tiskovou sestavu (počet stran: 5).");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(f.output.PrintError, messages.Shown()[0].text);
}

TEST_F(PrintTest, AnOutputWithoutPagesPrintsNothingAndSucceeds) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    EXPECT_TRUE(f.output.Print(1, 9999, nullptr, "x", 1));
    EXPECT_TRUE(f.output.PrintText(1, 9999, nullptr, "x", 1));
    EXPECT_TRUE(printers.Jobs().empty());
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(PrintTest, CopiesGoToTheDriverWhenItCanMakeThemElseTheDocumentRepeats) {
    FakePrinter capable = FakePrinter::Laser("HP");
    capable.maxCopies = 5;
    FakePrinter single = FakePrinter::Laser("Jehličková");
    single.maxCopies = 2;
    FakePrinterSystem printers({capable, single});
    printers.Install();
    PlaceNumberedPages(2);

    ASSERT_TRUE(f.output.Print(1, 9999, nullptr, "x", 3));
    ASSERT_EQ(printers.Jobs().size(), 1u);
    EXPECT_EQ(printers.Jobs()[0].copies, 3);
    EXPECT_EQ(printers.Copies(), 1) << "later jobs on the printer start from one copy again";

    printers.SetCurrent(1);
    ASSERT_TRUE(f.output.Print(1, 9999, nullptr, "x", 3));
    ASSERT_EQ(printers.Jobs().size(), 4u);
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(printers.Jobs()[i].copies, 1);
        EXPECT_EQ(printers.Jobs()[i].pages.size(), 2u);
        EXPECT_TRUE(printers.Jobs()[i].ended);
    }

    // No copies asked for still prints the document once.
    ASSERT_TRUE(f.output.Print(1, 9999, nullptr, "x", 0));
    ASSERT_EQ(printers.Jobs().size(), 5u);
    EXPECT_EQ(printers.Jobs()[4].copies, 1);
}

TEST_F(PrintTest, PrinterTakesTheTemplatesOrientationUnlessItMayChange) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    PaperSetup().Orientation = 1;
    f.output.Clear();  // the printable size of the landscape paper
    PlaceBox(0, 100, 100);
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    EXPECT_EQ(printers.Jobs().at(0).orientation, PageOrientation::Landscape);
    EXPECT_GT(printers.Jobs().at(0).pages.at(0).width(), printers.Jobs()[0].pages[0].height());

    PaperSetup().Orientation = 0;
    PaperSetup().OrientationMayChange = true;
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    EXPECT_EQ(printers.Jobs().at(1).orientation, PageOrientation::Landscape)
        << "the printer keeps the orientation it has";
}

TEST_F(PrintTest, BackgroundCoversTheSheetOnlyWhenItIsPrinted) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    const platform::Picture background(red);
    PlaceBox(0, 100, 100);
    f.output.SetBackground(&background, QRect(QPoint(0, 0), QPoint(826, 1169)), true);
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    const QImage& sheet = printers.Jobs().at(0).pages.at(0);
    EXPECT_EQ(sheet.pixelColor(5, 5), QColor(Qt::red)) << "inside the margin too";
    EXPECT_EQ(sheet.pixelColor(700, 1000), QColor(Qt::red));
    EXPECT_EQ(qGray(sheet.pixel(150, 160)), 0) << "the page is drawn over the background";

    f.output.SetBackground(&background, QRect(QPoint(0, 0), QPoint(826, 1169)), false);
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    EXPECT_EQ(printers.Jobs().at(1).pages.at(0).pixelColor(5, 5), QColor(Qt::white));
}

// ---- paper larger than the sheet ---------------------------------------------------------

class PrintLargePaperTest : public PrintTest {
  protected:
    void SetUp() override {
        PaperSetup().PaperWidth = 1169;  // A3 on an A4 printer
        PaperSetup().PaperHeight = 1652;
        f.output.Clear();
        PlaceBox(0, 800, 100);
    }
};

TEST_F(PrintLargePaperTest, OptionsAreAskedWithThePaperAndItsMargins) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    std::optional<TPrintOptionsRequest> asked;
    ScopedOptionsHook hook([&](const TPrintOptionsRequest& request, TPrintOptions&) {
        asked = request;
        return true;
    });
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->PaperWidth, 1169);
    EXPECT_EQ(asked->PaperHeight, 1652);
    EXPECT_EQ(asked->MarginLeft, 50);
    EXPECT_EQ(asked->MarginTop, 70);
    EXPECT_EQ(asked->MarginRight, 50);
    EXPECT_EQ(asked->MarginBottom, 70);
    // Cropping (the hook left the options as they came): one sheet.
    EXPECT_EQ(printers.Jobs().at(0).pages.size(), 1u);
}

TEST_F(PrintLargePaperTest, SeveralSheetsShowThePageTileByTile) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    ScopedOptionsHook hook([](const TPrintOptionsRequest&, TPrintOptions& options) {
        options.Columns = 2;
        options.Rows = 2;
        return true;
    });
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    const RecordedJob& job = printers.Jobs().at(0);
    ASSERT_EQ(job.pages.size(), 4u) << "columns x rows sheets per page";
    // Sheet order: row 0 column 0, row 0 column 1, row 1 ... The box at x 825
    // on the sheet is past the first sheet; one column further it is at
    // 825 - (827 - 50 - 50) = 98.
    EXPECT_TRUE(BlackArea(job.pages[0]).isNull());
    ExpectNear(BlackArea(job.pages[1]), QRect(QPoint(98, 137), QPoint(147, 176)));
    EXPECT_TRUE(BlackArea(job.pages[2]).isNull());
    EXPECT_TRUE(BlackArea(job.pages[3]).isNull());
}

TEST_F(PrintLargePaperTest, ReducedScaleMultipliesTheTarget) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    ScopedOptionsHook hook([](const TPrintOptionsRequest&, TPrintOptions& options) {
        options.Zoom = 50;
        return true;
    });
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    ASSERT_EQ(printers.Jobs().at(0).pages.size(), 1u);
    // The page target (25, 37, 25 + 1069 + 1, ...) halved: the box at (825, 137) goes to
    // about (412, 68), 25 x 20 dots.
    ExpectNear(BlackArea(printers.Jobs()[0].pages[0]), QRect(QPoint(412, 68), QPoint(436, 87)));
}

TEST_F(PrintLargePaperTest, AMediumTurnedInTheWindowIsMeasuredAgain) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    ScopedOptionsHook hook([](const TPrintOptionsRequest&, TPrintOptions&) {
        SetPrinterOrientation(1);  // "Otočit médium v tiskárně"
        return true;
    });
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    const RecordedJob& job = printers.Jobs().at(0);
    ASSERT_EQ(job.pages.size(), 1u);
    EXPECT_GT(job.pages[0].width(), job.pages[0].height());
    // Turned, the strips are 33 left and 25 top: the box lands at (817, 145).
    ExpectNear(BlackArea(job.pages[0]), QRect(QPoint(817, 145), QPoint(866, 184)));
}

TEST_F(PrintLargePaperTest, CancelledOptionsPrintNothing) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    ScopedOptionsHook hook([](const TPrintOptionsRequest&, TPrintOptions&) { return false; });
    EXPECT_FALSE(f.output.Print(1, 1, nullptr, "x", 1));
    EXPECT_TRUE(printers.Jobs().empty());
    EXPECT_TRUE(messages.Shown().empty()) << "the user's own cancel needs no message";
}

TEST_F(PrintLargePaperTest, WithoutAHookThePageIsCroppedAndPaperThatFitsAsksNothing) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    ScopedOptionsHook none{TPrintOptionsHook()};
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    EXPECT_EQ(printers.Jobs().at(0).pages.size(), 1u);

    int asked = 0;
    ScopedOptionsHook counting([&](const TPrintOptionsRequest&, TPrintOptions&) {
        ++asked;
        return true;
    });
    PaperSetup() = TPaperSetup();
    f.output.Clear();
    PlaceBox(0, 100, 100);
    ASSERT_TRUE(f.output.Print(1, 1, nullptr, "x", 1));
    EXPECT_EQ(asked, 0) << "A4 on an A4 printer";
}

TEST_F(PrintTest, PagesReadFromASpoolFilePrintAsTheyWereSaved) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    PaperSetup().MarginLeft = PaperSetup().MarginTop = 0;
    PaperSetup().MarginRight = PaperSetup().MarginBottom = 0;
    std::vector<platform::VectorPicture> spool(2, platform::VectorPicture(826 * 6, 1169 * 6));
    platform::Brush black;
    black.color = Qt::black;
    for (platform::VectorPicture& page : spool) {
        page.SetBrush(black);
        page.Rectangle(QRect(600, 1200, 300, 240));  // (100, 200) hundredths, 50 x 40
    }
    f.output.SetSpoolPages(std::move(spool));
    ASSERT_TRUE(f.output.Print(1, 9999, nullptr, "x", 1));
    const RecordedJob& job = printers.Jobs().at(0);
    ASSERT_EQ(job.pages.size(), 2u);
    // Paper without margins: only the printer's strips move the page.
    ExpectNear(BlackArea(job.pages[1]), QRect(QPoint(75, 167), QPoint(124, 206)));
}

// ---- stops, refusals, missing printers ------------------------------------------------------

TEST_F(PrintTest, StopDuringThePrintWithdrawsTheJobWithoutAMessage) {
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    PlaceNumberedPages(3);
    // Rendering page 2 draws its picture, whose preparation stands for the
    // user pressing "Přerušit".
    TLumexReportElement& picture = f.Element(ekPicture);
    picture.width = picture.height = 10;
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(Qt::blue);
    picture.picture = platform::Picture(dot);
    auto placed = std::make_unique<TVystPrvek>(&picture, 300, 300, 10, 10);
    placed->SetPictureFile(QStringLiteral("tecka.bmp"));
    f.output.AddElement(std::move(placed), 1);
    bool stop = false;
    f.output.OnPreparePicture = [&](platform::Picture&, int, int) { stop = true; };

    EXPECT_FALSE(f.output.Print(1, 3, &stop, "x", 1));
    const RecordedJob& job = printers.Jobs().at(0);
    EXPECT_TRUE(job.aborted);
    EXPECT_FALSE(job.ended);
    EXPECT_EQ(PagesOf(job), (std::vector<int>{1})) << "page 3 never started";
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(f.output.PrintError.isEmpty());
}

TEST_F(PrintTest, AStopSetBeforehandPrintsNoCopyAtAll) {
    FakePrinter laser = FakePrinter::Laser("HP");
    laser.maxCopies = 1;
    FakePrinterSystem printers({laser});
    printers.Install();
    PlaceNumberedPages(1);
    const bool stop = true;
    EXPECT_FALSE(f.output.Print(1, 1, &stop, "x", 3));
    ASSERT_EQ(printers.Jobs().size(), 1u) << "the remaining copies are not started";
    EXPECT_TRUE(printers.Jobs()[0].aborted);
}

TEST_F(PrintTest, AJobTheSpoolerRefusesIsReportedAndEndsTheCopies) {
    FakePrinter laser = FakePrinter::Laser("HP");
    laser.maxCopies = 1;
    FakePrinterSystem printers({laser});
    printers.Install();
    PlaceNumberedPages(1);

    printers.RefuseNextJob(QStringLiteral("Tiskárna HP není k dispozici."));
    EXPECT_FALSE(f.output.Print(1, 1, nullptr, "Rodokmen", 2));
    EXPECT_EQ(printers.Jobs().size(), 1u);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(
        messages.Shown()[0].text,
        "Tiskovou úlohu \"Rodokmen\" se nepodařilo vytisknout: Tiskárna HP není k dispozici.");
    EXPECT_EQ(messages.Shown()[0].caption, "Chyba");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Error);

    messages.Clear();
    printers.AbortAtSpooler(true);
    EXPECT_FALSE(f.output.Print(1, 1, nullptr, "Rodokmen", 3));
    EXPECT_EQ(printers.Jobs().size(), 2u) << "no further copy after the spooler aborted one";
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_TRUE(messages.Shown()[0].text.startsWith("Tiskovou úlohu \"Rodokmen\""));
}

TEST_F(PrintTest, NoPrinterOrAPrinterGoneSinceListingIsReported) {
    PlaceNumberedPages(1);
    {
        FakePrinterSystem none;
        none.Install();
        EXPECT_FALSE(f.output.Print(1, 1, nullptr, "x", 1));
        EXPECT_FALSE(f.output.PrintText(1, 1, nullptr, "x", 1));
    }
    FakePrinterSystem printers({FakePrinter::Laser("HP")});
    printers.Install();
    SelectPrinter(0);
    printers.SetPrinters({});  // removed while the print dialog was open
    EXPECT_FALSE(f.output.Print(1, 1, nullptr, "x", 1));
    ASSERT_EQ(messages.Shown().size(), 3u);
    for (const platform::MessageRequest& shown : messages.Shown()) {
        EXPECT_EQ(shown.text, "V systému není nainstalovaná žádná tiskárna.");
        EXPECT_EQ(shown.caption, "Varování");
    }
    EXPECT_TRUE(printers.Jobs().empty());
}

// ---- text-only printers ----------------------------------------------------------------

// A row as the character field keeps it: blanks up to the end of the element's columns.
QByteArray Row(const QByteArray& text, int columns) {
    return text + QByteArray(std::max(0, columns - int(text.size())), ' ') + "\r\n";
}

class PrintTextTest : public PrintTest {
  protected:
    // A left-aligned 12-point text (10 characters per inch) at (left, top),
    // 2 inches wide.
    void PlaceText(int page, const QString& text, int left, int top) {
        TLumexReportElement& element = f.Text(text, 200, 20);
        element.font.size = 12;
        f.Place(element, page, left, top);
    }
};

TEST_F(PrintTextTest, RowsArriveInTheChosenCodePage) {
    FakePrinterSystem printers({FakePrinter::TextOnly("Epson")});
    printers.Install();
    PlaceText(0, QStringLiteral("Čáp Žofie"), 100, 0);
    struct Case {
        TSestLanguage codePage;
        QByteArray letters;  // Č, á, Ž
    };
    const Case cases[] = {
        {slCP852, "\xAC\xA0\xA6"}, {slCP1250, "\xC8\xE1\x8E"}, {slISO88592, "\xC8\xE1\xAE"},
        {slCP867, "\x80\xA0\x92"}, {slASCII, "CaZ"},           {slUndefined, "\xC8\xE1\x8E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.codePage));
        f.output.SetRange(1, 9999, QStringLiteral("Seznam"), c.codePage, 1);
        ASSERT_TRUE(f.output.PrintText(1, 1, nullptr, QStringLiteral("Seznam"), 1));
        const RecordedJob& job = printers.Jobs().back();
        EXPECT_EQ(job.kind, platform::JobKind::Raw);
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.title, "Seznam");
        // Left 100 at 10 cpi: ten blanks before the text, 20 columns for it;
        // one row, then the form feed.
        const QByteArray text =
            c.letters.left(1) + c.letters.mid(1, 1) + "p " + c.letters.mid(2, 1) + "ofie";
        EXPECT_EQ(job.raw, Row(QByteArray(10, ' ') + text, 30) + "\f");
    }
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(PrintTextTest, EveryPageEndsWithAFormFeedAndRowsFollowTheLineSpacing) {
    FakePrinterSystem printers({FakePrinter::TextOnly("Epson")});
    printers.Install();
    PlaceText(0, QStringLiteral("první"), 0, 0);
    PlaceText(1, QStringLiteral("druhá"), 0, 100);
    f.output.SetRange(1, 9999, QString(), slCP1250, 1);

    ASSERT_TRUE(f.output.PrintText(1, 2, nullptr, "x", 1));
    // Six lines per inch: top 100 is row 6.
    EXPECT_EQ(
        printers.Jobs().at(0).raw,
        Row("prvn\xED", 20) + "\f" + QByteArray("\r\n").repeated(6) + Row("druh\xE1", 20) + "\f");
    EXPECT_EQ(printers.Jobs()[0].newPages, 1);

    f.output.SetTextLineSpacing(1);  // four lines per inch: row 4
    ASSERT_TRUE(f.output.PrintText(2, 2, nullptr, "x", 1));
    EXPECT_EQ(printers.Jobs().at(1).raw,
              QByteArray("\r\n").repeated(4) + Row("druh\xE1", 20) + "\f");
}

TEST_F(PrintTextTest, TextIsShiftedByThePrintersStrips) {
    FakePrinter epson = FakePrinter::TextOnly("Epson");
    epson.portrait.offsetX = 60;  // half an inch at 120 dpi
    epson.portrait.offsetY = 20;  // a sixth of an inch: one row up
    FakePrinterSystem printers({epson});
    printers.Install();
    PlaceText(0, QStringLiteral("Rex"), 100, 100);
    ASSERT_TRUE(f.output.PrintText(1, 1, nullptr, "x", 1));
    EXPECT_EQ(printers.Jobs().at(0).raw,
              QByteArray("\r\n").repeated(5) + Row(QByteArray(5, ' ') + "Rex", 25) + "\f");
}

TEST_F(PrintTextTest, CopiesAreSeparateDocumentsOfOneCopyEach) {
    FakePrinter epson = FakePrinter::TextOnly("Epson");
    epson.maxCopies = 10;
    FakePrinterSystem printers({epson});
    printers.Install();
    printers.SetCopies(4);  // left over from another program's print
    PlaceText(0, QStringLiteral("Rex"), 0, 0);
    ASSERT_TRUE(f.output.PrintText(1, 1, nullptr, "x", 2));
    ASSERT_EQ(printers.Jobs().size(), 2u);
    for (const RecordedJob& job : printers.Jobs()) {
        EXPECT_EQ(job.copies, 1);
        EXPECT_EQ(job.raw, Row("Rex", 20) + "\f");
    }
    ASSERT_TRUE(f.output.PrintText(1, 1, nullptr, "x", 0));
    EXPECT_EQ(printers.Jobs().size(), 3u) << "no copies asked for prints once";
}

TEST_F(PrintTextTest, StopsRefusalsAndSpoolPages) {
    FakePrinterSystem printers({FakePrinter::TextOnly("Epson")});
    printers.Install();
    PlaceText(0, QStringLiteral("Rex"), 0, 0);
    PlaceText(1, QStringLiteral("Max"), 0, 0);

    const bool stop = true;
    EXPECT_FALSE(f.output.PrintText(1, 2, &stop, "x", 1));
    EXPECT_TRUE(printers.Jobs().at(0).aborted);
    EXPECT_TRUE(messages.Shown().empty());

    printers.AbortAtSpooler(true);
    EXPECT_FALSE(f.output.PrintText(1, 2, nullptr, "x", 2));
    EXPECT_EQ(printers.Jobs().size(), 2u);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].caption, "Chyba");

    EXPECT_FALSE(f.output.PrintText(3, 4, nullptr, "x", 1));
    EXPECT_EQ(messages.Shown().back().text,
              "Zadaný rozsah stránek (3 až 4) je mimo tiskovou sestavu (počet stran: 2).");

    std::vector<platform::VectorPicture> spool(1, platform::VectorPicture(100, 100));
    spool[0].Rectangle(QRect(0, 0, 50, 50));
    f.output.SetSpoolPages(std::move(spool));
    EXPECT_FALSE(f.output.PrintText(1, 1, nullptr, "x", 1));
    EXPECT_TRUE(messages.Shown().back().text.contains("SPL"));
    EXPECT_EQ(printers.Jobs().size(), 2u);
}

}  // namespace

// A letter the printer's code page lacks prints as '?', and the user is told
// which letters went so once the job is out.
TEST_F(PrintTextTest, LettersTheCodePageLacksAreToldAfterPrinting) {
    FakePrinterSystem printers({FakePrinter::TextOnly("Epson")});
    printers.Install();
    PlaceText(0, QStringLiteral("Bjørn Čáp"), 100, 0);
    f.output.SetRange(1, 9999, QStringLiteral("Seznam"), slCP1250, 1);
    ASSERT_TRUE(f.output.PrintText(1, 1, nullptr, QStringLiteral("Seznam"), 1));
    EXPECT_TRUE(printers.Jobs().at(0).raw.contains("Bj?rn \xC8\xE1p"));
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text,
              "Textový výstup nemůže zapsat znaky \"ø\" (kódová stránka je nemá); v textu jsou "
              "nahrazeny znakem \"?\".");
    EXPECT_EQ(messages.Shown()[0].icon, platform::MessageIcon::Warning);
}
