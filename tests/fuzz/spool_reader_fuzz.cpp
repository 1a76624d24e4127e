// Spool files are read back from disk: any bytes must end in pages or a
// refusal that says why, never a crash, an out-of-bounds read or an
// allocation without limit. The pages read must render.
#include <QBuffer>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

#include "report/output/sestexport.h"
#include "report/output/sestvyst.h"

namespace {

void EnsureApplication() {
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "spool_reader_fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureApplication();
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    buffer.open(QIODevice::ReadOnly);
    TSestVystup output;
    QString error;
    if (!LoadSpool(output, buffer, &error) && error.isEmpty()) {
        std::abort();  // a refusal always says why
    }
    if (!output.FromSpool) {
        std::abort();
    }
    for (int page = 0; page < output.PageCount(); ++page) {
        output.RenderPage(page, false);
    }
    return 0;
}
