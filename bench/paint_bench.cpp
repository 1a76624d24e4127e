// Page images: replaying an A4 page of 500 text elements onto a 600-dpi
// image, and writing it as an enhanced metafile.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "platform/paint/qpainter_canvas.h"
#include "platform/paint/vector_picture.h"

namespace {

constexpr int kPageWidth = 4960;  // A4 at 600 units per inch
constexpr int kPageHeight = 7016;

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "paint_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

// 500 text elements laid out the way the report output draws them: clipped
// to their box, baseline aligned, transparent, with explicit advances, in five
// columns of 100 rows, Arial and Times New Roman of 7 to 9 points (sizes
// times 6 on a 100 pixels-per-inch canvas, 58 to 75 pixels at 600 dpi).
platform::VectorPicture TextPage() {
    platform::VectorPicture page(kPageWidth, kPageHeight, 600);
    page.SetPixelsPerInch(100);
    const QStringList words = {QStringLiteral("Jméno psa"), QStringLiteral("Chov. stanice"),
                               QStringLiteral("Nar. 12.3.2019"), QStringLiteral("Očkování"),
                               QStringLiteral("Kůň úpěl")};
    for (int i = 0; i < 500; ++i) {
        platform::Font font;
        font.name = i % 3 == 0 ? QStringLiteral("Times New Roman") : QStringLiteral("Arial");
        font.size = 6.0 * (7 + i % 3);
        font.bold = i % 7 == 0;
        page.SetFont(font);
        const QString text = words.at(i % words.size());
        QVector<int> advances;
        for (QChar c : text) {
            advances.append(page.TextWidth(QString(c)));
        }
        const int column = i % 5;
        const int row = i / 5;
        const QRect box(250 + column * 900, 200 + row * 66, 880, 64);
        page.SetClipRect(box);
        page.SetBaselineAlignment(true);
        page.SetTransparentText(true);
        page.ExtTextOut(QPoint(box.left() + 6, box.top() + 52), text, advances);
        page.SetBaselineAlignment(false);
        page.SetTransparentText(false);
        page.ClearClip();
    }
    return page;
}

void BM_ReplayTextPageOnto600DpiImage(benchmark::State& state) {
    App();
    const platform::VectorPicture page = TextPage();
    QImage image(kPageWidth, kPageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        platform::QPainterCanvas canvas(&image);
        canvas.SetPixelsPerInch(600);
        page.Play(canvas, QRect(0, 0, kPageWidth, kPageHeight));
    }
    benchmark::DoNotOptimize(image.constBits());
    state.counters["elements"] = 500;
}
BENCHMARK(BM_ReplayTextPageOnto600DpiImage)->Unit(benchmark::kMillisecond);

// The same with a fresh white page each time, as a preview or print does.
void BM_ClearAndReplayTextPage(benchmark::State& state) {
    App();
    const platform::VectorPicture page = TextPage();
    QImage image(kPageWidth, kPageHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        platform::QPainterCanvas canvas(&image);
        canvas.SetPixelsPerInch(600);
        page.Play(canvas, QRect(0, 0, kPageWidth, kPageHeight));
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_ClearAndReplayTextPage)->Unit(benchmark::kMillisecond);

void BM_WriteTextPageAsEmf(benchmark::State& state) {
    App();
    const platform::VectorPicture page = TextPage();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray emf = page.ToEmf();
        bytes = emf.size();
        benchmark::DoNotOptimize(emf.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteTextPageAsEmf)->Unit(benchmark::kMillisecond);

void BM_ReadTextPageFromEmf(benchmark::State& state) {
    App();
    const QByteArray emf = TextPage().ToEmf();
    for (auto _ : state) {
        platform::VectorPicture loaded;
        benchmark::DoNotOptimize(loaded.LoadEmf(emf));
    }
}
BENCHMARK(BM_ReadTextPageFromEmf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
