// Enhanced metafiles come back from disk inside spool files: the reader must
// refuse or skip anything damaged without crashing, reading out of bounds or
// allocating without limit. What it accepts must replay and write again.
#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>

#include "platform/paint/qpainter_canvas.h"
#include "platform/paint/vector_picture.h"

namespace {

void EnsureApplication() {
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "emf_reader_fuzz";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)application;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    platform::VectorPicture picture;
    QString error;
    if (!picture.LoadEmf(bytes, &error)) {
        if (error.isEmpty()) {
            std::abort();  // a refusal always says why
        }
        return 0;
    }
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        platform::QPainterCanvas canvas(&image);
        picture.Play(canvas, QRect(0, 0, 48, 48));
    }
    platform::VectorPicture again;
    if (!again.LoadEmf(picture.ToEmf(), &error)) {
        std::abort();  // what we write we must read
    }
    return 0;
}
