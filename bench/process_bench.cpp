// Whole-process figures: the real harvel-data and harvel-report programs run
// as child processes: wall time, processor time and the program's own peak
// resident memory (child_process.h).
//
// The report is the list of the engine benchmark over the record sheets: 8
// fields, a group by breeder (50 animals each) with a sum of the birth
// weights, a page header and a page footer with "page x of y" – 50 rows a
// page, so 10,000 animals give 200 pages and 100,000 give 2,000.
//
// Each report figure is also given against the floor measured in the same
// run (x_floor): Python's sqlite3 reading every row of the same table, the
// least any program reading the kennel's list can take.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "child_process.h"

namespace {

using bench_support::ChildRun;

ChildRun RunChild(const char* program, const QStringList& arguments) {
    return bench_support::RunMeasured(bench_support::InstalledProgram(program), arguments);
}

// The record sheets as the CSV `harvel-data load` reads.
QByteArray RecordSheets(int count) {
    QByteArray csv =
        "Jmeno_registr,Jmeno_call,Plemeno,Pohlavi,Datum_nar,Matka,Otec,Chovatel,Vaha_narozeni\n";
    csv.reserve(count * 140);
    for (int i = 0; i < count; ++i) {
        csv += QStringLiteral("Pes %1 z Lesa,Alík %2,Bígl,%3,%4.%5.%6,Fena %7,Pes %8,Chovatel %9,")
                   .arg(i, 6, 10, QChar('0'))
                   .arg(i % 1000)
                   .arg(i % 2 ? QStringLiteral("pes") : QStringLiteral("fena"))
                   .arg(1 + i % 28)
                   .arg(1 + i % 12)
                   .arg(2000 + i % 24)
                   .arg(i / 2)
                   .arg(i / 3)
                   .arg(i / 50, 5, 10, QChar('0'))
                   .toUtf8();
        csv += QByteArray::number(i % 97) + '\n';
    }
    return csv;
}

QString TextElement(const QString& code, int kind, const QString& source, int left, int width,
                    const QString& text) {
    return QStringLiteral("%1,%2,%3,%4,0,%5,18,Arial,9,0,0,0,0,238,\"%6\",0,0,0,\"\",0,\"\"")
        .arg(code)
        .arg(kind)
        .arg(source)
        .arg(left)
        .arg(width)
        .arg(text);
}

QByteArray ListTemplate() {
    QStringList lines = {
        "I,0,\"Seznam psu\"",
        "I,1,10,52,6",
        "I,2,0,826,1169,50,50,70,70,1,0",
        "I,3,0,0,0,0",
        "I,3,1,1,30,0",
        "I,3,2,1,18,0",
        "I,3,3,0,0,0",
        "I,3,4,1,30,0",
        "I,4,0,\"Chovatel\",1,20,1,20,0",
        "F,1,Soucet,\"Soucet\",0,0,2,\"#Vaha_narozeni\",2,15,0,0",
    };
    lines << TextElement("H", 1, "0", 0, 300, "Seznam") << TextElement("H", 5, "3", 600, 100, "");
    const QStringList fields = {"Chovatel", "Jmeno_registr", "Jmeno_call", "Plemeno",
                                "Pohlavi",  "Datum_nar",     "Matka",      "Vaha_narozeni"};
    for (int f = 0; f < fields.size(); ++f) {
        lines << TextElement("T", 2, fields[f], f * 90, 88, fields[f]);
    }
    lines << TextElement("S0", 2, "Chovatel", 0, 300, "Chovatel");
    lines << TextElement("U0", 6, "0", 600, 100, "");
    lines << TextElement("P", 5, "3", 500, 100, "") << TextElement("P", 5, "4", 620, 100, "");
    return lines.join("\r\n").toLatin1() + "\r\n";
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// A data folder with `count` record sheets and the list template, made once.
class Kennel {
  public:
    explicit Kennel(int count) {
        csv_ = dir_.filePath("main_card.csv");
        WriteFile(csv_, RecordSheets(count));
        WriteFile(Template(), ListTemplate());
        Init(Data());
        const ChildRun load = Load(Data());
        if (load.exitCode != 0) {
            std::fprintf(stderr, "harvel-data load failed\n");
            std::exit(1);
        }
    }
    QString Data() const { return dir_.filePath("data"); }
    QString Template() const { return dir_.filePath("Seznam.pts"); }
    QString Out(const QString& name) const { return dir_.filePath(name); }

    static void Init(const QString& folder) {
        QDir(folder).removeRecursively();
        RunChild("harvel-data", {"init", folder});
    }
    ChildRun Load(const QString& folder) const {
        return RunChild("harvel-data", {"load", folder, "main_card.db", csv_});
    }

    static Kennel& Of(int count) {
        static std::map<int, std::unique_ptr<Kennel>> made;
        auto& slot = made[count];
        if (!slot) {
            slot = std::make_unique<Kennel>(count);
        }
        return *slot;
    }

    // The fastest of three runs of Python's sqlite3 reading every row of
    // main_card, measured once.
    double FloorSeconds() {
        if (floor_ > 0) {
            return floor_;
        }
        const QString database = QDir(Data()).filePath("harvel.sqlite");
        const QString script = QStringLiteral(
            "import sqlite3, sys\n"
            "c = sqlite3.connect(sys.argv[1])\n"
            "for row in c.execute('SELECT * FROM main_card'): pass\n");
        for (int run = 0; run < 3; ++run) {
            const ChildRun read =
                bench_support::RunMeasured("/usr/bin/python3", {"-c", script, database});
            if (read.exitCode == 0 && (floor_ == 0 || read.seconds < floor_)) {
                floor_ = read.seconds;
            }
        }
        return floor_;
    }

  private:
    QTemporaryDir dir_;
    QString csv_;
    double floor_ = 0;
};

void Report(benchmark::State& state, const char* format) {
    Kennel& kennel = Kennel::Of(int(state.range(0)));
    const QString out = kennel.Out(QStringLiteral("list.%1").arg(format));
    ChildRun run;
    for (auto _ : state) {
        run = RunChild("harvel-report",
                       {"--data", kennel.Data(), "--table", "main_card.db", "--template",
                        kennel.Template(), "--format", format, "--out", out});
        if (run.exitCode != 0) {
            state.SkipWithError("harvel-report failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["cpu_s"] = run.cpuSeconds;
    state.counters["out_MB"] = double(QFileInfo(out).size()) / (1024.0 * 1024.0);
    const double floor = kennel.FloorSeconds();
    state.counters["floor_s"] = floor;
    if (floor > 0) {
        state.counters["x_floor"] = run.seconds / floor;
    }
}

void BM_ReportDumpProcess(benchmark::State& state) {
    Report(state, "dump");
}
BENCHMARK(BM_ReportDumpProcess)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

void BM_ReportPdfProcess(benchmark::State& state) {
    Report(state, "pdf");
}
BENCHMARK(BM_ReportPdfProcess)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

// `harvel-data load` of the record sheets into an empty data folder.
void BM_LoadRecordSheetsProcess(benchmark::State& state) {
    Kennel& kennel = Kennel::Of(int(state.range(0)));
    const QString folder = kennel.Out(QStringLiteral("load"));
    ChildRun run;
    for (auto _ : state) {
        Kennel::Init(folder);
        run = kennel.Load(folder);
        if (run.exitCode != 0) {
            state.SkipWithError("harvel-data load failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["cpu_s"] = run.cpuSeconds;
}
BENCHMARK(BM_LoadRecordSheetsProcess)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

// ---- a club's server ---------------------------------------------------------
// With HARVEL_BENCH_SERVER set to the address of a PostgreSQL server's
// maintenance database as a user who may create databases
// ("postgresql://harvel@%2Ftmp%2Fpg:5432/postgres"), the same kennels are
// also copied onto the server and the list is run from there. Without it
// these figures are skipped.

QString ServerMaintenanceAddress() {
    return qEnvironmentVariable("HARVEL_BENCH_SERVER");
}

// A new, empty database on the bench server; its address.
QString FreshServerDatabase(const QString& name) {
    const QString admin = ServerMaintenanceAddress();
    for (const QString& sql : {QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name),
                               QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING "
                                              "'UTF8'")
                                   .arg(name)}) {
        if (bench_support::RunMeasured("/usr/bin/psql", {"-q", admin, "-c", sql}).exitCode != 0) {
            return QString();
        }
    }
    return admin.section('/', 0, -2) + '/' + name;
}

void BM_CopyToServerProcess(benchmark::State& state) {
    if (ServerMaintenanceAddress().isEmpty()) {
        state.SkipWithError("HARVEL_BENCH_SERVER is not set");
        return;
    }
    Kennel& kennel = Kennel::Of(int(state.range(0)));
    ChildRun run;
    for (auto _ : state) {
        const QString server = FreshServerDatabase(QStringLiteral("bench_copy"));
        run = RunChild("harvel-data", {"copy", kennel.Data(), server});
        if (server.isEmpty() || run.exitCode != 0) {
            state.SkipWithError("harvel-data copy failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["cpu_s"] = run.cpuSeconds;
}
BENCHMARK(BM_CopyToServerProcess)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

// The list of BM_ReportDumpProcess read from the server; its x_local is the
// time against the same list from the data folder, measured in this run.
void BM_ReportDumpServerProcess(benchmark::State& state) {
    if (ServerMaintenanceAddress().isEmpty()) {
        state.SkipWithError("HARVEL_BENCH_SERVER is not set");
        return;
    }
    Kennel& kennel = Kennel::Of(int(state.range(0)));
    const QString server = FreshServerDatabase(QStringLiteral("bench_list"));
    if (server.isEmpty() ||
        RunChild("harvel-data", {"copy", kennel.Data(), server}).exitCode != 0) {
        state.SkipWithError("the kennel could not be copied onto the server");
        return;
    }
    const QString out = kennel.Out(QStringLiteral("server-list.dump"));
    const auto runOn = [&](const QString& data) {
        return RunChild("harvel-report", {"--data", data, "--table", "main_card.db", "--template",
                                          kennel.Template(), "--format", "dump", "--out", out});
    };
    double local = 0;
    for (int i = 0; i < 3; ++i) {
        const ChildRun run = runOn(kennel.Data());
        local = (local == 0 || run.seconds < local) ? run.seconds : local;
    }
    ChildRun run;
    for (auto _ : state) {
        run = runOn(server);
        if (run.exitCode != 0) {
            state.SkipWithError("harvel-report failed on the server");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["local_s"] = local;
    state.counters["x_local"] = local > 0 ? run.seconds / local : 0;
}
BENCHMARK(BM_ReportDumpServerProcess)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
