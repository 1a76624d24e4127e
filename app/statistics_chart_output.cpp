#include "app/statistics_chart_output.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "app/statistics_chart.h"
#include "platform/messages.h"
#include "platform/print/printer_system.h"
#include "report/output/widgets/print_dialog.h"

namespace {

void Warn(const QString& text) {
    platform::ShowMessage(text, QStringLiteral("Varování"), platform::MessageIcon::Warning,
                          platform::mbOK);
}

void WritePdf(const breeding::ChartContent& content, QSaveFile& file) {
    QPdfWriter pdf(&file);
    pdf.setTitle(content.title);
    pdf.setCreator(QStringLiteral("Harvel"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QPainter painter(&pdf);
    PaintStatisticsChart(content, painter, QRectF(0, 0, pdf.width(), pdf.height()));
}

}  // namespace

bool SaveStatisticsChart(const breeding::ChartContent& content, const QString& path,
                         const QSize& pictureSize, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        WritePdf(content, file);
    } else if (!StatisticsChartImage(content, pictureSize).save(&file, "PNG")) {
        error = file.error() != QFileDevice::NoError ? file.errorString()
                                                     : QStringLiteral("obrázek nelze vytvořit");
        file.cancelWriting();
        return false;
    }
    if (file.error() != QFileDevice::NoError || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool PrintStatisticsChart(const breeding::ChartContent& content, QWidget* parent) {
    platform::PrinterSystem& printers = platform::Printers();
    if (printers.PrinterCount() == 0) {
        Warn(QStringLiteral("V systému není nainstalovaná žádná tiskárna."));
        return false;
    }
    TPrintDialogTyp dialog;
    dialog.ShowTemplateGroup = false;
    dialog.ShowRangeGroup = false;
    dialog.EnablePreview = false;
    dialog.EnableEdit = false;
    dialog.PrinterIndex = printers.CurrentIndex();
    if (dialog.Execute(parent) != TPrintDialogTyp::prTisk) {
        return false;
    }
    printers.SetCurrent(dialog.PrinterIndex);
    if (printers.IsTextOnly(printers.CurrentIndex())) {
        Warn(QStringLiteral("Graf nelze vytisknout na textové tiskárně."));
        return false;
    }
    printers.SetOrientation(platform::PageOrientation::Landscape);
    printers.SetCopies(dialog.Copies);
    const platform::PrinterMetrics page = printers.Metrics();
    std::unique_ptr<platform::PrintJob> job =
        printers.BeginJob(platform::JobKind::Graphic, content.title);
    if (job == nullptr || job->Aborted()) {
        Warn(QStringLiteral("Tisk se nepodařilo zahájit: %1")
                 .arg(job ? job->ErrorText() : QStringLiteral("žádná tiskárna")));
        return false;
    }
    PaintStatisticsChart(content, *job->Painter(),
                         QRectF(0, 0, page.printableWidth, page.printableHeight));
    if (!job->End()) {
        Warn(QStringLiteral("Tiskárna tisk nepřijala: %1").arg(job->ErrorText()));
        return false;
    }
    return true;
}

void CopyStatisticsChart(const breeding::ChartContent& content, const QSize& pictureSize) {
    QGuiApplication::clipboard()->setImage(StatisticsChartImage(content, pictureSize));
}
