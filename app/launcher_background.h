#pragma once
// The launcher's background: a small bitmap held by the form (24 x 26
// pixels) laid as tiles over the whole window, row by row from the top left.

#include <QPixmap>

class QPainter;
class QSize;

// The launcher's tile, drawn here: a quiet woven pattern.
QPixmap LauncherTile();

// Covers `area` with tiles of `tile`, each row and column advanced by the
// tile's height and width until the area's height and width are covered.
void DrawTiles(QPainter& painter, const QPixmap& tile, const QSize& area);
