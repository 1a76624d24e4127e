// RTF texts come from memo fields users fill: the reader and the layout behind
// it must end cleanly on anything. The first bytes choose the layout options,
// the rest is the RTF text (as UTF-8, so any byte sequence is a text).
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

#include "report/output/lumex_canvas.h"
#include "report/output/text_drawing.h"
#include "report/output/text_layout.h"

namespace {

void EnsureApplication() {
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "rtf_reader_fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void CheckLines(const TRadky& lines) {
    Check(lines.Count() >= 1);
    for (const TRadek& line : lines) {
        Check(line.Height >= 0);
        for (const TFragment& fragment : line.Fragments) {
            Check(fragment.X.size() == fragment.Count() + 1);
        }
    }
    int used = 0;
    int last = 0;
    FitLines(lines, 0, 100, used, last);
    Check(last >= -1 && last < lines.Count());
    Check(TotalHeight(lines, 0) >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureApplication();
    if (size < 2) {
        return 0;
    }
    const uint8_t options = data[0];
    const int width = data[1] * 2;
    const bool wrap = (options & 1) != 0;
    const int alignment = (options >> 1) & 3;
    const double charSpacing = (options & 8) ? 10 : 0;
    const double lineHeight = (options & 16) ? 16.6667 : 0;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

    platform::Font font;
    font.name = "Arial";
    font.size = 10;
    TLumexCanvas canvas(100);
    TRadky lines;
    LayoutText(canvas, LayoutRect(width, 100), text, lines, wrap, lineHeight, charSpacing,
               alignment, font, true);
    CheckLines(lines);
    // Drawing goes through a canvas without a device: the position arithmetic
    // still runs on whatever the layout produced.
    DrawLines(canvas, QRect(0, 0, width, 100), 0, lines.Count() - 1, lines, 6, 6, font);
    return 0;
}
