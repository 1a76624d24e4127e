#pragma once
// The RTF reader of text layout, built like the classic sample RTF reader:
// a group stack that saves the character and
// paragraph properties and the destination per "{", control words looked up
// in a table of 102 keywords, font and colour tables, "\'hh" characters
// (Windows-1250), "\bin" data skipped, "\*" groups skipped when their first
// control word is unknown. Text characters go to a TTextLayouter.

#include <QColor>
#include <QString>
#include <QVector>

class TTextLayouter;

// Why reading stopped.
enum class TRtfResult {
    Ok,
    StackUnderflow,  // a "}" with no open group
    UnmatchedBrace,  // the text ended inside a group
    InvalidHex,      // a bad digit after "\'"
    EndOfText,       // the text ended inside a control word
    TooDeep,         // groups nested deeper than kMaxRtfDepth
    LayoutEnded,     // the layout took no more text (a one-line element is full)
};

// Deeper nesting than this is refused: no real document comes near it, and
// every level keeps a copy of the properties.
inline constexpr int kMaxRtfDepth = 256;

// One entry of an RTF font table.
struct TListFontuEntry {
    int Number = 0;
    QString Name;
    int Charset = 0;
};
using TListFontu = QVector<TListFontuEntry>;
using TListColor = QVector<QColor>;

// Reads `text` and feeds its characters to `layouter`. The layouter is not
// finished here; what was fed before an error stays.
TRtfResult ReadRtf(const QString& text, TTextLayouter& layouter);

// The number of keywords the reader knows (for tests).
int RtfKeywordCount();
