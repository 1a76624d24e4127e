// Speed of the application on a generated kennel of 100,000 record sheets
// and 500,000 event rows (bench/bench_kennel.h):
//   BM_StartUp             until the program is usable: the launcher, the
//                          record sheet and the settings form created, the
//                          data module opened on the data folder, the
//                          launcher shown and painted
//   BM_NextRecord          one move to the next record sheet on the shown
//                          card, with the titles and the photo following it
//                          and the window redrawn
//   BM_OrphanCheck         the start-up check of the event tables when no
//                          row lacks its record sheet
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/dmunit.h"
#include "app/foparametry.h"
#include "app/fouvod.h"
#include "app/parametry.h"
#include "app/record_sheet_view.h"
#include "bench/bench_kennel.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "controls/db_image.h"
#include "records/fomain.h"

namespace {

using Clock = std::chrono::steady_clock;

// Every message box is counted and answered with its default button; a
// benchmark that expects none fails when one comes.
struct CountedMessages {
    int shown = 0;
    QString last;
    CountedMessages() {
        platform::SetMessageHandler([this](const platform::MessageRequest& request) {
            ++shown;
            last = request.text;
            return request.defaultButton != 0 ? request.defaultButton
                                              : platform::FirstButton(request.buttons);
        });
    }
    ~CountedMessages() { platform::SetMessageHandler({}); }
};

// A program folder of its own, so no Harvel.INI or launcher picture of the
// build tree is read: the settings are the defaults.
struct ProgramFolder {
    QTemporaryDir dir;
    ProgramFolder() {
        QDir(dir.path()).mkpath("BIN");
        platform::SetProgramFolderOverride(dir.filePath("BIN") + '/');
    }
    ~ProgramFolder() { platform::SetProgramFolderOverride(QString()); }
};

// The long-lived forms and the data module in the order start-up creates
// them, the record sheet attached to the data module.
struct OpenProgram {
    std::unique_ptr<TFoUvod> launcher;
    std::unique_ptr<TFoMain> sheet;
    std::unique_ptr<TFoParametry> parametry;
    std::unique_ptr<TDM1> dm;

    explicit OpenProgram(const QString& dataFolder) {
        launcher = std::make_unique<TFoUvod>(nullptr);
        sheet = std::make_unique<TFoMain>();
        parametry = std::make_unique<TFoParametry>();
        launcher->SetParametryForm(parametry.get());
        dm = std::make_unique<TDM1>(dataFolder, sheet.get());
        launcher->SetDataModule(dm.get());
        sheet->AttachDataModule(*dm);
        launcher->SetRecordSheet(sheet.get());
    }
    ~OpenProgram() {
        // The sheet's fields listen to the data module's sources: it goes first.
        launcher->SetRecordSheet(nullptr);
        sheet.reset();
        dm.reset();
    }
};

double Milliseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

void BM_StartUp(benchmark::State& state) {
    bench_kennel::Kennel& kennel = bench_kennel::TheKennel();
    ProgramFolder folder;
    CountedMessages messages;
    for (auto _ : state) {
        const auto start = Clock::now();
        auto program = std::make_unique<OpenProgram>(kennel.folder);
        program->launcher->show();
        program->launcher->repaint();
        QApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());

        if (!program->dm->TaMain_Card.IsActive() ||
            program->dm->TaMain_Card.RecordCount() != bench_kennel::kCards) {
            state.SkipWithError("main_card.db did not open with every record sheet");
        }
        program->launcher->hide();
        program.reset();
    }
    if (messages.shown != 0) {
        state.SkipWithError(("a message came up: " + messages.last).toUtf8().constData());
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_NextRecord(benchmark::State& state) {
    bench_kennel::Kennel& kennel = bench_kennel::TheKennel();
    CountedMessages messages;
    OpenProgram program(kennel.folder);
    // The card in edit mode on its record page, on screen, as "Evidence" opens it.
    program.sheet->PrepareEntry(TRecordSheetEntry::reEdit);
    program.sheet->show();
    QApplication::processEvents();
    platform::Table& cards = program.dm->TaMain_Card;
    TDBImageAspect* photo = program.sheet->findChild<TDBImageAspect*>();
    if (photo == nullptr) {
        state.SkipWithError("the record sheet has no photo control");
        return;
    }
    std::vector<double> times;
    int withPhoto = 0;
    int titles = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        cards.Next();
        QApplication::processEvents();  // the card, titles grid and photo redraw
        times.push_back(Milliseconds(Clock::now() - start));
        withPhoto += photo->Picture().isNull() ? 0 : 1;
        titles += program.dm->TaTituly.RecordCount();
        if (cards.Eof()) {
            cards.First();
        }
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["p99_ms"] = times[times.size() * 99 / 100];
        state.counters["max_ms"] = times.back();
    }
    state.counters["with_photo"] = withPhoto;
    state.counters["titles_rows"] = titles;  // titles of the animals passed
    if (withPhoto == 0) {
        state.SkipWithError("no photo followed the moves");
    }
}
BENCHMARK(BM_NextRecord)->Unit(benchmark::kMillisecond)->Iterations(1000);

void BM_OrphanCheck(benchmark::State& state) {
    bench_kennel::Kennel& kennel = bench_kennel::TheKennel();
    CountedMessages messages;
    OpenProgram program(kennel.folder);
    for (auto _ : state) {
        program.dm->RunOrphanCheck();
    }
    if (messages.shown != 0) {
        state.SkipWithError(("the check asked: " + messages.last).toUtf8().constData());
    }
}
BENCHMARK(BM_OrphanCheck)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
