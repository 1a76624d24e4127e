#pragma once
// One element of a report section as a template stores it: a text, a data
// field, a line, a frame, a picture, a barcode, a drawing area or the place of
// an attached detail report, with its position, font, pen and print condition.

#include <QColor>
#include <QString>
#include <QStringView>

#include "platform/paint/canvas.h"
#include "platform/paint/picture.h"
#include "report/model/calc_value.h"
#include "report/model/element_host.h"
#include "report/model/template_fields.h"

class TOddilSestavy;

// Element kinds (second field of an element record).
enum TElementKind : int {
    ekText = 1,        // "Grafický text": a static text
    ekField = 2,       // "Položka tabulky": a data field
    ekFieldLabel = 3,  // "Popis položky": the display label of a data field
    ekParameter = 4,   // "Parametr": a line of the report parameters
    ekVariable = 5,    // "Proměnná": print date, page number, ...
    ekFunction = 6,    // "Funkce": the value of a user function
    ekLine = 7,        // "Úsečka": edges and diagonals of the box
    ekFrame = 8,       // "Rámeček"
    ekRoundFrame = 9,  // "Zaoblený rámeček"
    ekEllipse = 10,    // "Elipsa"
    ekPicture = 11,    // "Obrázek"
    ekBarcode = 12,    // "Čárový kód"
    ekPaintBox = 13,   // "Kreslicí plocha": drawn by the application
    ekDetail = 15,     // place of an attached detail report
};

// Report variables, the source of a kind 5 element. Group g (0-based) has
// vaGroupRow + 2g ("Číslo řádku ve skupině g+1") and vaGroupNumber + 2g
// ("Číslo skupiny g+1").
enum TReportVariable : int {
    vaPrintDate = 0,    // "Datum tisku"
    vaPrintTime = 1,    // "Čas tisku"
    vaRowNumber = 2,    // "Pořadové číslo řádku"
    vaPageNumber = 3,   // "Číslo strany"
    vaPageCount = 4,    // "Celkový počet stran"
    vaGroupRow = 5,     // + 2g
    vaGroupNumber = 6,  // + 2g
};

// Alignment of text kinds (low two bits of the alignment byte).
enum TElementAlignment : int {
    eaLeft = 0,     // "Vlevo"
    eaRight = 1,    // "Vpravo"
    eaCenter = 2,   // "Uprostřed"
    eaJustify = 3,  // "Zarovnat do bloku"
};

// Text flags of text kinds (the high bits of the alignment byte).
enum TTextFlag : int {
    tfRtf = 0x08,             // memo field text in RTF form
    tfMultiline = 0x10,       // "Víceřádkový text"
    tfJustify = 0x20,         // "Zarovnat do bloku"
    tfVariableHeight = 0x40,  // "Proměnná výška"
    tfReserved = 0x80,        // no meaning, kept as read
};
constexpr int kTextFlagMask = 0xF8;

// The frame/flag word. Bits 0..3 are the frame lines (for kind 7 the edges of
// the box); the meaning of bits 4..6 depends on the kind.
enum TFrameFlag : int {
    ffLeft = 0x01,
    ffTop = 0x02,
    ffRight = 0x04,
    ffBottom = 0x08,
    ffFrameLines = 0x0F,
    ffBit4 = 0x10,  // 7: diagonal bottom-left to top-right; 11 and picture fields:
                    // stretch to the box; 12: check digit; 13: set by the designer
    ffBit5 = 0x20,  // 7: diagonal top-left to bottom-right; 11 and picture fields:
                    // keep aspect ratio; 12: print the human-readable text
    ffBit6 = 0x40,  // 7: inscribed ellipse; 11: the output keeps its own copy of the
                    // picture; 12: print the guard characters; 13: variable height
};
constexpr int ffLineDiagonalUp = ffBit4;
constexpr int ffLineDiagonalDown = ffBit5;
constexpr int ffLineEllipse = ffBit6;
constexpr int ffPictureStretch = ffBit4;
constexpr int ffPictureKeepAspect = ffBit5;
constexpr int ffPictureOwnCopy = ffBit6;
constexpr int ffBarcodeCheckDigit = ffBit4;
constexpr int ffBarcodeText = ffBit5;
constexpr int ffBarcodeGuards = ffBit6;
constexpr int ffPaintBoxChanged = ffBit4;
constexpr int ffPaintBoxVariableHeight = ffBit6;

// Pen styles of graphic kinds.
enum TPenStyleCode : int {
    psSolid = 0,    // "plná"
    psDash = 1,     // "čárkovaná"
    psDot = 2,      // "tečkovaná"
    psDashDot = 3,  // "čerchovaná"
};

// Font style bits.
enum TFontStyleBit : int {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeout = 8,
};

// Character sets that templates store (the designer's "Skript" list).
enum TCharsetCode : int {
    csWestern = 0,  // "západní"
    csDefault = 1,  // "default"
    csSymbol = 2,   // "symboly"
    csGreek = 161,
    csTurkish = 162,
    csBaltic = 186,
    csCyrillic = 204,
    csEastEurope = 238,  // "středoevropský", what Czech templates carry
};

// The font of a text element as the template gives it.
struct TElementFont {
    QString name = QStringLiteral("Arial");  // at most 32 characters
    int size = 10;                           // points
    int color = 0;                           // red + 256 green + 65536 blue
    int style = 0;                           // TFontStyleBit
    int charset = csEastEurope;

    platform::Font CanvasFont() const;
    bool operator==(const TElementFont&) const = default;
};

// A colour integer of the template model as a QColor.
QColor TemplateQColor(int rgb);

constexpr int kMaxSourceNameLength = 32;
constexpr int kMaxFontNameLength = 32;
constexpr int kMinPaintBoxScale = 1;
constexpr int kMaxPaintBoxScale = 6;
constexpr int kDefaultBarWidth = 8;  // narrowest bar of a barcode in 1/600 inch

class TLumexReportElement {
  public:
    // A new element of the report `host` (which answers field, function and
    // picture look-ups while a record is read); `host` may be null for an
    // element that is only formatted.
    explicit TLumexReportElement(TElementHost* host = nullptr);

    // --- Layout (one element record of the template) ---
    TOddilSestavy* section = nullptr;  // set when added to a section
    int kind = ekText;                 // TElementKind or any other number
    // Data field (2, 3), parameter (4), variable (5), function (6), drawing
    // index (13), detail index (15); for 8, 9, 10 the kind itself.
    int source = 0;
    QString sourceName;  // the source as given by name (at most 32 characters), or empty
    // Fields (2, 3) and functions (6) whose name or number the report does
    // not have: the reference as the template gives it (the source reads 0).
    // Such an element prints empty and the run reports it.
    QString missingSource;
    int left = 0;  // hundredths of an inch from the top-left of the section
    int top = 0;
    int width = 0;
    int height = 0;
    TElementFont font;       // text kinds 1..6
    int alignment = eaLeft;  // text kinds: TElementAlignment as read (alignment byte AND 3)
    int textFlags = 0;       // text kinds: TTextFlag bits (alignment byte AND 0xF8)
    int frameFlags = 0;      // TFrameFlag word
    int penColor = 0;        // graphic kinds
    int penStyle = psSolid;  // graphic kinds: TPenStyleCode; kind 12: barcode type index
    int penWidth = 1;        // graphic kinds; kind 12: narrowest bar width in 1/600 inch
    int fillColor = kColorWhite;
    int scale = 0;          // kind 13: 1..6
    QString text;           // kind 1 text; 5 display format; 11 picture list;
                            // 12 barcode content; 2, 3, 6 the source name
    int letterSpacing = 0;  // "Rozteč znaků", hundredths of an inch (text kinds, 12)
    int angle = 0;          // "Sklon textu" / "Úhel" in degrees (text kinds, 12)
    int spare = 0;          // kept and written back (text kinds, 12)
    QString condition;      // print condition; empty prints always
    bool handler = false;   // raise OnPrintElement for this element
    QString ident;          // passed to OnPrintElement as ElementIdent

    // --- Run state (set by the report run) ---
    TCalcType value;            // current value
    bool printable = true;      // printed for the current record
    QString pictureFile;        // resolved picture file name
    platform::Picture picture;  // loaded picture (kinds 11, 13; kind 2 picture fields)

    // Reads one element record (the caller has matched the section code in
    // the first field). Never fails: missing or malformed fields take their
    // defaults.
    void ParseElement(QStringView line);
    // The element record with `sectionCode` as its first field.
    QString FormatElement(const QString& sectionCode) const;

    static bool IsTextKind(int kind) { return kind >= ekText && kind <= ekFunction; }
    static bool IsGraphicKind(int kind) { return kind >= ekLine && kind <= ekPaintBox; }
    bool IsText() const { return IsTextKind(kind); }
    bool IsGraphic() const { return IsGraphicKind(kind); }

    // The alignment the text is laid out with: justified whenever the
    // justify flag is set, else the alignment bits.
    int EffectiveAlignment() const;
    bool Multiline() const { return (textFlags & tfMultiline) != 0; }
    bool RtfText() const { return (textFlags & tfRtf) != 0; }
    // Text kinds with the variable-height flag and drawing areas with theirs.
    bool VariableHeight() const;

    // Copies the layout fields of another element (not its section, report or run state).
    void CopyLayout(const TLumexReportElement& other);

  private:
    void ReadSource(QStringView field);
    void ReadTextFields(TemplateFieldReader& reader);
    void ReadGraphicFields(TemplateFieldReader& reader);
    void ReadTrailingFields(TemplateFieldReader& reader);
    void ApplyFontRule(const QString& name, int size, int color, int style, int charset);
    QString FormatTextKind(const QString& sectionCode) const;
    QString FormatGraphicKind(const QString& sectionCode) const;
    QString StoredPictureText() const;

    TElementHost* host_ = nullptr;
};

// Kind names shown in the designer; "Neznámý" for any other kind.
QString ElementKindName(int kind);
