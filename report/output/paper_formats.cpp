#include "report/output/paper_formats.h"

#include <QFileInfo>

#include "platform/folders.h"
#include "platform/ini_file.h"

namespace {

const QString kSection = QStringLiteral("FormatyPapiru");
const QString kCountKey = QStringLiteral("PocetFormatu");
const QString kFormatKey = QStringLiteral("Format");

// Resource texts.
const QString kFanfold = QStringLiteral("Skládaný");
const QString kEnvelope = QStringLiteral("Obálka");
const QString kEnvelopeTurned = QStringLiteral("Obálka otoč.");
const QString kUnknownUserFormat = QStringLiteral("Uživat.") + QStringLiteral(" unknown");
const QString kNewUserFormat = QStringLiteral("uživ. formát");

std::vector<TFormatPapiru> BuiltInFormats() {
    return {
        {kFanfold + QStringLiteral(" (8.5 x 12\")"), 850, 1200},
        {kFanfold + QStringLiteral(" (15 x 12\")"), 1500, 1200},
        {QStringLiteral("Letter") + QStringLiteral(" (8.5 x 11\")"), 850, 1100},
        {QStringLiteral("Legal") + QStringLiteral(" (8.5 x 14\")"), 850, 1400},
        {QStringLiteral("Executive") + QStringLiteral(" (7.25 x 10.5\")"), 725, 1050},
        {QStringLiteral("A2 (420 x 594 mm)"), 1652, 2338},
        {QStringLiteral("A3 (297 x 420 mm)"), 1169, 1652},
        {QStringLiteral("A4 (210 x 297 mm)"), 826, 1169},
        {QStringLiteral("A5 (148.5 x 210 mm)"), 584, 826},
        {QStringLiteral("A6 (105 x 148.5mm)"), 413, 584},
        {QStringLiteral("B5 (182 x 257 mm)"), 716, 1011},
        {kEnvelope + QStringLiteral(" (162 x 114 mm)"), 637, 433},
        {kEnvelope + QStringLiteral(" (220 x 110 mm)"), 866, 433},
        {kEnvelope + QStringLiteral(" (228 x 162 mm)"), 896, 637},
        {kEnvelopeTurned + QStringLiteral("(114 x 162 mm)"), 433, 637},
        {kEnvelopeTurned + QStringLiteral("(110 x 220 mm)"), 433, 866},
        {kEnvelopeTurned + QStringLiteral("(162 x 228 mm)"), 637, 896},
    };
}

TFormatPapiru Trimmed(TFormatPapiru format) {
    format.Name.truncate(TListFormatu::kMaxNameLength);
    return format;
}

// A size field; anything but a whole non-negative number reads as 0.
int SizeField(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0 ? value : 0;
}

// «name,width,height»; the name may stand in double quotes, and then a comma
// inside it does not end it.
TFormatPapiru ParseUserFormat(const QString& value) {
    QString name;
    qsizetype rest = 0;
    if (value.startsWith(QLatin1Char('"'))) {
        const qsizetype closing = value.indexOf(QLatin1Char('"'), 1);
        if (closing < 0) {
            name = value.mid(1);
            rest = value.size();
        } else {
            name = value.mid(1, closing - 1);
            const qsizetype comma = value.indexOf(QLatin1Char(','), closing);
            rest = comma < 0 ? value.size() : comma + 1;
        }
    } else {
        const qsizetype comma = value.indexOf(QLatin1Char(','));
        name = comma < 0 ? value : value.left(comma);
        rest = comma < 0 ? value.size() : comma + 1;
    }
    const QStringList sizes = value.mid(rest).split(QLatin1Char(','));
    TFormatPapiru format;
    format.Name = name;
    format.Width = sizes.size() > 0 ? SizeField(sizes[0]) : 0;
    format.Height = sizes.size() > 1 ? SizeField(sizes[1]) : 0;
    return Trimmed(format);
}

// Names are written as they stand, unless they hold a comma or begin with a
// double quote: those would not read back, so they go in double quotes.
QString UserFormatValue(const TFormatPapiru& format) {
    QString name = format.Name;
    if (name.contains(QLatin1Char(',')) || name.startsWith(QLatin1Char('"'))) {
        name.remove(QLatin1Char('"'));
        name = QLatin1Char('"') + name + QLatin1Char('"');
    }
    return name + QLatin1Char(',') + QString::number(format.Width) + QLatin1Char(',') +
           QString::number(format.Height);
}

bool WithinOnePercent(int value, int reference) {
    return 0.99 * reference <= value && value <= 1.01 * reference;
}

}  // namespace

TListFormatu::TListFormatu() {
    FillBuiltIn();
}

void TListFormatu::FillBuiltIn() {
    formats_ = BuiltInFormats();
}

void TListFormatu::Load(const platform::IniFile& ini) {
    FillBuiltIn();
    const int count = qBound(0, ini.ReadInteger(kSection, kCountKey, 0), kMaxUserFormats);
    for (int n = 1; n <= count; ++n) {
        const QString key = kFormatKey + QString::number(n);
        if (ini.ValueExists(kSection, key)) {
            formats_.push_back(ParseUserFormat(ini.ReadString(kSection, key)));
        } else {
            formats_.push_back(TFormatPapiru{kUnknownUserFormat, 0, 0});
        }
    }
}

bool TListFormatu::Load(const QString& iniPath) {
    platform::IniFile ini(iniPath);
    if (!ini.Load()) {
        FillBuiltIn();
        return false;
    }
    Load(ini);
    return true;
}

void TListFormatu::Save(platform::IniFile& ini) const {
    const int userCount = Count() - kBuiltInCount;
    ini.WriteInteger(kSection, kCountKey, qMax(0, userCount));
    for (int n = 1; n <= userCount; ++n) {
        ini.WriteString(kSection, kFormatKey + QString::number(n),
                        UserFormatValue(formats_[size_t(kBuiltInCount + n - 1)]));
    }
}

bool TListFormatu::Save(const QString& iniPath) const {
    platform::IniFile ini(iniPath);
    if (!ini.Load()) {
        return false;
    }
    Save(ini);
    return ini.Save();
}

TFormatPapiru TListFormatu::Format(int index) const {
    if (index < 0 || index >= Count()) {
        return TFormatPapiru{};
    }
    return formats_[size_t(index)];
}

bool TListFormatu::SetFormat(int index, const TFormatPapiru& format) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    formats_[size_t(index)] = Trimmed(format);
    return true;
}

int TListFormatu::Add(const TFormatPapiru& format) {
    formats_.push_back(Trimmed(format));
    return Count() - 1;
}

QStringList TListFormatu::Names() const {
    QStringList names;
    for (const TFormatPapiru& format : formats_) {
        names.append(format.Name);
    }
    return names;
}

int TListFormatu::FindOrAdd(int width, int height) {
    for (int i = 0; i < Count(); ++i) {
        const TFormatPapiru& format = formats_[size_t(i)];
        if (WithinOnePercent(width, format.Width) && WithinOnePercent(height, format.Height)) {
            return i;
        }
    }
    return Add(TFormatPapiru{kNewUserFormat, width, height});
}

QString ReportIniPath(const QString& iniFileName) {
    if (QFileInfo(iniFileName).isAbsolute()) {
        return iniFileName;
    }
    return platform::FileInFolder(platform::SettingsFolder(), iniFileName);
}
