#include "report/output/text_layouter.h"

#include <algorithm>
#include <cmath>

#include "report/output/lumex_canvas.h"

namespace {

// A line starts this high (2 hundredths of an inch) before any text is met.
constexpr int kInitialLineHeight = 2 * 72;
// Layout units between the element's left edge and the text.
constexpr int kMargin = 72;
// A fragment makes room for at most this many characters in advance.
constexpr int kMaxReservedCharacters = 64;

int RoundToInt(double value) {
    return int(std::lrint(value));
}

}  // namespace

TTextLayouter::TTextLayouter(TLumexCanvas& canvas, const QRect& rect, TRadky& lines, bool wrap,
                             double lineHeight, double charSpacing, int alignment,
                             const platform::Font& font)
    : canvas_(canvas),
      lines_(lines),
      baseFont_(font),
      width_(rect.width()),
      wrap_(wrap),
      fixedHeight_(lineHeight > 0 ? RoundToInt(72.0 * lineHeight) : 0),
      grid_(charSpacing > 0 ? 72.0 * charSpacing : 0),
      initialAlignment_(std::clamp(alignment, 0, 3)) {
    chp_.FontName = font.name;
    chp_.Charset = font.charset;
    chp_.HalfPoints = 2 * font.size;
    chp_.Colour = font.color;
    chp_.Bold = font.bold;
    chp_.Italic = font.italic;
    chp_.Underline = font.underline;
    chp_.Strikeout = font.strikeout;
    pap_ = InitialPap();
    linePap_ = pap_;
    baseFont_.escapement = 0;
    ApplyFont();
    StartLine(true, 0);
}

TPAP TTextLayouter::InitialPap() const {
    TPAP pap;
    pap.Alignment = initialAlignment_;
    return pap;
}

void TTextLayouter::ApplyFont() {
    platform::Font font = baseFont_;
    font.name = chp_.FontName;
    font.charset = chp_.Charset;
    font.size = std::max(chp_.HalfPoints, 0.0) * 72.0 / 2.0;
    font.color = chp_.Colour;
    font.bold = chp_.Bold;
    font.italic = chp_.Italic;
    font.underline = chp_.Underline;
    font.strikeout = chp_.Strikeout;
    canvas_.SetFont(font);
    fontHeight_ = canvas_.FontHeight();
    fontDescent_ = canvas_.FontDescent();
    chpDirty_ = false;
}

void TTextLayouter::StartLine(bool paragraphStart, int extraHeight) {
    TRadek& line = lines_.Add();
    line.FirstOfParagraph = paragraphStart;
    line.MinHeight =
        fixedHeight_ > 0 ? fixedHeight_ : std::max(0, kInitialLineHeight + extraHeight);
    line.Height = line.MinHeight;
    x_ = 0;
}

int TTextLayouter::RightLimit(const TRadek& line) const {
    long long limit = width_ - kMargin - TwipsToLayout(pap_.LeftIndent + pap_.RightIndent);
    if (line.FirstOfParagraph) {
        limit -= TwipsToLayout(pap_.FirstIndent);
    }
    return int(std::clamp<long long>(limit, INT_MIN / 2, INT_MAX / 2));
}

bool TTextLayouter::SameStyle(const TFragment& fragment) const {
    return fragment.FontName == chp_.FontName && fragment.Size * 2 == chp_.HalfPoints &&
           fragment.Colour == chp_.Colour && fragment.Charset == chp_.Charset &&
           fragment.Bold == chp_.Bold && fragment.Underline == chp_.Underline &&
           fragment.Italic == chp_.Italic && fragment.Strikeout == chp_.Strikeout;
}

void TTextLayouter::Append(char16_t ch, int newX) {
    TRadek& line = Line();
    if (line.CurrentFragment < 0 ||
        (styleTouched_ && !SameStyle(line.Fragments[line.CurrentFragment]))) {
        TFragment fragment;
        fragment.FontName = chp_.FontName;
        fragment.Size = chp_.HalfPoints / 2;
        fragment.Colour = chp_.Colour;
        fragment.Charset = chp_.Charset;
        fragment.Bold = chp_.Bold;
        fragment.Underline = chp_.Underline;
        fragment.Italic = chp_.Italic;
        fragment.Strikeout = chp_.Strikeout;
        fragment.TextHeight = fontHeight_;
        fragment.Descent = fontDescent_;
        // The characters still to come (this one included), within reason:
        // a text cut at the element's edge keeps no large unused room.
        if (expected_ >= 0) {
            const int room = std::min(expected_ + 1, kMaxReservedCharacters);
            fragment.Text.reserve(room);
            fragment.X.reserve(room + 1);
        }
        fragment.X.append(x_);
        line.Fragments.append(std::move(fragment));
        line.CurrentFragment = int(line.Fragments.size()) - 1;
    }
    styleTouched_ = false;
    TFragment& fragment = line.Fragments[line.CurrentFragment];
    fragment.Text.append(QChar(ch));
    fragment.X.append(newX);
    x_ = newX;
    GrowToFont(line);
}

void TTextLayouter::GrowToFont(TRadek& line) const {
    if (fixedHeight_ == 0) {
        line.Height = std::max(line.Height, fontHeight_);
    }
    line.Descent = std::max(line.Descent, fontDescent_);
}

void TTextLayouter::RecordBreak(TRadek& line) const {
    line.HasBreak = true;
    line.BreakX = x_;
    line.BreakCount = line.CharCount();
    line.BreakFragment = line.CurrentFragment;
    line.BreakInFragment =
        line.CurrentFragment >= 0 ? line.Fragments[line.CurrentFragment].Count() : 0;
}

bool TTextLayouter::Feed(char16_t ch) {
    if (stopped_) {
        return false;
    }
    if (expected_ > 0) {
        --expected_;
    }
    if (ch == u'\r' || (ch < 0x20 && ch != u'\n' && ch != u'\t')) {
        return true;  // carriage returns and other controls draw nothing
    }
    if (pendingLine_) {
        pendingLine_ = false;
        if (ch == u'\n') {
            // The paragraph ended right at a wrap: its last line is closed.
            StartLine(true, int(std::clamp<long long>(TwipsToLayout(pap_.LineSpacing), -1000000,
                                                      1000000)));
            return true;
        }
        StartLine(false, 0);
    }
    switch (ch) {
        case u'\n':
            return LineFeed();
        case u'\t':
            return Tab();
        default:
            return Character(ch);
    }
}

bool TTextLayouter::Character(char16_t ch) {
    linePap_ = pap_;
    if (chpDirty_) {
        ApplyFont();
    }
    const int width = canvas_.CharWidth(ch);
    int newX = x_ + width;
    if (grid_ > 0) {
        newX = RoundToInt(std::nearbyint(x_ / grid_ + 1) * grid_);
    }
    Append(ch, newX);
    TRadek& line = Line();
    if (ch == u' ' || !wrap_) {
        RecordBreak(line);
    }
    if (static_cast<long long>(x_) + width + 2 > RightLimit(line)) {
        if (!line.HasBreak) {
            RecordBreak(line);
        }
        return Wrap();
    }
    return true;
}

bool TTextLayouter::Tab() {
    linePap_ = pap_;
    if (chpDirty_) {
        ApplyFont();
    }
    const int tab = tabWidth_ > 0 ? tabWidth_ : 720;
    const long long xTwips = static_cast<long long>(x_) * 15 / 72;
    const long long nextStop = (xTwips / tab + 1) * tab;
    const long long left = pap_.LeftIndent;
    const long long stop = (xTwips < left && left < nextStop) ? left : nextStop;
    const int newX = int(std::min<long long>(TwipsToLayout(stop), INT_MAX / 2));
    // The tab is kept as a blank reaching to the stop, so the line's text and
    // the character-cell output keep a gap there.
    Append(u' ', std::max(newX, x_));
    TRadek& line = Line();
    RecordBreak(line);
    if (x_ > RightLimit(line)) {
        return Wrap();
    }
    return true;
}

bool TTextLayouter::LineFeed() {
    linePap_ = pap_;
    if (chpDirty_) {
        ApplyFont();
    }
    TRadek& line = Line();
    RecordBreak(line);
    CloseLine(line);
    if (!wrap_) {
        stopped_ = true;
        closed_ = true;
        return false;
    }
    StartLine(true, int(std::clamp<long long>(TwipsToLayout(pap_.LineSpacing), -1000000, 1000000)));
    return true;
}

void TTextLayouter::CloseLine(TRadek& line) {
    GrowToFont(line);
    SetOffset(line);
}

bool TTextLayouter::Wrap() {
    if (!wrap_) {
        CloseLine(Line());
        stopped_ = true;
        closed_ = true;
        return false;
    }
    TRadek next;
    next.FirstOfParagraph = false;
    next.MinHeight = fixedHeight_ > 0 ? fixedHeight_ : kInitialLineHeight;
    {
        TRadek& line = Line();
        const int shift = line.BreakX;
        const int breakFragment = std::max(line.BreakFragment, 0);
        for (int f = breakFragment; f < line.Fragments.size(); ++f) {
            TFragment& fragment = line.Fragments[f];
            const int keep = f == line.BreakFragment ? line.BreakInFragment : 0;
            if (f == line.BreakFragment && keep >= fragment.Count()) {
                continue;
            }
            TFragment moved = fragment;
            moved.Text = fragment.Text.mid(keep);
            moved.X = fragment.X.mid(keep);
            for (int& x : moved.X) {
                x -= shift;
            }
            next.Fragments.append(std::move(moved));
            fragment.Text.truncate(keep);
            fragment.X.resize(keep + 1);
        }
        while (!line.Fragments.isEmpty() && line.Fragments.last().Count() == 0) {
            line.Fragments.removeLast();
        }
        line.CurrentFragment = int(line.Fragments.size()) - 1;
        line.Wrapped = true;
        x_ -= shift;
        RecomputeHeight(line);
        SetOffset(line);
        if (linePap_.Alignment == 3) {
            Justify(line);
        }
    }
    if (next.Fragments.isEmpty()) {
        pendingLine_ = true;
        return true;
    }
    next.CurrentFragment = int(next.Fragments.size()) - 1;
    RecomputeHeight(next);
    lines_.Add() = std::move(next);
    return true;
}

void TTextLayouter::RecomputeHeight(TRadek& line) const {
    line.Height = line.MinHeight;
    line.Descent = 0;
    for (const TFragment& fragment : line.Fragments) {
        if (fixedHeight_ == 0) {
            line.Height = std::max(line.Height, fragment.TextHeight);
        }
        line.Descent = std::max(line.Descent, fragment.Descent);
    }
}

int TTextLayouter::ShownWidth(const TRadek& line) const {
    int width = line.HasBreak ? line.BreakX : x_;
    if (!line.Wrapped || line.BreakFragment < 0) {
        return width;
    }
    // Blanks at a wrap stay on the line but do not count for its alignment.
    for (int f = std::min(line.BreakFragment, int(line.Fragments.size()) - 1); f >= 0; --f) {
        const TFragment& fragment = line.Fragments[f];
        int i = fragment.Count() - 1;
        while (i >= 0 && fragment.Text[i] == u' ' && fragment.X[i] < width) {
            width = fragment.X[i];
            --i;
        }
        if (i >= 0) {
            break;
        }
    }
    return width;
}

void TTextLayouter::SetOffset(TRadek& line) const {
    const int width = ShownWidth(line);
    const int numberIndent = line.FirstOfParagraph ? linePap_.NumberIndent : 0;
    long long offset = 0;
    switch (linePap_.Alignment) {
        case 1:
            offset = width_ - kMargin - width - TwipsToLayout(linePap_.RightIndent);
            break;
        case 2:
            offset =
                (width_ - TwipsToLayout(linePap_.LeftIndent + linePap_.RightIndent) - width) / 2 +
                TwipsToLayout(linePap_.LeftIndent + linePap_.NumberIndent);
            break;
        default: {
            long long indent = linePap_.LeftIndent;
            if (line.FirstOfParagraph) {
                indent += linePap_.FirstIndent + numberIndent;
            }
            offset = TwipsToLayout(indent) + kMargin;
            break;
        }
    }
    line.Offset = int(std::clamp<long long>(offset, INT_MIN / 2, INT_MAX / 2));
}

void TTextLayouter::Justify(TRadek& line) const {
    const int width = ShownWidth(line);
    if (width <= 0) {
        return;
    }
    long long indent = linePap_.LeftIndent + linePap_.NumberIndent;
    if (line.FirstOfParagraph) {
        indent += linePap_.FirstIndent;
    }
    const long long a = TwipsToLayout(indent) + kMargin;
    const long long b = width_ - TwipsToLayout(linePap_.RightIndent);
    const double factor = double(b - a) / width;
    if (factor <= 0) {
        return;
    }
    for (TFragment& fragment : line.Fragments) {
        for (int& x : fragment.X) {
            x = int(std::clamp(std::lrint(x * factor), long(INT_MIN / 2), long(INT_MAX / 2)));
        }
    }
    line.BreakX = int(std::lrint(line.BreakX * factor));
}

void TTextLayouter::Finish() {
    if (closed_ || pendingLine_) {
        closed_ = true;
        return;
    }
    closed_ = true;
    if (chpDirty_) {
        ApplyFont();
    }
    TRadek& line = Line();
    RecordBreak(line);
    CloseLine(line);
}
