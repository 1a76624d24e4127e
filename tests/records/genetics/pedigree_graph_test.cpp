// The pedigree graph: names merged from record sheets and stored pedigrees,
// and the faulty links it reports instead of following.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sqlite3.h>

#include "platform/store/database.h"
#include "platform/store/sqlite_handle.h"
#include "platform/store/table.h"
#include "records/genetics/inbreeding_figures.h"
#include "records/genetics/kennel_inbreeding.h"
#include "records/genetics/pedigree_loader.h"
#include "tests/records/genetics/kennel_fixture.h"

namespace {

using genetics_test::Kennel;
using pedigree::TPedigreeRowNames;
using pedigree::TProblemKind;

std::vector<pedigree::TPedigreeProblem> ProblemsOf(const pedigree::TPedigreeGraph& graph,
                                                   TProblemKind kind) {
    std::vector<pedigree::TPedigreeProblem> found;
    for (const auto& problem : graph.Problems()) {
        if (problem.kind == kind) {
            found.push_back(problem);
        }
    }
    return found;
}

TPedigreeRowNames Row(std::initializer_list<std::pair<int, const char*>> places) {
    TPedigreeRowNames row;
    for (const auto& [place, name] : places) {
        row[place] = QString::fromUtf8(name);
    }
    return row;
}

TEST(PedigreeGraph, ParentsComeBeforeTheirOffspring) {
    Kennel k;
    k.Card("X", "S", "D").Card("S", "GS", "GD").Card("D").Build();
    ASSERT_EQ(k.graph.Size(), 5);
    for (int i = 0; i < k.graph.Size(); ++i) {
        EXPECT_LT(k.graph.Sire(i), i);
        EXPECT_LT(k.graph.Dam(i), i);
    }
    EXPECT_EQ(k.graph.Sire(k["X"]), k["S"]);
    EXPECT_EQ(k.graph.Dam(k["S"]), k["GD"]);
    EXPECT_TRUE(k.graph.HasCard(k["S"]));
    EXPECT_FALSE(k.graph.HasCard(k["GS"]));
    EXPECT_TRUE(k.graph.Problems().empty());
}

TEST(PedigreeGraph, NamesAreComparedTrimmedAndExact) {
    Kennel k;
    k.Card("Ajax", {}, {}, "Pes").Card("Rex ", "  Ajax  ", "Bella\t").Card("bella").Build();
    EXPECT_EQ(k.graph.Find("Rex"), k.graph.Find("Rex   "));
    EXPECT_EQ(k.graph.Sire(k["Rex"]), k["Ajax"]);
    EXPECT_EQ(k.graph.Name(k.graph.Dam(k["Rex"])), "Bella");
    EXPECT_NE(k["Bella"], k["bella"]);  // letter case counts
    EXPECT_EQ(k.graph.Size(), 4);
}

TEST(PedigreeGraph, StoredPedigreesReachFartherThanTheCards) {
    // The cards know only X's parents; X's stored pedigree names the
    // grandparents, and both parents turn out to be full siblings.
    Kennel k;
    k.Card("X", "S", "D");
    k.builder.AddPedigree(Row({{1, "X"},
                               {2, "S"},
                               {3, "D"},
                               {4, "G1"},
                               {5, "G2"},
                               {6, "G1"},
                               {7, "G2"},
                               {13, "Prababa"},
                               {31, "Nejstarší"}}));
    k.Build();
    EXPECT_NEAR(pedigree::AnalyseAnimal(k.graph, k["X"]).f, 0.25, 1e-12);
    EXPECT_EQ(k.graph.Sire(k["S"]), k["G1"]);
    // Place 13 is the dam of place 6 (Matka_Ded_1), place 31 the dam of 15.
    EXPECT_EQ(k.graph.Dam(k["G1"]), k["Prababa"]);
    EXPECT_NE(k["Nejstarší"], pedigree::kUnknown);
    EXPECT_EQ(pedigree::PlaceField(13), "Matka_prababa_1");
    EXPECT_EQ(pedigree::PlaceField(31), "Matka_PraPraBaba_4");
}

TEST(PedigreeGraph, TheRecordSheetWinsOverAPedigreeNamingAnotherParent) {
    Kennel k;
    k.Card("X", "S", "D");
    k.builder.AddPedigree(Row({{1, "X"}, {2, "Jiný"}, {3, "D"}}));
    k.Build();
    EXPECT_EQ(k.graph.Sire(k["X"]), k["S"]);
    const auto conflicts = ProblemsOf(k.graph, TProblemKind::pkParentConflict);
    ASSERT_EQ(conflicts.size(), 1u);
    EXPECT_EQ(conflicts[0].text,
              "Zvíře „X“ má uvedeny různé otce: „S“ (evidenční list) a „Jiný“ (rodokmen zvířete "
              "„X“); platí „S“.");
}

TEST(PedigreeBadInput, AnAnimalThatIsItsOwnParent) {
    Kennel k;
    k.Card("Narcis", "Narcis", "D").Build();
    const auto own = ProblemsOf(k.graph, TProblemKind::pkOwnParent);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].text, "Zvíře „Narcis“ je uvedeno jako svůj vlastní otec; vazba se nepočítá.");
    EXPECT_EQ(k.graph.Sire(k["Narcis"]), pedigree::kUnknown);
    EXPECT_EQ(k.graph.Dam(k["Narcis"]), k["D"]);
}

TEST(PedigreeBadInput, ALoopIsReportedWithItsNamesAndBroken) {
    Kennel k;
    k.Card("A", "B", "M").Card("B", "C", "M2").Card("C", "A", "M3").Card("X", "A", "M").Build();
    const auto loops = ProblemsOf(k.graph, TProblemKind::pkLoop);
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_EQ(loops[0].names.size(), 4);
    EXPECT_EQ(loops[0].names.front(), loops[0].names.back());
    EXPECT_TRUE(loops[0].names.contains("A") && loops[0].names.contains("B") &&
                loops[0].names.contains("C"));
    EXPECT_TRUE(loops[0].text.startsWith("Zvíře je svým vlastním předkem (smyčka v rodokmenu): "))
        << loops[0].text.toStdString();
    for (int i = 0; i < k.graph.Size(); ++i) {
        EXPECT_LT(k.graph.Sire(i), i);
        EXPECT_LT(k.graph.Dam(i), i);
    }
    const auto figures = pedigree::AnalyseAnimal(k.graph, k["X"]);
    EXPECT_GE(figures.f, 0.0);
    EXPECT_LE(figures.generations, 4);
}

TEST(PedigreeBadInput, APedigreeRowNamingTheAnimalAmongItsAncestors) {
    Kennel k;
    k.Card("Alf", "S", "D");
    k.builder.AddPedigree(Row({{1, "Alf"}, {2, "S"}, {3, "D"}, {4, "Alf"}, {5, "Babi"}}));
    k.Build();
    const auto loops = ProblemsOf(k.graph, TProblemKind::pkLoop);
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_EQ(loops[0].names.size(), 3);
    EXPECT_TRUE(loops[0].names.contains("Alf") && loops[0].names.contains("S"));
    EXPECT_EQ(pedigree::AnalyseAnimal(k.graph, k["Alf"]).f, 0.0);
}

TEST(PedigreeBadInput, ASireEnteredAsTheDamOfAnotherAnimal) {
    Kennel k;
    k.Card("Bor", {}, {}, "Pes").Card("X", "Bor", "D").Card("Y", "Z", "Bor").Build();
    const auto sexes = ProblemsOf(k.graph, TProblemKind::pkBothSexes);
    ASSERT_EQ(sexes.size(), 1u);
    EXPECT_EQ(sexes[0].text,
              "Zvíře „Bor“ je uvedeno jako otec zvířete „X“ i jako matka zvířete „Y“.");
    Kennel card;
    card.Card("Bor", {}, {}, "Pes").Card("Y", "Z", "Bor").Card("Ema", {}, {}, "Fena");
    card.Card("W", "Ema", "Q").Build();
    const auto against = ProblemsOf(card.graph, TProblemKind::pkBothSexes);
    ASSERT_EQ(against.size(), 2u);
    QStringList texts{against[0].text, against[1].text};
    texts.sort();
    EXPECT_EQ(texts[0],
              "Zvíře „Bor“ je podle evidenčního listu pes, ale je uvedeno jako matka "
              "zvířete „Y“.");
    EXPECT_EQ(texts[1],
              "Zvíře „Ema“ je podle evidenčního listu fena, ale je uvedeno jako otec "
              "zvířete „W“.");
}

TEST(PedigreeBadInput, OneAnimalAsBothSireAndDam) {
    Kennel k;
    k.Card("X", "Q", "Q").Build();
    ASSERT_EQ(ProblemsOf(k.graph, TProblemKind::pkSameParents).size(), 1u);
    EXPECT_EQ(k.graph.Dam(k["X"]), pedigree::kUnknown);
    EXPECT_EQ(pedigree::AnalyseAnimal(k.graph, k["X"]).f, 0.0);
}

TEST(PedigreeBadInput, FiveThousandGenerationsInAChain) {
    constexpr int kGenerations = 5000;
    Kennel k;
    for (int g = kGenerations; g >= 1; --g) {
        k.Card(QStringLiteral("G%1").arg(g), QStringLiteral("G%1").arg(g + 1),
               QStringLiteral("M%1").arg(g));
    }
    // The last one mated to her own sire's sire's sire; and a loop at the far end.
    k.Card(QStringLiteral("G%1").arg(kGenerations + 1), QStringLiteral("G1"));
    k.Card("Vrh", "G3", "G1").Build();
    ASSERT_EQ(ProblemsOf(k.graph, TProblemKind::pkLoop).size(), 1u);
    const auto figures = pedigree::AnalyseAnimal(k.graph, k["Vrh"]);
    EXPECT_GE(figures.generations, kGenerations - 3);
    EXPECT_EQ(figures.completeGenerations, 2);
    // G3 is G1's grandsire: (1/2)^(0 + 2 + 1) = 0.125.
    EXPECT_NEAR(figures.f, 0.125, 1e-12);
    pedigree::TKennelInbreeding kennel(k.graph);
    EXPECT_NEAR(kennel.Litter(k["G3"], k["G1"]), 0.125, 1e-12);
}

TEST(PedigreeLoader, ReadsCardsAndStoredPedigreesFromTheDatabase) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("DATA");
    platform::Database::CreateSchema(folder);
    platform::Database database(folder);
    platform::Table cards(database, "main_card.db");
    cards.Open();
    for (const auto& [name, sire, dam] : {std::tuple{"X", "S ", "D"}, {"S", "", ""}}) {
        cards.Append();
        cards.FieldByName("Jmeno_registr").SetAsString(name);
        cards.FieldByName("Otec").SetAsString(sire);
        cards.FieldByName("Matka").SetAsString(dam);
        cards.FieldByName("Pohlavi").SetAsString("Pes");
        cards.Post();
    }
    platform::Table rows(database, "rodokmen.db");
    rows.Open();
    rows.Append();
    rows.FieldByName("Jmeno_registr").SetAsString("X");
    rows.FieldByName("Otec_Ded_1").SetAsString("G1");
    rows.FieldByName("Otec_Baba_1").SetAsString("G2");
    rows.FieldByName("Otec").SetAsString("S");
    rows.FieldByName("Matka").SetAsString("D");
    rows.FieldByName("Matka_Ded_1").SetAsString("G1");
    rows.FieldByName("Matka_Baba_1").SetAsString("G2");
    rows.Post();
    const pedigree::TPedigreeGraph graph = pedigree::LoadPedigreeGraph(database);
    EXPECT_TRUE(graph.Problems().empty());
    EXPECT_TRUE(graph.IsMaleCard(graph.Find("S")));
    EXPECT_NEAR(pedigree::AnalyseAnimal(graph, graph.Find("X")).f, 0.25, 1e-12);
    // A pedigree being edited comes first.
    const pedigree::TPedigreeGraph edited =
        pedigree::LoadPedigreeGraph(database, {Row({{1, "S"}, {2, "G1"}, {3, "G2"}})});
    EXPECT_EQ(edited.Sire(edited.Find("S")), edited.Find("G1"));
}

// Reading the whole kennel passes every page once: the connection's page
// cache stays small meanwhile and keeps its size setting afterwards.
TEST(PedigreeLoader, AWholeScanLeavesThePageCacheSmallAndItsSizeAsItWas) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("DATA");
    platform::Database::CreateSchema(folder);
    platform::Database database(folder);
    platform::Connection& connection = database.Handle();
    connection.Execute("PRAGMA cache_size=-65536");
    // 12,000 record sheets with a long note: about 12 MB of pages.
    connection.Execute("BEGIN");
    connection.Execute(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12000) "
        "INSERT INTO main_card (Jmeno_registr, Otec, Matka, Pohlavi, Poznamka) "
        "SELECT 'Pes ' || i, 'Pes ' || (i / 2), 'Fena ' || (i / 3), 'Pes', "
        "printf('%.1000c', 'x') FROM n");
    connection.Execute("COMMIT");
    connection.Execute("PRAGMA shrink_memory");

    const pedigree::TPedigreeGraph graph = pedigree::LoadPedigreeGraph(database);
    EXPECT_GE(graph.Size(), 12000);
    int used = 0, highest = 0;
    ASSERT_EQ(sqlite3_db_status(connection.Raw(), SQLITE_DBSTATUS_CACHE_USED, &used, &highest, 0),
              SQLITE_OK);
    EXPECT_LT(used, 3 << 20);
    platform::Statement size(connection.Raw(), "PRAGMA cache_size");
    ASSERT_TRUE(size.Step());
    EXPECT_EQ(size.ColumnInt(0), -65536);
}

}  // namespace
