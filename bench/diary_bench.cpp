// The breeder's diary of a large kennel (bench/bench_diary_kennel.h):
//   BM_Diary30Days        the diary window's default: today to 30 days on,
//                         with every overdue entry, on the program's open
//                         connection
//   BM_StartUpCheck       what the start-up reminder reads (7 days ahead), as
//                         at start: a fresh connection of its own each time
// The start-up check beside the rest of the start is measured by
// BM_StartUpWithDueCheck of bench/app_bench.
// Run: build/bench/diary_bench

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "bench/bench_diary_kennel.h"
#include "records/diary/diary_book.h"
#include "records/diary/due_reading.h"

namespace {

using bench_diary::kToday;

void BM_Diary30Days(benchmark::State& state) {
    platform::Database& database = bench_diary::TheKennel().Database();
    size_t entries = 0;
    for (auto _ : state) {
        const auto diary = diary::ReadDiary(database, diary::DefaultSpan(kToday), kToday);
        entries = diary.size();
        benchmark::DoNotOptimize(diary.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_Diary30Days)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StartUpCheck(benchmark::State& state) {
    const QString file = platform::Database::DatabaseFile(bench_diary::TheKennel().Folder());
    size_t entries = 0;
    for (auto _ : state) {
        diary::DueReading reading(file, 7, kToday);
        const auto due = reading.Entries();
        entries = due.size();
        benchmark::DoNotOptimize(due.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_StartUpCheck)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
