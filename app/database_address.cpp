#include "app/database_address.h"

#include <QUrl>

#include "app/parametry.h"
#include "platform/folders.h"
#include "platform/ini_file.h"

namespace {

const QString kSection = QStringLiteral("Databaze");

QString Encoded(const QString& part) {
    return QString::fromLatin1(QUrl::toPercentEncoding(part));
}

}  // namespace

std::optional<ServerSettings> ReadServerSettings(const QString& settingsFile) {
    platform::IniFile file(settingsFile);
    if (!file.Load() || file.ReadString(kSection, QStringLiteral("Typ"))
                                .trimmed()
                                .compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    ServerSettings settings;
    settings.server = file.ReadString(kSection, QStringLiteral("Server")).trimmed();
    settings.port = file.ReadInteger(kSection, QStringLiteral("Port"), settings.port);
    settings.database = file.ReadString(kSection, QStringLiteral("Databaze")).trimmed();
    settings.user = file.ReadString(kSection, QStringLiteral("Uzivatel")).trimmed();
    return settings;
}

QString ServerAddress(const ServerSettings& settings, const QString& password) {
    QString address = QStringLiteral("postgresql://");
    if (!settings.user.isEmpty()) {
        address += Encoded(settings.user);
        if (!password.isEmpty()) {
            address += ':' + Encoded(password);
        }
        address += '@';
    }
    address += Encoded(settings.server);
    address += ':' + QString::number(settings.port) + '/' + Encoded(settings.database);
    return address;
}

QString DatabaseAddress() {
    const std::optional<ServerSettings> server = ReadServerSettings(SettingsFilePath());
    return server ? ServerAddress(*server) : platform::DataFolder();
}
