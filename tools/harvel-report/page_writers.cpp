#include "page_writers.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTextStream>

#include "output_files.h"
#include "platform/paint/qpainter_canvas.h"
#include "report/output/export_pdf.h"
#include "report/output/output_dump.h"
#include "report/output/sestvyst.h"

namespace harvel_report {

namespace {

// The longest side of a page picture: beyond it the picture would not fit in memory.
constexpr double kMaxPngSide = 32767;

int FirstIndex(const TSestVystup& output) {
    return std::max(0, output.FirstPage - 1);
}

int EndIndex(const TSestVystup& output) {
    return std::min(output.PageCount(), output.LastPage);
}

}  // namespace

QString PageFileName(const QString& fileName, int page, const QString& extension) {
    const QFileInfo info(fileName);
    const QString stem = info.suffix().isEmpty()
                             ? fileName
                             : fileName.left(fileName.size() - info.suffix().size() - 1);
    return stem + QString::number(page) + extension;
}

QString WriteDump(const TSestVystup& output, const QString& fileName) {
    OutputFiles files;
    platform::AtomicFile* file = files.Open(fileName);
    if (file == nullptr) {
        return files.Failure();
    }
    QTextStream out(file);
    out.setEncoding(QStringConverter::Utf8);
    const int first = FirstIndex(output) + 1;
    bool keep = true;
    DumpOutput(output, [&](const QString& line) {
        if (line.startsWith(QLatin1String("page "))) {
            keep = QStringView(line).mid(5).toInt() >= first;
        }
        if (keep) {
            out << line << '\n';
        }
    });
    out.flush();
    return files.Finish(*file) && files.Commit() ? QString() : files.Failure();
}

QString WritePngs(TSestVystup& output, const QString& fileName, int dpi) {
    const int first = FirstIndex(output);
    const int end = EndIndex(output);
    if (first >= end) {
        return QStringLiteral("Sestava nemá žádnou stránku k zápisu.");
    }
    OutputFiles files;
    for (int i = first; i < end; ++i) {
        const platform::VectorPicture& image = RenderPageOnPaper(output, i);
        const double scale = double(dpi) / image.UnitsPerInch();
        const double width = image.Width() * scale;
        const double height = image.Height() * scale;
        QImage png;
        if (width >= 1 && height >= 1 && width <= kMaxPngSide && height <= kMaxPngSide) {
            png = QImage(qRound(width), qRound(height), QImage::Format_RGB32);
        }
        if (png.isNull()) {
            return QStringLiteral(
                       "Stránku %1 nelze vykreslit jako PNG: obrázek %2 × %3 bodů "
                       "(%4 dpi) je prázdný nebo příliš velký.")
                .arg(i + 1)
                .arg(qRound64(width))
                .arg(qRound64(height))
                .arg(dpi);
        }
        png.fill(Qt::white);
        const int dotsPerMetre = qRound(dpi / 0.0254);
        png.setDotsPerMeterX(dotsPerMetre);
        png.setDotsPerMeterY(dotsPerMetre);
        {
            QPainter painter(&png);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            platform::QPainterCanvas canvas(&painter);
            image.Play(canvas, QRect(0, 0, png.width(), png.height()));
        }
        const QString pageFile = PageFileName(fileName, i + 1, QStringLiteral(".png"));
        platform::AtomicFile* file = files.Open(pageFile);
        if (file == nullptr) {
            return files.Failure();
        }
        QImageWriter writer(file, "PNG");
        const bool written = writer.write(png);
        if (!files.Finish(*file)) {
            return files.Failure();
        }
        if (!written) {
            return QStringLiteral("Soubor \"%1\" nelze zapsat: %2")
                .arg(pageFile, writer.errorString());
        }
    }
    return files.Commit() ? QString() : files.Failure();
}

}  // namespace harvel_report
