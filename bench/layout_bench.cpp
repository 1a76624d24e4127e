// Text layout speed: plain text laid out into 3-inch boxes in Arial 10 with
// the advances cached, as the engine lays out every text element of a report.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "report/output/lumex_canvas.h"
#include "report/output/text_layout.h"

namespace {

const QString kSentence =
    "Příliš žluťoučký kůň úpěl ďábelské ódy. Jméno psa: Ďáblík z Horní Branné, "
    "chovatelská stanice Šťastný Řehoř, očkování proti vzteklině 12.3.2024. ";

platform::Font Arial10() {
    platform::Font font;
    font.name = "Arial";
    font.size = 10;
    return font;
}

QString TextOf(int length) {
    QString text;
    while (text.size() < length) {
        text += kSentence;
    }
    text.truncate(length);
    return text;
}

// One element's text of `state.range(0)` characters, laid out over and over.
void PlainTextIntoThreeInchBox(benchmark::State& state) {
    const QString text = TextOf(int(state.range(0)));
    TLumexCanvas canvas(100);
    const QRect box = LayoutRect(300, 100);
    const platform::Font font = Arial10();
    {
        TRadky warm;  // the advances of these characters are cached from here on
        LayoutText(canvas, box, text, warm, true, 0, 0, 0, font, false);
    }
    long long lines = 0;
    for (auto _ : state) {
        TRadky laid;
        LayoutText(canvas, box, text, laid, true, 0, 0, 0, font, false);
        lines += laid.Count();
        benchmark::DoNotOptimize(laid);
    }
    state.counters["chars/s"] =
        benchmark::Counter(double(state.iterations()) * text.size(), benchmark::Counter::kIsRate);
    state.counters["lines"] = double(lines) / double(state.iterations());
}
BENCHMARK(PlainTextIntoThreeInchBox)->Arg(40)->Arg(200)->Arg(2000);

void JustifiedTextIntoThreeInchBox(benchmark::State& state) {
    const QString text = TextOf(2000);
    TLumexCanvas canvas(100);
    for (auto _ : state) {
        TRadky laid;
        LayoutText(canvas, LayoutRect(300, 100), text, laid, true, 0, 0, 3, Arial10(), false);
        benchmark::DoNotOptimize(laid);
    }
    state.counters["chars/s"] =
        benchmark::Counter(double(state.iterations()) * text.size(), benchmark::Counter::kIsRate);
}
BENCHMARK(JustifiedTextIntoThreeInchBox);

void RtfTextIntoThreeInchBox(benchmark::State& state) {
    const QString body = TextOf(2000);
    const QString text = R"({\rtf1\ansi{\fonttbl{\f0\fswiss\fcharset238 Arial;}}\f0\fs20 )" +
                         body.left(1000) + R"(\b )" + body.mid(1000) + "}";
    TLumexCanvas canvas(100);
    for (auto _ : state) {
        TRadky laid;
        LayoutText(canvas, LayoutRect(300, 100), text, laid, true, 0, 0, 0, Arial10(), true);
        benchmark::DoNotOptimize(laid);
    }
    state.counters["chars/s"] =
        benchmark::Counter(double(state.iterations()) * body.size(), benchmark::Counter::kIsRate);
}
BENCHMARK(RtfTextIntoThreeInchBox);

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
