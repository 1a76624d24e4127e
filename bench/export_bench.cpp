// Export speed: a list report of 10,000 rows (four laid-out texts and a rule
// per row, 60 rows a page) written as HTML pages, one RTF document and
// character-cell text.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <deque>

#include "report/model/lumex_element.h"
#include "report/output/lumex_canvas.h"
#include "report/output/sestexport.h"
#include "report/output/sestvyst.h"
#include "report/output/text_layout.h"

namespace {

constexpr int kRows = 10000;
constexpr int kRowsPerPage = 60;

struct ListReport {
    std::deque<TLumexReportElement> columns;
    TLumexReportElement rule;
    TSestVystup output;

    ListReport() {
        const int widths[] = {250, 120, 150, 200};
        for (int c = 0; c < 4; ++c) {
            TLumexReportElement& column = columns.emplace_back();
            column.kind = ekField;
            column.width = widths[c];
            column.height = 16;
        }
        rule.kind = ekLine;
        rule.width = 720;
        rule.height = 1;
        rule.frameFlags = ffBottom;
        TLumexCanvas canvas(100);
        for (int row = 0; row < kRows; ++row) {
            const int page = row / kRowsPerPage;
            const int top = (row % kRowsPerPage) * 17;
            int left = 0;
            const QString texts[] = {QStringLiteral("Ďáblík z Horní Branné %1").arg(row),
                                     QStringLiteral("%1.3.2024").arg(row % 28 + 1),
                                     QStringLiteral("Šťastný Řehoř"), QStringLiteral("vzteklina")};
            for (int c = 0; c < 4; ++c) {
                TLumexReportElement& column = columns[size_t(c)];
                TRadky lines;
                LayoutText(canvas, LayoutRect(column.width, column.height), texts[c], lines, false,
                           0, 0, 0, column.font.CanvasFont(), false);
                auto placed =
                    std::make_unique<TVystPrvek>(&column, left, top, column.width, column.height);
                placed->SetLines(lines);
                output.AddElement(std::move(placed), page);
                left += column.width;
            }
            output.AddElement(std::make_unique<TVystPrvek>(&rule, 0, top + 16, 720, 1), page);
        }
    }
};

ListReport& Report() {
    static ListReport report;
    return report;
}

void BM_ExportHtmlAllPages(benchmark::State& state) {
    ListReport& report = Report();
    QTemporaryDir dir;
    for (auto _ : state) {
        for (int page = 0; page < report.output.PageCount(); ++page) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            HtmlHeader(buffer);
            SaveHtmlPage(report.output, buffer, dir.path(), page, QStringLiteral("a.html"));
            HtmlTrailer(buffer);
            benchmark::DoNotOptimize(buffer.data().size());
        }
    }
}
BENCHMARK(BM_ExportHtmlAllPages)->Unit(benchmark::kMillisecond);

void BM_ExportRtf(benchmark::State& state) {
    ListReport& report = Report();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        SaveRtf(report.output, buffer);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_ExportRtf)->Unit(benchmark::kMillisecond);

void BM_ExportText(benchmark::State& state) {
    ListReport& report = Report();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        SaveTextStream(report.output, buffer, 1, report.output.PageCount(), 1);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
