#include "report/output/template_font.h"

#include <QFontDatabase>

#include <algorithm>
#include <array>

#include "report/output/font_metrics.h"

namespace {

struct MetricAlias {
    const char* family;
    std::array<const char*, 2> compatible;
};

// Faces designed to have exactly the advances of the Windows core fonts.
constexpr std::array<MetricAlias, 3> kMetricAliases{{
    {"Arial", {"Liberation Sans", "Arimo"}},
    {"Times New Roman", {"Liberation Serif", "Tinos"}},
    {"Courier New", {"Liberation Mono", "Cousine"}},
}};

struct CharsetSuffix {
    const char* suffix;
    int charset;
};

constexpr std::array<CharsetSuffix, 5> kCharsetSuffixes{{
    {" CE", 238},
    {" Greek", 161},
    {" TUR", 162},
    {" Baltic", 186},
    {" CYR", 204},
}};

constexpr std::array<QRgb, 16> kTemplateColours{{
    qRgb(0, 0, 0),
    qRgb(128, 0, 0),
    qRgb(0, 128, 0),
    qRgb(128, 128, 0),
    qRgb(0, 0, 128),
    qRgb(128, 0, 128),
    qRgb(0, 128, 128),
    qRgb(128, 128, 128),
    qRgb(192, 192, 192),
    qRgb(255, 0, 0),
    qRgb(0, 255, 0),
    qRgb(255, 255, 0),
    qRgb(0, 0, 255),
    qRgb(255, 0, 255),
    qRgb(0, 255, 255),
    qRgb(255, 255, 255),
}};

QStringList BuildFontList() {
    QStringList screenFonts = QFontDatabase::families();
    for (const MetricAlias& alias : kMetricAliases) {
        const QString family = QString::fromLatin1(alias.family);
        if (!screenFonts.contains(family, Qt::CaseInsensitive) && HasMetricCompatibleFace(family)) {
            screenFonts.append(family);
        }
    }
    std::sort(screenFonts.begin(), screenFonts.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    screenFonts << QStringLiteral("Roman 10cpi") << QStringLiteral("Roman 12cpi")
                << QStringLiteral("Roman 17cpi");
    return screenFonts;
}

}  // namespace

bool IsDeviceFont(const QString& name) {
    return name.startsWith(QLatin1String(kRomanPrefix));
}

int DeviceFontCpi(const QString& name) {
    if (!IsDeviceFont(name)) {
        return 10;
    }
    QString rest = name.mid(int(qstrlen(kRomanPrefix)));
    int digits = 0;
    while (digits < rest.size() && rest[digits].isDigit()) {
        ++digits;
    }
    bool ok = false;
    const int cpi = rest.left(digits).toInt(&ok);
    return ok && cpi > 0 ? cpi : 10;
}

bool SubstituteDeviceFont(platform::Font& font) {
    if (!IsDeviceFont(font.name)) {
        return false;
    }
    const int cpi = DeviceFontCpi(font.name);
    font.name = QStringLiteral("Courier New");
    font.fixedPitch = true;
    font.charset = 238;
    font.size = cpi == 12 ? 10 : cpi == 17 ? 8 : 11;
    return true;
}

bool HasMetricCompatibleFace(const QString& family) {
    const QString resolved = TFontFaceCache::Instance().ResolvedFamily(family);
    if (resolved.compare(family, Qt::CaseInsensitive) == 0) {
        return true;
    }
    for (const MetricAlias& alias : kMetricAliases) {
        if (family.compare(QLatin1String(alias.family), Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (const char* compatible : alias.compatible) {
            if (resolved.compare(QLatin1String(compatible), Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    return false;
}

const QStringList& FontList() {
    static const QStringList list = BuildFontList();
    return list;
}

QColor TemplateColour(int value) {
    if (value >= 0 && value < int(kTemplateColours.size())) {
        return QColor(kTemplateColours[size_t(value)]);
    }
    return ColourFromNumber(value);
}

int ColourNumber(const QColor& colour) {
    return colour.red() + 256 * colour.green() + 65536 * colour.blue();
}

QColor ColourFromNumber(int number) {
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

void ApplyTemplateFont(platform::Font& font, const QString& name, double size, int charset,
                       int styleBits, int colour, const QStringList& fontList) {
    QString family = name;
    if (!fontList.contains(name, Qt::CaseInsensitive)) {
        for (const CharsetSuffix& suffix : kCharsetSuffixes) {
            const int at = name.indexOf(QLatin1String(suffix.suffix));
            if (at >= 0) {
                family = name.left(at);
                charset = suffix.charset;
                break;
            }
        }
    }
    font.color = TemplateColour(colour);
    font.name = family;
    font.size = size >= 0 ? size : size * -72.0 / 100.0;
    font.bold = (styleBits & 1) != 0;
    font.italic = (styleBits & 2) != 0;
    font.underline = (styleBits & 4) != 0;
    font.strikeout = (styleBits & 8) != 0;
    font.charset = charset;
}
