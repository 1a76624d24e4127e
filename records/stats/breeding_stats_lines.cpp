#include "records/stats/breeding_stats_lines.h"

#include "platform/czech_locale.h"

namespace breeding {
namespace {

QString Figure(double value) {
    return QString::number(value, 'f', 6);
}

// A name with a tab or a line break would split its line, so these become blanks.
QString Line(QStringList fields) {
    for (QString& field : fields) {
        for (QChar& c : field) {
            if (c == '\t' || c == '\n' || c == '\r') {
                c = ' ';
            }
        }
    }
    return fields.join('\t');
}

}  // namespace

QStringList StatsLines(const BreedingStats& stats) {
    QStringList lines;
    for (const YearLitters& year : stats.years) {
        const QString y = QString::number(year.year);
        lines << Line({"litters", y, QString::number(year.litters)});
        lines << Line({"puppies", y, QString::number(year.males), QString::number(year.females)});
        if (year.HasMeanSize()) {
            lines << Line({"litter_size", y, Figure(year.MeanSize())});
        }
    }
    for (const YearInbreeding& year : stats.yearInbreeding) {
        lines << Line({"coi", QString::number(year.year), Figure(year.mean)});
    }
    for (const LitterInbreeding& litter : stats.litterInbreeding) {
        lines << Line({"coi_litter", platform::FormatDate(litter.date), litter.dam, litter.sire,
                       Figure(litter.f)});
    }
    for (const DamLitters& dam : stats.dams) {
        if (dam.HasMeanSize()) {
            lines << Line(
                {"dam_litter_size", dam.dam, QString::number(dam.litters), Figure(dam.MeanSize())});
        }
    }
    for (const DamAgeCount& age : stats.damAges) {
        lines << Line({"dam_age", QString::number(age.years), QString::number(age.litters)});
    }
    for (const ShowGradeCount& show : stats.shows) {
        lines << Line(
            {"shows", QString::number(show.year), show.grade, QString::number(show.count)});
    }
    return lines;
}

}  // namespace breeding
