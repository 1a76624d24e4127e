#pragma once
// The character-cell field: a page of fixed-pitch rows for text-only printers
// and text files. Every row has 24 slots, one per pitch group (10, 12 and 17
// characters per inch) and style (bits 1 bold, 2 italic, 4 underline); a
// text is placed into the slot of its font and written out with the slots laid
// over each other.
//
// Fixed-pitch cells are wider than most proportional letters, so texts that
// stand side by side on the page can claim the same cells. A row therefore
// keeps its texts in the order they stand on the page and lays them out one
// after another: a text that would cover the one before it moves right to the
// next free cells, one blank after it. No text is ever cut or overwritten.

#include <QIODevice>
#include <QRect>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

#include "platform/paint/canvas.h"
#include "report/output/code_pages.h"

// One text of a row: where it wants to start and what it shows.
struct TZnakovyText {
    int Order = 0;       // where the text begins on the page (hundredths of an inch)
    bool Label = false;  // a caption of the template, which goes before a value in a tie
    int Slot = 0;
    int Column = 0;  // the first column the text asks for (0-based)
    int BoxEnd = 0;  // the column after its element's box; the slot is padded to it
    QString Text;    // without leading and trailing blanks
};

// One row: slot = pitch group * 8 + style.
struct TZnakovyRadek {
    std::array<QString, 24> Slots;
    // The row's texts in page order (see TZnakovyText::Order).
    QVector<TZnakovyText> Texts;
    bool LaidOut = true;  // the slots hold the texts

    // The slots laid over each other in order: a later slot fills only the
    // positions that are still blank.
    QString Text() const;
};

// One line of a text element to place.
struct TZnakovyVstup {
    QRect Rect;  // the element's box, hundredths of an inch
    QString Text;
    int Alignment = 0;  // 0 left, 1 right, 2 centre, 3 justified (placed as left)
    double FontSize = 10;
    int Style = 0;
    int LineIndex = 0;
    // Where the line's first letter stands on the page (hundredths of an
    // inch); orders the texts of a row. Unset: the column the text asks for.
    std::optional<int> TextLeft;
    bool Label = false;
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
    // 2 centre within the box's columns; a text longer than its box keeps
    // every letter and reaches past the box. Justified text (3) is placed as
    // left aligned. A text above or below the field goes into its first or
    // last row; one left of the page starts in the first column, one asking
    // for a column beyond 1024 starts there.
    void Place(const TZnakovyVstup& line);
    void Place(const QRect& rect, const QString& text, int alignment, double fontSize, int style,
               int lineIndex);
    // Every row (on the last page only up to the highest used row) in code
    // page `codePage`, each followed by CR LF.
    void WriteRows(QIODevice& stream, TSestLanguage codePage, bool lastPage) const;
    // Draws the used rows on a text-only printer's canvas in its device fonts.
    void PrintRows(platform::Canvas& canvas, TSestLanguage codePage) const;
    // The characters written or printed so far as '?' because the code page
    // has none of them, each once; Clear keeps them.
    const QString& LostCharacters() const { return lost_; }

    int RowCount() const { return int(rows_.size()); }
    int LinesPerInch() const { return linesPerInch_; }
    int HighestRow() const { return highestRow_; }
    // Row i with its texts written into its slots.
    const TZnakovyRadek& Row(int i) const;

    static int PitchGroup(double fontSize);
    static int CharsPerInch(int pitchGroup);

  private:
    // A row's slots are written when the row is read, once all its texts are
    // known: texts arrive in drawing order, which is often right to left.
    mutable QVector<TZnakovyRadek> rows_;
    int linesPerInch_ = 6;
    int highestRow_ = -1;
    mutable QString lost_;
};
