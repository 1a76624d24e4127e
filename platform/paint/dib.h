#pragma once
// Device-independent bitmaps as the metafile formats embed them: a
// BITMAPINFOHEADER (with its colour table) followed by the pixel rows,
// bottom-up, each row padded to four bytes.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace platform {

struct Dib {
    QByteArray info;  // BITMAPINFOHEADER and colour table
    QByteArray bits;
};

// A 24-bit DIB of `image` (alpha dropped).
Dib DibFromImage(const QImage& image);

// A 1-bit 8 x 8 DIB of a brush pattern: set pixels get colour index 0 (`set`),
// the others index 1 (`clear`).
Dib PatternDib(const QImage& pattern, const QColor& set, const QColor& clear);

// Largest DIB the reader accepts, in pixels.
constexpr qint64 kMaxDibPixels = 64LL * 1024 * 1024;

// Decodes an uncompressed DIB with 1, 4, 8, 16, 24 or 32 bits per pixel.
// Anything else, sizes that do not match the data, and images larger than
// kMaxDibPixels give a null image and a reason in `error`.
QImage ImageFromDib(const char* info, qsizetype infoSize, const char* bits, qsizetype bitsSize,
                    QString* error);

}  // namespace platform
