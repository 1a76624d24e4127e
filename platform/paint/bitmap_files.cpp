#include "platform/paint/bitmap_files.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "platform/atomic_file.h"

namespace platform {

namespace {

QImage Decode(QImageReader& reader, QString* error) {
    // Qt's own guard as well: no decoder allocates more than the limit.
    reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)));
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxPicturePixels) {
        if (error) {
            *error = QStringLiteral("the picture is too large (%1 x %2 pixels)")
                         .arg(size.width())
                         .arg(size.height());
        }
        return {};
    }
    QImage image = reader.read();
    if (image.isNull() && error) {
        *error = reader.errorString();
    }
    return image;
}

}  // namespace

QImage LoadPicture(const QString& fileName, QString* error) {
    QImageReader reader(fileName);
    reader.setAutoTransform(true);
    reader.setDecideFormatFromContent(true);
    return Decode(reader, error);
}

QImage LoadPicture(const QByteArray& bytes, QString* error) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    return Decode(reader, error);
}

QByteArray ToBmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Qt writes a 32-bit image as a 24-bit BMP with a BITMAPINFOHEADER.
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

bool SaveBmp(const QImage& image, const QString& fileName, QString* error) {
    AtomicFile file(fileName);
    const QByteArray bytes = ToBmp(image);
    if (bytes.isEmpty() || !file.Open() || file.write(bytes) != bytes.size() || !file.Commit()) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    return true;
}

}  // namespace platform
