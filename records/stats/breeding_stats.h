#pragma once
// The kennel's breeding history in figures, over a span of years and
// optionally one breed: litters and puppies by sex per year, mean litter size
// per year and per dam, the inbreeding of every litter (from its sire and
// dam) with the mean per year, the age of the dams at whelping and the show
// grades per year. The statistics window draws these figures and
// `harvel-data stats` prints them, so both always show the same numbers.
//
// Litters are read from the litter book in one pass joined to the dams'
// record sheets; the shows are counted by the store with GROUP BY.
// A litter whose two counts are both empty has unknown counts: it is counted
// as a litter but not in the puppies nor in the means (one empty count next
// to a filled one is taken as none of that sex). What cannot be placed (a
// litter without a date, a dam without a date of birth, a litter without a
// named sire for inbreeding) is counted, so the user is told what is missing.

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace platform {
class Database;
}

namespace breeding {

struct StatsFilter {
    int fromYear = 0;  // 0: from the first year with a litter or a show
    int toYear = 0;    // 0: to the last such year
    QString breed;     // empty: every breed
};

struct YearLitters {
    int year = 0;
    int litters = 0;
    int countedLitters = 0;  // litters whose counts are known
    int males = 0, females = 0;
    int Puppies() const { return males + females; }
    bool HasMeanSize() const { return countedLitters > 0; }
    double MeanSize() const { return HasMeanSize() ? double(Puppies()) / countedLitters : 0.0; }
};

struct DamLitters {
    QString dam;
    int litters = 0;
    int countedLitters = 0;
    int puppies = 0;
    bool HasMeanSize() const { return countedLitters > 0; }
    double MeanSize() const { return HasMeanSize() ? double(puppies) / countedLitters : 0.0; }
};

struct LitterInbreeding {
    QDate date;
    QString dam, sire;
    double f = 0.0;  // Wright's coefficient as a fraction
};

struct YearInbreeding {
    int year = 0;
    int litters = 0;
    double mean = 0.0;
};

struct DamAgeCount {
    int years = 0;  // whole years of age at whelping
    int litters = 0;
};

struct ShowGradeCount {
    int year = 0;
    QString grade;  // "V1", "VD2", "VN" …
    int count = 0;
};

struct BreedingStats {
    int fromYear = 0, toYear = 0;    // the span shown; fromYear > toYear when nothing is there
    std::vector<YearLitters> years;  // every year of the span, also those without a litter
    std::vector<DamLitters> dams;    // by name
    std::vector<LitterInbreeding> litterInbreeding;  // by date
    std::vector<YearInbreeding> yearInbreeding;      // years with a figure only
    std::vector<DamAgeCount> damAges;                // from the youngest age to the oldest
    std::vector<ShowGradeCount> shows;               // by year, then grade order
    QStringList grades;                              // every grade of the span, in grade order
    // What the figures could not use.
    int littersWithoutDate = 0;
    int littersWithUnknownCounts = 0;
    int littersWithoutDamAge = 0;
    int littersWithoutSire = 0;
    int showsWithoutGrade = 0;

    bool IsEmpty() const { return years.empty(); }
};

// Reads the figures. Throws platform::StoreError when the store fails.
BreedingStats ReadBreedingStats(platform::Database& database, const StatsFilter& filter);

// The breeds the litter book and the record sheets name, sorted.
QStringList KnownBreeds(platform::Database& database);

// A show grade as breeders write it: the grade's letters and the placing,
// "Výborný" placed 1 → "V1", "Velmi dobrý" without placing → "VD". A grade
// the list does not know is kept as written.
QString ShowGrade(const QString& grade, int placing);

// The Czech notes of what the figures leave out, one a line; none when
// everything was used.
QStringList OmissionNotes(const BreedingStats& stats);

}  // namespace breeding
