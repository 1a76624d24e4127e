#pragma once
// A generated kennel with real depth for the genetics benchmarks: 100,000
// record sheets (or as many as HARVEL_PEDIGREE_BENCH_CARDS says, e.g.
// 1000000) in twelve generations of litters (five puppies each), every
// sire and dam taken from the breeding animals of the generation before, a
// fifth of the sires from two generations back (line breeding), so animals
// share many ancestors. The first generation's parents are imported animals
// without record sheets; stored pedigrees for a tenth of the record sheets
// (10,000: 8,000 of the first generation, 2,000 of later ones) name their
// ancestors four generations farther back, drawn from an imported population
// of its own with shared ancestors.
// Generated once per run into a temporary folder, or kept in the folder
// HARVEL_PEDIGREE_BENCH_DATA names between runs.

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <random>
#include <vector>

#include "platform/store/database.h"
#include "platform/store/sqlite_handle.h"
#include "records/genetics/pedigree_positions.h"

namespace bench_pedigree {

constexpr int kGenerations = 12;
constexpr int kLitter = 5;

inline int Cards() {
    static const int cards = [] {
        bool ok = false;
        const int asked = qEnvironmentVariableIntValue("HARVEL_PEDIGREE_BENCH_CARDS", &ok);
        return ok && asked >= 1000 ? asked : 100000;
    }();
    return cards;
}
inline int Pedigrees() {
    return Cards() / 10;
}
inline int FirstGenerationPedigrees() {
    return Pedigrees() * 8 / 10;
}

struct Animal {
    QString name;
    int sire = -1, dam = -1;
    bool male = false;
};

// Names, parents and sex of every animal, imported ones first.
class Population {
  public:
    std::vector<Animal> animals;
    std::vector<std::vector<int>> generations;  // card generations, animal numbers
    int firstCard = 0;

    Population() {
        std::mt19937 rng(2024);
        std::vector<int> previous = Imported(rng);
        firstCard = static_cast<int>(animals.size());
        std::vector<int> older;
        const int perGeneration = Cards() / kGenerations;
        for (int g = 0; g < kGenerations; ++g) {
            const int count = g + 1 == kGenerations ? Cards() - perGeneration * g : perGeneration;
            std::vector<int> born = Litters(rng, previous, g >= 2 ? older : previous, count,
                                            g == 0 ? 1.0 : 0.1, g == 0 ? 1.0 : 0.3);
            generations.push_back(born);
            older = previous;
            previous = born;
        }
    }

  private:
    int Add(QString name, int sire, int dam, bool male) {
        animals.push_back(Animal{std::move(name), sire, dam, male});
        return static_cast<int>(animals.size()) - 1;
    }

    // Four imported generations growing from 150 founders to 1,500 animals.
    std::vector<int> Imported(std::mt19937& rng) {
        std::vector<int> previous;
        int serial = 0;
        for (const int size : {150, 300, 600, 1500}) {
            std::vector<int> males, females, born;
            for (const int a : previous) {
                (animals[a].male ? males : females).push_back(a);
            }
            for (int i = 0; i < size; ++i) {
                const bool male = i % 3 == 0;
                const int sire = males.empty() ? -1 : males[rng() % males.size()];
                const int dam = females.empty() ? -1 : females[rng() % females.size()];
                born.push_back(Add(QStringLiteral("Import %1 of Foreign Hill").arg(serial++), sire,
                                   dam, male));
            }
            previous = born;
        }
        return previous;
    }

    // `count` puppies in litters of five from the breeding share of the
    // parents' generation; a fifth of the sires come from `older`.
    std::vector<int> Litters(std::mt19937& rng, const std::vector<int>& parents,
                             const std::vector<int>& older, int count, double sireShare,
                             double damShare) {
        const auto breeding = [&](const std::vector<int>& from, bool male, double share) {
            std::vector<int> chosen;
            for (const int a : from) {
                if (animals[a].male == male && (rng() % 1000) < share * 1000) {
                    chosen.push_back(a);
                }
            }
            return chosen;
        };
        const std::vector<int> sires = breeding(parents, true, sireShare);
        const std::vector<int> oldSires = breeding(older, true, sireShare);
        const std::vector<int> dams = breeding(parents, false, damShare);
        std::vector<int> born;
        static const char* const kPrefixes[] = {"Alík", "Běla", "Cyril", "Čert",  "Dora",
                                                "Hugo", "Chrt", "Šimon", "Žofie", "Ota"};
        static const char* const kKennels[] = {"z Lesa",  "od Potoka",   "ze Mlýna",
                                               "Bohemia", "z Chaloupky", "od Řeky"};
        while (static_cast<int>(born.size()) < count) {
            const std::vector<int>& sirePool = (rng() % 5 == 0) ? oldSires : sires;
            const int sire = sirePool[rng() % sirePool.size()];
            const int dam = dams[rng() % dams.size()];
            for (int p = 0; p < kLitter && static_cast<int>(born.size()) < count; ++p) {
                const int serial = static_cast<int>(animals.size()) - firstCard;
                born.push_back(Add(QStringLiteral("%1 %2 %3")
                                       .arg(QString::fromUtf8(kPrefixes[serial % 10]))
                                       .arg(serial, 6, 10, QChar('0'))
                                       .arg(QString::fromUtf8(kKennels[(serial / 10) % 6])),
                                   sire, dam, p % 2 == 0));
            }
        }
        return born;
    }
};

struct Kennel {
    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<platform::Database> db;
    Population population;

    Kennel() {
        const QString kept = qEnvironmentVariable("HARVEL_PEDIGREE_BENCH_DATA");
        folder = kept.isEmpty() ? dir.filePath("DATA") : kept;
        if (QFile::exists(platform::Database::DatabaseFile(folder))) {
            db = std::make_unique<platform::Database>(folder);
            return;
        }
        platform::Database::CreateSchema(folder);
        db = std::make_unique<platform::Database>(folder);
        platform::Connection& c = db->Handle();
        c.Execute("BEGIN");
        WriteCards(c);
        WritePedigrees(c);
        c.Execute("COMMIT");
        db->Analyze();
        c.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
    }

    const QString& NameOf(int a) const { return population.animals[a].name; }

  private:
    QString ParentName(int parent) const { return parent < 0 ? QString() : NameOf(parent); }

    void WriteCards(platform::Connection& c) {
        platform::Statement s(c.Raw(),
                              QStringLiteral("INSERT INTO main_card (Jmeno_registr, "
                                             "Pohlavi, Otec, Matka) VALUES (?1,?2,?3,?4)"));
        for (int a = population.firstCard; a < static_cast<int>(population.animals.size()); ++a) {
            const Animal& animal = population.animals[a];
            s.Bind(1, NameOf(a));
            s.Bind(2, animal.male ? QStringLiteral("Pes") : QStringLiteral("Fena"));
            s.Bind(3, ParentName(animal.sire));
            s.Bind(4, ParentName(animal.dam));
            s.Step();
            s.Reset();
        }
    }

    // The 31 places of an animal's pedigree read off the population.
    std::vector<int> Places(int animal) const {
        std::vector<int> place(pedigree::kLastPlace + 1, -1);
        place[1] = animal;
        for (int k = 1; k <= pedigree::kPlacesWithParents; ++k) {
            if (place[k] < 0) {
                continue;
            }
            place[pedigree::SirePlace(k)] = population.animals[place[k]].sire;
            place[pedigree::DamPlace(k)] = population.animals[place[k]].dam;
        }
        return place;
    }

    void WritePedigrees(platform::Connection& c) {
        QStringList columns, marks;
        for (int k = pedigree::kFirstPlace; k <= pedigree::kLastPlace; ++k) {
            columns << pedigree::PlaceField(k);
            marks << QStringLiteral("?%1").arg(k);
        }
        platform::Statement s(c.Raw(), QStringLiteral("INSERT INTO rodokmen (%1) VALUES (%2)")
                                           .arg(columns.join(','), marks.join(',')));
        std::vector<int> owners(population.generations[0].begin(),
                                population.generations[0].begin() + FirstGenerationPedigrees());
        for (int i = 0; static_cast<int>(owners.size()) < Pedigrees(); ++i) {
            owners.push_back(population.generations[1 + i % (kGenerations - 1)][i / 11]);
        }
        for (const int owner : owners) {
            const std::vector<int> place = Places(owner);
            for (int k = pedigree::kFirstPlace; k <= pedigree::kLastPlace; ++k) {
                s.Bind(k, ParentName(place[k]));
            }
            s.Step();
            s.Reset();
        }
    }
};

inline Kennel& TheKennel() {
    static Kennel kennel;
    return kennel;
}

}  // namespace bench_pedigree
