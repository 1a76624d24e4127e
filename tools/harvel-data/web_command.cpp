#include "web_command.h"

#include "platform/folders.h"
#include "platform/standard_output.h"
#include "platform/store/database.h"
#include "records/site/kennel_site.h"
#include "records/site/kennel_site_data.h"

namespace harvel_data {

void WebCommand(const QString& dataFolder, const QString& outFolder, QTextStream& out) {
    platform::Database database(dataFolder, platform::OpenMode::ReadOnly);
    const QString kennelName = site::KennelNameFromSettings(
        platform::FileInFolder(platform::SettingsFolder(), QStringLiteral("Harvel.INI")));
    const site::SiteWritten written = site::WriteKennelSite(database, kennelName, outFolder);
    out << site::SiteSummary(written, outFolder) << '\n';
    for (const QString& note : written.notes) {
        platform::WriteErrorLine(QStringLiteral("Upozornění: ") + note);
    }
}

}  // namespace harvel_data
