// The template designer on a template of 500 elements: opening it in the
// window (loading the state and painting the window), one undo or redo, and
// one step of an element drag from the mouse move to the repainted band.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/store/store.h"
#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/engine/sestavy.h"

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "designer_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Ten columns of 50 rows in the body: texts, fields, lines and frames.
TPredloha BigTemplate() {
    QStringList lines = {
        QStringLiteral("I,0,\"Pět set prvků\""),
        QStringLiteral("I,1,10,52,6"),
        QStringLiteral("I,2,0,826,1169,50,50,70,70,1,0"),
        QStringLiteral("I,3,0,1,60,0"),
        QStringLiteral("I,3,1,0,0,0"),
        QStringLiteral("I,3,2,1,1000,0"),
        QStringLiteral("I,3,3,0,0,0"),
        QStringLiteral("I,3,4,0,0,0"),
        QStringLiteral("I,5,0"),
        QStringLiteral("I,6,0,8,8,0,1,1,1"),
        QStringLiteral("I,7,0,0,0,0,0,0,0,"),
    };
    for (int i = 0; i < 500; ++i) {
        const int left = (i % 10) * 72;
        const int top = (i / 10) * 20;
        switch (i % 4) {
            case 0:
                lines << QStringLiteral(
                             "T,1,0,%1,%2,70,18,Arial,9,0,0,0,0,238,\"Očkování %3\",0,0,"
                             "0,\"\",0,\"\"")
                             .arg(left)
                             .arg(top)
                             .arg(i);
                break;
            case 1:
                lines << QStringLiteral(
                             "T,2,Jmeno_registr,%1,%2,70,18,Arial,9,0,0,0,0,238,"
                             "\"Jmeno_registr\",0,0,0,\"\",0,\"\"")
                             .arg(left)
                             .arg(top);
                break;
            case 2:
                lines << QStringLiteral("T,7,0,%1,%2,70,18,,1,0,0,8,15,0,,,,,\"\",0,\"\"")
                             .arg(left)
                             .arg(top);
                break;
            default:
                lines << QStringLiteral("T,8,8,%1,%2,70,18,,1,0,0,15,15,0,,,,,\"\",0,\"\"")
                             .arg(left)
                             .arg(top);
                break;
        }
    }
    return TPredloha(lines);
}

// A kennel database with one card, a report over it holding the big template.
struct Designed {
    Designed() {
        App();
        platform::Database::CreateSchema(dir.path());
        database = std::make_unique<platform::Database>(dir.path());
        cards = std::make_unique<platform::Table>(*database, QStringLiteral("main_card"));
        cards->Open();
        cards->Append();
        cards->FieldByName("Jmeno_registr").SetAsString(QStringLiteral("Arko z Lesní paseky"));
        cards->Post();
        source = std::make_unique<platform::DataSource>(QStringLiteral("DsCards"), cards.get());
        report.SetDataSource(source.get());
        report.IniFileName = dir.filePath(QStringLiteral("SestDLL.ini"));
        report.PrepareData();
        report.LoadFieldLists();
        report.SetPredloha(BigTemplate());
    }
    QTemporaryDir dir;
    std::unique_ptr<platform::Database> database;
    std::unique_ptr<platform::Table> cards;
    std::unique_ptr<platform::DataSource> source;
    TSestava report;
};

void BM_OpenDesigner(benchmark::State& state) {
    Designed d;
    for (auto _ : state) {
        TFormSestE window;
        window.resize(1400, 900);
        window.OpenReport(d.report, false);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        window.hide();
        state.PauseTiming();
        d.report.SetPredloha(BigTemplate());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDesigner)->Unit(benchmark::kMillisecond);

void BM_UndoRedo(benchmark::State& state) {
    Designed d;
    TFormSestE window;
    window.resize(1400, 900);
    window.OpenReport(d.report, false);
    window.show();
    window.Paper()->Band(2)->Elements()[0]->SetBox({8, 0, 70, 18});
    window.RecordStep(dsMove);
    bool undo = true;
    for (auto _ : state) {
        if (undo) {
            window.Undo();
        } else {
            window.Redo();
        }
        undo = !undo;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State& state) {
    Designed d;
    TFormSestE window;
    window.resize(1400, 900);
    window.OpenReport(d.report, false);
    window.Settings().posunMimo = true;
    window.show();
    QApplication::processEvents();
    TSesPrvek& element = *window.Paper()->Band(2)->Elements()[11];
    element.Press(QPoint(10, 5), {}, false);
    int dx = 8;
    for (auto _ : state) {
        element.MoveMouse(QPoint(10 + dx, 5), {});
        window.Paper()->Band(2)->repaint(element.geometry().adjusted(-16, -16, 16, 16));
        dx = -dx;
    }
    element.Release(QPoint(10, 5), {});
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
