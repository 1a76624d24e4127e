#pragma once
// Barcodes of the report output: the 21 linear symbologies a barcode element
// can print, the list of bar widths the designer offers, the encoder that turns
// a text into a pattern of bar and space widths, and the painter that draws the
// pattern (optionally rotated) and the human-readable text on a canvas.

#include <QRect>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace platform {
class Canvas;
}

// The symbologies, in the order of the designer's type list; the value is the
// index stored in the template element.
enum TBarcodeType {
    btInterleaved25 = 0,  // "2/5 interleaved"
    btIndustrial25 = 1,   // "2/5 industrial"
    btMatrix25 = 2,       // "2/5 matrix"
    btCode39 = 3,
    btCode39Full = 4,
    btCode128A = 5,
    btCode128B = 6,
    btCode128C = 7,
    btCode93 = 8,
    btCode93Full = 9,
    btMsi = 10,
    btPostNet = 11,
    btCodabar = 12,  // "Codebar"
    btEan8 = 13,
    btEan13 = 14,
    btUpcA = 15,
    btUpcE0 = 16,
    btUpcE1 = 17,
    btUpcSupp2 = 18,
    btUpcSupp5 = 19,
    btEan8Or13 = 20,  // EAN 13 for texts longer than 8 characters, else EAN 8
};

inline constexpr int kBarcodeTypeCount = 21;

// The type names shown in the designer ("2/5 interleaved" … "EAN 8/13").
const QStringList& BarcodeTypeNames();
// The name of one type; an empty text for an index outside the list.
QString BarcodeTypeName(int type);
// True for the types whose text is reduced to the digits 0..9.
bool IsDigitBarcodeType(int type);

// One entry of the bar-width list: the caption the designer shows ("1,00") and
// the module width in page-image units (1/600 inch).
struct TBarWidth {
    QString caption;
    int value = 0;
};

inline constexpr int kDefaultModuleWidth = 8;

const std::vector<TBarWidth>& BarWidthList();
// Index of the default entry ("1,00", module 8).
int DefaultBarWidthIndex();
// Index of the first entry whose value is not below `moduleWidth`. A width
// the painter would not use (outside 1..128, drawn with 8) gives the default
// entry, so the designer shows the width that is actually drawn.
int FindBarWidthIndex(int moduleWidth);

// A text encoded in one symbology.
struct TBarcodeSymbol {
    int type = -1;        // the symbology drawn (EAN 8/13 resolved); -1 for an unknown type
    std::string pattern;  // bar and space widths in the pattern alphabet below
    QString text;         // the human-readable text
    double wideRatio = 2.0;
};

// Encodes `text` (prepared as the symbology requires: digits types trimmed and
// reduced to digits, fixed-length types fitted, check digits added).
//
// Pattern alphabet (m = module width, r = wide ratio; w1 = m, w2 = nint(m·r),
// w3 = 3·w2 div 2, w4 = 2·w2): "0".."3" spaces of w1..w4; "5".."8" full bars of
// w1..w4; "9" and "A" short bars of w1, "B" w2, "C" w3, other characters w4;
// "E" a guard bar of w1.
TBarcodeSymbol EncodeBarcode(int type, const QString& text, bool checkDigit);

// Draws `text` as a barcode of `type` into `rect` (device units of the canvas):
// the pattern from the rectangle's top-left corner, turned by `angle` degrees
// counter-clockwise; with `showText` the human-readable text, never rotated.
// `module` is the narrowest bar in device units (outside 1..128 it is 8).
// The canvas's pen, brush and font are restored afterwards; nothing that goes
// wrong while encoding or drawing escapes: the barcode is then partly drawn or
// blank.
void DrawBarcode(platform::Canvas& canvas, const QRect& rect, int type, const QString& text,
                 bool guardMarks, bool showText, bool checkDigit, int angle, int module);
