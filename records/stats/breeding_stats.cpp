#include "records/stats/breeding_stats.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <map>
#include <optional>

#include "platform/store/database.h"
#include "platform/store/reading_sql.h"
#include "platform/store/store_statement.h"
#include "records/genetics/kennel_inbreeding.h"
#include "records/genetics/pedigree_loader.h"

namespace breeding {
namespace {

// A damaged date (another tool's text) counts as empty, as in every query.
QDate DateOf(const platform::StoreStatement& row, int column) {
    return QDate::fromString(row.Text(column), Qt::ISODate);
}

std::optional<int> Count(const platform::StoreStatement& row, int column) {
    if (row.IsNull(column)) {
        return std::nullopt;
    }
    return static_cast<int>(row.Int(column));
}

// Whole years from the date of birth to the day; none when the birth is
// unknown or comes after the day.
std::optional<int> AgeInYears(const QDate& birth, const QDate& day) {
    if (!birth.isValid() || birth > day) {
        return std::nullopt;
    }
    int years = day.year() - birth.year();
    if (day.month() < birth.month() || (day.month() == birth.month() && day.day() < birth.day())) {
        --years;
    }
    return years;
}

bool BreedMatches(const StatsFilter& filter, const QString& breed) {
    return filter.breed.isEmpty() || breed.trimmed() == filter.breed.trimmed();
}

struct LitterRow {
    QString dam, sire;
    QDate date, damBirth;
    std::optional<int> males, females;
};

struct ShowRow {
    int year = 0;
    QString grade;
    int count = 0;
};

// The grades in the order of the show rules, best first.
struct GradeName {
    const char* name;
    const char* letters;
};
constexpr GradeName kGrades[] = {{"Výborný", "V"},       {"Velmi dobrý", "VD"},   {"Dobrý", "D"},
                                 {"Dostatečný", "Dost"}, {"Velmi nadějný", "VN"}, {"Nadějný", "N"},
                                 {"Málo nadějný", "MN"}, {"Vadný", "Vad"}};
constexpr int kGradeCount = sizeof(kGrades) / sizeof(kGrades[0]);
// Placings are given to the four best of a class.
constexpr int kLastPlacing = 4;

// Known grades by their letters, then the placing; unknown ones after them.
bool GradeBefore(const QString& a, const QString& b) {
    const auto rank = [](const QString& grade) {
        for (int i = kGradeCount - 1; i >= 0; --i) {
            const QString letters = QString::fromUtf8(kGrades[i].letters);
            if (grade.startsWith(letters)) {
                bool placed = false;
                const int placing = grade.mid(letters.size()).toInt(&placed);
                if (placed || grade.size() == letters.size()) {
                    return std::pair{i, placed ? placing : 0};
                }
            }
        }
        return std::pair{kGradeCount, 0};
    };
    const auto ra = rank(a), rb = rank(b);
    if (ra != rb) {
        return ra < rb;
    }
    return a < b;
}

class StatsReader {
  public:
    StatsReader(platform::Database& database, const StatsFilter& filter)
        : database_(database), filter_(filter) {}

    BreedingStats Read() {
        const std::vector<LitterRow> litters = ReadLitters();
        const std::vector<ShowRow> shows = ReadShows();
        FixSpan(litters, shows);
        if (stats_.fromYear > stats_.toYear) {
            return std::move(stats_);
        }
        for (int year = stats_.fromYear; year <= stats_.toYear; ++year) {
            stats_.years.push_back(YearLitters{year, 0, 0, 0, 0});
        }
        std::vector<const LitterRow*> inSpan;
        for (const LitterRow& litter : litters) {
            if (InSpan(litter.date.year())) {
                inSpan.push_back(&litter);
            }
        }
        CountLitters(inSpan);
        MeasureInbreeding(inSpan);
        CountShows(shows);
        return std::move(stats_);
    }

  private:
    std::vector<LitterRow> ReadLitters() {
        platform::StoreStatement rows(
            database_,
            QStringLiteral("SELECT v.Jmeno_registr, v.Datum, v.Jmeno_reg_otec, v.Pocet_stenat_P, "
                           "v.Pocet_stenat_F, v.Plemeno, m.Datum_nar, m.Plemeno FROM vrhy v "
                           "LEFT JOIN main_card m ON m.Jmeno_registr = v.Jmeno_registr"),
            platform::StoreStatement::Reading::Scan);
        std::vector<LitterRow> litters;
        while (rows.Step()) {
            // A litter without a breed of its own has its dam's breed.
            QString breed = rows.Text(5).trimmed();
            if (breed.isEmpty()) {
                breed = rows.Text(7);
            }
            if (!BreedMatches(filter_, breed)) {
                continue;
            }
            LitterRow litter{rows.Text(0).trimmed(), rows.Text(2).trimmed(), DateOf(rows, 1),
                             DateOf(rows, 6),        Count(rows, 3),         Count(rows, 4)};
            if (!litter.date.isValid()) {
                ++stats_.littersWithoutDate;
                continue;
            }
            litters.push_back(std::move(litter));
        }
        return litters;
    }

    std::vector<ShowRow> ReadShows() {
        const platform::ReadingSql sql(database_.IsServer());
        platform::StoreStatement rows(
            database_,
            QStringLiteral("SELECT %1, s.Znamka, s.Poradi, m.Plemeno, COUNT(*) FROM vystavy s "
                           "LEFT JOIN main_card m ON m.Jmeno_registr = s.Jmeno_registr "
                           "GROUP BY 1, 2, 3, 4")
                .arg(sql.YearOf(QStringLiteral("s.Datum_vystava"))));
        std::vector<ShowRow> shows;
        while (rows.Step()) {
            if (!BreedMatches(filter_, rows.Text(3))) {
                continue;
            }
            const int count = static_cast<int>(rows.Int(4));
            bool dated = false;
            const int year = rows.Text(0).toInt(&dated);
            const QString grade = rows.Text(1).trimmed();
            if (!dated || year <= 0 || grade.isEmpty()) {
                stats_.showsWithoutGrade += count;
                continue;
            }
            shows.push_back(ShowRow{year, ShowGrade(grade, static_cast<int>(rows.Int(2))), count});
        }
        return shows;
    }

    // The span asked for; an open end reaches the first or last year with data.
    void FixSpan(const std::vector<LitterRow>& litters, const std::vector<ShowRow>& shows) {
        int first = 0, last = 0;
        const auto take = [&](int year) {
            first = first == 0 ? year : std::min(first, year);
            last = std::max(last, year);
        };
        for (const LitterRow& litter : litters) {
            take(litter.date.year());
        }
        for (const ShowRow& show : shows) {
            take(show.year);
        }
        stats_.fromYear = filter_.fromYear != 0 ? filter_.fromYear : first;
        stats_.toYear = filter_.toYear != 0 ? filter_.toYear : last;
        if (first == 0 && (filter_.fromYear == 0 || filter_.toYear == 0)) {
            // Nothing to show and no whole span asked for.
            stats_.fromYear = 1;
            stats_.toYear = 0;
        } else if (filter_.fromYear == 0 && stats_.fromYear > stats_.toYear) {
            stats_.fromYear = stats_.toYear;
        } else if (filter_.toYear == 0 && stats_.toYear < stats_.fromYear) {
            stats_.toYear = stats_.fromYear;
        }
    }

    bool InSpan(int year) const { return year >= stats_.fromYear && year <= stats_.toYear; }
    YearLitters& Year(int year) { return stats_.years[year - stats_.fromYear]; }

    void CountLitters(const std::vector<const LitterRow*>& litters) {
        std::map<QString, DamLitters> dams;
        std::map<int, int> ages;
        for (const LitterRow* litter : litters) {
            YearLitters& year = Year(litter->date.year());
            DamLitters& dam = dams[litter->dam];
            dam.dam = litter->dam;
            ++year.litters;
            ++dam.litters;
            if (!litter->males && !litter->females) {
                ++stats_.littersWithUnknownCounts;
            } else {
                const int males = litter->males.value_or(0), females = litter->females.value_or(0);
                ++year.countedLitters;
                year.males += males;
                year.females += females;
                ++dam.countedLitters;
                dam.puppies += males + females;
            }
            if (const auto age = AgeInYears(litter->damBirth, litter->date)) {
                ++ages[*age];
            } else {
                ++stats_.littersWithoutDamAge;
            }
        }
        QCollator czech(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        for (auto& [name, dam] : dams) {
            stats_.dams.push_back(std::move(dam));
        }
        std::sort(stats_.dams.begin(), stats_.dams.end(),
                  [&](const DamLitters& a, const DamLitters& b) { return czech(a.dam, b.dam); });
        for (const auto& [years, count] : ages) {
            stats_.damAges.push_back(DamAgeCount{years, count});
        }
    }

    // Each litter's coefficient is the coancestry of its sire and dam in the
    // kennel's pedigree graph; a litter without a named sire has none.
    void MeasureInbreeding(const std::vector<const LitterRow*>& litters) {
        std::vector<const LitterRow*> sired;
        for (const LitterRow* litter : litters) {
            if (litter->sire.isEmpty()) {
                ++stats_.littersWithoutSire;
            } else {
                sired.push_back(litter);
            }
        }
        if (sired.empty()) {
            return;
        }
        std::sort(sired.begin(), sired.end(), [](const LitterRow* a, const LitterRow* b) {
            return a->date != b->date ? a->date < b->date : a->dam < b->dam;
        });
        const pedigree::TPedigreeGraph graph = pedigree::LoadPedigreeGraph(database_);
        pedigree::TKennelInbreeding kennel(graph);
        std::map<int, std::pair<int, double>> years;
        for (const LitterRow* litter : sired) {
            const int sire = graph.Find(litter->sire), dam = graph.Find(litter->dam);
            const double f = sire == dam ? 0.0 : kennel.Litter(sire, dam);
            stats_.litterInbreeding.push_back({litter->date, litter->dam, litter->sire, f});
            auto& [count, sum] = years[litter->date.year()];
            ++count;
            sum += f;
        }
        for (const auto& [year, figures] : years) {
            stats_.yearInbreeding.push_back({year, figures.first, figures.second / figures.first});
        }
    }

    void CountShows(const std::vector<ShowRow>& shows) {
        std::map<std::pair<int, QString>, int> counts;
        for (const ShowRow& show : shows) {
            if (!InSpan(show.year)) {
                continue;
            }
            counts[{show.year, show.grade}] += show.count;
            if (!stats_.grades.contains(show.grade)) {
                stats_.grades << show.grade;
            }
        }
        std::sort(stats_.grades.begin(), stats_.grades.end(), GradeBefore);
        for (const auto& [key, count] : counts) {
            stats_.shows.push_back(ShowGradeCount{key.first, key.second, count});
        }
        std::stable_sort(stats_.shows.begin(), stats_.shows.end(),
                         [](const ShowGradeCount& a, const ShowGradeCount& b) {
                             if (a.year != b.year) {
                                 return a.year < b.year;
                             }
                             return GradeBefore(a.grade, b.grade);
                         });
    }

    platform::Database& database_;
    const StatsFilter& filter_;
    BreedingStats stats_;
};

}  // namespace

BreedingStats ReadBreedingStats(platform::Database& database, const StatsFilter& filter) {
    return StatsReader(database, filter).Read();
}

QStringList KnownBreeds(platform::Database& database) {
    platform::StoreStatement rows(
        database, QStringLiteral("SELECT DISTINCT TRIM(Plemeno) FROM (SELECT Plemeno "
                                 "FROM vrhy UNION SELECT Plemeno FROM main_card) "
                                 "AS breeds WHERE TRIM(Plemeno) <> ''"));
    QStringList breeds;
    while (rows.Step()) {
        breeds << rows.Text(0);
    }
    QCollator czech(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    std::sort(breeds.begin(), breeds.end(), czech);
    return breeds;
}

QString ShowGrade(const QString& grade, int placing) {
    const QString written = grade.trimmed();
    for (const GradeName& known : kGrades) {
        if (written.compare(QString::fromUtf8(known.name), Qt::CaseInsensitive) != 0) {
            continue;
        }
        QString letters = QString::fromUtf8(known.letters);
        if (placing >= 1 && placing <= kLastPlacing) {
            letters += QString::number(placing);
        }
        return letters;
    }
    return written;
}

QStringList OmissionNotes(const BreedingStats& stats) {
    QStringList notes;
    const auto note = [&](int count, const char* text) {
        if (count > 0) {
            notes << QString::fromUtf8(text).arg(count);
        }
    };
    note(stats.littersWithoutDate, "Vrhy bez data porodu (nejsou v žádném roce): %1");
    note(stats.littersWithUnknownCounts,
         "Vrhy bez udaného počtu štěňat (nejsou ve štěňatech ani v průměrech): %1");
    note(stats.littersWithoutDamAge,
         "Vrhy, u nichž nelze určit věk matky (chybí datum narození): %1");
    note(stats.littersWithoutSire, "Vrhy bez zapsaného otce (bez koeficientu příbuznosti): %1");
    note(stats.showsWithoutGrade, "Výstavy bez data nebo bez známky (nejsou v grafu): %1");
    return notes;
}

}  // namespace breeding
