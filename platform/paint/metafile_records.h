#pragma once
// Record types and constants of the enhanced (EMF) and Windows (WMF)
// metafile formats used by the writers and the reader.

#include <QtGlobal>

#include "platform/paint/canvas.h"

namespace platform::emf {

enum Record : quint32 {
    kHeader = 1,
    kPolygon = 3,
    kEof = 14,
    kSetPixelV = 15,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetStretchBltMode = 21,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kMoveToEx = 27,
    kIntersectClipRect = 30,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kEllipse = 42,
    kRectangle = 43,
    kRoundRect = 44,
    kLineTo = 54,
    kExtSelectClipRgn = 75,
    kStretchDiBits = 81,
    kExtCreateFontIndirectW = 82,
    kExtTextOutW = 84,
    kPolygon16 = 86,
    kCreateDibPatternBrushPt = 94,
};

constexpr quint32 kSignature = 0x464D4520;  // " EMF"
constexpr quint32 kVersion = 0x00010000;
constexpr quint32 kStockObject = 0x80000000;
constexpr quint32 kWhiteBrush = kStockObject | 0;
constexpr quint32 kNullBrush = kStockObject | 5;
constexpr quint32 kBlackPen = kStockObject | 7;
constexpr quint32 kNullPen = kStockObject | 8;
constexpr quint32 kSystemFont = kStockObject | 13;
constexpr quint32 kRgnCopy = 5;
constexpr quint32 kSrcCopy = 0x00CC0020;

}  // namespace platform::emf

namespace platform::wmf {

enum Function : quint16 {
    kEof = 0x0000,
    kSaveDc = 0x001E,
    kSetBkColor = 0x0201,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kSetStretchBltMode = 0x0107,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kRestoreDc = 0x0127,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDibCreatePatternBrush = 0x0142,
    kDeleteObject = 0x01F0,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kIntersectClipRect = 0x0416,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kRoundRect = 0x061C,
    kExtTextOut = 0x0A32,
    kStretchDib = 0x0F43,
};

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr quint32 kSrcCopy = 0x00CC0020;

}  // namespace platform::wmf

namespace platform::gdi {

// Values shared by both formats.
constexpr quint32 kTransparent = 1;
constexpr quint32 kOpaque = 2;
constexpr quint32 kTaTop = 0;
constexpr quint32 kTaBaseline = 24;
constexpr quint32 kColorOnColor = 3;
constexpr quint32 kAlternate = 1;
constexpr quint32 kMmText = 1;
constexpr quint32 kMmAnisotropic = 8;
constexpr quint32 kPsSolid = 0;
constexpr quint32 kPsDash = 1;
constexpr quint32 kPsDot = 2;
constexpr quint32 kPsDashDot = 3;
constexpr quint32 kPsNull = 5;
constexpr quint32 kBsSolid = 0;
constexpr quint32 kBsNull = 1;
constexpr quint32 kBsHatched = 2;
constexpr quint32 kBsDibPatternPt = 6;
constexpr quint32 kDibRgbColors = 0;
constexpr quint32 kEtoGlyphIndex = 0x0010;
constexpr quint32 kEtoPdy = 0x2000;

inline quint32 ColorRef(quint32 rgb) {
    // 0x00BBGGRR from Qt's 0xAARRGGBB.
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}
inline quint32 RgbFromColorRef(quint32 ref) {
    return 0xFF000000u | ((ref & 0xFF) << 16) | (ref & 0xFF00) | ((ref >> 16) & 0xFF);
}

// The GDI pen style code of a canvas pen style (EMF and WMF share them).
inline quint32 PenStyleCode(PenStyle style) {
    switch (style) {
        case PenStyle::Dash:
            return kPsDash;
        case PenStyle::Dot:
            return kPsDot;
        case PenStyle::DashDot:
            return kPsDashDot;
        case PenStyle::None:
            return kPsNull;
        case PenStyle::Solid:
            break;
    }
    return kPsSolid;
}

}  // namespace platform::gdi

namespace platform::emf {
enum MoreRecords : quint32 {
    kPolyline = 4,
    kPolyline16 = 87,
    kExtCreatePen = 95,
};
}  // namespace platform::emf
