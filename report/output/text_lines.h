#pragma once
// Laid-out text: lines (TRadek) made of fragments (TFragment), runs of
// characters in one font with the x position of every character. Positions
// and heights are in layout units of 1/7200 inch (1/72 of a hundredth).

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

// A run of characters in one font.
struct TFragment {
    QString Text;    // the characters, one per x position
    QVector<int> X;  // Count() + 1 values: each character's start and the end of the last
    QString FontName;
    double Size = 10;  // points
    QColor Colour = Qt::black;
    int Charset = 238;
    bool Bold = false;
    bool Underline = false;
    bool Italic = false;
    bool Strikeout = false;
    int TextHeight = 0;  // the font's cell height (ascent + descent)
    int Descent = 0;     // the font's descent

    int Count() const { return int(Text.size()); }
};

// One line of laid-out text.
struct TRadek {
    QVector<TFragment> Fragments;
    int CurrentFragment = -1;  // index of the fragment receiving characters
    bool HasBreak = false;     // a break opportunity was met on the line
    int BreakX = 0;            // x reached at the last break opportunity
    int BreakCount = 0;        // characters of the line up to it
    int BreakFragment = -1;    // fragment holding the last character before it
    int BreakInFragment = 0;   // characters of that fragment up to it
    int MinHeight = 0;         // height the line started with (or the fixed height)
    int Height = 0;            // the largest text height met, or the fixed height
    int Descent = 0;           // distance of the baseline above the line's bottom
    int Offset = 0;            // x offset given by the alignment
    bool Wrapped = false;      // the line was ended by wrapping
    bool FirstOfParagraph = true;

    int CharCount() const;
    bool IsEmpty() const { return CharCount() == 0; }
    // The start position of every character of the line, in order.
    QVector<int> StartPositions() const;
};

// The ordered lines of one text.
class TRadky {
  public:
    int Count() const { return int(lines_.size()); }
    bool IsEmpty() const { return lines_.isEmpty(); }
    TRadek& operator[](int i) { return lines_[i]; }
    const TRadek& operator[](int i) const { return lines_[i]; }
    TRadek& Last() { return lines_.last(); }
    TRadek& Add() {
        lines_.append(TRadek());
        return lines_.last();
    }
    void Clear() { lines_.clear(); }
    // A copy of lines first..last (clamped to the lines there are).
    TRadky Slice(int first, int last) const;

    QVector<TRadek>::const_iterator begin() const { return lines_.cbegin(); }
    QVector<TRadek>::const_iterator end() const { return lines_.cend(); }

  private:
    QVector<TRadek> lines_;
};

// The characters of all fragments of a line, and of fragment i.
QString LineText(const TRadek& line);
QString FragmentText(const TRadek& line, int i);

// Height of the lines in hundredths of an inch: 0 for one empty line, else
// (72 + sum of line heights) / 72, a line counting 72 * lineHeight when
// lineHeight (hundredths of an inch) is not 0.
int TotalHeight(const TRadky& lines, double lineHeight);

// How many lines from `first` fit into `available` hundredths of an inch.
// `last` is the last fitting line (first - 1 when none fits), `usedHeight` the
// height they take. True when every remaining line fits.
bool FitLines(const TRadky& lines, int first, int available, int& usedHeight, int& last);

// Adds "charset bold underline italic name" for every fragment not yet listed.
void CollectFonts(const TRadky& lines, QStringList& list);
// Adds every fragment's colour (red + 256 green + 65536 blue) not yet listed.
void CollectColours(const TRadky& lines, QStringList& list);
