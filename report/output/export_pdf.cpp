#include "report/output/export_pdf.h"

#include "platform/paint/pdf_canvas.h"
#include "platform/paint/pdf_document.h"
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
    platform::PdfDocument document;
    if (!document.Open(fileName)) {
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2")
            .arg(fileName, document.ErrorString());
    }
    document.SetTitle(title);
    document.SetCreator(QStringLiteral("Harvel"));
    platform::PdfCanvas canvas(document);
    for (int i = first; i < end && !document.Failed(); ++i) {
        const platform::VectorPicture& image = RenderPageOnPaper(output, i);
        canvas.BeginPage(image.Width(), image.Height(), image.UnitsPerInch());
        image.Play(canvas, QRect(0, 0, image.Width(), image.Height()));
        canvas.EndPage();
    }
    if (!document.Finish()) {
        // The file is replaced only by a whole document (PdfDocument::Open).
        const QString reason = document.ErrorString();
        return reason.isEmpty()
                   ? QStringLiteral("Soubor \"%1\" nelze zapsat.").arg(fileName)
                   : QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(fileName, reason);
    }
    return QString();
}
