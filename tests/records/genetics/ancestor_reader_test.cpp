// The inbreeding read from an animal's ancestors alone gives the figures of
// the whole kennel's graph: on a generated kennel with line breeding,
// animals without record sheets, stored pedigrees reaching farther than the
// sheets, a sheet without a dam whose pedigree names her, a pedigree naming
// another sire than the sheet, and a pedigree being edited.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "platform/store/database.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/table.h"
#include "records/genetics/ancestor_reader.h"
#include "records/genetics/inbreeding_figures.h"
#include "records/genetics/kennel_inbreeding.h"
#include "records/genetics/pedigree_loader.h"
#include "tests/platform/store/store_fixture.h"

namespace {

using pedigree::TPedigreeRowNames;

struct Animal {
    QString name;
    int sire = -1, dam = -1;
};

// On the kennel's file, and in the run on the server store on a club's server.
class AncestorReading : public store_test::StoreFixture {
  protected:
    void SetUp() override {
        StoreFixture::SetUp();
        database_ = db_.get();
        MakePopulation();
        WriteKennel();
    }

    // Eight generations of 40 from 12 founders; sires often from two
    // generations back and reused, so lines meet again and again.
    void MakePopulation() {
        std::mt19937 rng(34);
        std::vector<int> previous, older;
        for (int i = 0; i < 12; ++i) {
            previous.push_back(Add(QStringLiteral("Zakladatel %1").arg(i), -1, -1));
        }
        older = previous;
        for (int g = 1; g <= 8; ++g) {
            std::vector<int> born;
            for (int i = 0; i < 40; ++i) {
                const std::vector<int>& pool = rng() % 3 == 0 ? older : previous;
                const int sire = Male(pool, rng);
                const int dam = Female(previous, rng);
                born.push_back(Add(QStringLiteral("Pes %1-%2 ze Dvora").arg(g).arg(i), sire, dam));
            }
            older = previous;
            previous = born;
        }
    }

    int Add(const QString& name, int sire, int dam) {
        animals_.push_back({name, sire, dam});
        return static_cast<int>(animals_.size()) - 1;
    }
    // Even numbers are males, odd ones females.
    static int Male(const std::vector<int>& pool, std::mt19937& rng) {
        int a = pool[rng() % pool.size()];
        return a % 2 == 0 ? a
                          : pool[(std::find(pool.begin(), pool.end(), a) - pool.begin() + 1) %
                                 pool.size()];
    }
    static int Female(const std::vector<int>& pool, std::mt19937& rng) {
        int a = pool[rng() % pool.size()];
        return a % 2 == 1 ? a
                          : pool[(std::find(pool.begin(), pool.end(), a) - pool.begin() + 1) %
                                 pool.size()];
    }
    QString NameOf(int a) const { return a < 0 ? QString() : animals_[a].name; }

    TPedigreeRowNames RowOf(int owner) const {
        std::vector<int> place(pedigree::kLastPlace + 1, -1);
        place[1] = owner;
        for (int k = 1; k <= pedigree::kPlacesWithParents; ++k) {
            if (place[k] < 0) {
                continue;
            }
            place[pedigree::SirePlace(k)] = animals_[place[k]].sire;
            place[pedigree::DamPlace(k)] = animals_[place[k]].dam;
        }
        TPedigreeRowNames row;
        for (int k = pedigree::kFirstPlace; k <= pedigree::kLastPlace; ++k) {
            row[k] = NameOf(place[k]);
        }
        return row;
    }

    // Every third animal of the first four generations has no record sheet;
    // one sheet has no dam and one names a sheet-less sire with blanks
    // around it; a tenth of the animals have stored pedigrees, one of them
    // naming another sire than the sheet.
    void WriteKennel() {
        platform::Table cards(*database_, "main_card.db");
        cards.Open();
        cards.BeginBulkAppend();
        for (int a = 0; a < static_cast<int>(animals_.size()); ++a) {
            if (a < 12 + 4 * 40 && a % 3 == 0) {
                continue;
            }
            cards.Append();
            cards.FieldByName("Jmeno_registr").SetAsString(animals_[a].name);
            cards.FieldByName("Pohlavi").SetAsString(a % 2 == 0 ? "Pes" : "Fena");
            cards.FieldByName("Otec").SetAsString(
                a == 200 ? QStringLiteral("  ") + NameOf(animals_[a].sire) + QStringLiteral(" ")
                         : NameOf(animals_[a].sire));
            cards.FieldByName("Matka").SetAsString(a == 250 ? QString() : NameOf(animals_[a].dam));
            cards.Post();
        }
        cards.EndBulkAppend();
        platform::Table rows(*database_, "rodokmen.db");
        rows.Open();
        rows.BeginBulkAppend();
        for (int owner = 40; owner < static_cast<int>(animals_.size()); owner += 9) {
            TPedigreeRowNames row = RowOf(owner);
            if (owner == 130) {
                row[2] = QStringLiteral("Cizí otec");
            }
            AppendRow(rows, row);
        }
        AppendRow(rows, RowOf(250));
        rows.EndBulkAppend();
    }

    static void AppendRow(platform::Table& rows, const TPedigreeRowNames& names) {
        rows.Append();
        for (int k = pedigree::kFirstPlace; k <= pedigree::kLastPlace; ++k) {
            rows.FieldByName(pedigree::PlaceField(k)).SetAsString(names[k]);
        }
        rows.Post();
    }

    static void ExpectSameFigures(const pedigree::TInbreedingFigures& whole,
                                  const pedigree::TInbreedingFigures& read, const QString& who) {
        SCOPED_TRACE(who.toStdString());
        EXPECT_DOUBLE_EQ(read.f, whole.f);
        EXPECT_DOUBLE_EQ(read.f10, whole.f10);
        EXPECT_DOUBLE_EQ(read.f5, whole.f5);
        EXPECT_DOUBLE_EQ(read.relationship, whole.relationship);
        EXPECT_EQ(read.generations, whole.generations);
        EXPECT_EQ(read.completeGenerations, whole.completeGenerations);
        EXPECT_EQ(read.completeness, whole.completeness);
        EXPECT_EQ(read.distinctAncestors5, whole.distinctAncestors5);
        ASSERT_EQ(read.common.size(), whole.common.size());
        for (size_t i = 0; i < whole.common.size(); ++i) {
            EXPECT_EQ(read.common[i].name, whole.common[i].name);
            EXPECT_DOUBLE_EQ(read.common[i].contribution, whole.common[i].contribution);
        }
    }

    platform::Database* database_ = nullptr;
    std::vector<Animal> animals_;
};

TEST_F(AncestorReading, EveryAnimalHasTheFiguresOfTheWholeKennel) {
    const pedigree::TPedigreeGraph whole = pedigree::LoadPedigreeGraph(*database_);
    pedigree::TAncestorReader reader(*database_);
    ASSERT_TRUE(reader.CanRead());
    int fewer = 0;
    for (int a = 0; a < whole.Size(); ++a) {
        const QString& name = whole.Name(a);
        const pedigree::TPedigreeGraph read = pedigree::LoadAncestorGraph(*database_, {name});
        ASSERT_NE(read.Find(name), pedigree::kUnknown) << name.toStdString();
        ExpectSameFigures(pedigree::AnalyseAnimal(whole, a),
                          pedigree::AnalyseAnimal(read, read.Find(name)), name);
        if (read.Size() < whole.Size() / 2) {
            ++fewer;
        }
    }
    EXPECT_GT(fewer, whole.Size() / 2) << "most animals were read with the whole kennel";
}

TEST_F(AncestorReading, TrialMatingsAndTheLiveLineAgreeWithTheWholeKennel) {
    const pedigree::TPedigreeGraph whole = pedigree::LoadPedigreeGraph(*database_);
    pedigree::TKennelInbreeding kennel(whole);
    pedigree::TAncestorReader kept(*database_);
    std::mt19937 rng(7);
    for (int i = 0; i < 60; ++i) {
        const QString sire = NameOf(12 + 7 * 40 + 2 * static_cast<int>(rng() % 20));
        const QString dam = NameOf(12 + 5 * 40 + 1 + 2 * static_cast<int>(rng() % 60));
        const int s = whole.Find(sire), d = whole.Find(dam);
        const pedigree::TPedigreeGraph read = kept.Read({sire, dam});
        ExpectSameFigures(pedigree::AnalyseLitter(whole, s, d),
                          pedigree::AnalyseLitter(read, read.Find(sire), read.Find(dam)),
                          sire + " × " + dam);
        pedigree::TKennelInbreeding small(read);
        EXPECT_DOUBLE_EQ(small.Litter(read.Find(sire), read.Find(dam)), kennel.Litter(s, d));
    }
}

TEST_F(AncestorReading, APedigreeBeingEditedCountsFirst) {
    TPedigreeRowNames shown = RowOf(12 + 8 * 40 - 1);
    shown[2] = NameOf(12 + 6 * 40);
    shown[3] = QString();
    const pedigree::TPedigreeGraph whole = pedigree::LoadPedigreeGraph(*database_, {shown});
    const pedigree::TPedigreeGraph read =
        pedigree::LoadAncestorGraph(*database_, {shown[1]}, {shown});
    ExpectSameFigures(pedigree::AnalyseAnimal(whole, whole.Find(shown[1])),
                      pedigree::AnalyseAnimal(read, read.Find(shown[1])), shown[1]);
}

TEST_F(AncestorReading, AnOlderFolderWithoutTheLookUpsIsReadWhole) {
    SKIP_ON_SERVER_STORE("a server's tables always have their look-ups");
    platform::Connection& connection = database_->Handle();
    connection.Execute("DROP INDEX rodokmen_otec");
    pedigree::TAncestorReader reader(*database_);
    EXPECT_FALSE(reader.CanRead());
    const QString name = NameOf(12 + 8 * 40 - 3);
    const pedigree::TPedigreeGraph whole = pedigree::LoadPedigreeGraph(*database_);
    const pedigree::TPedigreeGraph read = reader.Read({name});
    EXPECT_EQ(read.Size(), whole.Size());
    ExpectSameFigures(pedigree::AnalyseAnimal(whole, whole.Find(name)),
                      pedigree::AnalyseAnimal(read, read.Find(name)), name);
}

}  // namespace
