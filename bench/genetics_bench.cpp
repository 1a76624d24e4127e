// The kennel's genetics on a generated kennel of 100,000 record sheets in
// twelve generations plus 10,000 stored pedigrees (bench_pedigree_kennel.h;
// HARVEL_PEDIGREE_BENCH_CARDS=1000000 for a million): building the pedigree
// graph from the database, F of every animal, one trial mating, ranking
// 1,000 candidate sires for a dam, and the full figures of one animal, from
// the whole kennel's graph and from its ancestors read alone.

#include <benchmark/benchmark.h>

#include <random>

#include "bench/bench_pedigree_kennel.h"
#include "records/genetics/ancestor_reader.h"
#include "records/genetics/inbreeding_figures.h"
#include "records/genetics/kennel_inbreeding.h"
#include "records/genetics/pedigree_loader.h"

namespace {

using bench_pedigree::TheKennel;

const pedigree::TPedigreeGraph& Graph() {
    static const pedigree::TPedigreeGraph graph = pedigree::LoadPedigreeGraph(*TheKennel().db);
    return graph;
}

pedigree::TKennelInbreeding& Kennel() {
    static pedigree::TKennelInbreeding kennel(Graph());
    return kennel;
}

// Animals of the last card generation of one sex, as graph numbers.
std::vector<int> Youngest(bool male) {
    std::vector<int> found;
    for (const int a : TheKennel().population.generations.back()) {
        if (TheKennel().population.animals[a].male == male) {
            found.push_back(Graph().Find(TheKennel().NameOf(a)));
        }
    }
    return found;
}

void BM_BuildGraph(benchmark::State& state) {
    platform::Database& database = *TheKennel().db;
    for (auto _ : state) {
        pedigree::TPedigreeGraph graph = pedigree::LoadPedigreeGraph(database);
        benchmark::DoNotOptimize(graph.Size());
    }
    state.counters["animals"] = Graph().Size();
    state.counters["problems"] = static_cast<double>(Graph().Problems().size());
}
BENCHMARK(BM_BuildGraph)->Unit(benchmark::kMillisecond);

void BM_InbreedingOfEveryAnimal(benchmark::State& state) {
    const pedigree::TPedigreeGraph& graph = Graph();
    double mean = 0.0;
    for (auto _ : state) {
        pedigree::TKennelInbreeding kennel(graph);
        double sum = 0.0;
        for (int a = 0; a < graph.Size(); ++a) {
            sum += kennel.Inbreeding(a);
        }
        mean = sum / graph.Size();
    }
    state.counters["mean_F"] = mean;
}
BENCHMARK(BM_InbreedingOfEveryAnimal)->Unit(benchmark::kMillisecond);

void BM_TrialMating(benchmark::State& state) {
    const std::vector<int> sires = Youngest(true), dams = Youngest(false);
    pedigree::TKennelInbreeding& kennel = Kennel();
    std::mt19937 rng(5);
    for (auto _ : state) {
        const double f = kennel.Litter(sires[rng() % sires.size()], dams[rng() % dams.size()]);
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_TrialMating)->Unit(benchmark::kMicrosecond);

void BM_RankThousandSires(benchmark::State& state) {
    std::vector<int> sires = Youngest(true);
    sires.resize(1000);
    const int dam = Youngest(false).front();
    pedigree::TKennelInbreeding& kennel = Kennel();
    for (auto _ : state) {
        const auto ranking = kennel.RankCandidates(dam, sires);
        benchmark::DoNotOptimize(ranking.data());
    }
}
BENCHMARK(BM_RankThousandSires)->Unit(benchmark::kMillisecond);

void BM_FiguresOfOneAnimal(benchmark::State& state) {
    const int animal = Youngest(true).back();
    pedigree::TInbreedingFigures figures;
    for (auto _ : state) {
        figures = pedigree::AnalyseAnimal(Graph(), animal);
        benchmark::DoNotOptimize(figures.f);
    }
    state.counters["F"] = figures.f;
    state.counters["generations"] = figures.generations;
    state.counters["common"] = static_cast<double>(figures.common.size());
}
BENCHMARK(BM_FiguresOfOneAnimal)->Unit(benchmark::kMillisecond);

// Names of the last card generation of one sex, without reading the graph.
QStringList YoungestNames(bool male) {
    QStringList names;
    for (const int a : TheKennel().population.generations.back()) {
        if (TheKennel().population.animals[a].male == male) {
            names << TheKennel().NameOf(a);
        }
    }
    return names;
}

// The figures of one animal of the youngest generation from its ancestors
// read alone, each time with a reader of its own (as `harvel-data coi`).
void BM_FiguresOfOneAnimalFromItsAncestors(benchmark::State& state) {
    const QStringList males = YoungestNames(true);
    std::mt19937 rng(7);
    pedigree::TInbreedingFigures figures;
    int animals = 0;
    for (auto _ : state) {
        const QString name = males[static_cast<qsizetype>(rng() % males.size())];
        pedigree::TAncestorReader reader(*TheKennel().db);
        const pedigree::TPedigreeGraph graph = reader.Read({name});
        figures = pedigree::AnalyseAnimal(graph, graph.Find(name));
        animals = graph.Size();
    }
    state.counters["F"] = figures.f;
    state.counters["ancestors"] = animals;
}
BENCHMARK(BM_FiguresOfOneAnimalFromItsAncestors)->Unit(benchmark::kMillisecond);

// The mating form's live line: one reader kept, the dam fixed, a new sire
// each time (the first ask reads the dam's ancestors).
void BM_TrialMatingFromAncestors(benchmark::State& state) {
    const QStringList sires = YoungestNames(true);
    const QString dam = YoungestNames(false).front();
    pedigree::TAncestorReader reader(*TheKennel().db);
    (void)reader.Read({dam});
    std::mt19937 rng(5);
    for (auto _ : state) {
        const QString sire = sires[static_cast<qsizetype>(rng() % sires.size())];
        const pedigree::TPedigreeGraph graph = reader.Read({sire, dam});
        pedigree::TKennelInbreeding kennel(graph);
        benchmark::DoNotOptimize(kennel.Litter(graph.Find(sire), graph.Find(dam)));
    }
}
BENCHMARK(BM_TrialMatingFromAncestors)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
