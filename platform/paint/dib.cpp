#include "platform/paint/dib.h"

#include "platform/paint/hatch_patterns.h"
#include "platform/paint/little_endian.h"

namespace platform {

namespace {

constexpr int kInfoHeaderSize = 40;

void WriteInfoHeader(LittleEndianWriter& out, int width, int height, int bitCount,
                     quint32 imageSize, int colours) {
    out.U32(kInfoHeaderSize);
    out.I32(width);
    out.I32(height);  // positive: bottom-up rows
    out.U16(1);       // planes
    out.U16(static_cast<quint16>(bitCount));
    out.U32(0);  // BI_RGB
    out.U32(imageSize);
    out.I32(23622);  // 600 dpi in pixels per metre
    out.I32(23622);
    out.U32(static_cast<quint32>(colours));
    out.U32(0);
}

void WriteRgbQuad(LittleEndianWriter& out, const QColor& colour) {
    out.U8(static_cast<quint8>(colour.blue()));
    out.U8(static_cast<quint8>(colour.green()));
    out.U8(static_cast<quint8>(colour.red()));
    out.U8(0);
}

qint64 Stride(qint64 width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

bool Fail(QString* error, const QString& reason) {
    if (error) {
        *error = reason;
    }
    return false;
}

}  // namespace

Dib DibFromImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const qint64 stride = Stride(width, 24);
    Dib dib;
    LittleEndianWriter info(dib.info);
    WriteInfoHeader(info, width, height, 24, static_cast<quint32>(stride * height), 0);
    dib.bits.resize(stride * height, '\0');
    for (int y = 0; y < height; ++y) {
        const QRgb* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(height - 1 - y));
        char* row = dib.bits.data() + y * stride;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<char>(qBlue(source[x]));
            row[3 * x + 1] = static_cast<char>(qGreen(source[x]));
            row[3 * x + 2] = static_cast<char>(qRed(source[x]));
        }
    }
    return dib;
}

Dib PatternDib(const QImage& pattern, const QColor& set, const QColor& clear) {
    Dib dib;
    LittleEndianWriter info(dib.info);
    WriteInfoHeader(info, 8, 8, 1, 32, 2);
    WriteRgbQuad(info, set);
    WriteRgbQuad(info, clear);
    dib.bits.resize(32, '\0');
    for (int y = 0; y < 8; ++y) {
        quint8 row = 0;
        for (int x = 0; x < 8; ++x) {
            if (!PatternBitSet(pattern, x, 7 - y)) {
                row |= static_cast<quint8>(0x80 >> x);
            }
        }
        dib.bits[y * 4] = static_cast<char>(row);
    }
    return dib;
}

QImage ImageFromDib(const char* info, qsizetype infoSize, const char* bits, qsizetype bitsSize,
                    QString* error) {
    LittleEndianReader in(info, infoSize);
    const quint32 headerSize = in.U32();
    const qint32 width = in.I32();
    const qint32 rawHeight = in.I32();
    in.U16();  // planes
    const int bitCount = in.U16();
    const quint32 compression = in.U32();
    in.Skip(12);
    quint32 colours = in.U32();
    if (!in.Ok() || headerSize < kInfoHeaderSize || headerSize > static_cast<quint32>(infoSize)) {
        Fail(error, QStringLiteral("bitmap header is damaged"));
        return {};
    }
    if (compression != 0) {
        Fail(error, QStringLiteral("compressed bitmaps are not supported"));
        return {};
    }
    const bool bottomUp = rawHeight > 0;
    const qint64 height = qAbs(static_cast<qint64>(rawHeight));
    if (width <= 0 || height <= 0 || static_cast<qint64>(width) * height > kMaxDibPixels) {
        Fail(error, QStringLiteral("bitmap dimensions are out of range"));
        return {};
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
        Fail(error, QStringLiteral("unsupported bitmap depth"));
        return {};
    }
    if (bitCount <= 8 && (colours == 0 || colours > (1u << bitCount))) {
        colours = 1u << bitCount;
    }
    if (bitCount > 8) {
        colours = 0;
    }
    QVector<QRgb> table(static_cast<int>(colours), qRgb(0, 0, 0));
    in.Seek(headerSize);
    for (quint32 i = 0; i < colours && in.Ok() && in.Remaining() >= 4; ++i) {
        const quint8 blue = in.U8();
        const quint8 green = in.U8();
        const quint8 red = in.U8();
        in.U8();
        table[static_cast<int>(i)] = qRgb(red, green, blue);
    }
    const qint64 stride = Stride(width, bitCount);
    if (stride * height > bitsSize) {
        Fail(error, QStringLiteral("bitmap data is shorter than its dimensions"));
        return {};
    }
    QImage image(width, static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) {
        Fail(error, QStringLiteral("no memory for the bitmap"));
        return {};
    }
    for (qint64 y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const quint8*>(bits + (bottomUp ? height - 1 - y : y) * stride);
        QRgb* target = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (qint32 x = 0; x < width; ++x) {
            switch (bitCount) {
                case 1:
                case 4:
                case 8: {
                    const int perByte = 8 / bitCount;
                    const int shift = 8 - bitCount * (x % perByte + 1);
                    const int index = (row[x / perByte] >> shift) & ((1 << bitCount) - 1);
                    target[x] = index < table.size() ? table.at(index) : qRgb(0, 0, 0);
                    break;
                }
                case 16: {
                    const int value = row[2 * x] | (row[2 * x + 1] << 8);
                    target[x] = qRgb(((value >> 10) & 31) * 255 / 31,
                                     ((value >> 5) & 31) * 255 / 31, (value & 31) * 255 / 31);
                    break;
                }
                case 24:
                    target[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                    break;
                case 32:
                    target[x] = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
                    break;
            }
        }
    }
    return image;
}

}  // namespace platform
