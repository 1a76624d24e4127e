// Speed of reading a template into a report: the bytes of a .pts file with
// 5,000 element lines decoded, split into records and applied (settings,
// user functions, elements of every section, detail lines).

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "report/engine/predloha.h"
#include "report/engine/sestava_layout.h"

namespace {

class BenchLayout : public TSestavaLayout {
  public:
    int FieldCount() const override { return static_cast<int>(fields.size()); }
    int FindField(const QString& name) const override {
        for (int index = 0; index < fields.size(); ++index) {
            if (fields[index].compare(name, Qt::CaseInsensitive) == 0) {
                return index;
            }
        }
        return -1;
    }
    QStringList fields = {"Jmeno_registr",   "Datum_osetreni", "Duvod_osetreni", "Popis_osetreni",
                          "Vysled_osetreni", "Dalsi_navsteva", "Lekar",          "Preparaty",
                          "Poznamka",        "Otec",           "Matka",          "plemeno",
                          "Datum_Nar",       "Pohlavi",        "Vlastnictvi",    "Vlast_odchov",
                          "Registr",         "Registr_Cislo"};
};

// A template with settings, two groups, eight functions and `elements`
// element lines of every kind spread over all sections.
QByteArray LargeTemplate(int elements) {
    QStringList lines = {
        R"t(I,0,"Velká předloha")t",
        "I,1,10,52,6",
        "I,2,0,826,1169,50,50,70,70,1,0",
        "I,3,0,1,40,0",
        "I,3,1,1,40,0",
        "I,3,2,1,200,0",
        "I,3,3,1,40,0",
        "I,3,4,1,30,0",
        R"t(I,4,0,"plemeno",1,30,1,30,0)t",
        R"t(I,4,1,"UPPER(#1)",1,30,1,30,0)t",
        "I,5,1",
        "I,6,0,8,8,0,1,1,0",
        "I,7,0,0,0,0,0,0,0,",
    };
    for (int function = 0; function < 8; ++function) {
        lines.append(QStringLiteral(R"t(F,%1,Funkce%2,"Součet %2",0,"0",2,"#9 + %1",2,15,2,2)t")
                         .arg(function)
                         .arg(function + 1));
    }
    const QStringList codes = {"Z", "H", "T", "T", "T", "K", "P", "S0", "U0", "S1", "U1"};
    const QStringList bodies = {
        R"t(1,0,%1,%2,200,20,Arial,10,0,1,2,0,238,"Popis ""%3""",0,0,0,"",0,"")t",
        R"t(2,Lekar,%1,%2,200,20,Arial,10,0,0,80,0,238,"Lekar",0,0,0,"#3 <> ''",0,"")t",
        R"t(2,%3,%1,%2,200,20,Times New Roman,9,0,0,0,15,238,"",0,0,0,"",0,"")t",
        R"t(3,Datum_Nar,%1,%2,100,20,Arial CE,-50,7,0,1,0,0,"",0,0,0,"",0,"")t",
        R"t(5,3,%1,%2,100,20,Arial,8,0,0,1,0,238,"Strana %d",0,0,0,"",0,"")t",
        R"t(6,Funkce3,%1,%2,100,20,Arial,10,0,1,1,0,238,"Funkce3",0,0,0,"",1,"f")t",
        R"t(7,0,%1,%2,700,0,,2,0,0,8,15,0,,,,,"",0,"")t",
        R"t(8,8,%1,%2,300,40,,1,0,1,0,8,0,,,,,"",0,"")t",
        R"t(11,0,%1,%2,100,80,,1,0,0,49,15,0,"pes%3.jpg",,,,"",0,"")t",
        R"t(12,0,%1,%2,120,60,,8,0,5,48,15,0,"#Registr_Cislo",0,0,0,"",0,"")t",
    };
    for (int element = 0; element < elements; ++element) {
        const QString body = QString(bodies[element % bodies.size()])
                                 .replace(QStringLiteral("%1"), QString::number(element % 700))
                                 .replace(QStringLiteral("%2"), QString::number(element % 180))
                                 .replace(QStringLiteral("%3"), QString::number(element % 18));
        lines.append(codes[element % codes.size()] + u',' + body);
    }
    TPredloha predloha(lines);
    return predloha.ToBytes();
}

void BM_ReadAndApplyTemplate(benchmark::State& state) {
    const QByteArray bytes = LargeTemplate(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        BenchLayout report;
        TPredloha predloha;
        predloha.LoadFromBytes(bytes);
        report.SetPredloha(std::move(predloha));
        benchmark::DoNotOptimize(report.Oddily().Fixed(2).Count());
    }
    state.counters["lines"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ReadAndApplyTemplate)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_WriteTemplate(benchmark::State& state) {
    BenchLayout report;
    TPredloha predloha;
    predloha.LoadFromBytes(LargeTemplate(static_cast<int>(state.range(0))));
    report.SetPredloha(std::move(predloha));
    for (auto _ : state) {
        benchmark::DoNotOptimize(report.WriteTemplate().ToBytes());
    }
}
BENCHMARK(BM_WriteTemplate)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The font list the reader checks script suffixes against needs the GUI side of Qt.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
