// Taking over an old installation at a breed club's scale: a main-card table
// of 100,000 rows with a memo on each and 500,000 health-card rows, written
// as Paradox 7 tables by the tests' writer, imported into a new data folder
// in-process and by the harvel-data program (time and peak memory of the
// whole process).

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>

#include "bench/child_process.h"
#include "platform/paradox/installation_import.h"
#include "platform/store/schema.h"
#include "tests/support/paradox_writer.h"

namespace {

namespace pw = paradox_writer;

constexpr int kCards = 100000;
constexpr int kVisits = 500000;

pw::Field OldField(const platform::ColumnSchema& c) {
    switch (c.type) {
        case platform::ColumnType::Text:
            return {c.name.toStdString(), pw::kAlpha, c.width};
        case platform::ColumnType::Date:
            return {c.name.toStdString(), pw::kDate, 4};
        case platform::ColumnType::Boolean:
            return {c.name.toStdString(), pw::kLogical, 1};
        case platform::ColumnType::Smallint:
            return {c.name.toStdString(), pw::kShort, 2};
        case platform::ColumnType::Integer:
            return {c.name.toStdString(), pw::kLong, 4};
        case platform::ColumnType::Float:
        case platform::ColumnType::Largeint:  // the old tables keep a chip number as a number
            return {c.name.toStdString(), pw::kNumber, 8};
        case platform::ColumnType::Memo:
            return {c.name.toStdString(), pw::kMemo, 30};
        case platform::ColumnType::Graphic:
            return {c.name.toStdString(), pw::kGraphic, 10};
    }
    return {};
}

// A value for every column of a row: texts of a few words, dates, numbers, a memo.
pw::Value OldValue(const pw::Field& f, std::size_t row, std::size_t column) {
    switch (f.type) {
        case pw::kAlpha: {
            QByteArray text =
                column == 0 ? QByteArray("Pes ") + QByteArray::number(qulonglong(row))
                            : QByteArray("hodnota ") + QByteArray::number(qulonglong(row % 97));
            return text.left(f.size);
        }
        case pw::kDate:
            return QDate(2000, 1, 1).addDays(static_cast<qint64>((row + column) % 7000));
        case pw::kLogical:
            return (row + column) % 2 == 0;
        case pw::kShort:
            return std::int64_t((row + column) % 30);
        case pw::kLong:
            return std::int64_t(row);
        case pw::kNumber:
            if (f.name == "Cip") {  // a 15-digit microchip number, whole
                return 203098100000000.0 + static_cast<double>(row);
            }
            return 10.0 + static_cast<double>((row + column) % 500) / 10.0;
        case pw::kMemo:
            return pw::Blob{QByteArray("Pozn\xE1mka k z\xE1znamu ") +
                            QByteArray::number(qulonglong(row)) +
                            QByteArray(": zdrav\xFD, klidn\xFD, v\xFDstava v Brn\xEC, v\xFD"
                                       "born\xE1 1, CAC.")};
        default:
            return {};
    }
}

pw::Table OldTable(const QString& name, std::size_t rows, std::size_t memoEvery) {
    const platform::TableSchema* schema = platform::FindTableSchema(name);
    pw::Table t;
    t.blockKilobytes = 16;
    t.keyFields = name == "main_card.db" ? 1 : 0;
    for (const platform::ColumnSchema& c : schema->columns) {
        t.fields.push_back(OldField(c));
    }
    t.rowCount = rows;
    t.rowAt = [fields = t.fields, memoEvery](std::size_t r) {
        pw::Row row;
        for (std::size_t c = 0; c < fields.size(); ++c) {
            row.push_back(fields[c].type == pw::kMemo && r % memoEvery != 0
                              ? pw::Value()
                              : OldValue(fields[c], r, c));
        }
        return row;
    };
    return t;
}

void Save(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
    }
}

void WriteOld(const QString& folder, const QString& name, std::size_t rows, std::size_t memoEvery) {
    const pw::Table t = OldTable(name, rows, memoEvery);
    const pw::Files files = pw::Write(t);
    Save(folder + "/" + name, files.db);
    Save(folder + "/" + QFileInfo(name).completeBaseName() + ".mb", files.mb);
}

const QString& OldInstallation() {
    static QTemporaryDir dir;
    static const bool written = [] {
        WriteOld(dir.path(), "main_card.db", kCards, 1);
        WriteOld(dir.path(), "osetreni.db", kVisits, 5);
        return true;
    }();
    (void)written;
    static const QString path = dir.path();
    return path;
}

double PeakMegabytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0;
}

void BM_ImportInProcess(benchmark::State& state) {
    const QString old = OldInstallation();
    const double before = PeakMegabytes();
    for (auto _ : state) {
        QTemporaryDir target;
        platform::paradox::ImportRequest request;
        request.source = old;
        request.target = target.filePath("DATA");
        const auto result = platform::paradox::ImportOldInstallation(request);
        state.counters["rows"] = result.TotalWritten();
    }
    state.counters["peak_MB_before"] = before;
    state.counters["peak_MB_after"] = PeakMegabytes();
}
BENCHMARK(BM_ImportInProcess)->Unit(benchmark::kMillisecond)->Iterations(1);

// The whole harvel-data process: wall time and its own peak resident memory.
void BM_ImportCommand(benchmark::State& state) {
    const QString old = OldInstallation();
    const QByteArray tool = bench_support::InstalledProgram("harvel-data");
    for (auto _ : state) {
        QTemporaryDir target;
        const bench_support::ChildRun run = bench_support::RunMeasured(
            tool, {QStringLiteral("import"), old, target.filePath("DATA")});
        if (!run.started) {
            state.SkipWithError("harvel-data could not be started");
            break;
        }
        if (run.exitCode != 0) {
            state.SkipWithError("harvel-data import failed");
        }
        state.counters["process_peak_MB"] = run.peakMegabytes;
        state.counters["process_s"] = run.seconds;
        state.counters["process_cpu_s"] = run.cpuSeconds;
    }
}
BENCHMARK(BM_ImportCommand)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
