// A list of 100,000 rows handed to a spreadsheet: harvel-report --source 0
// --format xlsx|csv over the generated kennel of 100,000 record sheets (all
// 57 columns), run as a whole process. The figure to keep: the .xlsx within
// 3 s and 200 MB of peak memory (the counter peak_MB).

#include <benchmark/benchmark.h>

#include <QFileInfo>

#include "bench/bench_kennel.h"
#include "bench/child_process.h"

namespace {

using bench_support::ChildRun;

ChildRun RunChild(const char* program, const QStringList& arguments) {
    return bench_support::RunMeasured(bench_support::InstalledProgram(program), arguments);
}

void Sheet(benchmark::State& state, const char* format) {
    bench_kennel::Kennel& kennel = bench_kennel::TheKennel();
    const QString out = kennel.dir.filePath(QStringLiteral("list.%1").arg(format));
    ChildRun run;
    for (auto _ : state) {
        run = RunChild("harvel-report", {"--data", kennel.folder, "--source", "0", "--order",
                                         "Jmeno_registr ASC", "--format", format, "--out", out});
        if (run.exitCode != 0) {
            state.SkipWithError("harvel-report failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["rows"] = bench_kennel::kCards;
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["cpu_s"] = run.cpuSeconds;
    state.counters["out_MB"] = double(QFileInfo(out).size()) / (1024.0 * 1024.0);
}

void BM_SheetXlsxProcess(benchmark::State& state) {
    Sheet(state, "xlsx");
}
BENCHMARK(BM_SheetXlsxProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_SheetCsvProcess(benchmark::State& state) {
    Sheet(state, "csv");
}
BENCHMARK(BM_SheetCsvProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
