#include "app/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

constexpr int kWorkAreaScreenWidth = 800;

QScreen* ScreenOf(const QWidget& window) {
    QScreen* screen = window.screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

QRect PlacedGeometry(const QSize& size, const QRect& screen, const QRect& workArea) {
    if (screen.width() == kWorkAreaScreenWidth) {
        return workArea;
    }
    // A window larger than the work area is cut to it and kept inside it,
    // so no part of it lies beyond the screen's edge.
    QRect placed(QPoint(0, 0), size.boundedTo(workArea.size()));
    placed.moveCenter(screen.center());
    placed.moveLeft(qBound(workArea.left(), placed.left(), workArea.right() - placed.width() + 1));
    placed.moveTop(qBound(workArea.top(), placed.top(), workArea.bottom() - placed.height() + 1));
    return placed;
}

void PlaceWindow(QWidget& window) {
    const QScreen* screen = ScreenOf(window);
    if (!screen) {
        return;
    }
    // The size the window will take once its layout is applied.
    const QSize size = window.size().expandedTo(window.minimumSizeHint());
    window.setGeometry(PlacedGeometry(size, screen->geometry(), screen->availableGeometry()));
}

QRect WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
