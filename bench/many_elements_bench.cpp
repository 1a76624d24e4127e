// Templates with very many elements: a one-record report whose body holds n
// elements (texts, fields, functions, lines, frames) is applied and run, and
// its page is read in draw order. The time must grow with n, not with n².
#include <benchmark/benchmark.h>

#include <QApplication>

#include "report/engine/predloha.h"
#include "report/engine/sestavyt.h"

namespace {

class OneRecordReport : public TSestavaTyp {
  public:
    int FieldCount() const override { return 3; }
    int FindField(const QString& name) const override {
        const QStringList names = {"Jmeno", "Plemeno", "Vek"};
        return int(names.indexOf(name));
    }
    int DataType(int i) override { return i == 2 ? ftsInteger : ftsString; }
    QString ValueText(int i) override { return QStringLiteral("Hodnota %1").arg(i); }
    double ValueNumber(int i) override { return i; }
    TStepResult StepData(TStepDir dir) override { return dir == sdFirst ? srOK : srEof; }
};

TPredloha ManyElements(int count) {
    QStringList lines = {
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,2,1,1000,0"),
        QStringLiteral("F,0,Soucet,\"Součet\",0,\"0\",0,\"#Vek+1\",2,15,2,2"),
    };
    const QStringList bodies = {
        QStringLiteral("1,0,%1,%2,100,20,Arial,10,0,0,0,0,238,\"Text %3\",0,0,0,\"\",0,\"\""),
        QStringLiteral("2,Jmeno,%1,%2,100,20,Arial,10,0,0,16,0,238,\"Jmeno\",0,0,0,\"\",0,\"\""),
        QStringLiteral("6,Soucet,%1,%2,100,20,Arial,10,0,2,0,0,238,\"Soucet\",0,0,0,\"\",0,\"\""),
        QStringLiteral("7,0,%1,%2,100,0,,1,0,0,1,15,0,,,,,\"\",0,\"\""),
        QStringLiteral("8,8,%1,%2,100,20,,1,0,0,15,15,0,,,,,\"\",0,\"\""),
    };
    for (int i = 0; i < count; ++i) {
        lines << QStringLiteral("T,") +
                     QString(bodies[i % bodies.size()]).arg(i % 700).arg((i * 7) % 980).arg(i);
    }
    return TPredloha(lines);
}

void BM_ApplyAndRunManyElements(benchmark::State& state) {
    const TPredloha lines = ManyElements(int(state.range(0)));
    int placed = 0;
    for (auto _ : state) {
        OneRecordReport report;
        report.SetPredloha(lines);
        report.Run(true);
        const TStranaPrvku& page = report.Output().Page(0);
        placed = page.Count();
        int drawnFirst = 0;
        for (int i = 0; i < page.Count(); ++i) {
            drawnFirst += page.Item(i).Kind();
        }
        benchmark::DoNotOptimize(drawnFirst);
    }
    state.counters["placed"] = placed;
}
BENCHMARK(BM_ApplyAndRunManyElements)
    ->Arg(5000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
