#pragma once
// Placement of the program's main windows (the launcher and the record
// sheet): on a screen exactly 800 pixels wide the window takes the desktop
// work area (the screen less the task bar); at any other width it is centred
// on the screen.

#include <QRect>

class QWidget;

// The geometry the rule gives a window of `size` on a screen with the given
// full and available (work-area) geometries.
QRect PlacedGeometry(const QSize& size, const QRect& screen, const QRect& workArea);

// Applies the rule to `window` on its screen (the primary screen when it has none).
void PlaceWindow(QWidget& window);

// The full-size view of a picture always takes the work area.
QRect WorkArea();
