// The print source "Rodokmen z evidence" on the generated kennel of 100,000
// record sheets and 10,000 stored pedigrees (bench_pedigree_kennel.h): the
// five-generation pedigrees of 1,000 animals of the youngest generation
// assembled and every row read as a report reads it. Expected within 1 s.

#include <benchmark/benchmark.h>

#include "app/pedigree_sheet_dataset.h"
#include "bench/bench_pedigree_kennel.h"
#include "platform/store/field.h"

namespace {

using bench_pedigree::TheKennel;

constexpr int kAnimals = 1000;

QStringList YoungestAnimals() {
    QStringList names;
    const std::vector<int>& youngest = TheKennel().population.generations.back();
    for (int i = 0; i < kAnimals && i < static_cast<int>(youngest.size()); ++i) {
        names << TheKennel().NameOf(youngest[static_cast<size_t>(i)]);
    }
    return names;
}

void BM_PedigreeSourceOfThousandAnimals(benchmark::State& state) {
    const QStringList names = YoungestAnimals();
    int named = 0;
    for (auto _ : state) {
        TPedigreeSheetDataSet rows(*TheKennel().db);
        rows.SetAnimals(names);
        rows.Open();
        named = 0;
        const int columns = rows.FieldCount();
        for (rows.First(); !rows.Eof(); rows.Next()) {
            for (int c = 0; c < columns; ++c) {
                named += rows.Fields(c).IsNull() ? 0 : 1;
            }
        }
        benchmark::DoNotOptimize(named);
    }
    state.counters["animals"] = names.size();
    state.counters["filled_values"] = named;
}
BENCHMARK(BM_PedigreeSourceOfThousandAnimals)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
