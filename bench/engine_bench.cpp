// A list report of 10,000 records on A4: one body line with 8 fields, a page
// header and footer with the page number and the total page count, one group
// with a sum function in its footer. Measures the run into the page model and
// writing all its pages to PDF.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include "report/engine/predloha.h"
#include "report/engine/sestavyt.h"
#include "report/output/export_pdf.h"
#include "report/output/sestvyst.h"

namespace {

constexpr int kRecords = 10000;
constexpr int kFields = 8;

class GeneratedReport : public TSestavaTyp {
  public:
    int FieldCount() const override { return kFields; }
    int FindField(const QString& name) const override {
        const int i = name.mid(4).toInt() - 1;
        return name.startsWith("Pole") && i >= 0 && i < kFields ? i : -1;
    }
    int DataType(int i) override { return i == 7 ? ftsInteger : ftsString; }
    QString ValueText(int i) override {
        if (i == 0) {
            return QStringLiteral("Skupina %1").arg(current_ / 50);
        }
        if (i == 7) {
            return QString::number(current_ % 97);
        }
        return QStringLiteral("Hodnota %1/%2").arg(current_).arg(i);
    }
    double ValueNumber(int i) override { return i == 7 ? current_ % 97 : 0.0; }
    TStepResult StepData(TStepDir dir) override {
        current_ = dir == sdFirst ? 0 : current_ + 1;
        return current_ < kRecords ? srOK : srEof;
    }

  private:
    int current_ = 0;
};

QString TextElement(const QString& code, int kind, int source, int left, int top, int width,
                    const QString& text = QString()) {
    return QStringLiteral("%1,%2,%3,%4,%5,%6,18,Arial,9,0,0,0,0,238,\"%7\",0,0,0,\"\",0,\"\"")
        .arg(code)
        .arg(kind)
        .arg(source)
        .arg(left)
        .arg(top)
        .arg(width)
        .arg(text);
}

TPredloha ListTemplate() {
    QStringList lines = {
        "I,1,10,52,6",
        "I,2,0,826,1169,50,50,70,70,1,0",
        "I,3,1,1,30,0",
        "I,3,2,1,18,0",
        "I,3,4,1,30,0",
        "I,4,0,\"Pole1\",1,20,1,20,0",
        "F,1,Soucet,\"Součet\",0,0,2,\"#8\",2,15,0,0",
    };
    lines << TextElement("H", 1, 0, 0, 0, 300, "Seznam") << TextElement("H", 5, 3, 600, 0, 100);
    for (int f = 0; f < kFields; ++f) {
        lines << TextElement("T", 2, f, f * 90, 0, 88);
    }
    lines << TextElement("S0", 2, 0, 0, 0, 300);
    lines << TextElement("U0", 6, 0, 600, 0, 100);
    lines << TextElement("P", 5, 3, 500, 0, 100) << TextElement("P", 5, 4, 620, 0, 100);
    return TPredloha(lines);
}

void BM_ListReportRun(benchmark::State& state) {
    GeneratedReport report;
    report.SetPredloha(ListTemplate());
    int pages = 0;
    for (auto _ : state) {
        report.SetPredloha(ListTemplate());
        report.Run(true);
        pages = report.Output().PageCount();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_second"] =
        benchmark::Counter(pages * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListReportRun)->Unit(benchmark::kMillisecond)->Iterations(3);

// What `harvel-report --format pdf` does with the pages: SavePdfFile into a
// file.
void BM_ListReportToPdf(benchmark::State& state) {
    GeneratedReport report;
    report.SetPredloha(ListTemplate());
    report.Run(true);
    TSestVystup& output = report.Output();
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("list.pdf"));
    for (auto _ : state) {
        const QString error = SavePdfFile(output, file, QStringLiteral("Seznam"));
        if (!error.isEmpty()) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        state.counters["pdf_bytes"] = double(QFileInfo(file).size());
    }
    state.counters["pages"] = output.PageCount();
}
BENCHMARK(BM_ListReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

// The page images SavePdfFile plays, without writing them: what the PDF
// writer itself adds is the difference to BM_ListReportToPdf.
void BM_ListReportPageImagesForPdf(benchmark::State& state) {
    GeneratedReport report;
    report.SetPredloha(ListTemplate());
    report.Run(true);
    TSestVystup& output = report.Output();
    qint64 operations = 0;
    for (auto _ : state) {
        for (int page = 0; page < output.PageCount(); ++page) {
            operations += RenderPageOnPaper(output, page).Content().ops.size();
        }
    }
    benchmark::DoNotOptimize(operations);
    state.counters["pages"] = output.PageCount();
}
BENCHMARK(BM_ListReportPageImagesForPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
