#include "records/site/site_file_names.h"

namespace site {

QString FileStem(const QString& name) {
    constexpr int kLongestStem = 60;
    QString stem;
    bool gap = false;
    for (const QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c.isMark()) {
            continue;
        }
        const QChar lower = c.toLower();
        if ((lower >= u'a' && lower <= u'z') || (lower >= u'0' && lower <= u'9')) {
            if (gap && !stem.isEmpty()) {
                stem += u'-';
            }
            stem += lower;
            gap = false;
        } else {
            gap = true;
        }
    }
    stem.truncate(kLongestStem);
    while (stem.endsWith(u'-')) {
        stem.chop(1);
    }
    return stem.isEmpty() ? QStringLiteral("zvire") : stem;
}

QString SiteFileNames::StemOf(const QString& animal) {
    if (const auto known = stems_.constFind(animal); known != stems_.constEnd()) {
        return *known;
    }
    const QString base = FileStem(animal);
    QString stem = base;
    for (int number = 2; taken_.contains(stem); ++number) {
        stem = base + u'-' + QString::number(number);
    }
    taken_.insert(stem);
    stems_.insert(animal, stem);
    return stem;
}

}  // namespace site
