// Page handling and section printing of the report engine: page headers and
// footers, fit checks, shift lines and bands, growing texts and drawing areas,
// print columns, inline detail reports and the end of the report.
#include <algorithm>
#include <cmath>

#include "report/engine/roman_fonts.h"
#include "report/engine/sestavyt.h"
#include "report/output/lumex_canvas.h"
#include "report/output/template_font.h"
#include "report/output/text_layout.h"

struct TSestavaTyp::ShiftLine {
    int top = 0;
    int bottom = 0;
    std::vector<TLumexReportElement*> elements;
};

namespace {

// Pages one drawing area of the application may go on over. Its drawing
// callback decides when it ends, and one that never says so would fill the
// memory with pages; reaching the limit is reported as a run error.
constexpr int kMaxDrawingPages = 10000;

}  // namespace

// ---- page handling -------------------------------------------------------------------

int TSestavaTyp::VisibleHeight(int type) const {
    const TOddilSestavy& section = Oddily().Fixed(type);
    return section.visible ? section.height : 0;
}

int TSestavaTyp::FooterHeight() const {
    if (master_) {
        return master_->FooterHeight();
    }
    const TOddilSestavy& footer = Oddily().Fixed(stPageFooter);
    if (!footer.visible) {
        return 0;
    }
    if ((footer.flags & sfPageFooterOnlyOnFirstPage) && Output().PageIndex > 0) {
        return 0;
    }
    return footer.height;
}

int TSestavaTyp::HeaderHeight() const {
    return master_ ? master_->HeaderHeight() : VisibleHeight(stPageHeader);
}

bool TSestavaTyp::BodyFits(int extra) {
    if (Unpaged) {
        return true;
    }
    const TSestVystup& out = Output();
    return out.RemainingHeight(out.CursorY, FooterHeight()) >= extra + VisibleHeight(stBody);
}

bool TSestavaTyp::SectionFits(const TOddilSestavy& section) {
    if (Unpaged) {
        return true;
    }
    const TSestVystup& out = Output();
    return out.RemainingHeight(out.CursorY, FooterHeight()) >=
           (section.visible ? section.height : 0);
}

void TSestavaTyp::PrintPageFooter(int offset) {
    if (IsDetail()) {
        return;
    }
    TOddilSestavy& footer = Section(stPageFooter);
    TSestVystup& out = Output();
    if (!footer.visible) {
        return;
    }
    if (out.PageIndex < 1 || !(footer.flags & sfPageFooterOnlyOnFirstPage)) {
        int y = out.PageBottom - footer.height;
        int pageOffset = out.PageOverflow + offset;
        PrintSection(footer, y, pageOffset);
    }
}

void TSestavaTyp::NewPageNumbering() {
    if (IsDetail()) {
        return;
    }
    ++pageCounter_;
    TListOddilu& sections = Oddily();
    for (int s = 0; s < sections.Count(); ++s) {
        for (int k = 0; k < sections[s].Count(); ++k) {
            TLumexReportElement& element = sections[s][k];
            if (element.kind == ekVariable) {
                element.value = VariableValue(element.source);
            }
        }
    }
}

void TSestavaTyp::PrintPageHeader(bool keepCursor, int offset) {
    TSestVystup& out = Output();
    if (!keepCursor) {
        ++out.PageIndex;
        out.CursorY = 0;
    }
    int y = 0;
    if (IsDetail()) {
        y = HeaderHeight();
    } else {
        TOddilSestavy& header = Section(stPageHeader);
        if (header.visible && !(header.flags & sfNoPageHeaderOnLastPage)) {
            int pageOffset = out.PageOverflow + offset;
            PrintSection(header, y, pageOffset);
        }
    }
    if (!keepCursor) {
        out.CursorY = y;
    }
}

void TSestavaTyp::BreakPage() {
    PrintPageFooter(0);
    NewPageNumbering();
    if (!abort_ && !Cancelled()) {
        PrintPageHeader(false, 0);
    }
}

void TSestavaTyp::PrintBody(bool topLevel) {
    TSestVystup& out = Output();
    TOddilSestavy& body = Section(stBody);
    if (body.visible) {
        PrintSection(body, out.CursorY, out.PageOverflow);
    }
    if (topLevel) {
        out.PageIndex += out.PageOverflow;
        out.PageOverflow = 0;
    }
    firstRecord_ = false;
}

void TSestavaTyp::FinishReport(bool topLevel) {
    TSestVystup& out = Output();
    const TOddilSestavy& pageFooter = Section(stPageFooter);
    TOddilSestavy& reportFooter = Section(stReportFooter);
    if (Unpaged && topLevel) {
        out.PageBottom = out.CursorY + VisibleHeight(stReportFooter) + VisibleHeight(stPageFooter);
    }
    const bool footerOnLastPage =
        pageFooter.visible &&
        !(pageFooter.flags & (sfNoPageFooterOnLastPage | sfPageFooterOnlyOnFirstPage));
    if (reportFooter.visible) {
        if (topLevel && (reportFooter.flags & sfReportFooterAtPageFooter)) {
            const int bottom =
                out.PageBottom - reportFooter.height - (footerOnLastPage ? pageFooter.height : 0);
            if (bottom < out.CursorY) {
                BreakPage();
            }
            out.CursorY = bottom;
        }
        PrintSection(reportFooter, out.CursorY, out.PageOverflow);
    }
    if (topLevel && footerOnLastPage) {
        out.CursorY = out.PageBottom - pageFooter.height;
        PrintPageFooter(0);
    }
    if (topLevel) {
        // A range that ends the run early keeps pages up to its end only; a
        // total counting the page begun past it would name a page that is
        // not there.
        const int count = std::min(out.PageCount(), EndPage);
        for (const TPageCountPlace& place : pageCountElements_) {
            place.element->value.number = count;
            place.element->value.text = QString::number(count);
            LayoutElementText(*place.element, *place.placed);
        }
        out.HeldElementsChanged();
        pageCountElements_.clear();
    }
}

// ---- printing a section ---------------------------------------------------------------

bool TSestavaTyp::SkipsFitCheck(const TOddilSestavy& section) const {
    switch (section.type) {
        case stPageHeader:
        case stPageFooter:
            return true;
        case stReportHeader:
            return topLevel_ && !IsDetail();
        case stReportFooter:
            return (Oddily().Fixed(stPageFooter).flags & sfNoPageFooterOnLastPage) != 0;
        default:
            return false;
    }
}

void TSestavaTyp::PrintSection(TOddilSestavy& section, int& y, int& pageOffset) {
    if (Cancelled() || abort_) {
        return;
    }
    if (section.type == stPageHeader) {
        forcedPageBreak_ = false;
    }
    bool print = true;
    if (OnTiskOddilu) {
        OnTiskOddilu(*this, section.type, print);
        if (!print) {
            return;
        }
    }
    if (!SkipsFitCheck(section) && (forcedPageBreak_ || !SectionFits(section))) {
        BreakPage();
    }
    std::vector<TLumexReportElement*> all;
    for (int k = 0; k < section.Count(); ++k) {
        all.push_back(&section[k]);
    }
    if (section.type == stPageHeader || section.type == stPageFooter) {
        PlaceElements(all, y, pageOffset);
        AdvanceAfterSection(section, y);
        return;
    }
    const bool body = section.type == stBody;
    std::vector<ShiftLine> lines;
    if (!(body && PrintColumns() > 1)) {
        for (TLumexReportElement* element : all) {
            const bool grows = element->printable && element->VariableHeight();
            const bool detail = body && element->kind == ekDetail;
            if (!grows && !detail) {
                continue;
            }
            const int top = element->top;
            const int bottom = element->top + element->height - 1;
            if (lines.empty() || top >= lines.back().bottom) {
                lines.push_back({top, bottom, {element}});
                continue;
            }
            auto same = std::find_if(lines.begin(), lines.end(),
                                     [&](const ShiftLine& line) { return line.top == top; });
            if (same != lines.end()) {
                same->elements.push_back(element);
                same->bottom = std::max(same->bottom, bottom);
                continue;
            }
            auto greater = std::find_if(lines.begin(), lines.end(),
                                        [&](const ShiftLine& line) { return line.top > top; });
            lines.insert(greater, ShiftLine{top, bottom, {element}});
        }
    }
    if (lines.empty()) {
        PlaceElements(all, y, pageOffset);
    } else {
        PrintBands(section, lines, y, pageOffset);
    }
    AdvanceAfterSection(section, y);
}

void TSestavaTyp::PrintBands(TOddilSestavy& section, std::vector<ShiftLine>& lines, int& y,
                             int& pageOffset) {
    TSestVystup& out = Output();
    const int k = int(lines.size());
    std::vector<std::vector<TLumexReportElement*>> bands(k + 1);
    auto growing = [&](const TLumexReportElement* element) {
        for (const ShiftLine& line : lines) {
            if (std::find(line.elements.begin(), line.elements.end(), element) !=
                line.elements.end()) {
                return true;
            }
        }
        return false;
    };
    for (int e = 0; e < section.Count(); ++e) {
        TLumexReportElement* element = &section[e];
        if (growing(element)) {
            continue;
        }
        int band = k;
        for (int i = 0; i < k; ++i) {
            if (lines[i].bottom > element->top) {
                band = i;
                break;
            }
        }
        bands[band].push_back(element);
    }
    for (int i = 0; i <= k; ++i) {
        const int start = i == 0 ? 0 : lines[i - 1].bottom;
        const int end = i < k ? lines[i].bottom : section.height;
        const int bandHeight = end - start;
        if (!Unpaged && out.RemainingHeight(y, FooterHeight()) < bandHeight + start) {
            PrintPageFooter(pageOffset - out.PageOverflow);
            ++pageOffset;
            NewPageNumbering();
            PrintPageHeader(true, pageOffset - out.PageOverflow);
            y = HeaderHeight() - start;
        }
        PlaceElements(bands[i], y, pageOffset);
        if (i == k) {
            break;
        }
        int maxOffset = pageOffset;
        int maxY = y;
        bool any = false;
        for (TLumexReportElement* element : lines[i].elements) {
            int p = element->top + y;
            int offset = pageOffset;
            PlaceGrowing(*element, p, offset);
            if (!any || offset > maxOffset) {
                maxOffset = offset;
                maxY = p;
                any = true;
            } else if (offset == maxOffset) {
                maxY = std::max(maxY, p);
            }
        }
        for (int page = pageOffset; page < maxOffset; ++page) {
            PrintPageFooter(page - out.PageOverflow);
            NewPageNumbering();
            PrintPageHeader(true, page + 1 - out.PageOverflow);
        }
        if (maxOffset > pageOffset) {
            pageOffset = maxOffset;
            y = maxY;
        } else {
            y = std::max(y, maxY);
        }
    }
}

void TSestavaTyp::AdvanceAfterSection(const TOddilSestavy& section, int& y) {
    TSestVystup& out = Output();
    const int columns = PrintColumns();
    if (section.type == stBody && columns > 1) {
        if (out.ColumnNo < columns) {
            ++out.ColumnNo;
            out.ColumnLeft += (out.PageWidth + Settings().columnGap) / columns;
        } else {
            out.ColumnNo = 1;
            out.ColumnLeft = 0;
            y += section.height;
        }
        return;
    }
    if (section.type == stPageFooter) {
        return;
    }
    y += section.height;
    if (CharacterMode()) {
        const double cell = Settings().raster.cellHeight;
        y = int(std::lround(std::lround(y / cell) * cell));
    }
}

// ---- placing elements ----------------------------------------------------------------

void TSestavaTyp::PlaceElements(const std::vector<TLumexReportElement*>& elements, int y,
                                int pageOffset) {
    TSestVystup& out = Output();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        TLumexReportElement& element = **it;
        if (!element.printable || element.kind == ekDetail) {
            continue;
        }
        auto placed = std::make_unique<TVystPrvek>(&element, out.ColumnLeft + element.left,
                                                   y + element.top, element.width, element.height);
        if (element.IsText() || element.kind == ekBarcode) {
            LayoutElementText(element, *placed);
        }
        switch (element.kind) {
            case ekField:
                if (IsPictureFieldType(DataType(element.source))) {
                    if (!element.pictureFile.isEmpty()) {
                        placed->SetPictureFile(element.pictureFile);
                    } else {
                        placed->SetPicture(element.picture);
                    }
                }
                break;
            case ekVariable:
                if (element.source == vaPageCount) {
                    pageCountElements_.push_back({&element, placed.get()});
                    out.HoldInMemory(placed.get());
                }
                break;
            case ekPicture:
                placed->SetPictureFile(element.pictureFile);
                if (!element.picture.IsEmpty() && (element.frameFlags & ffPictureOwnCopy)) {
                    placed->SetPicture(element.picture);
                }
                break;
            case ekPaintBox:
                PaintDrawingArea(element, *placed);
                break;
            default:
                break;
        }
        out.AddElement(std::move(placed), out.PageIndex + pageOffset);
    }
}

void TSestavaTyp::LayoutElementText(TLumexReportElement& element, TVystPrvek& placed) {
    const QString text = ElementText(element);
    if (element.angle != 0) {
        placed.Text = text;
        return;
    }
    platform::Font font = element.font.CanvasFont();
    SubstituteDeviceFont(font);
    const bool roman = IsRomanFont(element.font.name);
    const double letterSpacing =
        roman ? 100.0 / RomanCpi(element.font.name) : element.letterSpacing;
    const double lineHeight =
        roman ? 100.0 / 6.0 : (CharacterMode() ? Settings().raster.cellHeight : 0.0);
    const bool multiline = element.Multiline() ||
                           (element.kind == ekField && IsMemoFieldType(DataType(element.source)));
    TRadky lines;
    const TTextLayoutKey key{text,
                             font,
                             LayoutRect(element.width, element.height),
                             multiline,
                             element.RtfText(),
                             lineHeight,
                             letterSpacing,
                             element.EffectiveAlignment()};
    if (const TRadky* known = layoutMemory_.Find(&element, key)) {
        lines = *known;
    } else {
        if (!measure_) {
            measure_ = std::make_unique<TLumexCanvas>(100);
        }
        LayoutText(*measure_, key.rect, text, lines, multiline, lineHeight, letterSpacing,
                   key.alignment, font, key.rtf);
        layoutMemory_.Keep(&element, key, lines);
    }
    if (element.VariableHeight() && PrintColumns() < 2) {
        placed.SetLines(std::move(lines));
        return;
    }
    int used = 0;
    int last = -1;
    FitLines(lines, 0, element.height, used, last);
    if (last >= 0 && last == lines.Count() - 1) {
        placed.SetLines(std::move(lines));
    } else if (last >= 0) {
        placed.SetLineRange(lines, 0, last);
    } else {
        placed.Lines.reset();
        placed.FirstLine = 0;
        placed.LastLine = -1;
    }
}

void TSestavaTyp::PlaceGrowing(TLumexReportElement& element, int& p, int& pageOffset) {
    if (element.kind == ekDetail) {
        PlaceDetail(element, p, pageOffset);
    } else if (element.kind == ekPaintBox) {
        PlaceGrowingDrawing(element, p, pageOffset);
    } else {
        PlaceGrowingText(element, p, pageOffset);
    }
}

void TSestavaTyp::PlaceGrowingText(TLumexReportElement& element, int& p, int& pageOffset) {
    TSestVystup& out = Output();
    platform::Font font = element.font.CanvasFont();
    SubstituteDeviceFont(font);
    const bool roman = IsRomanFont(element.font.name);
    const double letterSpacing =
        roman ? 100.0 / RomanCpi(element.font.name) : element.letterSpacing;
    const double lineHeight = roman ? 100.0 / 6.0 : 0.0;
    TRadky lines;
    if (!measure_) {
        measure_ = std::make_unique<TLumexCanvas>(100);
    }
    LayoutText(*measure_, LayoutRect(element.width, std::max(element.height, 1)),
               ElementText(element), lines, true, lineHeight, letterSpacing,
               element.EffectiveAlignment(), font, element.RtfText());
    const int h = TotalHeight(lines, lineHeight);
    auto add = [&](int left, int top, int height, int first, int last) {
        auto placed = std::make_unique<TVystPrvek>(&element, left, top, element.width, height);
        placed->SetLineRange(lines, first, last);
        out.AddElement(std::move(placed), out.PageIndex + pageOffset);
    };
    const int left = out.ColumnLeft + element.left;
    if (h <= element.height) {
        add(left, p, element.height, 0, lines.Count() - 1);
        p += h - element.top - element.height;
        return;
    }
    int r = out.RemainingHeight(p, FooterHeight());
    if (Unpaged || r >= h) {
        add(left, p, h, 0, lines.Count() - 1);
        p += h - element.top - element.height;
        return;
    }
    int used = 0;
    int last = -1;
    FitLines(lines, 0, r, used, last);
    if (last >= 0) {
        add(left, p, used, 0, last);
    }
    int lastHeight = used;
    // Every page takes at least one line, so the text ends after as many
    // pages as it has lines at most: nothing of it is left out.
    while (last < lines.Count() - 1) {
        ++pageOffset;
        p = HeaderHeight();
        const int first = last + 1;
        FitLines(lines, first, out.RemainingHeight(HeaderHeight(), FooterHeight()), used, last);
        if (last < first) {
            // A line taller than a whole page goes on a page of its own.
            last = first;
            used = lines[first].Height / 72;
        }
        add(element.left, p, used, first, last);
        lastHeight = used;
    }
    p += lastHeight - element.top - element.height;
}

void TSestavaTyp::PaintDrawingArea(TLumexReportElement& element, TVystPrvek& placed) {
    if (DesignTime || (!OnPaintBox && !OnPaintBoxSize)) {
        return;
    }
    const int s = std::clamp(element.scale, kMinPaintBoxScale, kMaxPaintBoxScale);
    platform::VectorPicture picture(s * element.width - 1, s * element.height - 1, 100 * s);
    TLumexCanvas canvas(picture, 100 * s);
    canvas.PinFont();
    if (OnPaintBox) {
        OnPaintBox(*this, element.source, s * element.width, s * element.height, canvas);
    } else {
        int pos = 0;
        int next = 0;
        OnPaintBoxSize(*this, element.source, s * element.width, s * element.height, pos, next,
                       canvas);
    }
    element.picture = platform::Picture(picture);
    placed.SetPicture(element.picture);
}

void TSestavaTyp::PlaceGrowingDrawing(TLumexReportElement& element, int& p, int& pageOffset) {
    TSestVystup& out = Output();
    const int s = std::clamp(element.scale, kMinPaintBoxScale, kMaxPaintBoxScale);
    const int width = s * element.width;
    const int left = out.ColumnLeft + element.left;
    int r = out.RemainingHeight(p, FooterHeight());
    auto place = [&](const platform::VectorPicture& drawn, int top, int height) {
        auto placed = std::make_unique<TVystPrvek>(&element, left, top, element.width, height);
        placed->SetPicture(platform::Picture(drawn));
        out.AddElement(std::move(placed), out.PageIndex + pageOffset);
    };
    if (DesignTime || (!OnPaintBox && !OnPaintBoxSize)) {
        return;
    }
    bool firstCall = true;
    for (int pages = 0; pages < kMaxDrawingPages; ++pages) {
        const int height = std::max(r, 1);
        platform::VectorPicture picture(width - 1, s * height, 100 * s);
        TLumexCanvas canvas(picture, 100);
        canvas.PinFont();
        int pos = 0;
        int next = 0;
        if (OnPaintBoxSize) {
            OnPaintBoxSize(*this, element.source, width, s * height, pos, next, canvas);
        } else {
            OnPaintBox(*this, element.source, width, s * height, canvas);
        }
        if (next > 0) {
            place(picture, p, height);
            ++pageOffset;
            p = HeaderHeight();
            r = out.RemainingHeight(HeaderHeight(), FooterHeight());
            firstCall = false;
            continue;
        }
        if (next < 0) {
            return;
        }
        int used = pos / s;
        if (firstCall) {
            used = std::max(used, element.height);
        }
        platform::VectorPicture trimmed(width - 1, s * used, 100 * s);
        trimmed.StretchDraw(QRect(0, 0, width - 1, s * height), picture);
        place(trimmed, p, used);
        p += used - element.top - element.height;
        return;
    }
    TRunError error;
    error.kind = reDrawingCut;
    error.name = TemplateName();
    error.code = kMaxDrawingPages;
    ReportRunError(error);
}

void TSestavaTyp::PlaceDetail(TLumexReportElement& element, int& p, int& pageOffset) {
    // A placement without a detail behind it does not grow: the bands after
    // it keep their designed places.
    const int noGrowth = p - element.top;
    if (element.source < 0 || element.source >= Detaily().Count()) {
        p = noGrowth;
        return;
    }
    auto* detail = dynamic_cast<TSestavaTyp*>(Detaily()[element.source]);
    if (!detail || detail == this) {
        p = noGrowth;
        return;
    }
    TSestVystup& out = Output();
    const int savedCursor = out.CursorY;
    const int savedOverflow = out.PageOverflow;
    const int savedPageIndex = out.PageIndex;
    TSestavaTyp* savedMaster = detail->Master();
    detail->SetMaster(this);
    out.CursorY = p;
    out.PageOverflow = pageOffset;
    detail->Run(false);
    SetCurrentValueProvider(this);
    pageOffset = out.PageIndex + out.PageOverflow - savedPageIndex;
    p = out.CursorY - element.height - element.top;
    out.CursorY = savedCursor;
    out.PageOverflow = savedOverflow;
    out.PageIndex = savedPageIndex;
    detail->SetMaster(savedMaster);
}
