#include "app/launcher_background.h"

#include <QPainter>

namespace {

constexpr int kTileWidth = 24;
constexpr int kTileHeight = 26;

}  // namespace

QPixmap LauncherTile() {
    QPixmap tile(kTileWidth, kTileHeight);
    tile.fill(QColor(214, 222, 232));
    QPainter painter(&tile);
    painter.setPen(QColor(198, 208, 222));
    // Two offset rows of short strokes, like a coarse linen weave.
    for (int y = 0; y < kTileHeight; y += 13) {
        const int shift = (y / 13) * (kTileWidth / 2);
        for (int x = 0; x < kTileWidth; x += kTileWidth) {
            painter.drawLine(x + shift % kTileWidth, y + 3, x + shift % kTileWidth + 7, y + 3);
            painter.drawLine((x + shift + 6) % kTileWidth, y + 9, (x + shift + 6) % kTileWidth + 5,
                             y + 9);
        }
    }
    painter.setPen(QColor(232, 237, 243));
    painter.drawPoint(kTileWidth / 2, 0);
    painter.drawPoint(0, kTileHeight / 2);
    return tile;
}

void DrawTiles(QPainter& painter, const QPixmap& tile, const QSize& area) {
    if (tile.isNull()) {
        return;
    }
    for (int top = 0; top < area.height(); top += tile.height()) {
        for (int left = 0; left < area.width(); left += tile.width()) {
            painter.drawPixmap(left, top, tile);
        }
    }
}
