#include "app/splash_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "app/picture_fit.h"
#include "platform/folders.h"
#include "platform/paint/qpainter_canvas.h"

namespace {

constexpr int kSplashWidth = 341;
constexpr int kSplashHeight = 253;
constexpr int kTitlePointSize = 28;

}  // namespace

TSplash::TSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(kSplashWidth, kSplashHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = rect();
        placed.moveCenter(screen->geometry().center());
        move(placed.topLeft());
    }
    LoadPicture();
}

void TSplash::LoadPicture() {
    const QString file =
        platform::FileInFolder(platform::OtherFolder(), QStringLiteral("Splash.bmp"));
    // A missing or unreadable picture leaves the panel with its title.
    picture_.LoadFromFile(file);
}

void TSplash::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(QColor(0, 0, 128));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont title = font();
    title.setPointSize(kTitlePointSize);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Harvel 1.0"));
    if (picture_.IsEmpty()) {
        return;
    }
    const QRect target = FitCentred(QSize(picture_.Width(), picture_.Height()), rect());
    platform::QPainterCanvas canvas(&painter);
    picture_.Draw(canvas, target);
}
