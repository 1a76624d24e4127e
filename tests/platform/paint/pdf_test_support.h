#pragma once
// Drawings written through the PDF canvas and turned back into images with
// poppler's pdftoppm, beside the same drawings on the QPainter canvas, so
// the two can be compared pixel by pixel. A page of 72 units per inch
// rasterized at 72 dpi gives one pixel per unit.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>

#include "platform/paint/pdf_canvas.h"
#include "platform/paint/pdf_document.h"
#include "platform/paint/qpainter_canvas.h"
#include "tests/platform/paint/paint_test_support.h"

namespace paint_test {

using Drawing = std::function<void(platform::Canvas&)>;

inline bool HavePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty();
}

// Writes a one-page PDF of `draw` to `path`; false when the writer failed.
inline bool WritePdf(const QString& path, const Drawing& draw, QSize size, int unitsPerInch = 72,
                     const QString& title = QString()) {
    platform::PdfDocument document;
    if (!document.Open(path)) {
        return false;
    }
    document.SetTitle(title);
    document.SetCreator(QStringLiteral("Harvel"));
    platform::PdfCanvas canvas(document);
    canvas.BeginPage(size.width(), size.height(), unitsPerInch);
    draw(canvas);
    canvas.EndPage();
    return document.Finish();
}

struct ProgramOutput {
    int exitCode = -1;
    QString out;
};

inline ProgramOutput RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

// The first page of a PDF at `dpi`.
inline QImage Rasterized(const QString& pdf, int dpi = 72) {
    const QString prefix = pdf + QStringLiteral(".raster");
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

inline QImage DrawnWithQPainter(const Drawing& draw, QSize size, int unitsPerInch = 72) {
    QImage image = WhiteImage(size.width(), size.height());
    platform::QPainterCanvas canvas(&image);
    canvas.SetPixelsPerInch(unitsPerInch);
    draw(canvas);
    return image;
}

// The drawing through the PDF canvas and pdftoppm (a null image when the
// writer failed).
inline QImage DrawnThroughPdf(const QTemporaryDir& dir, const QString& name, const Drawing& draw,
                              QSize size) {
    const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
    if (!WritePdf(pdf, draw, size)) {
        return QImage();
    }
    return Rasterized(pdf);
}

// A pixel a reader sees as ink; rasterizers leave faint edges that are not.
inline bool IsInk(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 208;
}

inline int InkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += IsInk(image, x, y) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace paint_test
