#pragma once
// Bitmap files of the report output: pictures referenced by templates and the
// photo album (JPEG or BMP, through Qt's image plugins; the JPEG plugin uses
// libjpeg) and the .bmp files the HTML export writes.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// Largest picture loaded, in pixels: a damaged or hostile file cannot make
// the decoder allocate more than this.
constexpr qint64 kMaxPicturePixels = 64LL * 1024 * 1024;

// Loads a JPEG or BMP picture (the format is detected from the content).
// A null image and a reason in `error` when it cannot be read.
QImage LoadPicture(const QString& fileName, QString* error = nullptr);
QImage LoadPicture(const QByteArray& bytes, QString* error = nullptr);

// The image as a 24-bit BMP file, the way Windows writes one (alpha dropped).
QByteArray ToBmp(const QImage& image);
bool SaveBmp(const QImage& image, const QString& fileName, QString* error = nullptr);

}  // namespace platform
