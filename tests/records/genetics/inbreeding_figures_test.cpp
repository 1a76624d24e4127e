// Wright's F, the common ancestors' shares, the generation figures and the
// coancestry of planned litters, against values worked out by hand.

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "records/genetics/coancestry.h"
#include "records/genetics/inbreeding_figures.h"
#include "records/genetics/kennel_inbreeding.h"
#include "tests/records/genetics/kennel_fixture.h"

namespace {

using genetics_test::Kennel;
using pedigree::AnalyseAnimal;
using pedigree::AnalyseLitter;
using pedigree::kUnknown;
using pedigree::TCoancestry;
using pedigree::TInbreedingFigures;
using pedigree::TKennelInbreeding;

double SumOfShares(const TInbreedingFigures& figures) {
    double sum = 0.0;
    for (const auto& ancestor : figures.common) {
        sum += ancestor.contribution;
    }
    return sum;
}

// Both ways of computing F must agree: the figures of one animal and the
// kennel-wide computation.
double CheckedF(Kennel& kennel, const char* animal) {
    const TInbreedingFigures figures = AnalyseAnimal(kennel.graph, kennel[animal]);
    TKennelInbreeding all(kennel.graph);
    EXPECT_NEAR(all.Inbreeding(kennel[animal]), figures.f, 1e-12) << animal;
    EXPECT_NEAR(SumOfShares(figures), figures.f, 1e-12) << animal;
    return figures.f;
}

TEST(InbreedingByHand, ParentsFullSiblingsGiveAQuarter) {
    Kennel k;
    k.Card("G1").Card("G2").Card("S", "G1", "G2").Card("D", "G1", "G2").Card("X", "S", "D");
    k.Build();
    EXPECT_NEAR(CheckedF(k, "X"), 0.25, 1e-12);
    const TInbreedingFigures figures = AnalyseAnimal(k.graph, k["X"]);
    ASSERT_EQ(figures.common.size(), 2u);
    EXPECT_EQ(figures.common[0].name, "G1");
    EXPECT_NEAR(figures.common[0].contribution, 0.125, 1e-12);
    EXPECT_EQ(figures.common[0].sireGeneration, 2);
    EXPECT_EQ(figures.common[0].damGeneration, 2);
}

TEST(InbreedingByHand, ParentsHalfSiblingsGiveAnEighth) {
    Kennel k;
    k.Card("A").Card("M1").Card("M2").Card("S", "A", "M1").Card("D", "A", "M2");
    k.Card("X", "S", "D").Build();
    EXPECT_NEAR(CheckedF(k, "X"), 0.125, 1e-12);
}

TEST(InbreedingByHand, ParentTimesOffspringGivesAQuarter) {
    Kennel k;
    k.Card("S").Card("M").Card("D", "S", "M").Card("X", "S", "D").Build();
    EXPECT_NEAR(CheckedF(k, "X"), 0.25, 1e-12);
    const TInbreedingFigures figures = AnalyseAnimal(k.graph, k["X"]);
    ASSERT_EQ(figures.common.size(), 1u);
    EXPECT_EQ(figures.common[0].name, "S");
    EXPECT_EQ(figures.common[0].sireGeneration, 1);
    EXPECT_EQ(figures.common[0].damGeneration, 2);
}

TEST(InbreedingByHand, ParentsFirstCousinsGiveASixteenth) {
    Kennel k;
    k.Card("G1").Card("G2").Card("P1", "G1", "G2").Card("P2", "G1", "G2");
    k.Card("O1").Card("O2").Card("S", "P1", "O1").Card("D", "O2", "P2").Card("X", "S", "D");
    k.Build();
    EXPECT_NEAR(CheckedF(k, "X"), 0.0625, 1e-12);
}

TEST(InbreedingByHand, HalfSiblingMatingOnAnInbredAncestor) {
    // A's parents are full siblings, so F(A) = 0.25; S and D are half
    // siblings through A: F = (1/2)^3 (1 + 0.25) = 0.15625, all of it A's.
    Kennel k;
    k.Card("G1").Card("G2").Card("P", "G1", "G2").Card("Q", "G1", "G2").Card("A", "P", "Q");
    k.Card("M1").Card("M2").Card("S", "A", "M1").Card("D", "A", "M2").Card("X", "S", "D");
    k.Build();
    EXPECT_NEAR(CheckedF(k, "A"), 0.25, 1e-12);
    EXPECT_NEAR(CheckedF(k, "X"), 0.15625, 1e-12);
    const TInbreedingFigures figures = AnalyseAnimal(k.graph, k["X"]);
    ASSERT_EQ(figures.common.size(), 1u);
    EXPECT_EQ(figures.common[0].name, "A");
    EXPECT_NEAR(figures.common[0].contribution, 0.15625, 1e-12);
}

TEST(InbreedingByHand, UnknownParentsGiveZero) {
    Kennel k;
    k.Card("X").Card("Y", "X").Build();
    EXPECT_EQ(CheckedF(k, "X"), 0.0);
    EXPECT_EQ(CheckedF(k, "Y"), 0.0);
    const TInbreedingFigures none = AnalyseAnimal(k.graph, k["X"]);
    EXPECT_EQ(none.generations, 0);
    EXPECT_TRUE(none.common.empty());
    const TInbreedingFigures unknown = AnalyseAnimal(k.graph, pedigree::kUnknown);
    EXPECT_EQ(unknown.f, 0.0);
}

// C is the common ancestor in generation `depth` on both sides of X.
void LinesMeetingAt(Kennel& k, int depth) {
    k.Card("C");
    for (const char* side : {"s", "d"}) {
        QString below = QStringLiteral("C");
        for (int g = depth - 1; g >= 1; --g) {
            const QString name = QStringLiteral("%1%2").arg(side).arg(g);
            k.Card(name, below, name + QStringLiteral("-mate"));
            below = name;
        }
    }
    k.Card("X", "s1", "d1").Build();
}

TEST(InbreedingByHand, FiveGenerationsCutOffAnAncestorSixBack) {
    Kennel k;
    LinesMeetingAt(k, 6);
    const TInbreedingFigures figures = AnalyseAnimal(k.graph, k["X"]);
    EXPECT_NEAR(figures.f, 1.0 / 2048, 1e-15);  // (1/2)^(5 + 5 + 1)
    EXPECT_NEAR(figures.f10, 1.0 / 2048, 1e-15);
    EXPECT_EQ(figures.f5, 0.0);
    ASSERT_EQ(figures.common.size(), 1u);
    EXPECT_EQ(figures.common[0].sireGeneration, 6);
    const TInbreedingFigures cut = AnalyseAnimal(k.graph, k["X"], 5);
    EXPECT_EQ(cut.generationLimit, 5);
    EXPECT_EQ(cut.f, 0.0);
    EXPECT_TRUE(cut.common.empty());
}

TEST(InbreedingByHand, FiveGenerationsKeepAnAncestorFiveBack) {
    Kennel k;
    LinesMeetingAt(k, 5);
    const TInbreedingFigures figures = AnalyseAnimal(k.graph, k["X"]);
    EXPECT_NEAR(figures.f, 1.0 / 512, 1e-15);
    EXPECT_NEAR(figures.f5, 1.0 / 512, 1e-15);
}

TEST(GenerationFigures, CompletenessAndAncestorLoss) {
    // Both parents and all four grandparents known, two of eight
    // great-grandparents; the two grandmothers are one animal.
    Kennel k;
    k.Card("GG1").Card("GG2").Card("GS1", "GG1", "GG2").Card("GD");
    k.Card("S", "GS1", "GD").Card("GS2").Card("D", "GS2", "GD").Card("X", "S", "D");
    k.Build();
    const TInbreedingFigures figures = AnalyseAnimal(k.graph, k["X"]);
    ASSERT_EQ(figures.completeness.size(), 3u);
    EXPECT_DOUBLE_EQ(figures.completeness[0], 1.0);
    EXPECT_DOUBLE_EQ(figures.completeness[1], 1.0);
    EXPECT_DOUBLE_EQ(figures.completeness[2], 0.25);
    EXPECT_EQ(figures.generations, 3);
    EXPECT_EQ(figures.completeGenerations, 2);
    EXPECT_EQ(figures.distinctAncestors5, 7);  // S, D, GS1, GS2, GD, GG1, GG2
    EXPECT_NEAR(figures.ancestorLoss5, 7.0 / 62, 1e-12);
    EXPECT_NEAR(figures.f, 0.125, 1e-12);  // parents half siblings through GD
}

TEST(TrialMating, LitterOfTwoAnimalsAndTheRelationship) {
    Kennel k;
    k.Card("G1", {}, {}, "Pes").Card("G2", {}, {}, "Fena");
    k.Card("Brat", "G1", "G2", "Pes").Card("Sestra", "G1", "G2", "Fena");
    k.Card("Cizi", {}, {}, "Pes").Card("Syn", "Cizi", "Sestra", "Pes");
    k.Build();
    TKennelInbreeding kennel(k.graph);
    EXPECT_NEAR(kennel.Litter(k["Brat"], k["Sestra"]), 0.25, 1e-12);
    EXPECT_NEAR(kennel.Litter(k["Syn"], k["Sestra"]), 0.25, 1e-12);
    EXPECT_NEAR(kennel.Litter(k["Cizi"], k["Sestra"]), 0.0, 1e-12);
    EXPECT_NEAR(kennel.Relationship(k["Brat"], k["Sestra"]), 0.5, 1e-12);
    EXPECT_NEAR(kennel.Relationship(k["G1"], k["Brat"]), 0.5, 1e-12);
    EXPECT_EQ(kennel.Litter(pedigree::kUnknown, k["Sestra"]), 0.0);
    const TInbreedingFigures litter = AnalyseLitter(k.graph, k["Brat"], k["Sestra"]);
    EXPECT_NEAR(litter.f, 0.25, 1e-12);
    EXPECT_NEAR(litter.relationship, 0.5, 1e-12);
}

TEST(TrialMating, SiresRankedByTheLittersInbreeding) {
    Kennel k;
    k.Card("G1", {}, {}, "Pes").Card("G2", {}, {}, "Fena");
    k.Card("Brat", "G1", "G2", "Pes").Card("Sestra", "G1", "G2", "Fena");
    k.Card("Cizi", {}, {}, "Pes").Card("Syn", "Cizi", "Sestra", "Pes");
    k.Card("Fenka", {}, {}, "Fena").Card("Bez listu otec");
    k.Card("Vnuk", "Bez listu otec", "Fenka", "Pes");
    k.Build();
    TKennelInbreeding kennel(k.graph);
    const auto ranking = kennel.RankSires(k["Sestra"], {k["Bez listu otec"]});
    QStringList order;
    for (const auto& candidate : ranking) {
        order << k.graph.Name(candidate.sire);
    }
    // G1 is her father: (1/2)^2 (1 + 0) = 0.25 as her full brother and her son.
    EXPECT_EQ(order, (QStringList{"Bez listu otec", "Cizi", "Vnuk", "Brat", "G1", "Syn"}));
    EXPECT_NEAR(ranking.back().litterInbreeding, 0.25, 1e-12);
}

// The tabular method over the whole pedigree, the textbook definition, as
// an independent check of the fast computation on a random kennel with
// much line breeding.
std::vector<double> TabularInbreeding(const std::vector<int>& sires, const std::vector<int>& dams) {
    const int n = static_cast<int>(sires.size());
    std::vector<std::vector<double>> a(n, std::vector<double>(n, 0.0));
    const auto at = [&](int i, int j) { return (i < 0 || j < 0) ? 0.0 : a[i][j]; };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            a[i][j] = a[j][i] = 0.5 * (at(j, sires[i]) + at(j, dams[i]));
        }
        a[i][i] = 1.0 + 0.5 * at(sires[i], dams[i]);
    }
    std::vector<double> f(n);
    for (int i = 0; i < n; ++i) {
        f[i] = a[i][i] - 1.0;
    }
    return f;
}

// Wide generations give each layer of the computation hundreds of parent
// pairs, which are walked on several threads: every figure must still be the
// textbook one.
TEST(InbreedingProperties, WideGenerationsWalkedOnSeveralThreadsAgreeWithTheTabularMethod) {
    std::mt19937 rng(11);
    constexpr int kFounders = 40, kGenerations = 5, kPerGeneration = 450;
    std::vector<int> sires(kFounders, kUnknown), dams(kFounders, kUnknown);
    int previous = 0, previousCount = kFounders, older = 0, olderCount = kFounders;
    for (int g = 0; g < kGenerations; ++g) {
        const int first = static_cast<int>(sires.size());
        for (int i = 0; i < kPerGeneration; ++i) {
            // Mostly parents of the generation before, a few from two back.
            const auto parent = [&] {
                const bool back = rng() % 5 == 0;
                return back ? older + static_cast<int>(rng() % olderCount)
                            : previous + static_cast<int>(rng() % previousCount);
            };
            int sire = parent(), dam = parent();
            if (sire == dam) {
                dam = kUnknown;
            }
            sires.push_back(sire);
            dams.push_back(dam);
        }
        older = previous;
        olderCount = previousCount;
        previous = first;
        previousCount = kPerGeneration;
    }
    const std::vector<double> expected = TabularInbreeding(sires, dams);
    TCoancestry coancestry(sires, dams);
    coancestry.ComputeInbreeding();
    int inbred = 0;
    for (int i = 0; i < coancestry.Size(); ++i) {
        ASSERT_NEAR(coancestry.Inbreeding(i), expected[i], 1e-12) << "animal " << i;
        inbred += expected[i] > 0.0;
    }
    EXPECT_GT(inbred, 500);
}

TEST(InbreedingProperties, AgreesWithTheTabularMethodOnALineBredKennel) {
    std::mt19937 rng(7);
    Kennel k;
    const int count = 300;
    for (int i = 0; i < count; ++i) {
        const auto parent = [&]() -> QString {
            if (i < 6 || rng() % 7 == 0) {
                return QString();
            }
            return QStringLiteral("P%1").arg(i - 1 - static_cast<int>(rng() % std::min(i, 12)));
        };
        k.Card(QStringLiteral("P%1").arg(i), parent(), parent());
    }
    k.Build();
    const std::vector<double> expected = TabularInbreeding(k.graph.Sires(), k.graph.Dams());
    TKennelInbreeding kennel(k.graph);
    int inbred = 0;
    for (int i = 0; i < k.graph.Size(); ++i) {
        ASSERT_NEAR(kennel.Inbreeding(i), expected[i], 1e-12) << k.graph.Name(i).toStdString();
        inbred += expected[i] > 0.0;
    }
    EXPECT_GT(inbred, 100);
    for (const int i : {k["P299"], k["P250"], k["P120"]}) {
        const TInbreedingFigures figures = AnalyseAnimal(k.graph, i);
        EXPECT_NEAR(figures.f, expected[i], 1e-12);
        EXPECT_NEAR(SumOfShares(figures), figures.f, 1e-12);
        EXPECT_LE(figures.f5, figures.f10 + 1e-12);
    }
}

}  // namespace
