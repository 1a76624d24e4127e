#pragma once
// The character-cell field: a page of fixed-pitch rows for text-only printers
// and text files. Every row has 24 slots, one per pitch group (10, 12 and 17
// characters per inch) and style (bits 1 bold, 2 italic, 4 underline); a
// text is placed into the slot of its font and written out with the slots laid
// over each other.

#include <QIODevice>
#include <QRect>
#include <QString>
#include <QVector>

#include <array>

#include "platform/paint/canvas.h"
#include "report/output/code_pages.h"

// One row: slot = pitch group * 8 + style.
struct TZnakovyRadek {
    std::array<QString, 24> Slots;
    // The slots laid over each other in order: a later slot fills only the
    // positions that are still blank.
    QString Text() const;
};

class TZnakovePole {
  public:
    // Rows for a paper `paperHeight` hundredths of an inch high at 4 lines per
    // inch for line spacing 1, 3 for 2 and 6 otherwise.
    void Setup(int paperHeight, int lineSpacing);
    // Empties every slot; the rows stay.
    void Clear();
    // Places one line of text. `rect` is in hundredths of an inch; the font
    // size (after the device-font substitution) picks the pitch: 11 points
    // and more 10 cpi, 9..10 12 cpi, less 17 cpi. Alignment 0 left, 1 right,
    // 2 centre; justified text (3) is not placed. Text outside the field or
    // beyond column 1024 is dropped.
    void Place(const QRect& rect, const QString& text, int alignment, double fontSize, int style,
               int lineIndex);
    // Every row (on the last page only up to the highest used row) in code
    // page `codePage`, each followed by CR LF.
    void WriteRows(QIODevice& stream, TSestLanguage codePage, bool lastPage) const;
    // Draws the used rows on a text-only printer's canvas in its device fonts.
    void PrintRows(platform::Canvas& canvas, TSestLanguage codePage) const;

    int RowCount() const { return int(rows_.size()); }
    int LinesPerInch() const { return linesPerInch_; }
    int HighestRow() const { return highestRow_; }
    const TZnakovyRadek& Row(int i) const { return rows_[i]; }

    static int PitchGroup(double fontSize);
    static int CharsPerInch(int pitchGroup);

  private:
    QVector<TZnakovyRadek> rows_;
    int linesPerInch_ = 6;
    int highestRow_ = -1;
};
