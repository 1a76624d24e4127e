#include "report/output/widgets/report_windows.h"

#include <QDir>
#include <QFileInfo>

#include "platform/atomic_file.h"
#include "platform/messages.h"
#include "platform/print/printer_system.h"
#include "report/output/code_pages.h"
#include "report/output/export_pdf.h"
#include "report/output/sestexport.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"
#include "report/output/widgets/forminfo.h"
#include "report/output/widgets/preview_printing.h"
#include "report/output/widgets/print_options_window.h"

namespace {

// One page as a whole HTML file; its pictures lie beside it, named after it.
bool SaveHtmlFile(TSestVystup& output, const QString& fileName, int page) {
    platform::AtomicFile file(fileName);
    if (!file.Open()) {
        return false;
    }
    const QFileInfo info(fileName);
    HtmlHeader(file);
    const bool written =
        SaveHtmlPage(output, file, info.absolutePath() + QLatin1Char('/'), page, info.fileName());
    HtmlTrailer(file);
    return written && file.Commit();
}

// The printer a print goes to: the one named, else the index, -1 being the
// current printer.
int ChosenPrinter(int printerIndex, const QString& printerName) {
    platform::PrinterSystem& printers = platform::Printers();
    if (!printerName.isEmpty()) {
        const int named = int(printers.PrinterNames().indexOf(printerName));
        if (named >= 0) {
            return named;
        }
    }
    return printerIndex == -1 ? printers.CurrentIndex() : printerIndex;
}

}  // namespace

TPreviewExports ReportPreviewExports() {
    TPreviewExports exports;
    exports.SaveText = [](TSestVystup& output, const QString& file) {
        QString lost;
        const bool saved = SaveText(output, file, &lost);
        if (saved && !lost.isEmpty()) {
            platform::ShowMessage(LostCharactersWarning(lost), QStringLiteral("Varování"),
                                  platform::MessageIcon::Warning);
        }
        return saved;
    };
    exports.SaveRtf = [](TSestVystup& output, const QString& file) {
        return SaveRtfFile(output, file);
    };
    exports.SaveMetafile = [](TSestVystup& output, const QString& file, int page, bool enhanced) {
        return SaveMetafileFile(output, file, page, false, output.PrintBackground, enhanced);
    };
    exports.SaveHtml = SaveHtmlFile;
    exports.SaveHtmlIndex = [](TSestVystup& output, const QString& file,
                               const QStringList& pageFiles) {
        return SaveHtmlIndexFile(file, pageFiles, output.Title);
    };
    exports.SaveSpool = [](TSestVystup& output, const QString& file) {
        return SaveSpoolFile(output, file, output.PrintBackground, QString());
    };
    exports.SavePdf = [](TSestVystup& output, const QString& file) {
        return SavePdfFile(output, file, output.Title);
    };
    return exports;
}

bool OpenReportPreview(TSestava& report, const TWindowPlace& place, bool editEnabled) {
    TSestVystup& output = report.Output();
    TFormSestP form;
    // The window opens where the user last closed a preview, not at the
    // place the caller proposes.
    form.SetZoomLevel(TFormSestP::NearestZoomLevel(place.zoom));
    form.SetEditEnabled(editEnabled);
    form.SetUserAction(bool(report.OnPreviewCustomEvent), QString());
    form.SetPrintEnabled(true);
    form.SetBackground(output.Background, output.BackgroundRect, output.PrintBackground);
    form.SetExports(ReportPreviewExports());
    AttachPreviewPrinting(form);
    form.OnBeforePrint = [&report] {
        if (report.BeforePrintPreview) {
            report.BeforePrintPreview(report);
        }
    };
    form.OnAfterPrint = [&report] {
        if (report.AfterPrintPreview) {
            report.AfterPrintPreview(report);
        }
    };
    form.OnUserAction = [&report](int page) {
        if (report.OnPreviewCustomEvent) {
            report.OnPreviewCustomEvent(report, page);
        }
    };
    form.ShowOutput(output);
    form.SetRunWarnings(report.RunErrors().Messages());
    return form.Preview();
}

int PrintReportOutput(TSestava& report, int printerIndex, const QString& printerName) {
    TSestVystup& output = report.Output();
    platform::PrinterSystem& printers = platform::Printers();
    const int previous = printers.CurrentIndex();
    TFormInfo progress;
    ShowSendingToPrinter(progress);

    const int index = ChosenPrinter(printerIndex, printerName);
    const bool textOnly = IsTextOnlyPrinter(index, QString(), true);
    SelectPrinter(-1);
    const bool printed = textOnly
                             ? output.PrintText(output.FirstPage, output.LastPage,
                                                progress.StopFlag(), output.Title, output.Copies)
                             : output.Print(output.FirstPage, output.LastPage, progress.StopFlag(),
                                            output.Title, output.Copies);
    progress.hide();
    if (previous >= 0) {
        SelectPrinter(previous);
    }
    if (printed) {
        return seOK;
    }
    // A refusal has been shown with its reason by the printing itself.
    return output.PrintError.isEmpty() ? sePreruseno : seJina;
}

void InstallReportWindows() {
    SetPreviewWindowHook([](TSestava& report, const TWindowPlace& place) {
        return OpenReportPreview(report, place, false);
    });
    SetPrinterHook(PrintReportOutput);
    InstallPrintOptionsWindow();
    InstallRunProgressWindow();
}
