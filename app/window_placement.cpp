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
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(screen.center());
    return placed;
}

void PlaceWindow(QWidget& window) {
    const QScreen* screen = ScreenOf(window);
    if (!screen) {
        return;
    }
    window.setGeometry(
        PlacedGeometry(window.size(), screen->geometry(), screen->availableGeometry()));
}

QRect WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
