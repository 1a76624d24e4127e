#include "report/designer/design_geometry.h"

#include <algorithm>
#include <cmath>

#include "report/output/sestvyst.h"

int ToPixels(int value, double zoom) {
    return nint(value * zoom);
}

int FromPixels(int pixels, double zoom) {
    return zoom > 0 ? nint(pixels / zoom) : pixels;
}

int Snap(int value, double step) {
    if (step <= 0) {
        return value;
    }
    return nint(step * nint(value / step));
}

int HandleAt(int x, int y, int w, int h) {
    const int midX0 = (w - kHandleSize) / 2;
    const int midX1 = (w + kHandleSize) / 2;
    const int midY0 = (h - kHandleSize) / 2;
    const int midY1 = (h + kHandleSize) / 2;
    auto inX = [&](int from, int to) { return x >= from && x <= to; };
    auto inY = [&](int from, int to) { return y >= from && y <= to; };
    const bool left = inX(0, kHandleSize);
    const bool right = inX(w - kHandleSize, w);
    const bool midX = inX(midX0, midX1);
    const bool top = inY(0, kHandleSize);
    const bool bottom = inY(h - kHandleSize, h);
    const bool midY = inY(midY0, midY1);
    if (right && bottom) {
        return 8;
    }
    if (midX && bottom) {
        return 7;
    }
    if (left && bottom) {
        return 6;
    }
    if (right && midY) {
        return 5;
    }
    if (left && midY) {
        return 4;
    }
    if (right && top) {
        return 3;
    }
    if (midX && top) {
        return 2;
    }
    if (left && top) {
        return 1;
    }
    return 0;
}

namespace {

void LimitMove(TElementBox& b, const TBandLimits& band) {
    if (band.moveOutside) {
        return;
    }
    b.left = std::max(0, std::min(b.left, band.width - b.width));
    b.top = std::max(0, std::min(b.top, band.height - b.height));
}

void LimitLeftEdge(TElementBox& b) {
    if (b.width < kMinElementSide) {
        b.left += b.width - kMinElementSide;
        b.width = kMinElementSide;
    }
    if (b.left < 0) {
        b.width += b.left;
        b.left = 0;
    }
}

void LimitRightEdge(TElementBox& b, const TBandLimits& band) {
    b.width = std::max(b.width, kMinElementSide);
    b.width = std::min(b.width, band.width - b.left);
}

void LimitTopEdge(TElementBox& b) {
    if (b.height < kMinElementSide) {
        b.top += b.height - kMinElementSide;
        b.height = kMinElementSide;
    }
    if (b.top < 0) {
        b.height += b.top;
        b.top = 0;
    }
}

void LimitBottomEdge(TElementBox& b, const TBandLimits& band) {
    b.height = std::max(b.height, kMinElementSide);
    b.height = std::min(b.height, band.height - b.top);
}

}  // namespace

TElementBox DragStep(const TElementBox& current, const TElementBox& grab, int handle, int dx,
                     int dy, const TBandLimits& band) {
    TElementBox b = current;
    switch (handle) {
        case 0:
            b.left += dx;
            b.top += dy;
            break;
        case 1:
            b.left += dx;
            b.top += dy;
            b.width = grab.width + grab.left - b.left;
            b.height = grab.height + grab.top - b.top;
            break;
        case 2:
            b.top += dy;
            b.height = grab.height + grab.top - b.top;
            break;
        case 3:
            b.top += dy;
            b.width = grab.width + dx;
            b.height = grab.height + grab.top - b.top;
            break;
        case 4:
            b.left += dx;
            b.width = grab.width + grab.left - b.left;
            break;
        case 5:
            b.width = grab.width + dx;
            break;
        case 6:
            b.left += dx;
            b.width = grab.width + grab.left - b.left;
            b.height = grab.height + dy;
            break;
        case 7:
            b.height = grab.height + dy;
            break;
        case 8:
            b.width = grab.width + dx;
            b.height = grab.height + dy;
            break;
        default:
            return b;
    }
    if (handle == 0) {
        LimitMove(b, band);
        return b;
    }
    if (handle == 1 || handle == 4 || handle == 6) {
        LimitLeftEdge(b);
    }
    if (handle == 3 || handle == 5 || handle == 8) {
        LimitRightEdge(b, band);
    }
    if (handle == 1 || handle == 2 || handle == 3) {
        LimitTopEdge(b);
    }
    if (handle == 6 || handle == 7 || handle == 8) {
        LimitBottomEdge(b, band);
    }
    return b;
}

TElementBox MoveWithin(const TElementBox& box, int dx, int dy, const TBandLimits& band) {
    TElementBox b = box;
    b.left += dx;
    b.top += dy;
    LimitMove(b, band);
    return b;
}

TElementBox AlignToGrid(const TElementBox& box, double stepX, double stepY) {
    TElementBox b;
    b.left = Snap(box.left, stepX);
    b.width = std::max(Snap(box.left + box.width, stepX) - b.left, kMinElementSide);
    b.top = Snap(box.top, stepY);
    b.height = std::max(Snap(box.top + box.height, stepY) - b.top, kMinElementSide);
    return b;
}

TElementBox KeyboardMove(const TElementBox& box, TKeyMove how, int dirX, int dirY, double stepX,
                         double stepY, const TBandLimits& band) {
    TElementBox b = box;
    switch (how) {
        case TKeyMove::GridStep:
            b.left = int(std::trunc(box.left + dirX * stepX));
            b.top = int(std::trunc(box.top + dirY * stepY));
            LimitMove(b, band);
            break;
        case TKeyMove::Hundredth:
            b.left += dirX;
            b.top += dirY;
            LimitMove(b, band);
            break;
        case TKeyMove::Resize:
            b.width = std::clamp(box.width + dirX, kMinElementSide,
                                 std::max(kMinElementSide, band.width - box.left));
            b.height = std::clamp(box.height + dirY, kMinElementSide,
                                  std::max(kMinElementSide, band.height - box.top));
            if (dirX == 0) {
                b.width = box.width;
            }
            if (dirY == 0) {
                b.height = box.height;
            }
            break;
    }
    return b;
}

std::vector<int> BandDisplayOrder(int groupCount) {
    std::vector<int> order{0, 1};
    for (int g = 0; g < groupCount; ++g) {
        order.push_back(5 + 2 * g);
    }
    order.push_back(2);
    for (int g = groupCount - 1; g >= 0; --g) {
        order.push_back(6 + 2 * g);
    }
    order.push_back(3);
    order.push_back(4);
    return order;
}

int BandPixelHeight(int height, double zoom) {
    return ToPixels(height, zoom) + kBandBarHeight;
}
