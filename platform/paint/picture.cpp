#include "platform/paint/picture.h"

#include <QFile>

#include "platform/file_kind.h"
#include "platform/paint/bitmap_files.h"

namespace platform {
namespace {

constexpr qint64 kMaxPictureFileBytes = 256LL << 20;

bool LooksLikeEmf(const QByteArray& bytes) {
    // EMR_HEADER record type 1 followed by the " EMF" signature at offset 40.
    return bytes.size() >= 44 && bytes.at(0) == 1 && bytes.at(1) == 0 && bytes.at(2) == 0 &&
           bytes.at(3) == 0 && bytes.mid(40, 4) == QByteArray(" EMF", 4);
}

}  // namespace

Picture::Picture(const VectorPicture& vector) {
    SetVector(vector);
}

void Picture::Clear() {
    bitmap_ = QImage();
    vector_.reset();
}

int Picture::Width() const {
    if (vector_) {
        return vector_->UnitsPerInch() > 0 ? vector_->Width() * 100 / vector_->UnitsPerInch() : 0;
    }
    return bitmap_.width();
}

int Picture::Height() const {
    if (vector_) {
        return vector_->UnitsPerInch() > 0 ? vector_->Height() * 100 / vector_->UnitsPerInch() : 0;
    }
    return bitmap_.height();
}

void Picture::SetBitmap(QImage bitmap) {
    vector_.reset();
    bitmap_ = std::move(bitmap);
}

void Picture::SetVector(const VectorPicture& vector) {
    bitmap_ = QImage();
    vector_ = std::make_shared<VectorPicture>(vector);
}

bool Picture::LoadFromFile(const QString& fileName, QString* error) {
    // A FIFO would block the open, a device never end the reading.
    const FileKind kind = KindOfFile(fileName);
    if (kind != FileKind::Regular) {
        Clear();
        if (error) {
            *error = WhyNotAFile(kind);
        }
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Clear();
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    if (file.size() > kMaxPictureFileBytes) {
        Clear();
        if (error) {
            *error = QStringLiteral("picture file too large");
        }
        return false;
    }
    return LoadFromBytes(file.readAll(), error);
}

bool Picture::LoadFromBytes(const QByteArray& bytes, QString* error) {
    Clear();
    if (LooksLikeEmf(bytes)) {
        auto vector = std::make_shared<VectorPicture>();
        if (!vector->LoadEmf(bytes, error)) {
            return false;
        }
        vector_ = std::move(vector);
        return true;
    }
    bitmap_ = LoadPicture(bytes, error);
    return !bitmap_.isNull();
}

void Picture::Draw(Canvas& canvas, const QRect& target) const {
    if (vector_) {
        canvas.StretchDraw(target, *vector_);
    } else if (!bitmap_.isNull()) {
        canvas.StretchBitmap(target, bitmap_);
    }
}

}  // namespace platform
