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
//   BM_StartUpBackup       the start-up backup beside the open program: the
//                          memory the program holds after it against before
//                          (held_MB) and the longest the launcher's event
//                          loop waited meanwhile (longest_wait_ms)
//   BM_StartUpWithDueCheck/N  BM_StartUp on the diary's kennel
//                          (bench/bench_diary_kennel.h) with the start-up
//                          reminder reading N days ahead as the program does
//                          it: started before the tables open, waited for
//                          once the launcher is painted; /0 is the start
//                          without it, so the difference is what it adds
//   BM_StartUpOnServer     BM_StartUp with the same kennel on a club's
//                          PostgreSQL server: HARVEL_BENCH_SERVER names the
//                          server's maintenance database as a user who may
//                          create databases; skipped without it
//   BM_OpenRecordSheet/0, /1  the data module opened and the record sheet
//                          shown on its first card: /0 on the data folder,
//                          /1 on the server as above
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include <unistd.h>

#include "app/automatic_backup.h"
#include "app/dmunit.h"
#include "app/foparametry.h"
#include "app/foupozorneni.h"
#include "app/fouvod.h"
#include "app/parametry.h"
#include "app/record_sheet_view.h"
#include "bench/bench_diary_kennel.h"
#include "bench/bench_kennel.h"
#include "controls/db_image.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/messages.h"
#include "platform/store/field.h"
#include "platform/store/postgres_connection.h"
#include "platform/store/store_copy.h"
#include "platform/store/store_error.h"
#include "records/diary/due_reading.h"
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

// The program started on `database` (a data folder or a server's address)
// until it is usable, as BM_StartUp measures it.
void StartUpOn(benchmark::State& state, const QString& database) {
    const int cards = bench_kennel::TheKennel().cards;
    ProgramFolder folder;
    CountedMessages messages;
    for (auto _ : state) {
        const auto start = Clock::now();
        auto program = std::make_unique<OpenProgram>(database);
        program->launcher->show();
        program->launcher->repaint();
        QApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());

        if (!program->dm->TaMain_Card.IsActive() ||
            program->dm->TaMain_Card.RecordCount() != cards) {
            state.SkipWithError("main_card.db did not open with every record sheet");
        }
        program->launcher->hide();
        program.reset();
    }
    if (messages.shown != 0) {
        state.SkipWithError(("a message came up: " + messages.last).toUtf8().constData());
    }
}

void BM_StartUp(benchmark::State& state) {
    StartUpOn(state, bench_kennel::TheKennel().folder);
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The bench kennel copied once onto the bench server; its address, or empty
// with the reason in `why`.
QString KennelOnServer(QString& why) {
    static QString address;
    static QString failure;
    if (!address.isEmpty() || !failure.isEmpty()) {
        why = failure;
        return address;
    }
    const QString admin = qEnvironmentVariable("HARVEL_BENCH_SERVER");
    if (admin.isEmpty()) {
        why = failure = QStringLiteral("HARVEL_BENCH_SERVER is not set");
        return QString();
    }
    try {
        platform::PostgresConnection server(admin);
        server.Execute(QStringLiteral("DROP DATABASE IF EXISTS bench_kennel"));
        server.Execute(
            QStringLiteral("CREATE DATABASE bench_kennel TEMPLATE template0 ENCODING 'UTF8'"));
        const QString target = admin.section('/', 0, -2) + QStringLiteral("/bench_kennel");
        platform::CopyStore(bench_kennel::TheKennel().folder, target);
        platform::PostgresConnection(target).Execute(QStringLiteral("ANALYZE"));
        address = target;
    } catch (const platform::StoreError& error) {
        why = failure = error.Message();
    }
    return address;
}

void BM_StartUpOnServer(benchmark::State& state) {
    QString why;
    const QString server = KennelOnServer(why);
    if (server.isEmpty()) {
        state.SkipWithError(why.toUtf8().constData());
        return;
    }
    StartUpOn(state, server);
}
void BM_OpenRecordSheet(benchmark::State& state) {
    QString where = bench_kennel::TheKennel().folder;
    if (state.range(0) == 1) {
        QString why;
        where = KennelOnServer(why);
        if (where.isEmpty()) {
            state.SkipWithError(why.toUtf8().constData());
            return;
        }
    }
    ProgramFolder folder;
    CountedMessages messages;
    for (auto _ : state) {
        const auto start = Clock::now();
        auto sheet = std::make_unique<TFoMain>();
        auto dm = std::make_unique<TDM1>(where, sheet.get());
        sheet->AttachDataModule(*dm);
        sheet->show();
        sheet->repaint();
        QApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (dm->TaMain_Card.RecordCount() != bench_kennel::TheKennel().cards) {
            state.SkipWithError("main_card.db did not open with every record sheet");
        }
        sheet->hide();
        sheet.reset();
        dm.reset();
    }
    if (messages.shown != 0) {
        state.SkipWithError(("a message came up: " + messages.last).toUtf8().constData());
    }
}
BENCHMARK(BM_OpenRecordSheet)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

BENCHMARK(BM_StartUpOnServer)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

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

// The resident memory of this process.
double ResidentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() < 2 ? 0 : fields[1].toDouble() * sysconf(_SC_PAGESIZE) / (1 << 20);
}

void BM_StartUpBackup(benchmark::State& state) {
    bench_kennel::Kennel& kennel = bench_kennel::TheKennel();
    ProgramFolder folder;
    CountedMessages messages;
    OpenProgram program(kennel.folder);
    program.launcher->show();
    QApplication::processEvents();
    double held = 0, longestWait = 0;
    for (auto _ : state) {
        QDir(kennel.folder + QStringLiteral("/Zalohy")).removeRecursively();  // never skipped
        const double before = ResidentMegabytes();
        TAutomaticBackup backup(kennel.folder, 3);
        backup.Start();
        auto last = Clock::now();
        while (backup.Running()) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
            const auto now = Clock::now();
            longestWait = std::max(longestWait, Milliseconds(now - last));
            last = now;
        }
        QApplication::processEvents();
        if (backup.BackupFile().isEmpty()) {
            state.SkipWithError(("no backup was made: " + backup.Failure()).toUtf8().constData());
        }
        held = ResidentMegabytes() - before;
    }
    state.counters["held_MB"] = held;
    state.counters["longest_wait_ms"] = longestWait;
    state.counters["database_MB"] =
        QFileInfo(platform::Database::DatabaseFile(kennel.folder)).size() / double(1 << 20);
    if (messages.shown != 0) {
        state.SkipWithError(("a message came up: " + messages.last).toUtf8().constData());
    }
}
BENCHMARK(BM_StartUpBackup)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_StartUpWithDueCheck(benchmark::State& state) {
    const int daysAhead = static_cast<int>(state.range(0));
    bench_diary::Kennel& kennel = bench_diary::TheKennel();
    ProgramFolder folder;
    CountedMessages messages;
    platform::SetClock([] { return QDateTime(bench_diary::kToday, QTime(8, 0)); });
    size_t due = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const std::unique_ptr<diary::DueReading> reading =
            StartDueCheck(kennel.Folder(), daysAhead);
        auto program = std::make_unique<OpenProgram>(kennel.Folder());
        program->launcher->show();
        program->launcher->repaint();
        QApplication::processEvents();
        if (reading != nullptr) {
            due = reading->Entries().size();
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        program->launcher->hide();
        program.reset();
    }
    platform::SetClock({});
    state.counters["due"] = static_cast<double>(due);
    if (daysAhead > 0 && due == 0) {
        state.SkipWithError("nothing was due");
    }
    if (messages.shown != 0) {
        state.SkipWithError(("a message came up: " + messages.last).toUtf8().constData());
    }
}
BENCHMARK(BM_StartUpWithDueCheck)
    ->Arg(0)
    ->Arg(7)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

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
