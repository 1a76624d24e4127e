#include "report/designer/designer_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {
const QLatin1String kMarker("LumexEditor");
}

QString FormatDesignerClipboard(const TDesignerClipboard& clip) {
    QStringList lines{kMarker, QString::number(clip.left), QString::number(clip.top),
                      QString::number(clip.focusedLine)};
    lines += clip.elements;
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

bool ParseDesignerClipboard(const QString& text, TDesignerClipboard& clip) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    while (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    if (lines.size() < 4 || lines[0] != kMarker) {
        return false;
    }
    TDesignerClipboard read;
    read.left = lines[1].trimmed().toInt();
    read.top = lines[2].trimmed().toInt();
    bool ok = false;
    read.focusedLine = lines[3].trimmed().toInt(&ok);
    if (!ok) {
        read.focusedLine = -1;
    }
    for (int i = 4; i < lines.size(); ++i) {
        if (!lines[i].isEmpty()) {
            read.elements.append(lines[i]);
        }
    }
    clip = read;
    return true;
}

QString ReadClipboardText() {
    return QGuiApplication::clipboard()->text();
}

void WriteClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}
