// The output page model: draw order, page range, rendering of the page image.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "platform/paint/qpainter_canvas.h"
#include "report/model/lumex_element.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"

namespace {

TLumexReportElement MakeElement(int kind, int textFlags = 0) {
    TLumexReportElement element;
    element.kind = kind;
    element.textFlags = textFlags;
    element.width = 100;
    element.height = 20;
    return element;
}

std::unique_ptr<TVystPrvek> Place(const TLumexReportElement& element, int left = 0, int top = 0) {
    return std::make_unique<TVystPrvek>(&element, left, top, element.width, element.height);
}

std::vector<const TLumexReportElement*> DrawOrder(const TStranaPrvku& page) {
    std::vector<const TLumexReportElement*> order;
    for (int i = 0; i < page.Count(); ++i) {
        order.push_back(page.Item(i).Element);
    }
    return order;
}

QImage RenderToImage(TSestVystup& output, int page) {
    output.RenderPage(page, false);
    QImage image(output.PageWidth, output.PageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    platform::QPainterCanvas canvas(&image);
    canvas.SetPixelsPerInch(100);
    output.DrawPage(canvas, QRect(0, 0, output.PageWidth - 1, output.PageHeight - 1));
    return image;
}

}  // namespace

// The draw order rule, element by element: the new element goes before the
// first existing one the comparison does not place it after.
int ReferenceComparison(const TLumexReportElement& existing, const TLumexReportElement& added) {
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    if (TLumexReportElement::IsTextKind(existing.kind) &&
        TLumexReportElement::IsTextKind(added.kind)) {
        return sign(existing.textFlags - added.textFlags);
    }
    const auto shape = [](int kind) { return kind >= ekLine && kind <= ekBarcode; };
    if (shape(existing.kind) && shape(added.kind)) {
        return 0;
    }
    return sign(added.kind - existing.kind);
}

TEST(PageModelDrawOrder, ManyElementsReadBetweenAddsKeepTheOrderOfOneByOneInsertion) {
    std::vector<TLumexReportElement> elements;
    const int kinds[] = {ekText,    ekField,   ekFunction, ekLine, ekFrame,
                         ekPicture, ekBarcode, ekPaintBox, 0,      14};
    for (int i = 0; i < 3000; ++i) {
        elements.push_back(MakeElement(kinds[(i * 7) % 10], ((i * 13) % 3) * tfMultiline));
    }
    TSestVystup output;
    std::vector<const TLumexReportElement*> expected;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const TLumexReportElement& added = elements[i];
        auto place = std::find_if(expected.begin(), expected.end(), [&](const auto* existing) {
            return ReferenceComparison(*existing, added) >= 0;
        });
        expected.insert(place, &added);
        output.AddElement(Place(added), 0);
        // Reading in between must not disturb the order of later additions.
        if (i % 997 == 0 || i + 1 == elements.size()) {
            ASSERT_EQ(DrawOrder(output.Page(0)), expected) << "after " << i + 1 << " elements";
        }
    }
    output.Page(0).Clear();
    EXPECT_EQ(output.Page(0).Count(), 0);
    output.AddElement(Place(elements[0]), 0);
    EXPECT_EQ(DrawOrder(output.Page(0)), std::vector<const TLumexReportElement*>{&elements[0]});
}

// A page read after every addition orders each new element against the
// ordered ones alone: elements that follow all of them stay at the end, the
// others (ties among them: a new text goes before equal ones) are merged in.
TEST(PageModelDrawOrder, ReadingAfterEveryAdditionKeepsTheOrderOfOneByOneInsertion) {
    std::vector<TLumexReportElement> elements;
    const int kinds[] = {ekText, ekText, ekField, ekLine, ekText, ekPaintBox, ekField, ekFrame};
    for (int i = 0; i < 400; ++i) {
        elements.push_back(MakeElement(kinds[(i * 5) % 8], ((i / 3) % 2) * tfMultiline));
    }
    TSestVystup output;
    std::vector<const TLumexReportElement*> expected;
    for (const TLumexReportElement& added : elements) {
        auto place = std::find_if(expected.begin(), expected.end(), [&](const auto* existing) {
            return ReferenceComparison(*existing, added) >= 0;
        });
        expected.insert(place, &added);
        output.AddElement(Place(added), 0);
        ASSERT_EQ(DrawOrder(output.Page(0)), expected) << "after " << expected.size();
    }
    // Several added in order, all after the ordered ones: left where they are.
    TSestVystup texts;
    const auto plain = MakeElement(ekField);
    const auto multiline1 = MakeElement(ekText, tfMultiline);
    const auto multiline2 = MakeElement(ekFunction, tfMultiline);
    texts.AddElement(Place(plain), 0);
    EXPECT_EQ(texts.Page(0).Count(), 1);
    texts.AddElement(Place(multiline2), 0);
    texts.AddElement(Place(multiline1), 0);
    EXPECT_EQ(DrawOrder(texts.Page(0)),
              (std::vector<const TLumexReportElement*>{&plain, &multiline1, &multiline2}));
}

TEST(PageModelDrawOrder, ShapesGoBeneathTextsAndLaterShapesBeneathEarlierOnes) {
    TSestVystup output;
    const auto text = MakeElement(ekText);
    const auto frame = MakeElement(ekFrame);
    const auto picture1 = MakeElement(ekPicture);
    const auto picture2 = MakeElement(ekPicture);
    const auto paintBox = MakeElement(ekPaintBox);
    output.AddElement(Place(text), 0);
    output.AddElement(Place(frame), 0);
    output.AddElement(Place(picture1), 0);
    output.AddElement(Place(picture2), 0);
    output.AddElement(Place(paintBox), 0);
    // Drawing areas at the very back, then the shapes with the latest first, texts on top.
    EXPECT_EQ(DrawOrder(output.Page(0)), (std::vector<const TLumexReportElement*>{
                                             &paintBox, &picture2, &picture1, &frame, &text}));
}

TEST(PageModelDrawOrder, TextsAscendByFlagWordAndNewTextGoesBeforeEqualOnes) {
    TSestVystup output;
    const auto multiline = MakeElement(ekText, tfMultiline);
    const auto plain1 = MakeElement(ekField);
    const auto plain2 = MakeElement(ekFunction);
    output.AddElement(Place(multiline), 0);
    output.AddElement(Place(plain1), 0);
    output.AddElement(Place(plain2), 0);
    EXPECT_EQ(DrawOrder(output.Page(0)),
              (std::vector<const TLumexReportElement*>{&plain2, &plain1, &multiline}));
}

TEST(PageModelPages, AddElementCreatesMissingPages) {
    TSestVystup output;
    const auto text = MakeElement(ekText);
    output.AddElement(Place(text), 4);
    ASSERT_EQ(output.PageCount(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(output.Page(i).Count(), 0);
    }
    EXPECT_EQ(output.Page(4).Count(), 1);
}

TEST(PageModelPages, SetRangeDropsPagesForGoodAndKeepsTitleWhenNoneGiven) {
    TSestVystup output;
    const auto text = MakeElement(ekText);
    output.AddElement(Place(text), 4);
    output.SetRange(1, 3, "Seznam", slCP852, 2);
    EXPECT_EQ(output.PageCount(), 3);
    EXPECT_EQ(output.LastPage, 3);
    EXPECT_EQ(output.CurrentPage, 0);
    EXPECT_EQ(output.Copies, 2);
    EXPECT_EQ(output.ExportLanguage, slCP852);
    output.SetRange(1, 9999, QString(), slUndefined, 1);
    EXPECT_EQ(output.PageCount(), 3);
    EXPECT_EQ(output.Title, "Seznam");
}

TEST(PageModelPages, ClearAndDeletePageTakeThePaperSize) {
    TPaperSetup saved = PaperSetup();
    PaperSetup().MarginLeft = 100;
    TSestVystup output;
    EXPECT_EQ(output.PageWidth, PaperSetup().PrintableWidth());
    const auto text = MakeElement(ekText);
    output.AddElement(Place(text), 1);
    output.DeletePage(0);
    EXPECT_EQ(output.PageCount(), 1);
    output.Clear();
    EXPECT_EQ(output.PageCount(), 0);
    PaperSetup() = saved;
}

TEST(PageModelPlacement, PictureRulesOfAlignmentStretchAndAspect) {
    const QRect box(100, 100, 200, 100);
    // Natural size, centred.
    EXPECT_EQ(PlacePicture(box, 50, 40, false, false, 2), QRect(175, 100, 50, 40));
    // Natural size, right aligned.
    EXPECT_EQ(PlacePicture(box, 50, 40, false, false, 1), QRect(250, 100, 50, 40));
    // Stretched without aspect: the box.
    EXPECT_EQ(PlacePicture(box, 50, 40, true, false, 0), box);
    // Taller picture with aspect: width 50 * 100 / 100 = 50, left aligned.
    EXPECT_EQ(PlacePicture(box, 50, 100, true, true, 0), QRect(100, 100, 50, 100));
    // Wider picture with aspect: height 10 * 200 / 100 = 20, top aligned.
    EXPECT_EQ(PlacePicture(box, 100, 10, true, true, 0), QRect(100, 100, 200, 20));
}

TEST(PageModelRounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(nint(2.5), 2);
    EXPECT_EQ(nint(3.5), 4);
    EXPECT_EQ(nint(-2.5), -2);
    EXPECT_EQ(nint(2.6), 3);
}

TEST(PageModelRendering, FrameIsDrawnWhereItWasPlaced) {
    TSestVystup output;
    auto frame = MakeElement(ekFrame);
    frame.fillColor = 0x0000FF;  // red in the template's colour order
    frame.penWidth = 0;
    output.AddElement(Place(frame, 100, 200), 0);
    const QImage image = RenderToImage(output, 0);
    EXPECT_EQ(QColor(image.pixel(150, 210)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(50, 210)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(150, 240)), QColor(Qt::white));
}

TEST(PageModelRendering, PictureWithoutPictureDrawsNothingAndRaisesNoEvent) {
    TSestVystup output;
    const auto picture = MakeElement(ekPicture);
    auto placed = Place(picture, 10, 10);
    placed->HasPicture = true;
    output.AddElement(std::move(placed), 0);
    int prepared = 0;
    output.OnPreparePicture = [&](platform::Picture&, int, int) { ++prepared; };
    output.RenderPage(0, false);
    EXPECT_EQ(prepared, 0);
}

TEST(PageModelRendering, PictureFileUsesTheTemplatePictureAndRaisesPrepare) {
    TSestVystup output;
    auto picture = MakeElement(ekPicture);
    QImage bitmap(20, 10, QImage::Format_RGB32);
    bitmap.fill(Qt::blue);
    picture.picture = platform::Picture(bitmap);
    auto placed = Place(picture, 10, 10);
    placed->SetPictureFile("modry.bmp");
    output.AddElement(std::move(placed), 0);
    QSize preparedSize;
    output.OnPreparePicture = [&](platform::Picture&, int w, int h) { preparedSize = {w, h}; };
    const QImage image = RenderToImage(output, 0);
    EXPECT_EQ(preparedSize, QSize(120, 60));  // natural size at scale 6
    EXPECT_EQ(QColor(image.pixel(15, 12)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(35, 12)), QColor(Qt::white));
}

TEST(PageModelRendering, RenderingOutsideThePagesKeepsThePreviousImage) {
    TSestVystup output;
    auto frame = MakeElement(ekFrame);
    output.AddElement(Place(frame), 0);
    output.RenderPage(0, false);
    const QByteArray before = output.PageImage().ToEmf();
    output.RenderPage(7, false);
    EXPECT_EQ(output.PageImage().ToEmf(), before);
}
