#include "report/output/sestvyst.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <cmath>

#include "platform/paint/hatch_patterns.h"
#include "report/model/lumex_element.h"
#include "report/output/lumex_canvas.h"
#include "report/output/page_store.h"
#include "report/output/sestbarc.h"
#include "report/output/sestprn.h"
#include "report/output/template_font.h"
#include "report/output/text_drawing.h"

int nint(double value) {
    // std::nearbyint rounds halves to even in the default rounding mode.
    return int(std::nearbyint(value));
}

// ---- TVystPrvek ----------------------------------------------------------------

TVystPrvek::TVystPrvek(const TLumexReportElement* element, int left, int top, int width, int height)
    : Element(element), Left(left), Top(top), Width(width), Height(height) {}

void TVystPrvek::SetLines(const TRadky& lines) {
    SetLineRange(lines, 0, lines.Count() - 1);
}

void TVystPrvek::SetLines(TRadky&& lines) {
    Lines = std::make_unique<TRadky>(std::move(lines));
    FirstLine = 0;
    LastLine = Lines->Count() - 1;
}

void TVystPrvek::SetLineRange(const TRadky& lines, int first, int last) {
    Lines = std::make_unique<TRadky>(lines.Slice(first, last));
    FirstLine = 0;
    LastLine = Lines->Count() - 1;
}

void TVystPrvek::SetPicture(const platform::Picture& picture) {
    Picture = std::make_unique<platform::Picture>(picture);
    PictureFile.clear();
    HasPicture = true;
}

void TVystPrvek::SetPictureFile(const QString& name) {
    Picture.reset();
    PictureFile = name;
    HasPicture = true;
}

QString TVystPrvek::GetText() const {
    if (Element && Element->angle != 0) {
        return Text;
    }
    if (!Lines || Lines->IsEmpty()) {
        return QString();
    }
    return LineText((*Lines)[0]);
}

int TVystPrvek::Kind() const {
    return Element ? Element->kind : 0;
}

int TVystPrvek::Alignment() const {
    return Element ? Element->alignment : 0;
}

// ---- TStranaPrvku: draw order --------------------------------------------------

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

bool IsShapeOrPictureKind(int kind) {
    return kind >= ekLine && kind <= ekBarcode;
}

int TextFlagWord(const TLumexReportElement& element) {
    return element.alignment | element.textFlags;
}

int CompareDrawOrder(const TVystPrvek& existing, const TVystPrvek& added) {
    return CompareDrawOrder(existing.Element, added.Element);
}

}  // namespace

int CompareDrawOrder(const TLumexReportElement* existing, const TLumexReportElement* added) {
    const int existingKind = existing ? existing->kind : 0;
    const int addedKind = added ? added->kind : 0;
    if (TLumexReportElement::IsTextKind(existingKind) &&
        TLumexReportElement::IsTextKind(addedKind)) {
        return Sign(TextFlagWord(*existing) - TextFlagWord(*added));
    }
    if (IsShapeOrPictureKind(existingKind) && IsShapeOrPictureKind(addedKind)) {
        return 0;
    }
    return Sign(addedKind - existingKind);
}

std::vector<int> DrawingSequence(const std::vector<const TLumexReportElement*>& added) {
    std::vector<int> sequence(added.size());
    for (size_t i = 0; i < added.size(); ++i) {
        sequence[i] = int(added.size() - 1 - i);
    }
    // As on a page: the latest first among equals, each behind the ones it follows.
    std::stable_sort(sequence.begin(), sequence.end(), [&added](int a, int b) {
        return CompareDrawOrder(added[size_t(b)], added[size_t(a)]) > 0;
    });
    return sequence;
}

void TStranaPrvku::Add(std::unique_ptr<TVystPrvek> element) {
    elements_.push_back(std::move(element));
}

// Inserting every new element before the first one it does not follow keeps
// the page sorted by the draw order, with a later element before an earlier
// one it ties with. The same order comes from sorting the elements added
// since the last read (latest first, stably) and merging them in front of
// the equal ones already ordered.
void TStranaPrvku::OrderAdded() const {
    using Entry = std::unique_ptr<TVystPrvek>;
    // a goes before b: b would not be passed over when a is inserted.
    auto before = [](const Entry& a, const Entry& b) { return CompareDrawOrder(*b, *a) > 0; };
    const auto added = elements_.begin() + std::ptrdiff_t(ordered_);
    std::reverse(added, elements_.end());
    // Most pages come in order already (a list's texts tie); sorting them
    // would only ask for a buffer.
    if (!std::is_sorted(added, elements_.end(), before)) {
        std::stable_sort(added, elements_.end(), before);
    }
    // Added elements that all follow the ordered ones stay where they are.
    if (ordered_ > 0 && added != elements_.end() && !before(*(added - 1), *added)) {
        std::vector<Entry> merged;
        merged.reserve(elements_.size());
        std::merge(std::make_move_iterator(added), std::make_move_iterator(elements_.end()),
                   std::make_move_iterator(elements_.begin()), std::make_move_iterator(added),
                   std::back_inserter(merged), before);
        elements_ = std::move(merged);
    }
    ordered_ = elements_.size();
}

std::vector<std::unique_ptr<TVystPrvek>> TStranaPrvku::TakeAll() {
    Order();
    std::vector<std::unique_ptr<TVystPrvek>> all = std::move(elements_);
    elements_.clear();
    ordered_ = 0;
    return all;
}

// ---- TSestVystup: pages ---------------------------------------------------------

TSestVystup::TSestVystup() {
    RefreshPageSize();
    PageBottom = PageHeight;
}

TSestVystup::~TSestVystup() = default;

void TSestVystup::RefreshPageSize() {
    const TPaperSetup& paper = PaperSetup();
    PageWidth = paper.PrintableWidth();
    PageHeight = paper.PrintableHeight();
}

void TSestVystup::SetSpoolPages(std::vector<platform::VectorPicture> pages) {
    Clear();
    spoolPages_ = std::move(pages);
    FromSpool = true;
}

void TSestVystup::SetBackground(const platform::Picture* picture, const QRect& rect, bool print) {
    Background = picture;
    BackgroundRect = rect;
    PrintBackground = print && picture != nullptr && !picture->IsEmpty();
}

void TSestVystup::SetRange(int firstPage, int lastPage, const QString& title,
                           TSestLanguage exportLanguage, int copies) {
    ExportLanguage = exportLanguage;
    FirstPage = firstPage;
    LastPage = std::min(lastPage, PageCount());
    if (!FromSpool) {
        while (PageCount() > std::max(LastPage, 0)) {
            DropLastPage();
        }
    }
    CurrentPage = FirstPage - 1;
    Copies = copies;
    if (!title.isEmpty()) {
        Title = title;
    }
}

QString LastPageText(int lastPage) {
    return lastPage == kToLastPage ? QStringLiteral("poslední") : QString::number(lastPage);
}

// ---- rendering ----------------------------------------------------------------------

void TSestVystup::SetCurrentPage(int i) {
    CurrentPage = i;
    RenderPage(i, PrintBackground);
}

void TSestVystup::RenderPage(int i, bool withBackground) {
    if (i < 0 || i >= PageCount()) {
        return;
    }
    if (FromSpool) {
        pageImage_ = spoolPages_[i];
        return;
    }
    const TPaperSetup& paper = PaperSetup();
    pageImage_.Clear();
    int offsetX = 0;
    int offsetY = 0;
    if (PaperGeometry) {
        // The sheet as it lies: a landscape page is drawn across it.
        pageImage_.SetSize(paper.OrientedWidth() * kPageImageScale,
                           paper.OrientedHeight() * kPageImageScale);
        offsetX = paper.MarginLeft;
        offsetY = paper.MarginTop;
    } else {
        pageImage_.SetSize(PageWidth * kPageImageScale, PageHeight * kPageImageScale);
    }
    TLumexCanvas canvas(pageImage_, 100);
    canvas.PinFont();
    if (Background && !Background->IsEmpty() && withBackground) {
        const double s = kPageImageScale;
        QRect target(QPoint(nint((BackgroundRect.left() - paper.MarginLeft) * s),
                            nint((BackgroundRect.top() - paper.MarginTop) * s)),
                     QPoint(nint((BackgroundRect.right() - paper.MarginLeft) * s) + 1,
                            nint((BackgroundRect.bottom() - paper.MarginTop) * s) + 1));
        if (PaperGeometry) {
            target.translate(nint(paper.MarginLeft * s), nint(paper.MarginTop * s));
        }
        Background->Draw(canvas, target);
    }
    const TStranaPrvku& page = ReadPage(i);
    for (int k = 0; k < page.Count(); ++k) {
        DrawElement(page.Item(k), canvas, offsetX, offsetY, kPageImageScale, kPageImageScale,
                    kPageImageScale);
    }
}

void TSestVystup::DrawPage(platform::Canvas& canvas, const QRect& rect) const {
    pageImage_.Play(canvas, rect.adjusted(0, 0, 1, 1));
}

// ---- drawing one element ---------------------------------------------------------------

namespace {

platform::PenStyle PenStyleOf(int code) {
    switch (code) {
        case 1:
            return platform::PenStyle::Dash;
        case 2:
            return platform::PenStyle::Dot;
        case 3:
        case 4:
            return platform::PenStyle::DashDot;
        case 5:
            return platform::PenStyle::None;
        default:
            return platform::PenStyle::Solid;
    }
}

// Fill styles of shapes: "plné", "prázdné", then the six hatches.
platform::Brush ShapeBrush(const TLumexReportElement& element) {
    platform::Brush brush;
    brush.color = TemplateColour(element.fillColor);
    const int style = element.kind == ekPaintBox ? 0 : element.scale;
    if (style == 1) {
        brush.style = platform::BrushStyle::None;
    } else if (style >= 2 && style <= 7) {
        brush.style = platform::BrushStyle::Pattern;
        brush.pattern = platform::HatchPattern(platform::Hatch(style - 2));
    }
    return brush;
}

// Shrinks a figure's box by half the template pen width (w div 2 at left and
// top, (w + 1) div 2 at right and bottom).
QRect ShrinkForPen(const QRect& box, int w) {
    return QRect(
        QPoint(box.left() + w / 2, box.top() + w / 2),
        QPoint(box.left() + box.width() - (w + 1) / 2, box.top() + box.height() - (w + 1) / 2));
}

int ScaledPenWidth(int w, double penScale) {
    return nint((w - 1) * penScale) + 1;
}

}  // namespace

void TSestVystup::DrawElement(const TVystPrvek& element, TLumexCanvas& canvas, int offsetX,
                              int offsetY, double scaleX, double scaleY, double penScale) const {
    if (!element.Element) {
        return;
    }
    const QRect target(nint((element.Left + offsetX) * scaleX),
                       nint((element.Top + offsetY) * scaleY), nint(element.Width * scaleX),
                       nint(element.Height * scaleY));
    const TLumexReportElement& source = *element.Element;
    const int kind = source.kind;
    if (TLumexReportElement::IsTextKind(kind) && !(kind == ekField && element.HasPicture)) {
        const QRect box(element.Left + offsetX, element.Top + offsetY, element.Width,
                        element.Height);
        DrawTextElement(element, canvas, box, target, scaleX, scaleY);
        DrawFrameLines(element, canvas, target, 0);
        return;
    }
    switch (kind) {
        case ekLine:
            DrawLineFigure(source, canvas, target, penScale);
            break;
        case ekFrame:
        case ekRoundFrame:
        case ekEllipse:
            DrawShape(source, canvas, target, scaleY, penScale);
            break;
        case ekField:
        case ekPicture:
        case ekPaintBox:
            DrawPictureElement(element, canvas, target, scaleX, scaleY);
            if (kind == ekField) {
                DrawFrameLines(element, canvas, target, 1);
            }
            break;
        case ekBarcode:
            DrawBarcodeElement(element, canvas, target, scaleX);
            break;
        default:
            break;
    }
}

void TSestVystup::DrawTextElement(const TVystPrvek& element, TLumexCanvas& canvas, const QRect& box,
                                  const QRect& target, double scaleX, double scaleY) const {
    const TLumexReportElement& source = *element.Element;
    platform::Font font = source.font.CanvasFont();
    SubstituteDeviceFont(font);
    if (source.angle != 0) {
        DrawRotated(canvas, target, element.GetText(), source.angle, source.letterSpacing, scaleX,
                    scaleY, source.alignment, font);
    } else if (element.Lines && element.LastLine >= element.FirstLine) {
        DrawLines(canvas, box, element.FirstLine, element.LastLine, *element.Lines, scaleX, scaleY,
                  font);
    }
}

void TSestVystup::DrawFrameLines(const TVystPrvek& element, platform::Canvas& canvas,
                                 const QRect& target, int penWidth) const {
    const int flags = element.Element->frameFlags;
    if (!(flags & ffFrameLines)) {
        return;
    }
    const platform::Pen saved = canvas.GetPen();
    canvas.SetPen(platform::Pen{Qt::black, platform::PenStyle::Solid, penWidth});
    const int l = target.left();
    const int t = target.top();
    const int r = target.left() + target.width();
    const int b = target.top() + target.height();
    if (flags & ffLeft) {
        canvas.MoveTo({l, b});
        canvas.LineTo({l, t});
    }
    if (flags & ffTop) {
        canvas.MoveTo({l, t});
        canvas.LineTo({r, t});
    }
    if (flags & ffRight) {
        canvas.MoveTo({r, t});
        canvas.LineTo({r, b});
    }
    if (flags & ffBottom) {
        canvas.MoveTo({r, b});
        canvas.LineTo({l, b});
    }
    canvas.SetPen(saved);
}

void TSestVystup::DrawLineFigure(const TLumexReportElement& element, platform::Canvas& canvas,
                                 QRect target, double penScale) const {
    const int w = element.penWidth;
    canvas.SetBrush(platform::Brush{Qt::white, platform::BrushStyle::None, QImage()});
    canvas.SetPen(platform::Pen{TemplateColour(element.penColor), PenStyleOf(element.penStyle),
                                ScaledPenWidth(w, penScale)});
    const QRect box = ShrinkForPen(target, w);
    const int l = box.left();
    const int t = box.top();
    const int r = box.left() + box.width();
    const int b = box.top() + box.height();
    const int flags = element.frameFlags;
    auto line = [&](QPoint from, QPoint to) {
        canvas.MoveTo(from);
        canvas.LineTo(to);
    };
    if (flags & ffLeft) {
        line({l, b}, {l, t});
    }
    if (flags & ffTop) {
        line({l, t}, {r, t});
    }
    if (flags & ffRight) {
        line({r, t}, {r, b});
    }
    if (flags & ffBottom) {
        line({r, b}, {l, b});
    }
    if (flags & ffLineDiagonalUp) {
        line({l, b}, {r, t});
    }
    if (flags & ffLineDiagonalDown) {
        line({l, t}, {r, b});
    }
    if (flags & ffLineEllipse) {
        canvas.Ellipse(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
    }
}

void TSestVystup::DrawShape(const TLumexReportElement& element, platform::Canvas& canvas,
                            QRect target, double scaleY, double penScale) const {
    const int w = element.penWidth;
    canvas.SetBrush(ShapeBrush(element));
    if (w > 0) {
        canvas.SetPen(platform::Pen{TemplateColour(element.penColor), platform::PenStyle::Solid,
                                    ScaledPenWidth(w, penScale)});
    } else {
        canvas.SetPen(platform::Pen{Qt::black, platform::PenStyle::None, 0});
    }
    const QRect box = ShrinkForPen(target, std::max(w, 0));
    if (element.kind == ekFrame) {
        canvas.Rectangle(box);
    } else if (element.kind == ekRoundFrame) {
        const int corner = std::min(nint(40 * scaleY), box.height() / 2);
        canvas.RoundRect(box, corner, corner);
    } else {
        canvas.Ellipse(box);
    }
}

QRect PlacePicture(QRect rect, int pw, int ph, bool stretch, bool keepAspect, int alignment) {
    int l = rect.left();
    int t = rect.top();
    int r = rect.left() + rect.width();
    int b = rect.top() + rect.height();
    auto alignHorizontally = [&](int width) {
        if (alignment == 1) {
            l = r - width;
        } else if (alignment == 2) {
            l = (l + r - width) / 2;
            r = l + width;
        } else {
            r = l + width;
        }
    };
    if (!stretch) {
        b = t + ph;
        alignHorizontally(pw);
    } else if (keepAspect && pw > 0 && ph > 0 && r > l && b > t) {
        if (double(ph) / (b - t) > double(pw) / (r - l)) {
            alignHorizontally(int(qint64(pw) * (b - t) / ph));
        } else {
            b = t + int(qint64(ph) * (r - l) / pw);
        }
    }
    return QRect(l, t, r - l, b - t);
}

void TSestVystup::DrawPictureElement(const TVystPrvek& element, platform::Canvas& canvas,
                                     const QRect& target, double scaleX, double scaleY) const {
    platform::Picture picture;
    if (element.Picture) {
        picture = *element.Picture;
    } else if (!element.PictureFile.isEmpty()) {
        picture = element.Element->picture;
    }
    if (picture.IsEmpty()) {
        return;
    }
    const TLumexReportElement& source = *element.Element;
    const int alignment = source.kind == ekField ? source.alignment : 0;
    const QRect placed = PlacePicture(
        target, nint(picture.Width() * scaleX), nint(picture.Height() * scaleY),
        source.frameFlags & ffPictureStretch, source.frameFlags & ffPictureKeepAspect, alignment);
    if (OnPreparePicture) {
        OnPreparePicture(picture, placed.width(), placed.height());
    }
    picture.Draw(canvas, placed);
}

void TSestVystup::DrawBarcodeElement(const TVystPrvek& element, platform::Canvas& canvas,
                                     const QRect& target, double scale) const {
    const TLumexReportElement& source = *element.Element;
    const int flags = source.frameFlags;
    DrawBarcode(canvas, target, source.penStyle, element.GetText(), flags & ffBarcodeGuards,
                flags & ffBarcodeText, flags & ffBarcodeCheckDigit, source.angle,
                nint(source.penWidth * scale / kPageImageScale));
}
