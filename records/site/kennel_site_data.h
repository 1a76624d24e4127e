#pragma once
// What the kennel's web pages show, read from the database: the animals on
// the site (those in the kennel's ownership that are not marked
// "Nezveřejňovat"), each with its record sheet's public data, titles, shows,
// exams, health results, parents, offspring and three-generation pedigree;
// and the litters of the dams on the site. An animal marked "Nezveřejňovat"
// is left out everywhere: it has no page, and its name appears in no
// pedigree, parent, offspring or puppy list. Nothing is read from the
// address book, and neither breeder nor owner of an animal is published.

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace platform {
class Database;
}

namespace site {

// The places of a three-generation pedigree: 2 and 3 the parents, the sire
// of place k is 2k and its dam 2k + 1, up to 15.
inline constexpr int kPedigreeLastPlace = 15;

struct ShowResult {
    QDate date;
    QString kind, place, showClass, grade, titles;  // titles: CAC, CACIB … joined
};

struct ExamResult {
    QDate date;
    QString name, organisation;
};

struct SiteAnimal {
    QString name, callName, breed, sex, colour, registration;
    QDate birth, death;
    QString titles;  // newest first, comma-separated
    QString health;  // "DKK A, Pra neg"
    QString sire, dam;
    QStringList offspring;  // by name, those not marked "Nezveřejňovat"
    std::vector<ShowResult> shows;
    std::vector<ExamResult> exams;
    // Names by place (index 0 and 1 unused); empty where unknown or hidden.
    std::array<QString, kPedigreeLastPlace + 1> pedigree;
    QByteArray photo;  // the photo album's first picture, as stored
};

struct SiteLitter {
    QDate date;  // invalid when the litter book has none
    QString dam, sire, breed;
    int males = -1, females = -1;  // -1 unknown
    QStringList puppies;
};

struct SiteKennel {
    QString name;                     // the kennel's name; empty when Harvel.INI gives none
    std::vector<SiteAnimal> animals;  // in Czech order of their names
    std::vector<SiteLitter> litters;  // newest first
    QSet<QString> onSite;             // the names of `animals`
};

// Reads the kennel. Throws platform::StoreError when the database cannot be read.
SiteKennel ReadSiteKennel(platform::Database& database, const QString& kennelName);

// The kennel's name from Harvel.INI (section EvidList, key Chovatel).
QString KennelNameFromSettings(const QString& settingsFile);

}  // namespace site
