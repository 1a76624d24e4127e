#pragma once
// Helpers shared by the drawing-surface tests: white images to draw on and
// ways to look at what ended up on them.

#include <QImage>
#include <QRect>

namespace paint_test {

inline QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

inline bool IsWhite(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}

inline bool IsDark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The bounding box of every pixel darker than mid grey (empty when none).
inline QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsDark(image, x, y)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// Number of dark pixels in a column range of the image.
inline int InkInColumns(const QImage& image, int from, int to) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = qMax(0, from); x <= qMin(to, image.width() - 1); ++x) {
            count += IsDark(image, x, y) ? 1 : 0;
        }
    }
    return count;
}

// Share of pixels whose colour differs by more than `tolerance` in a channel.
inline double DifferentShare(const QImage& a, const QImage& b, int tolerance = 48) {
    if (a.size() != b.size()) {
        return 1.0;
    }
    qint64 different = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > tolerance || qAbs(qGreen(p) - qGreen(q)) > tolerance ||
                qAbs(qBlue(p) - qBlue(q)) > tolerance) {
                ++different;
            }
        }
    }
    return static_cast<double>(different) / (static_cast<double>(a.width()) * a.height());
}

}  // namespace paint_test
