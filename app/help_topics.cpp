#include "app/help_topics.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/folders.h"

bool ShowHelpTopic(int topic) {
    const QFileInfo page(platform::HelpFolder() + QString::number(topic) + QStringLiteral(".html"));
    if (!page.isFile()) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(page.absoluteFilePath()));
}
