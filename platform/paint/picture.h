#pragma once
// A picture of the report: a bitmap (BMP, JPEG) or a vector picture (EMF),
// as loaded from a file, a data field or drawn by the application. Its natural
// size is in pixels for bitmaps and in hundredths of an inch for vector
// pictures, which is what the report's placement rules scale.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <memory>

#include "platform/paint/vector_picture.h"

namespace platform {

class Picture {
  public:
    Picture() = default;
    explicit Picture(QImage bitmap) : bitmap_(std::move(bitmap)) {}
    explicit Picture(const VectorPicture& vector);

    bool IsEmpty() const { return bitmap_.isNull() && !vector_; }
    bool IsBitmap() const { return !bitmap_.isNull(); }
    bool IsVector() const { return vector_ != nullptr; }
    void Clear();

    // Natural size (see above).
    int Width() const;
    int Height() const;

    const QImage& Bitmap() const { return bitmap_; }
    const VectorPicture* Vector() const { return vector_.get(); }
    void SetBitmap(QImage bitmap);
    void SetVector(const VectorPicture& vector);

    // Loads a BMP, JPEG or EMF file; false (and the picture emptied) when the
    // file is missing, is no ordinary file (a folder, FIFO or device is never
    // opened) or is not a picture.
    bool LoadFromFile(const QString& fileName, QString* error = nullptr);
    bool LoadFromBytes(const QByteArray& bytes, QString* error = nullptr);

    // Stretches the picture into `target`: bitmaps colour-on-colour, vector
    // pictures by scaled replay.
    void Draw(Canvas& canvas, const QRect& target) const;

  private:
    QImage bitmap_;
    std::shared_ptr<const VectorPicture> vector_;  // shared: copies are cheap
};

}  // namespace platform
