#include "report/output/widgets/preview_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/folders.h"
#include "platform/ini_file.h"

namespace {

const QString kSection = QStringLiteral("NahledSestavy");

QString SettingsFile() {
    return platform::FileInFolder(platform::SettingsFolder(), QStringLiteral("Harvel.INI"));
}

QRect WorkArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

// `rect` no larger than `area` and moved inside it.
QRect FittedInto(QRect rect, const QRect& area) {
    rect.setWidth(std::min(rect.width(), area.width()));
    rect.setHeight(std::min(rect.height(), area.height()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height()));
    return rect;
}

}  // namespace

void RestorePreviewPlacement(QWidget& window) {
    const QRect area = WorkArea(window);
    platform::IniFile ini(SettingsFile());
    const bool known = ini.Load() && ini.ValueExists(kSection, QStringLiteral("Width"));
    if (!known) {
        window.setGeometry(area);
        window.setWindowState(Qt::WindowMaximized);
        return;
    }
    const QRect kept(ini.ReadInteger(kSection, QStringLiteral("Left"), area.left()),
                     ini.ReadInteger(kSection, QStringLiteral("Top"), area.top()),
                     std::max(200, ini.ReadInteger(kSection, QStringLiteral("Width"), 800)),
                     std::max(150, ini.ReadInteger(kSection, QStringLiteral("Height"), 600)));
    // Closed last on a larger screen: the whole of this one, with its frame.
    const bool tooLarge = kept.width() > area.width() || kept.height() > area.height();
    window.setGeometry(FittedInto(kept, area));
    if (tooLarge || ini.ReadBool(kSection, QStringLiteral("Maximized"), false)) {
        window.setWindowState(Qt::WindowMaximized);
    }
}

void KeepPreviewPlacement(const QWidget& window) {
    const bool maximized = window.windowState() & Qt::WindowMaximized;
    const QRect rect = maximized ? window.normalGeometry() : window.geometry();
    platform::IniFile ini(SettingsFile());
    if (!ini.Load()) {
        return;  // an unreadable file is not overwritten for a window's place
    }
    ini.WriteInteger(kSection, QStringLiteral("Left"), rect.left());
    ini.WriteInteger(kSection, QStringLiteral("Top"), rect.top());
    ini.WriteInteger(kSection, QStringLiteral("Width"), rect.width());
    ini.WriteInteger(kSection, QStringLiteral("Height"), rect.height());
    ini.WriteBool(kSection, QStringLiteral("Maximized"), maximized);
    ini.Save();  // a place that cannot be kept only means the next opens maximized
}
