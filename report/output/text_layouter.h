#pragma once
// The line breaker behind LayoutText: takes characters one by one in the
// current character and paragraph properties and builds the lines. The plain
// text feeder and the RTF reader both drive it.

#include <QColor>
#include <QRect>
#include <QString>
#include <algorithm>

#include "platform/paint/canvas.h"
#include "report/output/text_lines.h"

class TLumexCanvas;

// Character properties.
struct TCHP {
    bool Bold = false;
    bool Underline = false;
    bool Italic = false;
    bool Strikeout = false;
    int FontNumber = 0;
    QString FontName;
    int Charset = 238;
    double HalfPoints = 20;  // size in half-points
    QColor Colour = Qt::black;
    bool operator==(const TCHP&) const = default;
};

// Paragraph properties; lengths in twips.
struct TPAP {
    int LeftIndent = 0;
    int RightIndent = 0;
    int FirstIndent = 0;
    int NumberIndent = 0;
    int Alignment = 0;  // 0 left, 1 right, 2 centre, 3 justify
    int LineSpacing = 0;
    bool operator==(const TPAP&) const = default;
};

class TTextLayouter {
  public:
    // `rect` is in layout units (0, 0, 72 * width, 72 * height); `lineHeight`
    // and `charSpacing` in hundredths of an inch (0 = natural, proportional).
    TTextLayouter(TLumexCanvas& canvas, const QRect& rect, TRadky& lines, bool wrap,
                  double lineHeight, double charSpacing, int alignment, const platform::Font& font);

    const TCHP& Chp() const { return chp_; }
    // Character properties to change; the next character compares them.
    TCHP& MutableChp() {
        chpDirty_ = true;
        styleTouched_ = true;
        return chp_;
    }
    TPAP& Pap() { return pap_; }
    void SetTabWidth(int twips) { tabWidth_ = twips; }
    int TabWidth() const { return tabWidth_; }
    // The paragraph properties the text starts with (the element's alignment).
    TPAP InitialPap() const;

    // One character: a line feed ends the paragraph, a tab moves to the next
    // stop, a carriage return is ignored. False once the layout has ended (a
    // one-line element is full); later characters are dropped.
    bool Feed(char16_t ch);
    // Closes the last line. Called once, at the end of the text.
    void Finish();
    bool Stopped() const { return stopped_; }
    // How many characters the text still has: a new fragment
    // makes room for them at once instead of growing character by character.
    void ExpectCharacters(int count) { expected_ = std::max(count, 0); }

  private:
    bool Character(char16_t ch);
    bool LineFeed();
    bool Tab();
    bool Wrap();
    void Append(char16_t ch, int newX);
    void ApplyFont();
    TRadek& Line() { return lines_.Last(); }
    void StartLine(bool paragraphStart, int extraHeight);
    void RecordBreak(TRadek& line) const;
    void GrowToFont(TRadek& line) const;
    void CloseLine(TRadek& line);
    void SetOffset(TRadek& line) const;
    void Justify(TRadek& line) const;
    void RecomputeHeight(TRadek& line) const;
    int RightLimit(const TRadek& line) const;
    int ShownWidth(const TRadek& line) const;
    bool SameStyle(const TFragment& fragment) const;

    TLumexCanvas& canvas_;
    TRadky& lines_;
    platform::Font baseFont_;
    int width_;
    bool wrap_;
    int fixedHeight_;
    double grid_;
    int initialAlignment_;

    TCHP chp_;
    TPAP pap_;
    // The paragraph properties the current line's text was read with; the
    // last line is closed with them even when a closing group restored others.
    TPAP linePap_;
    int tabWidth_ = 720;
    bool chpDirty_ = true;
    // The character properties may differ from the current fragment's: set
    // by MutableChp, cleared once a character has been appended. Until then
    // the current fragment of a line was made with these very properties.
    bool styleTouched_ = true;
    int fontHeight_ = 0;
    int fontDescent_ = 0;
    int x_ = 0;
    bool stopped_ = false;
    bool closed_ = false;
    // A line ended by wrapping with nothing carried over: the next line is
    // started by the next character, so a text never ends in an empty line.
    bool pendingLine_ = false;
    int expected_ = -1;  // characters still to come; -1 when not known (RTF)
};

// Twips to layout units (x 72 / 15).
inline long long TwipsToLayout(long long twips) {
    return twips * 72 / 15;
}
