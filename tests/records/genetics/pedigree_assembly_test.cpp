// The five-generation pedigree assembled from record sheets, with stored
// pedigrees filling the places whose record sheets are missing or name no
// parent, on small kennels worked out by hand.

#include <gtest/gtest.h>

#include <QHash>

#include "records/genetics/pedigree_assembly.h"

namespace {

using pedigree::AssemblePedigree;
using pedigree::SheetPlaceField;
using pedigree::TAncestorCard;
using pedigree::TAssembledPedigree;
using pedigree::TStoredPedigree;

class Kennel : public pedigree::TAncestorSource {
  public:
    Kennel& Sheet(const QString& name, const QString& sire = {}, const QString& dam = {}) {
        TAncestorCard card;
        card.name = name;
        card.sire = sire;
        card.dam = dam;
        cards_.insert(name, card);
        return *this;
    }
    // A stored pedigree of `name`: places 2.. by the field names of rodokmen.db.
    Kennel& Pedigree(const QString& name, const QHash<QString, QString>& byField,
                     const QHash<QString, QString>& titles = {}) {
        TStoredPedigree stored;
        stored.names[1] = name;
        for (int place = 2; place <= pedigree::kLastPlace; ++place) {
            stored.names[place] = byField.value(pedigree::PlaceField(place));
            stored.titles[place] = titles.value(pedigree::PlaceField(place));
        }
        stored_.insert(name, stored);
        return *this;
    }
    const TAncestorCard* Card(const QString& name) override {
        ++cardReads;
        auto found = cards_.constFind(name);
        return found == cards_.constEnd() ? nullptr : &*found;
    }
    const TStoredPedigree* StoredPedigree(const QString& name) override {
        auto found = stored_.constFind(name);
        return found == stored_.constEnd() ? nullptr : &*found;
    }
    int cardReads = 0;

  private:
    QHash<QString, TAncestorCard> cards_;
    QHash<QString, TStoredPedigree> stored_;
};

QString At(const TAssembledPedigree& p, const char* field) {
    for (int place = 1; place <= pedigree::kSheetLastPlace; ++place) {
        if (SheetPlaceField(place) == QLatin1String(field)) {
            return p.names[place];
        }
    }
    ADD_FAILURE() << "no place named " << field;
    return QString();
}

QString Name(int place) {
    return QStringLiteral("P%1").arg(place);
}

}  // namespace

TEST(PedigreeAssembly, FiveGenerationsFromRecordSheetsInPlaceOrder) {
    Kennel k;
    for (int place = 1; place < 32; ++place) {
        k.Sheet(Name(place), Name(2 * place), Name(2 * place + 1));
    }
    const TAssembledPedigree p = AssemblePedigree(k, "P1");
    for (int place = 1; place <= pedigree::kSheetLastPlace; ++place) {
        EXPECT_EQ(p.names[place], Name(place)) << place;
    }
    EXPECT_TRUE(p.problems.isEmpty());
    // Generation 5, left to right: each side's sires and dams alternating.
    EXPECT_EQ(At(p, "Otec_G5_1"), "P32");  // sire of the sire's side first great-great-grandsire
    EXPECT_EQ(At(p, "Otec_G5_2"), "P33");
    EXPECT_EQ(At(p, "Otec_G5_16"), "P47");
    EXPECT_EQ(At(p, "Matka_G5_1"), "P48");
    EXPECT_EQ(At(p, "Matka_G5_16"), "P63");
    // Generations 1 to 4 named as in rodokmen.db.
    EXPECT_EQ(At(p, "Otec"), "P2");
    EXPECT_EQ(At(p, "Matka_Baba_1"), "P7");
    EXPECT_EQ(At(p, "Otec_PraPraDed_1"), "P16");
    EXPECT_EQ(At(p, "Matka_PraPraBaba_4"), "P31");
    // Generation 5 has no parents placed: 31 cards read, not 63.
    EXPECT_EQ(SheetPlaceField(64), QString());
}

TEST(PedigreeAssembly, AMissingRecordSheetFallsBackToTheNearestStoredPedigree) {
    Kennel k;
    // S has no record sheet; X's stored pedigree names S's parents and titles.
    k.Sheet("X", "S", "D").Sheet("D");
    k.Pedigree(
        "X", {{"Otec", "S"}, {"Otec_Ded_1", "SS"}, {"Otec_Baba_1", "SD"}, {"Otec_Praded_1", "SSS"}},
        {{"Otec", "CH CZ"}, {"Otec_Ded_1", "JCH"}});
    TAssembledPedigree p = AssemblePedigree(k, "X");
    EXPECT_EQ(At(p, "Otec_Ded_1"), "SS");
    EXPECT_EQ(At(p, "Otec_Baba_1"), "SD");
    EXPECT_EQ(At(p, "Otec_Praded_1"), "SSS");
    EXPECT_EQ(p.storedTitles[2], "CH CZ");
    EXPECT_EQ(p.storedTitles[4], "JCH");
    EXPECT_EQ(p.storedTitles[3], "") << "D has a record sheet: its titles come from the book";

    // The ancestor's own stored pedigree is nearer than its offspring's.
    k.Pedigree("S", {{"Otec", "SS-own"}});
    p = AssemblePedigree(k, "X");
    EXPECT_EQ(At(p, "Otec_Ded_1"), "SS-own");
    EXPECT_EQ(At(p, "Otec_Baba_1"), "SD") << "a place the nearer pedigree leaves empty";

    // A record sheet wins over every stored pedigree.
    k.Sheet("S", "SS-card");
    p = AssemblePedigree(k, "X");
    EXPECT_EQ(At(p, "Otec_Ded_1"), "SS-card");
}

TEST(PedigreeAssembly, AStoredPedigreeOfAnotherAnimalAtThePlaceIsNotUsed) {
    Kennel k;
    // X's stored pedigree names another sire than the record sheet does: its
    // grandparents belong to that other sire, not to S.
    k.Sheet("X", "S", "D").Pedigree("X", {{"Otec", "Other"}, {"Otec_Ded_1", "OtherSire"}});
    const TAssembledPedigree p = AssemblePedigree(k, "X");
    EXPECT_EQ(At(p, "Otec"), "S");
    EXPECT_EQ(At(p, "Otec_Ded_1"), "");
}

TEST(PedigreeAssembly, GenerationFiveComesFromTheStoredPedigreeOfAnAncestor) {
    Kennel k;
    // The animal's own stored pedigree ends at generation 4; the sire's
    // reaches one generation further on the sire's side.
    k.Sheet("X", "S", "D").Sheet("S").Sheet("D");
    k.Pedigree("S", {{"Otec", "S2"},
                     {"Otec_Ded_1", "S4"},
                     {"Otec_Praded_1", "S8"},
                     {"Otec_PraPraDed_1", "S16"},
                     {"Otec_PraPraBaba_1", "S17"},
                     {"Matka_PraPraBaba_4", "S31"}});
    const TAssembledPedigree p = AssemblePedigree(k, "X");
    EXPECT_EQ(At(p, "Otec_Ded_1"), "S2");
    EXPECT_EQ(At(p, "Otec_G5_1"), "S16");
    EXPECT_EQ(At(p, "Otec_G5_2"), "S17");
    EXPECT_EQ(At(p, "Otec_G5_16"), "") << "its line down names nobody, so S31 hangs on nothing";
    EXPECT_EQ(At(p, "Matka_G5_1"), "");
}

TEST(PedigreeAssembly, LoopsStopWithAReport) {
    Kennel own;
    own.Sheet("A", "A", "M").Sheet("M");
    TAssembledPedigree p = AssemblePedigree(own, "A");
    EXPECT_EQ(At(p, "Otec"), "");
    EXPECT_EQ(At(p, "Matka"), "M");
    ASSERT_EQ(p.problems.size(), 1);
    EXPECT_TRUE(p.problems[0].contains("\"A\" je uveden mezi svými vlastními předky"))
        << p.problems[0].toStdString();

    // A → B → C → A through record sheets and a stored pedigree.
    Kennel loop;
    loop.Sheet("A", "B").Sheet("B", "C").Pedigree("C", {{"Otec", "A"}});
    p = AssemblePedigree(loop, "A");
    EXPECT_EQ(At(p, "Otec"), "B");
    EXPECT_EQ(At(p, "Otec_Ded_1"), "C");
    EXPECT_EQ(At(p, "Otec_Praded_1"), "");
    ASSERT_EQ(p.problems.size(), 1);
    EXPECT_TRUE(p.problems[0].contains("A → B → C")) << p.problems[0].toStdString();
    EXPECT_LE(loop.cardReads, 31);
}
