// The search field "Hledat:" of the record sheet at 100,000 animals: each
// keystroke (the typed text searched in the index and the card moved to the
// animal found, with the sheet redrawn) and the reading of the index when
// the field gets the focus.
//   build/bench/search_bench   (HARVEL_BENCH_DATA keeps the kennel between runs)

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/dmunit.h"
#include "bench/bench_kennel.h"
#include "controls/search_field.h"
#include "controls/search_index.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "records/fomain.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

struct Sheet {
    QTemporaryDir programDir;
    std::unique_ptr<TFoMain> sheet;
    std::unique_ptr<TDM1> dm;
    explicit Sheet(const QString& dataFolder) {
        QDir(programDir.path()).mkpath("BIN");
        platform::SetProgramFolderOverride(programDir.filePath("BIN") + '/');
        sheet = std::make_unique<TFoMain>();
        dm = std::make_unique<TDM1>(dataFolder, sheet.get());
        sheet->AttachDataModule(*dm);
        sheet->PrepareEntry(TRecordSheetEntry::reEdit);
        sheet->show();
        QApplication::processEvents();
    }
    ~Sheet() {
        sheet.reset();
        dm.reset();
        platform::SetProgramFolderOverride(QString());
    }
};

// Typing the name of an animal letter by letter, then its chip's last digits:
// each keystroke is one iteration.
void BM_SearchKeystroke(benchmark::State& state) {
    bench_kennel::Kennel& kennel = bench_kennel::TheKennel();
    Sheet program(kennel.folder);
    auto* edit = program.sheet->findChild<QLineEdit*>("EditHledat");
    edit->setFocus();
    QApplication::processEvents();
    const QStringList words = {QStringLiteral("zofie 00073"), QStringLiteral("cert 0005"),
                               QStringLiteral("chaloupky"), QStringLiteral("hugo 0999")};
    std::vector<double> times;
    int found = 0;
    int word = 0;
    int letter = 0;
    for (auto _ : state) {
        if (letter == 0) {
            edit->clear();
        }
        const QString typed = words[word].left(letter + 1);
        const auto start = Clock::now();
        // The key as a user types it, so the field's own handling runs.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed.back());
        QApplication::sendEvent(edit, &press);
        QApplication::processEvents();
        times.push_back(Milliseconds(Clock::now() - start));
        found += program.dm->TaMain_Card.FieldByName("Jmeno_registr").AsString().isEmpty() ? 0 : 1;
        if (++letter == words[word].size()) {
            letter = 0;
            word = (word + 1) % words.size();
        }
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["max_ms"] = times.back();
    }
    state.counters["animals"] = program.dm->TaMain_Card.RecordCount();
    state.counters["found"] = found;
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond)->Iterations(200);

// Reading the index, as happens when the field gets the focus.
void BM_SearchIndexBuild(benchmark::State& state) {
    bench_kennel::Kennel& kennel = bench_kennel::TheKennel();
    Sheet program(kennel.folder);
    for (auto _ : state) {
        TSearchIndex index;
        index.Build(program.dm->Database1);
        benchmark::DoNotOptimize(index.Size());
    }
}
BENCHMARK(BM_SearchIndexBuild)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    platform::SetMessageHandler([](const platform::MessageRequest& request) {
        return platform::FirstButton(request.buttons);
    });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
