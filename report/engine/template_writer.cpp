// Writing a report's layout as template lines in the canonical order. Every
// quoted text has its double quotes doubled and every name written without
// quotes is quoted when it holds a comma, so each line reads back to the
// same model.

#include <algorithm>

#include "report/engine/sestava_layout.h"

namespace {

QString Flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString Record(std::initializer_list<QString> fields) {
    return QStringList(fields).join(u',');
}

QString Number(int value) {
    return QString::number(value);
}

// A grid step below 1 reads as 8; writing it so keeps the model as it reads.
int GridStep(int step) {
    return step < 1 ? 8 : step;
}

}  // namespace

TPredloha TSestavaLayout::WriteTemplate() const {
    QStringList lines;
    WriteSettings(lines);
    WriteFunctions(lines);
    WriteElements(lines);
    WriteDetails(lines);
    return TPredloha(std::move(lines));
}

void TSestavaLayout::WriteSettings(QStringList& lines) const {
    lines.append(Record({"I", "0", QuotedField(settings_.popis)}));
    // The model already holds what the current version means (variable
    // numbers included), so it is always written as the current version.
    lines.append(QStringLiteral("I,1,10,52,6"));

    const TPageSettings page = CurrentPageSetup();
    const int orientationCode = page.orientation + (page.orientationMayChange ? 2 : 0);
    lines.append(
        Record({"I", "2", Number(orientationCode), Number(page.paperWidth),
                Number(page.paperHeight), Number(page.marginLeft), Number(page.marginRight),
                Number(page.marginTop), Number(page.marginBottom),
                Number(std::max(settings_.printColumns, 1)), Number(settings_.columnGap)}));

    for (int type = 0; type < kFixedSectionCount; ++type) {
        const TOddilSestavy& section = oddily_.Fixed(type);
        lines.append(Record({"I", "3", Number(type), Flag(section.visible), Number(section.height),
                             Number(section.flags)}));
    }
    for (int position = 0; position < skupiny_.Count(); ++position) {
        const TPolSkup& group = skupiny_[position];
        lines.append(Record({"I", "4", Number(group.index), QuotedField(group.expression),
                             Flag(group.header->visible), Number(group.header->height),
                             Flag(group.footer->visible), Number(group.footer->height),
                             Flag(group.newPage)}));
    }
    lines.append(Record({"I", "5", Number(settings_.unit)}));

    const TRasterSettings& raster = settings_.raster;
    // In character mode the raster is the character cell, whatever the
    // model was last given.
    const bool cells = raster.CharacterMode();
    const int rasterX =
        cells ? static_cast<int>(CharacterCellWidth(raster.pitch)) : GridStep(raster.rasterX);
    const int rasterY = cells ? static_cast<int>(CharacterCellHeight(raster.lineSpacing))
                              : GridStep(raster.rasterY);
    lines.append(Record({"I", "6", Number(raster.rasterType), Number(rasterX), Number(rasterY),
                         Number(raster.lineSpacing), Number(raster.pitch), Flag(raster.showRaster),
                         Flag(raster.snapToRaster)}));

    const TBackgroundSettings& background = settings_.background;
    lines.append(Record({"I", "7", Flag(background.ownBackground), Flag(background.printBackground),
                         Flag(background.placed), Number(background.left), Number(background.top),
                         Number(background.width), Number(background.height),
                         BareField(background.fileName)}));
    if (!settings_.sourceOrder.isEmpty()) {
        lines.append(Record({"I", "8", QuotedField(settings_.sourceOrder)}));
    }
}

void TSestavaLayout::WriteFunctions(QStringList& lines) const {
    for (int position = 0; position < funkce_.Count(); ++position) {
        const TRadekFunkce& function = funkce_[position];
        lines.append(Record({"F", Number(position), BareField(function.name),
                             QuotedField(function.description), Number(function.resultType),
                             QuotedField(function.initialValue), Number(function.resetLevel),
                             QuotedField(function.expression), Number(function.aggregation),
                             Number(function.precision), Number(function.digits),
                             Number(function.numberFormat)}));
    }
}

void TSestavaLayout::WriteElements(QStringList& lines) const {
    auto writeSection = [&lines](const TOddilSestavy& section, const QString& code) {
        for (int index = 0; index < section.Count(); ++index) {
            lines.append(section[index].FormatElement(code));
        }
    };
    for (int type = 0; type < kFixedSectionCount; ++type) {
        writeSection(oddily_.Fixed(type), FixedSectionCode(type));
    }
    for (int position = 0; position < skupiny_.Count(); ++position) {
        const TPolSkup& group = skupiny_[position];
        writeSection(*group.header, QStringLiteral("S") + Number(position));
        writeSection(*group.footer, QStringLiteral("U") + Number(position));
    }
}

void TSestavaLayout::WriteDetails(QStringList& lines) const {
    for (int number = 0; number < detaily_.Count(); ++number) {
        const QString prefix = QStringLiteral("D") + Number(number) + QStringLiteral(",");
        for (const QString& line : detaily_[number]->Predloha().Lines()) {
            lines.append(prefix + line);
        }
    }
}
