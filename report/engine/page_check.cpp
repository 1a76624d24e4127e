#include "report/engine/page_check.h"

#include "report/engine/sestava_layout.h"

namespace {

bool UsableSize(int size) {
    return size >= kMinPaperSize && size <= kMaxPaperSize;
}

}  // namespace

QString PageSetupProblem(const TPageSettings& page) {
    if (!UsableSize(page.paperWidth) || !UsableSize(page.paperHeight)) {
        return QStringLiteral("rozměr %1 × %2 setin palce, povoleno %3 až %4")
            .arg(page.paperWidth)
            .arg(page.paperHeight)
            .arg(kMinPaperSize)
            .arg(kMaxPaperSize);
    }
    // Wide margins are added as 64-bit numbers: two huge ones must not wrap round.
    const qint64 width = qint64(page.OrientedWidth()) - page.marginLeft - page.marginRight;
    const qint64 height = qint64(page.OrientedHeight()) - page.marginTop - page.marginBottom;
    if (width < 1 || height < 1) {
        return QStringLiteral(
                   "okraje %1, %2, %3, %4 setin palce na papíru %5 × %6 nenechají místo "
                   "pro tisk")
            .arg(page.marginLeft)
            .arg(page.marginRight)
            .arg(page.marginTop)
            .arg(page.marginBottom)
            .arg(page.OrientedWidth())
            .arg(page.OrientedHeight());
    }
    return QString();
}
