// Applying a template to a report: settings, user functions, elements and
// the templates of attached details, in that order.

#include <algorithm>
#include <limits>
#include <map>

#include "report/engine/sestava_layout.h"

namespace {

// Template numbers are hundredths of an inch; one past this range is damage,
// kept inside it so that a rectangle's far corner can still be computed.
constexpr int kLargestCoordinate = 1 << 24;

int InRange(int value) {
    return std::clamp(value, -kLargestCoordinate, kLargestCoordinate);
}

bool IsRecordOf(QStringView line, QChar letter) {
    return line.size() > 1 && line[0] == letter;
}

// Group indexes far outside what the designer writes would make the
// sections' type codes clash with the fixed sections or overflow.
constexpr int kMaxGroupIndex = (std::numeric_limits<int>::max() - stGroupFooter) / 2;

// The detail number of a D<d> code written the way the writer writes it, or -1.
int DetailNumber(QStringView code) {
    if (code.size() < 2 || code[0] != u'D' || (code.size() > 2 && code[1] == u'0')) {
        return -1;
    }
    for (const QChar c : code.mid(1)) {
        if (c < u'0' || c > u'9') {
            return -1;
        }
    }
    const std::optional<int> number = ParseTemplateInt(code.mid(1));
    return number.value_or(-1);
}

}  // namespace

void TSestavaLayout::SetPredloha(TPredloha predloha) {
    if (!predloha_.IsEmpty()) {
        ClearTemplate(predloha_);
    }
    predloha_ = std::move(predloha);
    ApplyTemplate(predloha_);
}

void TSestavaLayout::ClearTemplate(TPredloha& predloha) {
    oddily_.ClearElements();
    while (skupiny_.Count() > 0) {
        DeleteGroup(skupiny_.Count() - 1);
    }
    predloha.Clear();
}

void TSestavaLayout::ApplyTemplate(const TPredloha& predloha) {
    struct ApplyingFlag {
        bool& flag;
        bool before;
        explicit ApplyingFlag(bool& f) : flag(f), before(f) { flag = true; }
        ~ApplyingFlag() { flag = before; }
    } applying(applying_);
    // The order belongs to the template that sets it, not to the next one.
    settings_.sourceOrder.clear();
    for (const QString& line : predloha.Lines()) {
        if (IsRecordOf(line, u'I')) {
            ApplySettingsRecord(line);
        }
    }
    funkce_.Clear();
    for (const QString& line : predloha.Lines()) {
        if (IsRecordOf(line, u'F')) {
            ReadFunction(line);
        }
    }
    ApplyElementRecords(predloha);
    ApplyDetailLines(predloha);
}

// ---- Settings records -------------------------------------------------------------

void TSestavaLayout::ApplySettingsRecord(QStringView line) {
    TemplateFieldReader reader(line);
    reader.SkipField();
    switch (reader.NextInt()) {
        case 0:
            ReadDescription(reader);
            break;
        case 1:
            ReadVersion(reader);
            break;
        case 2:
            ReadPage(reader);
            break;
        case 3:
            ReadSection(reader);
            break;
        case 4:
            ReadGroup(reader);
            break;
        case 5:
            settings_.unit = reader.NextInt();
            break;
        case 6:
            ReadRaster(reader);
            break;
        case 7:
            ReadBackground(reader);
            break;
        case 8:
            settings_.sourceOrder = reader.NextField().trimmed();
            break;
        default:
            break;
    }
}

void TSestavaLayout::ReadDescription(TemplateFieldReader& reader) {
    QString description = reader.NextField();
    if (!description.isEmpty()) {
        settings_.popis = std::move(description);
    }
}

void TSestavaLayout::ReadVersion(TemplateFieldReader& reader) {
    settings_.version.major = reader.NextInt();
    settings_.version.build = reader.NextInt();
    settings_.version.minor = reader.NextInt();
}

void TSestavaLayout::ReadPage(TemplateFieldReader& reader) {
    TPageSettings page = settings_.page;
    const int code = std::max(reader.NextInt(), 0);
    page.orientation = code & 1;
    page.orientationMayChange = code >= 2;
    // Version 0 templates have no paper size; the margins follow the code.
    if (settings_.version.major > 0) {
        page.paperWidth = reader.NextInt();
        page.paperHeight = reader.NextInt();
    }
    page.marginLeft = reader.NextInt();
    page.marginRight = reader.NextInt();
    page.marginTop = reader.NextInt();
    page.marginBottom = reader.NextInt();
    // No report prints in fewer than one column.
    settings_.printColumns = std::max(reader.NextInt(1), 1);
    settings_.columnGap = reader.NextInt();
    if (IsDetail()) {
        return;  // a detail prints on its master's paper
    }
    settings_.page = page;
    ApplyPageSetup(page);
}

void TSestavaLayout::ReadSection(TemplateFieldReader& reader) {
    const int number = reader.NextInt();
    if (number < 0 || number >= kFixedSectionCount) {
        return;
    }
    TOddilSestavy& section = oddily_.Fixed(number);
    section.visible = reader.NextFlag();
    section.height = reader.NextInt();
    section.flags = reader.NextInt();
}

void TSestavaLayout::ReadGroup(TemplateFieldReader& reader) {
    const int index = std::clamp(reader.NextInt(), 0, kMaxGroupIndex);
    const QString expression = NormaliseGroupExpression(reader.NextField());
    const bool headerVisible = reader.NextFlag();
    const int headerHeight = reader.NextInt();
    const bool footerVisible = reader.NextFlag();
    const int footerHeight = reader.NextInt();
    const bool newPage = reader.NextFlag();
    AddGroup(index, expression, headerVisible, headerHeight, footerVisible, footerHeight, newPage);
}

void TSestavaLayout::ReadRaster(TemplateFieldReader& reader) {
    TRasterSettings& raster = settings_.raster;
    raster.rasterType = reader.NextInt() == 1 ? 1 : 0;
    const std::optional<int> rasterX = reader.NextOptionalInt();
    const std::optional<int> rasterY = reader.NextOptionalInt();
    raster.lineSpacing = reader.NextInt();
    raster.pitch = reader.NextInt(1);
    const std::optional<int> show = reader.NextOptionalInt();
    const std::optional<int> snap = reader.NextOptionalInt();
    raster.rasterX = rasterX.value_or(8) < 1 ? 8 : rasterX.value_or(8);
    raster.rasterY = rasterY.value_or(8) < 1 ? 8 : rasterY.value_or(8);
    raster.showRaster = show.value_or(0) != 0;
    raster.snapToRaster = snap.value_or(0) != 0;
    raster.rasterXGiven = rasterX.has_value();
    raster.rasterYGiven = rasterY.has_value();
    raster.showRasterGiven = show.has_value();
    raster.snapToRasterGiven = snap.has_value();
    if (raster.CharacterMode()) {
        raster.cellWidth = CharacterCellWidth(raster.pitch);
        raster.cellHeight = CharacterCellHeight(raster.lineSpacing);
        raster.rasterX = static_cast<int>(raster.cellWidth);
        raster.rasterY = static_cast<int>(raster.cellHeight);
    } else {
        raster.cellWidth = 0.0F;
        raster.cellHeight = 0.0F;
    }
}

void TSestavaLayout::ReadBackground(TemplateFieldReader& reader) {
    TBackgroundSettings& background = settings_.background;
    background.ownBackground = reader.NextFlag();
    background.printBackground = reader.NextFlag();
    background.placed = reader.NextFlag();
    background.left = reader.NextInt();
    background.top = reader.NextInt();
    background.width = reader.NextInt();
    background.height = reader.NextInt();
    // The file name is the rest of the line; a name holding a comma or a
    // double quote is written between quotes.
    const QStringView rest = reader.Rest();
    if (rest.startsWith(u'"')) {
        background.fileName = reader.NextField();
    } else {
        background.fileName = rest.toString();
    }
    const int width = background.width != 0 ? background.width : settings_.page.OrientedWidth();
    const int height = background.height != 0 ? background.height : settings_.page.OrientedHeight();
    background.rect =
        QRect(InRange(background.left), InRange(background.top), InRange(width), InRange(height));
}

// ---- User functions ---------------------------------------------------------------

void TSestavaLayout::ReadFunction(QStringView line) {
    TemplateFieldReader reader(line);
    reader.SkipField();  // "F"
    reader.SkipField();  // the number: the position in the list counts
    TRadekFunkce function;
    function.name = reader.NextField();
    function.description = reader.NextField();
    function.resultType = reader.NextInt();
    function.initialValue = reader.NextField();
    function.resetLevel = reader.NextInt();
    function.expression = reader.NextField();
    function.aggregation = reader.NextInt();
    function.precision = reader.NextInt();
    function.digits = reader.NextInt();
    const int numberFormat = reader.NextInt(nfFixed);
    function.numberFormat = numberFormat < 0 || numberFormat > 4 ? nfFixed : numberFormat;
    funkce_.Add(function);
}

// ---- Elements ---------------------------------------------------------------------

void TSestavaLayout::ApplyElementRecords(const TPredloha& predloha) {
    // Lines are sorted into their sections first, then read section by
    // section in list order, each in file order.
    std::vector<std::vector<const QString*>> bySection(oddily_.Count());
    std::map<const TOddilSestavy*, int> sectionIndex;
    for (int index = 0; index < oddily_.Count(); ++index) {
        sectionIndex[&oddily_[index]] = index;
    }
    for (const QString& line : predloha.Lines()) {
        if (line.isEmpty() || IsRecordOf(line, u'I') || IsRecordOf(line, u'F')) {
            continue;
        }
        const TOddilSestavy* section = SectionForCode(TemplateRecordCode(line));
        if (!section) {
            continue;
        }
        if (IsDetail() &&
            (section == &oddily_.Fixed(stPageHeader) || section == &oddily_.Fixed(stPageFooter))) {
            continue;
        }
        bySection[sectionIndex[section]].push_back(&line);
    }
    for (int index = 0; index < oddily_.Count(); ++index) {
        for (const QString* line : bySection[index]) {
            auto element = std::make_unique<TLumexReportElement>(this);
            element->ParseElement(*line);
            oddily_[index].Add(std::move(element));
        }
    }
}

// ---- Details ----------------------------------------------------------------------

void TSestavaLayout::ApplyDetailLines(const TPredloha& predloha) {
    if (detaily_.Count() == 0) {
        return;
    }
    std::vector<QStringList> detailLines(detaily_.Count());
    for (const QString& line : predloha.Lines()) {
        if (line.isEmpty() || (line[0] != u'D' && line[0] != u'"')) {
            continue;
        }
        TemplateFieldReader reader(line);
        const int number = DetailNumber(reader.NextField());
        if (number >= 0 && number < detaily_.Count()) {
            detailLines[number].append(reader.Rest().toString());
        }
    }
    for (int number = 0; number < detaily_.Count(); ++number) {
        TSestavaLayout* detail = detaily_[number];
        // A report attached below itself would clear the layout being read.
        if (detail == this || detail->applying_) {
            continue;
        }
        detail->SetPredloha(TPredloha(std::move(detailLines[number])));
    }
}
