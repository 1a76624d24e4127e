// Printing the output: graphic printers get each page image stretched to the
// printer's resolution and shifted by its unprintable strips; text-only
// printers get the pages as rows of characters, sent raw.

#include <QBuffer>
#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "platform/messages.h"
#include "platform/paint/qpainter_canvas.h"
#include "platform/print/printer_system.h"
#include "report/output/char_field.h"
#include "report/output/code_pages.h"
#include "report/output/print_options.h"
#include "report/output/sestexport.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"

namespace {

const char kFormFeed = '\f';

bool Stopped(const bool* stopFlag) {
    return stopFlag && *stopFlag;
}

// Lets the progress window's "Přerušit" be pressed while pages go out.
void PumpMessages() {
    QCoreApplication::processEvents();
}

struct TPageRange {
    int First = 1;
    int Last = 0;
    bool IsEmpty() const { return First > Last; }
};

// 1-based pages: a first page of 0 or less becomes 1, the last page is cut
// to the pages there are.
TPageRange ClampRange(int firstPage, int lastPage, int pageCount) {
    return TPageRange{std::max(firstPage, 1), std::min(lastPage, pageCount)};
}

// A rectangle given by its left, top, right and bottom edges (right and
// bottom excluded, as a stretch target), each multiplied by zoom / 100 with
// the integer division.
QRect ZoomedTarget(int left, int top, int right, int bottom, int zoom) {
    if (zoom != 100) {
        left = left * zoom / 100;
        top = top * zoom / 100;
        right = right * zoom / 100;
        bottom = bottom * zoom / 100;
    }
    return QRect(left, top, right - left, bottom - top);
}

// Where the page goes on the printer's sheet, in hundredths of an inch, and
// how many printer dots a hundredth is.
struct TSheetGeometry {
    int ShiftX = 0;
    int ShiftY = 0;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    int StepX = 0;  // how far one tile column moves the page
    int StepY = 0;
    TPrintOptions Options;
};

TSheetGeometry SheetGeometry(const TPaperSetup& paper, const TPrinterMetrics& metrics) {
    TSheetGeometry geometry;
    geometry.ShiftX = paper.MarginLeft - metrics.OffsetX();
    geometry.ShiftY = paper.MarginTop - metrics.OffsetY();
    geometry.ScaleX = metrics.DpiX / 100.0;
    geometry.ScaleY = metrics.DpiY / 100.0;
    geometry.StepX = metrics.PhysicalWidthHundredths() - paper.MarginLeft - paper.MarginRight;
    geometry.StepY = metrics.PhysicalHeightHundredths() - paper.MarginTop - paper.MarginBottom;
    return geometry;
}

bool SheetSmallerThanPaper(const TPaperSetup& paper, const TPrinterMetrics& metrics) {
    return metrics.PhysicalWidthHundredths() < 0.99 * paper.OrientedWidth() ||
           metrics.PhysicalHeightHundredths() < 0.99 * paper.OrientedHeight();
}

TPrintOptionsRequest OptionsRequest(const TPaperSetup& paper) {
    TPrintOptionsRequest request;
    request.PaperWidth = paper.OrientedWidth();
    request.PaperHeight = paper.OrientedHeight();
    request.MarginLeft = paper.MarginLeft;
    request.MarginTop = paper.MarginTop;
    request.MarginRight = paper.MarginRight;
    request.MarginBottom = paper.MarginBottom;
    return request;
}

QString NoPrinterText() {
    return QStringLiteral("V systému není nainstalovaná žádná tiskárna.");
}

QString EmptyRangeText(int firstPage, int lastPage, int pageCount) {
    return QStringLiteral(
               "Zadaný rozsah stránek (%1 až %2) je mimo tiskovou sestavu "
               "(počet stran: %3).")
        .arg(firstPage)
        .arg(LastPageText(lastPage))
        .arg(pageCount);
}

QString JobFailedText(const QString& title, const QString& reason) {
    const QString job = title.isEmpty() ? QStringLiteral("Tiskovou úlohu")
                                        : QStringLiteral("Tiskovou úlohu \"%1\"").arg(title);
    if (reason.isEmpty()) {
        return job + QStringLiteral(" se nepodařilo vytisknout.");
    }
    return job + QStringLiteral(" se nepodařilo vytisknout: ") + reason;
}

// One job on the current printer for the duration of a run; a job left
// unfinished (an early return) is withdrawn at the spooler.
class TRunJob {
  public:
    TRunJob(platform::JobKind kind, const QString& title)
        : job_(platform::Printers().BeginJob(kind, title)) {}
    ~TRunJob() {
        if (job_ && !finished_) {
            job_->Abort();
        }
    }

    // Whether the printer took the document; ErrorText says why not.
    bool Started() const { return job_ && !job_->Aborted(); }
    platform::PrintJob& Job() { return *job_; }
    void Abort() {
        finished_ = true;
        job_->Abort();
    }
    // Hands the document to the spooler; false when it was not taken.
    bool End() {
        finished_ = true;
        return job_->End() && !job_->Aborted();
    }
    QString ErrorText() const { return job_ ? job_->ErrorText() : NoPrinterText(); }

  private:
    std::unique_ptr<platform::PrintJob> job_;
    bool finished_ = false;
};

// How one run (one document at the spooler) ended.
enum class TRunResult { Printed, Stopped, Failed };

struct TRunOutcome {
    TRunResult Result = TRunResult::Printed;
    QString Error;  // for Failed: the message for the user
};

TRunOutcome RunFailed(const QString& title, const QString& reason) {
    return TRunOutcome{TRunResult::Failed, JobFailedText(title, reason)};
}

// Keeps the reason in the output and shows it; the print answers false.
bool FailPrint(TSestVystup& output, const QString& text, platform::MessageIcon icon) {
    output.PrintError = text;
    platform::ShowMessage(text,
                          icon == platform::MessageIcon::Warning ? QStringLiteral("Varování")
                                                                 : QStringLiteral("Chyba"),
                          icon);
    return false;
}

// Closes a run whose pages all went out: withdrawn when the stop flag came
// up after the last page, otherwise handed to the spooler.
TRunOutcome EndRun(TRunJob& run, const bool* stopFlag, const QString& title) {
    if (Stopped(stopFlag)) {
        run.Abort();
        return TRunOutcome{TRunResult::Stopped, QString()};
    }
    if (!run.End()) {
        return RunFailed(title, run.ErrorText());
    }
    return TRunOutcome{};
}

// The answer of Print and PrintText after a run.
bool Finish(TSestVystup& output, const TRunOutcome& outcome) {
    if (outcome.Result == TRunResult::Failed) {
        return FailPrint(output, outcome.Error, platform::MessageIcon::Error);
    }
    return outcome.Result == TRunResult::Printed;
}

}  // namespace

// ---- graphic printers ------------------------------------------------------------------

namespace {

// Stretches the background and the page image onto one sheet: tile (column,
// row) of the page.
void DrawTile(const TSestVystup& output, platform::Canvas& canvas, const TSheetGeometry& sheet,
              int column, int row) {
    const TPaperSetup& paper = PaperSetup();
    const int zoom = sheet.Options.Zoom;
    const int shiftX = sheet.ShiftX - column * sheet.StepX;
    const int shiftY = sheet.ShiftY - row * sheet.StepY;
    if (output.PrintBackground && output.Background) {
        const QRect& rect = output.BackgroundRect;
        const int dx = shiftX - paper.MarginLeft;
        const int dy = shiftY - paper.MarginTop;
        output.Background->Draw(canvas,
                                ZoomedTarget(nint((rect.left() + dx) * sheet.ScaleX),
                                             nint((rect.top() + dy) * sheet.ScaleY),
                                             nint((rect.right() + dx) * sheet.ScaleX) + 1,
                                             nint((rect.bottom() + dy) * sheet.ScaleY) + 1, zoom));
    }
    output.PageImage().Play(
        canvas, ZoomedTarget(nint(shiftX * sheet.ScaleX), nint(shiftY * sheet.ScaleY),
                             nint((output.PageWidth + shiftX) * sheet.ScaleX) + 1,
                             nint((output.PageHeight + shiftY) * sheet.ScaleY) + 1, zoom));
}

// One document: pages range.First..range.Last, each on Columns x Rows sheets.
TRunOutcome PrintGraphicRun(TSestVystup& output, TPageRange range, const bool* stopFlag,
                            const QString& title, const TSheetGeometry& sheet) {
    TRunJob run(platform::JobKind::Graphic, title);
    if (!run.Started()) {
        return RunFailed(title, run.ErrorText());
    }
    platform::PrintJob& job = run.Job();
    if (!job.Painter()) {
        run.Abort();
        return RunFailed(title, job.ErrorText());
    }
    bool firstSheet = true;
    for (int page = range.First; page <= range.Last && !Stopped(stopFlag); ++page) {
        PumpMessages();
        // The background goes on the whole sheet below, so the page image is
        // rendered without it.
        output.CurrentPage = page - 1;
        output.RenderPage(page - 1, false);
        for (int row = 0; row < sheet.Options.Rows; ++row) {
            for (int column = 0; column < sheet.Options.Columns; ++column) {
                PumpMessages();
                if (Stopped(stopFlag)) {
                    run.Abort();
                    return TRunOutcome{TRunResult::Stopped, QString()};
                }
                if (!firstSheet && !job.NewPage()) {
                    run.Abort();
                    return RunFailed(title, job.ErrorText());
                }
                firstSheet = false;
                platform::QPainterCanvas canvas(job.Painter());
                DrawTile(output, canvas, sheet, column, row);
            }
        }
    }
    return EndRun(run, stopFlag, title);
}

}  // namespace

bool TSestVystup::Print(int firstPage, int lastPage, const bool* stopFlag, const QString& title,
                        int copies) {
    PrintError.clear();
    if (PageCount() == 0) {
        return true;
    }
    const TPageRange range = ClampRange(firstPage, lastPage, PageCount());
    if (range.IsEmpty()) {
        return FailPrint(*this, EmptyRangeText(firstPage, lastPage, PageCount()),
                         platform::MessageIcon::Warning);
    }
    SelectPrinter(-1);
    if (!PrinterState().PrinterPresent) {
        return FailPrint(*this, NoPrinterText(), platform::MessageIcon::Warning);
    }
    const TPaperSetup& paper = PaperSetup();
    if (!paper.OrientationMayChange) {
        SetPrinterOrientation(paper.Orientation);
    }
    TSheetGeometry sheet = SheetGeometry(paper, PrinterMetrics());
    if (SheetSmallerThanPaper(paper, PrinterMetrics())) {
        TPrintOptions options;
        if (!AskPrintOptions(OptionsRequest(paper), options)) {
            return false;
        }
        // The window may have turned the printer's medium: measure it again.
        sheet = SheetGeometry(paper, PrinterMetrics());
        sheet.Options.Rows = std::max(options.Rows, 1);
        sheet.Options.Columns = std::max(options.Columns, 1);
        sheet.Options.Zoom = options.Zoom > 0 ? options.Zoom : 100;
    }

    platform::PrinterSystem& printers = platform::Printers();
    copies = std::max(copies, 1);
    int runs = copies;
    printers.SetCopies(1);
    if (copies > 1 && MaxCopies(-1) >= copies) {
        printers.SetCopies(copies);
        runs = 1;
    }
    TRunOutcome outcome;
    for (int run = 0; run < runs && outcome.Result == TRunResult::Printed; ++run) {
        outcome = PrintGraphicRun(*this, range, stopFlag, title, sheet);
    }
    // Copies belong to this print only; later jobs on the printer start from one.
    printers.SetCopies(1);
    return Finish(*this, outcome);
}

// ---- text-only printers ----------------------------------------------------------------

namespace {

// The rows of one page as a text-only printer takes them: each used row in
// the code page followed by CR LF, then a form feed that ejects the sheet.
QByteArray TextPageBytes(const TZnakovePole& field, TSestLanguage codePage) {
    QBuffer rows;
    rows.open(QIODevice::WriteOnly);
    field.WriteRows(rows, codePage, true);
    QByteArray bytes = rows.data();
    bytes.append(kFormFeed);
    return bytes;
}

// One document of character rows; the text elements are shifted by the
// printer's unprintable strips.
TRunOutcome PrintTextRun(TSestVystup& output, TZnakovePole& field, TPageRange range,
                         const bool* stopFlag, const QString& title,
                         const TPrinterMetrics& metrics) {
    TRunJob run(platform::JobKind::Raw, title);
    if (!run.Started()) {
        return RunFailed(title, run.ErrorText());
    }
    platform::PrintJob& job = run.Job();
    for (int page = range.First; page <= range.Last; ++page) {
        PumpMessages();
        if (Stopped(stopFlag)) {
            run.Abort();
            return TRunOutcome{TRunResult::Stopped, QString()};
        }
        if (page > range.First && !job.NewPage()) {
            run.Abort();
            return RunFailed(title, job.ErrorText());
        }
        output.CurrentPage = page - 1;
        const TStranaPrvku& elements = output.ReadPage(page - 1);
        for (int i = 0; i < elements.Count(); ++i) {
            PlaceInCharField(field, elements.Item(i), -metrics.OffsetX(), -metrics.OffsetY());
        }
        const bool written = job.WriteRaw(TextPageBytes(field, output.ExportLanguage));
        field.Clear();
        if (!written) {
            run.Abort();
            return RunFailed(title, job.ErrorText());
        }
    }
    return EndRun(run, stopFlag, title);
}

}  // namespace

bool TSestVystup::PrintText(int firstPage, int lastPage, const bool* stopFlag, const QString& title,
                            int copies) {
    PrintError.clear();
    if (PageCount() == 0) {
        return true;
    }
    if (FromSpool) {
        return FailPrint(*this,
                         QStringLiteral("Sestava načtená ze souboru SPL obsahuje jen obrázky "
                                        "stránek, na textové tiskárně ji nelze vytisknout."),
                         platform::MessageIcon::Warning);
    }
    const TPageRange range = ClampRange(firstPage, lastPage, PageCount());
    if (range.IsEmpty()) {
        return FailPrint(*this, EmptyRangeText(firstPage, lastPage, PageCount()),
                         platform::MessageIcon::Warning);
    }
    SelectPrinter(-1);
    if (!PrinterState().PrinterPresent) {
        return FailPrint(*this, NoPrinterText(), platform::MessageIcon::Warning);
    }
    const TPaperSetup& paper = PaperSetup();
    SetPrinterOrientation(paper.Orientation);
    const TPrinterMetrics metrics = PrinterMetrics();
    // Copies are made here, one document each; the queue must not multiply them.
    platform::Printers().SetCopies(1);

    TZnakovePole field;
    field.Setup(paper.OrientedHeight(), TextLineSpacing);
    TRunOutcome outcome;
    const int runs = std::max(copies, 1);
    for (int copy = 0; copy < runs && outcome.Result == TRunResult::Printed; ++copy) {
        outcome = PrintTextRun(*this, field, range, stopFlag, title, metrics);
    }
    const bool printed = Finish(*this, outcome);
    if (printed && !field.LostCharacters().isEmpty()) {
        platform::ShowMessage(LostCharactersWarning(field.LostCharacters()),
                              QStringLiteral("Varování"), platform::MessageIcon::Warning);
    }
    return printed;
}
