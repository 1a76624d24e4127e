#include "platform/paint/hatch_patterns.h"

namespace platform {

namespace {

bool HatchBit(Hatch hatch, int x, int y) {
    switch (hatch) {
        case Hatch::Horizontal:
            return y == 0;
        case Hatch::Vertical:
            return x == 0;
        case Hatch::ForwardDiagonal:
            return x == y;
        case Hatch::BackwardDiagonal:
            return x + y == 7;
        case Hatch::Cross:
            return x == 0 || y == 0;
        case Hatch::DiagonalCross:
            return x == y || x + y == 7;
    }
    return false;
}

QImage EmptyPattern() {
    QImage image(8, 8, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    return image;
}

}  // namespace

QImage HatchPattern(Hatch hatch) {
    QImage image = EmptyPattern();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (HatchBit(hatch, x, y)) {
                image.setPixel(x, y, 1);
            }
        }
    }
    return image;
}

bool PatternBitSet(const QImage& pattern, int x, int y) {
    if (pattern.isNull()) {
        return false;
    }
    const int px = ((x % 8) + 8) % 8 * pattern.width() / 8;
    const int py = ((y % 8) + 8) % 8 * pattern.height() / 8;
    return qGray(pattern.pixel(px, py)) < 128;
}

QImage NormalizedPattern(const QImage& pattern) {
    QImage image = EmptyPattern();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (PatternBitSet(pattern, x, y)) {
                image.setPixel(x, y, 1);
            }
        }
    }
    return image;
}

std::optional<Hatch> MatchHatch(const QImage& pattern) {
    const QImage normalized = NormalizedPattern(pattern);
    for (int h = 0; h <= static_cast<int>(Hatch::DiagonalCross); ++h) {
        if (HatchPattern(static_cast<Hatch>(h)) == normalized) {
            return static_cast<Hatch>(h);
        }
    }
    return std::nullopt;
}

}  // namespace platform
