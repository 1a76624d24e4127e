// Speed and memory of the table store on a generated kennel: 100,000 record
// sheets and 500,000 event rows, generated once per run into a temporary folder.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>

#include "bench/bench_kennel.h"
#include "platform/store/store.h"

namespace {

using bench_kennel::CardName;
using bench_kennel::kCards;
using bench_kennel::Kennel;
using bench_kennel::TheKennel;

double ResidentMegabytes() {
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) {
        return 0;
    }
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
        resident = 0;
    }
    std::fclose(f);
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

void BM_OpenMainCard(benchmark::State& state) {
    Kennel& k = TheKennel();
    for (auto _ : state) {
        platform::Table cards(*k.db, "main_card.db");
        cards.Open();
        benchmark::DoNotOptimize(cards.RecordCount());
    }
}
BENCHMARK(BM_OpenMainCard)->Unit(benchmark::kMillisecond);

void BM_HealthCardBookQuery(benchmark::State& state) {
    Kennel& k = TheKennel();
    const QStringList sql{
        "Select osetreni.* ,",
        "Main_Card.Otec,Main_Card.Matka,Main_Card.plemeno,Main_Card.Datum_Nar,Main_Card.Pohlavi,"
        "Main_Card.Vlastnictvi,"
        "Main_Card.Vlast_odchov,Main_Card.Registr,Main_Card.Registr_Cislo",
        "from Osetreni  left Join Main_card  On Main_card.Jmeno_registr = Osetreni.Jmeno_registr",
        "where Pohlavi = \"Fena\" ", "Order by Jmeno_registr ASC,Plemeno ASC,Otec ASC"};
    std::int64_t rows = 0;
    {
        platform::Query warm(
            *k.db);  // reads the pages into the cache, as a second print would find them
        warm.SetSQL(sql);
        warm.Open();
    }
    for (auto _ : state) {
        platform::Query q(*k.db);
        q.SetSQL(sql);
        q.Open();
        platform::Field& name = q.FieldByName("Jmeno_registr");
        platform::Field& date = q.FieldByName("Datum_osetreni");
        platform::Field& sire = q.FieldByName("Otec");
        rows = 0;
        for (q.First(); !q.Eof(); q.Next()) {
            benchmark::DoNotOptimize(name.DisplayText());
            benchmark::DoNotOptimize(date.DisplayText());
            benchmark::DoNotOptimize(sire.DisplayText());
            ++rows;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_HealthCardBookQuery)->Unit(benchmark::kMillisecond);

void BM_LocateByRegisteredName(benchmark::State& state) {
    Kennel& k = TheKennel();
    platform::Table cards(*k.db, "main_card.db");
    cards.Open();
    cards.Locate("Jmeno_registr", CardName(0));  // builds the position index once
    std::mt19937 rng(7);
    for (auto _ : state) {
        const bool found =
            cards.Locate("Jmeno_registr", CardName(static_cast<int>(rng() % kCards)));
        if (!found) {
            state.SkipWithError("registered name not found");
        }
    }
}
BENCHMARK(BM_LocateByRegisteredName)->Unit(benchmark::kMicrosecond);

void BM_PostWithFlush(benchmark::State& state) {
    Kennel& k = TheKennel();
    platform::Table cards(*k.db, "main_card.db");
    cards.Open();
    std::vector<double> times;
    int n = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        cards.Edit();
        cards.FieldByName("Jmeno_call").SetAsString(QStringLiteral("Post %1").arg(++n));
        cards.Post();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        cards.Next();
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
    }
}
BENCHMARK(BM_PostWithFlush)->Unit(benchmark::kMillisecond)->Iterations(200);

// Run alone for a clean figure: --benchmark_filter=Memory with HARVEL_BENCH_DATA
// naming an already generated kennel.
void BM_MainCardMemory(benchmark::State& state) {
    Kennel& k = TheKennel();
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        platform::Table cards(*k.db, "main_card.db");
        cards.Open();
        double peak = ResidentMegabytes();
        for (cards.First(); !cards.Eof(); cards.Next()) {
            benchmark::DoNotOptimize(cards.Fields(0).AsString());
        }
        peak = std::max(peak, ResidentMegabytes());
        state.counters["open_table_MB"] = peak - before;
        state.counters["process_MB"] = peak;
    }
}
BENCHMARK(BM_MainCardMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
