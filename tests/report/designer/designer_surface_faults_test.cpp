// The design surface shows what prints and lets the selected element be
// handled: its handles come before elements lying above them, and the
// elements of a band are stacked in the order the page draws them.

#include <gtest/gtest.h>

#include <QFile>

#include "report/engine/sestava_layout.h"
#include "report/model/lumex_element.h"
#include "report/output/sestvyst.h"
#include "tests/report/designer/designer_fixture.h"

using designer_test::DesignerFixture;

namespace {

// The installed template with this file name, as lines.
QStringList InstalledTemplate(const QString& name) {
    TPredloha lines;
    EXPECT_TRUE(lines.LoadFromFile(QStringLiteral(HARVEL_SOURCE_DIR "/templates/") + name));
    return lines.Lines();
}

QString Key(const TLumexReportElement& e) {
    return QStringLiteral("%1 %2,%3 %4x%5")
        .arg(e.kind)
        .arg(e.left)
        .arg(e.top)
        .arg(e.width)
        .arg(e.height);
}

struct Placed {
    QString key;
    QRect box;
};

Placed PlacedOf(const TLumexReportElement& e) {
    return {Key(e), QRect(e.left, e.top, e.width, e.height)};
}

// The band's element widgets back to front, as the screen stacks them.
std::vector<Placed> Stacked(const TOddil& band) {
    std::vector<Placed> placed;
    for (QObject* child : band.children()) {
        if (auto* element = qobject_cast<TSesPrvek*>(child)) {
            placed.push_back(PlacedOf(element->Element()));
        }
    }
    return placed;
}

// The body elements of the first page back to front, as the page draws them.
std::vector<Placed> Printed(const TSestVystup& output) {
    std::vector<Placed> placed;
    const TStranaPrvku& page = output.Page(0);
    for (int i = 0; i < page.Count(); ++i) {
        const TLumexReportElement* e = page.Item(i).Element;
        if (e && e->section && e->section->type == stBody) {
            placed.push_back(PlacedOf(*e));
        }
    }
    return placed;
}

// "a under b" for every two elements that overlap, in the given order.
QStringList Overlaps(const std::vector<Placed>& order) {
    QStringList pairs;
    for (size_t i = 0; i < order.size(); ++i) {
        for (size_t j = i + 1; j < order.size(); ++j) {
            if (order[i].box.intersects(order[j].box)) {
                pairs << order[i].key + QStringLiteral(" under ") + order[j].key;
            }
        }
    }
    pairs.sort();
    return pairs;
}

}  // namespace

TEST(DesignerSurfaceOrder, ABandStacksItsElementsAsThePagePrintsThem) {
    // The record sheet of physical traits: a filled band under the name,
    // written after the fields it carries, and frames and rules among texts.
    DesignerFixture f(InstalledTemplate(QStringLiteral("EvidList02.pts")));
    f.report.MaxRecords = 1;
    ASSERT_EQ(f.report.Generate(), seOK);
    const std::vector<Placed> printed = Printed(f.report.Output());
    ASSERT_GT(printed.size(), 10u);

    f.report.LoadTemplate(true);
    f.Open();
    // Wherever two elements overlap, the one that prints on top is on top.
    const QStringList overlaps = Overlaps(printed);
    ASSERT_GE(overlaps.size(), 4);  // the name, breed, sex and birth date on the fill
    EXPECT_EQ(Overlaps(Stacked(f.Band(stBody))), overlaps);
}

namespace {

// Whether `key` is stacked under every text element of the band.
bool UnderEveryText(const TOddil& band, const QString& key) {
    bool seen = false;
    for (const Placed& placed : Stacked(band)) {
        if (placed.key == key) {
            seen = true;
        } else if (TLumexReportElement::IsTextKind(placed.key.section(' ', 0, 0).toInt()) &&
                   !seen) {
            return false;
        }
    }
    return seen;
}

}  // namespace

TEST(DesignerSurfaceOrder, FrontAndBackKeepThePrintedOrder) {
    DesignerFixture f(InstalledTemplate(QStringLiteral("EvidList02.pts")));
    f.Open();
    TOddil& body = f.Band(stBody);
    TSesPrvek* fill = body.Elements().back();
    f.window->FocusElement(fill);
    f.window->BringToFront();
    // Listed last, still drawn first: texts print above shapes.
    EXPECT_EQ(body.Elements().back(), fill);
    EXPECT_TRUE(UnderEveryText(body, Key(fill->Element())));
}

TEST(DesignerSurfaceHandles, TheSelectedElementsHandleComesFirst) {
    // A frame with a text lying over its bottom-right corner: the text is on top.
    const QStringList lines = {
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,2,1,100,0"),
        QStringLiteral("I,6,0,8,8,0,1,0,0"),
        QStringLiteral("T,8,8,16,8,400,20,,1,0,0,0,15,0,,,,,\"\",0,\"\""),
        QStringLiteral("T,2,Jmeno_call,400,20,200,20,Arial,10,0,0,0,0,238,\"Jmeno_call\",0,0,0,"
                       "\"\",0,\"\""),
    };
    DesignerFixture f(lines);
    TFormSestE& w = f.Open();
    w.show();
    TSesPrvek& frame = f.Element(stBody, 0);
    TSesPrvek& text = f.Element(stBody, 1);
    w.FocusElement(&frame);

    // The frame's bottom-right handle, where the text lies above it.
    const QPoint handle = frame.pos() + QPoint(frame.width() - 2, frame.height() - 2);
    auto* receiver = qobject_cast<TSesPrvek*>(f.Band(stBody).childAt(handle));
    ASSERT_EQ(receiver, &text) << "the text should lie over the handle";
    EXPECT_EQ(receiver->cursor().shape(), Qt::ArrowCursor);
    receiver->MoveMouse(handle - receiver->pos(), {});
    EXPECT_EQ(receiver->cursor().shape(), Qt::SizeFDiagCursor);

    receiver->Press(handle - receiver->pos(), {}, false);
    EXPECT_EQ(w.FocusedElement(), &frame);
    EXPECT_EQ(frame.GrabbedHandle(), 8);
    frame.MoveMouse(handle - frame.pos() + QPoint(24, 16), {});
    frame.Release(handle - frame.pos() + QPoint(24, 16), {});
    EXPECT_EQ(frame.Box(), (TElementBox{16, 8, 424, 36}));
    EXPECT_EQ(text.Box(), (TElementBox{400, 20, 200, 20}));
    EXPECT_FALSE(text.Focused());

    // Away from the handle, the text takes the press as before.
    text.Press(QPoint(100, 10), {}, false);
    text.Release(QPoint(100, 10), {});
    EXPECT_EQ(w.FocusedElement(), &text);
}

TEST(DesignerSurfaceOrder, OverlappingElementsOfOneKindStackInTheirListOrder) {
    // Two texts of the same flags and two frames, each pair overlapping.
    const QStringList lines = {
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,2,1,100,0"),
        QStringLiteral("T,1,0,10,10,200,20,Arial,10,0,0,0,0,238,\"první\",0,0,0,\"\",0,\"\""),
        QStringLiteral("T,1,0,100,15,200,20,Arial,10,0,0,0,0,238,\"druhý\",0,0,0,\"\",0,\"\""),
        QStringLiteral("T,8,8,0,40,300,40,,1,0,0,0,15,0,,,,,\"\",0,\"\""),
        QStringLiteral("T,8,8,100,50,300,40,,1,0,0,0,15,0,,,,,\"\",0,\"\""),
    };
    DesignerFixture f(lines);
    f.report.MaxRecords = 1;
    ASSERT_EQ(f.report.Generate(), seOK);
    const QStringList printed = Overlaps(Printed(f.report.Output()));
    ASSERT_EQ(printed.size(), 2);
    f.report.LoadTemplate(true);
    f.Open();
    EXPECT_EQ(Overlaps(Stacked(f.Band(stBody))), printed);
}

// ---- barcodes ----------------------------------------------------------------------------------

namespace {

// Changes of colour along the middle row of the element's bars.
int BarEdges(TSesPrvek& element) {
    const QImage image = element.grab().toImage();
    const int y = image.height() / 4;
    int edges = 0;
    for (int x = 1; x < image.width(); ++x) {
        const bool dark = qGray(image.pixel(x, y)) < 128;
        const bool before = qGray(image.pixel(x - 1, y)) < 128;
        edges += dark != before;
    }
    return edges;
}

}  // namespace

TEST(DesignerBarcode, ShowsItsValueAfterEveryReload) {
    // Code 128C of "1234567890" with its text, modules of 2/100 inch.
    const QStringList lines = {
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,2,1,100,0"),
        QStringLiteral("T,12,0,16,8,300,80,,12,0,7,32,15,0,\"1234567890\",0,0,0,\"\",0,\"\""),
    };
    DesignerFixture f(lines);
    TFormSestE& w = f.Open();
    w.show();
    auto barcode = [&f]() -> TSesPrvek& { return f.Element(stBody, 0); };
    EXPECT_EQ(barcode().Element().value.text, QStringLiteral("1234567890"));
    const int edges = BarEdges(barcode());
    // Start, five digit pairs, check and stop: over twenty bars (an empty
    // value draws start, check and stop alone: nine).
    EXPECT_GT(edges, 40);

    w.AddGroup(QStringLiteral("#Jmeno_registr"), true, 30, true, 30, false);
    w.RecordStep(dsSections);
    EXPECT_EQ(BarEdges(barcode()), edges);
    w.Undo();
    EXPECT_EQ(barcode().Element().value.text, QStringLiteral("1234567890"));
    EXPECT_EQ(BarEdges(barcode()), edges);
    w.Redo();
    EXPECT_EQ(BarEdges(barcode()), edges);
}
