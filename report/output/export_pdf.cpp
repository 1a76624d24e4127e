#include "report/output/export_pdf.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "platform/paint/qpainter_canvas.h"
#include "report/output/sestvyst.h"

const platform::VectorPicture& RenderPageOnPaper(TSestVystup& output, int index) {
    output.PaperGeometry = true;
    output.RenderPage(index, output.PrintBackground);
    output.PaperGeometry = false;
    return output.PageImage();
}

QString SavePdfFile(TSestVystup& output, const QString& fileName, const QString& title) {
    const int first = std::max(0, output.FirstPage - 1);
    const int end = std::min(output.PageCount(), output.LastPage);
    if (first >= end) {
        return QStringLiteral("Sestava nemá žádnou stránku k zápisu.");
    }
    // QPdfWriter says nothing of a file it cannot create; ask the file first.
    QFile probe(fileName);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(fileName, probe.errorString());
    }
    probe.close();
    QPdfWriter writer(fileName);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Harvel"));
    QPainter painter;
    for (int i = first; i < end; ++i) {
        const platform::VectorPicture& image = RenderPageOnPaper(output, i);
        const int units = image.UnitsPerInch();
        writer.setResolution(units);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setPageSize(
            QPageSize(QSizeF(double(image.Width()) / units, double(image.Height()) / units),
                      QPageSize::Inch, QString(), QPageSize::ExactMatch));
        if (i == first) {
            if (!painter.begin(&writer)) {
                return QStringLiteral("Soubor \"%1\" nelze zapsat.").arg(fileName);
            }
        } else {
            writer.newPage();
        }
        platform::QPainterCanvas canvas(&painter);
        image.Play(canvas, QRect(0, 0, image.Width(), image.Height()));
    }
    painter.end();
    return QString();
}
