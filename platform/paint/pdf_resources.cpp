#include "platform/paint/pdf_resources.h"

#include <QCryptographicHash>

#include "platform/paint/hatch_patterns.h"
#include "platform/paint/pdf_document.h"
#include "platform/paint/pdf_syntax.h"

namespace platform {

namespace {

QByteArray PixelDigest(const QImage& image) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const int header[3] = {image.width(), image.height(), int(image.format())};
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(header), sizeof header));
    for (int y = 0; y < image.height(); ++y) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                    image.bytesPerLine()));
    }
    return hash.result();
}

}  // namespace

QByteArray PdfResources::ImageName(PdfDocument& document, const QImage& image) {
    const qint64 cacheKey = image.cacheKey();
    auto known = imagesByCacheKey_.constFind(cacheKey);
    if (known != imagesByCacheKey_.constEnd()) {
        return *known;
    }
    const QByteArray digest = PixelDigest(image);
    QByteArray name = imagesByContent_.value(digest);
    if (name.isEmpty()) {
        const int object = WriteImage(document, image);
        name = "Im" + QByteArray::number(++imageCount_);
        PdfBuffer entry;
        entry.Char('/').Raw(name).Char(' ').Ref(object);
        imageEntries_.append(entry.Bytes());
        imagesByContent_.insert(digest, name);
    }
    imagesByCacheKey_.insert(cacheKey, name);
    return name;
}

int PdfResources::WriteImage(PdfDocument& document, const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const qsizetype pixels = qsizetype(argb.width()) * argb.height();
    QByteArray rgb(pixels * 3, Qt::Uninitialized);
    QByteArray alpha(pixels, Qt::Uninitialized);
    char* colour = rgb.data();
    char* cover = alpha.data();
    bool translucent = false;
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            *colour++ = char(qRed(line[x]));
            *colour++ = char(qGreen(line[x]));
            *colour++ = char(qBlue(line[x]));
            *cover++ = char(qAlpha(line[x]));
            translucent = translucent || qAlpha(line[x]) != 255;
        }
    }
    PdfBuffer size;
    size.Raw("/Width ").Int(argb.width()).Raw("/Height ").Int(argb.height());
    size.Raw("/BitsPerComponent 8");
    int mask = 0;
    if (translucent) {
        mask = document.ReserveObject();
        document.WriteStream(
            mask, "/Type /XObject /Subtype /Image /ColorSpace /DeviceGray " + size.Bytes(), alpha);
    }
    PdfBuffer entries;
    entries.Raw("/Type /XObject /Subtype /Image /ColorSpace /DeviceRGB ").Raw(size.Bytes());
    if (mask) {
        entries.Raw(" /SMask ").Ref(mask);
    }
    const int object = document.ReserveObject();
    document.WriteStream(object, entries.Bytes(), rgb);
    return object;
}

QByteArray PdfResources::PatternName(PdfDocument& document, const QImage& pattern, QRgb colour,
                                     const QByteArray& matrix) {
    quint64 bits = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (PatternBitSet(pattern, x, y)) {
                bits |= quint64(1) << (y * 8 + x);
            }
        }
    }
    const QByteArray key =
        QByteArray::number(bits, 16) + ' ' + QByteArray::number(colour, 16) + ' ' + matrix;
    QByteArray name = patterns_.value(key);
    if (!name.isEmpty()) {
        return name;
    }
    // The cell as an 8 x 8 image mask painted in the brush colour: set bits
    // are painted. Rasterizers draw a mask pixel for pixel, where filled
    // one-unit rectangles come out with soft edges.
    PdfBuffer cell;
    cell.Component(qRed(colour)).Component(qGreen(colour)).Component(qBlue(colour)).Raw("rg\n");
    cell.Raw("q 8 0 0 -8 0 8 cm BI /IM true /W 8 /H 8 /BPC 1 /D [1 0] ID\n");
    for (int y = 0; y < 8; ++y) {
        quint8 row = 0;
        for (int x = 0; x < 8; ++x) {
            if (bits >> (y * 8 + x) & 1) {
                row |= quint8(0x80 >> x);
            }
        }
        cell.Char(char(row));
    }
    cell.Raw("\nEI Q\n");
    PdfBuffer entries;
    entries.Raw("/Type /Pattern /PatternType 1 /PaintType 1 /TilingType 1 /BBox [0 0 8 8] ");
    entries.Raw("/XStep 8 /YStep 8 /Resources << >> /Matrix [").Raw(matrix).Raw("]");
    const int object = document.ReserveObject();
    document.WriteStream(object, entries.Bytes(), cell.Bytes());
    name = "P" + QByteArray::number(++patternCount_);
    PdfBuffer entry;
    entry.Char('/').Raw(name).Char(' ').Ref(object);
    patternEntries_.append(entry.Bytes());
    patterns_.insert(key, name);
    return name;
}

QByteArray PdfResources::WriteObjects(PdfDocument& document) {
    PdfBuffer fontEntries;
    fonts_.WriteObjects(document, fontEntries);
    PdfBuffer dictionary;
    dictionary.Raw("<< /ProcSet [/PDF /Text /ImageC] /Font << ").Raw(fontEntries.Bytes());
    dictionary.Raw(">> /XObject << ").Raw(imageEntries_).Raw(">> /Pattern << ");
    dictionary.Raw(patternEntries_).Raw(">> >>");
    return dictionary.Bytes();
}

}  // namespace platform
