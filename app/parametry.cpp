#include "app/parametry.h"

#include <algorithm>

#include "platform/czech_locale.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/messages.h"

namespace {

const QString kSection = QStringLiteral("EvidList");
const QString kSettingsFileName = QStringLiteral("Harvel.INI");

QString UnitText(const QString& text) {
    return text.left(kMaxUnitLength);
}

void ShowWriteError() {
    platform::ShowMessage(QStringLiteral("Chyba při ukládání parametrického souboru"), QString(),
                          platform::MessageIcon::Error, platform::mbOK);
}

}  // namespace

Parametry& CurrentParametry() {
    static Parametry settings;
    return settings;
}

QString SettingsFilePath() {
    return platform::FileInFolder(platform::SettingsFolder(), kSettingsFileName);
}

void ReadParametry(const QString& path, Parametry& settings) {
    platform::IniFile file(path);
    if (!file.Load()) {
        return;
    }
    settings.KontrolaJmen = file.ReadBool(kSection, "KontrolaJmen", settings.KontrolaJmen);
    settings.OnlineTituly = file.ReadBool(kSection, "OnlineTituly", settings.OnlineTituly);
    settings.OnlineFoto = file.ReadBool(kSection, "OnlineFoto", settings.OnlineFoto);
    settings.JednotkaDelka =
        UnitText(file.ReadString(kSection, "JednotkaDelka", settings.JednotkaDelka));
    settings.JednotkaHmotnost =
        UnitText(file.ReadString(kSection, "JednotkaHmotnost", settings.JednotkaHmotnost));
    settings.Chovatel = file.ReadString(kSection, "Chovatel", settings.Chovatel);
    settings.UpozornitDni = std::clamp(
        file.ReadInteger(kSection, "UpozornitDni", settings.UpozornitDni), 0, kMaxRemindDays);
}

bool WriteParametry(const QString& path, const Parametry& settings) {
    platform::IniFile file(path);
    const bool written =
        file.Load() && file.WriteBool(kSection, "OnlineTituly", settings.OnlineTituly) &&
        file.WriteBool(kSection, "OnlineFoto", settings.OnlineFoto) &&
        file.WriteBool(kSection, "KontrolaJmen", settings.KontrolaJmen) &&
        file.WriteString(kSection, "JednotkaDelka", UnitText(settings.JednotkaDelka)) &&
        file.WriteString(kSection, "JednotkaHmotnost", UnitText(settings.JednotkaHmotnost)) &&
        file.WriteString(kSection, "Chovatel", settings.Chovatel) &&
        file.WriteInteger(kSection, "UpozornitDni", settings.UpozornitDni) && file.Save();
    if (!written) {
        ShowWriteError();
    }
    return written;
}

namespace {

QString OwnTemplateKey(int source) {
    return QStringLiteral("JinaPredloha%1").arg(source);
}

}  // namespace

QString ReadOwnTemplate(const QString& path, int source) {
    platform::IniFile file(path);
    if (!file.Load()) {
        return QString();
    }
    return file.ReadString(kSection, OwnTemplateKey(source));
}

bool WriteOwnTemplate(const QString& path, int source, const QString& templateFile) {
    platform::IniFile file(path);
    const bool written = file.Load() &&
                         file.WriteString(kSection, OwnTemplateKey(source), templateFile) &&
                         file.Save();
    if (!written) {
        ShowWriteError();
    }
    return written;
}

QString MeasureText(double value, const QString& unit) {
    return platform::FormatNumber(value, 2) + u' ' + unit;
}
