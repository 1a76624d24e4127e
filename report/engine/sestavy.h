#pragma once
// TSestava: the report component an application places on a form or data
// module. It names the template file, binds the data, carries the parameters
// and offers generation, preview, printing, the file exports and editing.
// TSestDetail: a sub-report attached to a master report.
//
// Windows (preview, designer) and the printer live in higher layers; they
// plug in through the process-wide hooks at the end of this file, so the
// engine library itself needs no widgets.

#include <QIODevice>
#include <QRect>
#include <QString>
#include <functional>

#include "report/engine/sestavad.h"
#include "report/output/paper_formats.h"

// Result codes of the component's operations.
enum TSestError : int {
    seOK = 0,
    seClose = 1,
    seNeniTiskarna = 2,      // no printer installed
    sePreruseno = 3,         // interrupted by the user
    seCteniPredlohy = 4,     // the template could not be read
    seUkladaniPredlohy = 5,  // the template could not be saved
    seWriteFile = 6,         // an output file could not be written
    seBusy = 7,              // a print is already running
    seCteniSpl = 8,          // a spool file could not be read
    seJina = 9,              // anything else (data not ready, no template, nothing produced)
};

// The action of a print button control.
enum TKindPrint : int { kpPreview, kpPrint, kpEdit };

// Where a window opens: an empty rectangle keeps the designed position.
enum class TWindowState { Normal, Minimized, Maximized };
struct TWindowPlace {
    QRect rect;
    bool designedPosition = true;
    int zoom = 100;
    TWindowState state = TWindowState::Maximized;
};

class TSestava;

class TSestDetail;

class TSestava : public TSestavaD {
  public:
    static constexpr const char* kTemplateExtension = ".pts";

    TSestava();
    ~TSestava() override;

    // ---- published properties (defaults set at creation) -----------------------
    QString IniFileName = QStringLiteral("SestDLL.ini");
    // The paper formats: the built-in ones and the user's from IniFileName,
    // read when the component is created.
    TListFormatu PaperFormats;
    bool IsStored = false;

    // The template file name, in the template folder, or a full path to a
    // file anywhere; assigning forces the extension ".pts".
    const QString& ReportName() const { return reportName_; }
    void SetReportName(const QString& name);
    // Database alias whose folder holds the template; a non-empty one clears ReportDir.
    const QString& ReportAlias() const { return reportAlias_; }
    void SetReportAlias(const QString& alias);
    // The template folder; a non-empty one gets a trailing separator and clears ReportAlias.
    const QString& ReportDir() const { return reportDir_; }
    void SetReportDir(const QString& dir);
    // Use the program's folder instead of ReportDir.
    bool ReportDirIgnore = true;
    bool PrintBackground() const { return PrintBackgroundAlways; }
    void SetPrintBackground(bool on) { PrintBackgroundAlways = on; }

    // Assigning the template forgets the failures of earlier runs, applies it
    // and raises OnSetPredloha.
    void SetPredloha(TPredloha predloha) override;
    // The template's file name (the report name before a file was read).
    QString TemplateName() const override;
    void SetParametry(const QStringList& lines) { Parametry = lines; }
    // The lines kept inside the component when IsStored.
    const TPredloha& StoredPredloha() const { return stored_; }
    void SetStoredPredloha(const TPredloha& lines) { stored_ = lines; }

    // ---- events --------------------------------------------------------------------
    std::function<bool(TSestava&)> OnUlozPredlohu;
    std::function<bool(TSestava&, QString& soubor)> OnUlozPredlohuJako;
    std::function<bool(TSestava&)> OnNactiPredlohu;
    std::function<void(TSestava&)> OnSetPredloha;
    std::function<void(TSestava&, int actualPage)> OnPreviewCustomEvent;
    std::function<void(TSestava&, platform::Picture& picture, int width, int height)>
        OnPreparePicture;
    std::function<void(TSestava&)> BeforeEdit, AfterEdit;
    std::function<void(TSestava&)> BeforePreview, AfterPreview;
    std::function<void(TSestava&)> BeforePrint, AfterPrint;
    std::function<void(TSestava&)> BeforePrintPreview, AfterPrintPreview;
    // Raised with every non-zero result; the answer is not used.
    std::function<bool(TSestava&, TSestError)> OnError;
    // Called before a run whose template sets the order of its source's rows
    // (I,8), with that order: the owner of the data puts its rows in it.
    std::function<void(TSestava&, const QString& order)> OnSourceOrder;

    // ---- templates --------------------------------------------------------------------
    QString TemplateFileName();
    QString TemplateFolder() const override;
    virtual int LoadTemplate(bool forEdit);
    int SaveTemplate();
    // Asks for a file name, starting at `startFile` (the template's own file
    // when empty), and saves the template there.
    int SaveTemplateAs(const QString& startFile = QString());

    // ---- generation ---------------------------------------------------------------------
    // Prepares the data, loads the template and runs the report into Output().
    // Answers seBusy while another operation of this report uses the output.
    int Generate();
    // Before the output is shown, printed or exported: the background is
    // loaded and the output gets the page range, title, copies, background
    // and the text line spacing.
    void PrepareOutput();
    // Whether a print of any report is running in this process.
    static bool PrintBusy();

    // ---- preview, print, edit (their windows and the printer plug in below) ---------------
    bool Preview() { return PreviewAt(TWindowPlace()); }
    bool PreviewAt(const TWindowPlace& place);
    int Print();
    int PrintOn(int printerIndex, const QString& printerName = QString());
    int Edit() { return EditAt(TWindowPlace()); }
    int EditAt(const TWindowPlace& place);

    // ---- text rendering, page files, HTML, RTF and spool files ---------------------------
    // Pages are 0-based where one page of the current output is named; the
    // multi-file exports number their files from 1. Every operation answers
    // a TSestError code and raises OnError for a non-zero one. A named file
    // is written through a temporary file, so a failed export never leaves
    // a file that looks complete.

    // Generate, then the character-cell text of pages StartPage..EndPage,
    // PrintCopies times. The file variant can be interrupted (r 3).
    int PrintToStream(QIODevice& stream);
    int PrintToFile(const QString& fileName);
    // One page of the current output, without generating.
    int ExportEmf(QIODevice& stream, int page, bool paperGeometry, bool background);
    int ExportEmf(const QString& fileName, int page, bool paperGeometry, bool background);
    int ExportWmf(QIODevice& stream, int page, bool background);
    int ExportWmf(const QString& fileName, int page, bool background);
    // Generate, then page k into `fileName` with its extension replaced by
    // k and ".emf" / ".wmf" (out.emf gives out1.emf, out2.emf, ...).
    int ExportAllEmf(const QString& fileName, bool paperGeometry, bool background);
    int ExportAllWmf(const QString& fileName, bool background);
    // Generate, then every page into one spool file titled with Popis.
    int ExportSpool(QIODevice& stream, bool background);
    int ExportSpool(const QString& fileName, bool background);
    // One page of the current output as a whole HTML page, without
    // generating; its pictures go to `folder`, named after `pictureBase`.
    // The file variant writes `fileName` in `folder`.
    int ExportHtmlPage(QIODevice& stream, const QString& folder, int page,
                       const QString& pictureBase);
    int ExportHtmlPage(const QString& folder, const QString& fileName, int page,
                       const QString& pictureBase);
    // Generate, then page k into `fileName` (in `folder`) with its extension
    // replaced by k and ".html"; its pictures are named after `pictureName`
    // with the extension replaced by k and "_.bmp" (b.x gives b1_3.bmp for
    // element 3 of page 1).
    int ExportHtmlAll(const QString& folder, const QString& fileName, const QString& pictureName);
    // Generate without page breaks (one page as long as the content) and
    // write that page as one HTML document.
    int ExportHtmlSingle(QIODevice& stream, const QString& folder, const QString& pictureBase);
    int ExportHtmlSingle(const QString& folder, const QString& fileName,
                         const QString& pictureBase);
    // Generate, then the whole output as one RTF document.
    int ExportRtf(QIODevice& stream);
    int ExportRtf(const QString& fileName);
    // Read a spool file into the output and show it in the preview window
    // (r 8 when it cannot be read).
    int PreviewSpoolFile(const QString& fileName);
    // Read a spool into the output and print it like PrintOn does, without
    // generating (r 8 when it cannot be read, r 2 without a printer).
    int PrintSpool(QIODevice& stream, int printerIndex = -1,
                   const QString& printerName = QString());
    int PrintSpool(const QString& fileName, int printerIndex = -1,
                   const QString& printerName = QString());

    // Raises OnError for a non-zero result and passes the result on.
    int Report(int result);

  protected:
    // The data and template check shared by runs and edits; false = r 9.
    bool CheckBeforeRun();

  private:
    int RunGenerate();
    // Reads the template file; one read for a run that has nothing to print
    // (empty, damaged) is refused with a message saying why (r 4).
    int ReadTemplateFile(bool forEdit);
    int RefuseUnprintable(const QString& fileName);
    bool WriteTemplateFile(const QString& fileName);
    void SaveFailed();
    QString AskSaveAsName(const QString& startFile);
    void ApplyChosenName(const QString& chosen);
    void CloseAfterRun();
    // Sends the prepared output to the printer hook (after the printer check).
    int SendToPrinter(int printerIndex, const QString& printerName);
    int PrintPrepared(const std::function<int()>& ready, int printerIndex,
                      const QString& printerName);

    // Runs `operation` holding the output; answers seBusy (through OnError)
    // while another operation of this report holds it.
    int WithOutput(const std::function<int()>& operation);
    // Runs `write` holding the output; an exception it throws answers seWriteFile.
    int Writing(const std::function<int()>& write);
    int CatchingWriteErrors(const std::function<int()>& write);
    // Generates for a file output and, when that succeeded, runs `write`.
    int GenerateThen(const std::function<int()>& write);
    // Generate while the output is already held; reports its own failure.
    int GenerateReported();

    // Shared steps of the file outputs (sestavy_export.cpp).
    int GenerateForExport();
    // GenerateThen without page breaks: one page as long as the content.
    int GenerateUnpagedThen(const std::function<int()>& write);
    // seJina (through OnError) for a page outside the output.
    int CheckPage(int page);
    int WriteHtmlPage(QIODevice& stream, const QString& folder, int page,
                      const QString& pictureBase);
    int WriteHtmlFile(const QString& folder, const QString& fileName, int page,
                      const QString& pictureBase);
    // Generates and hands the text rendering to `write`, between the print events.
    int PrintText(const std::function<int(const QByteArray& text)>& write);
    int WritePageFiles(const QString& fileName, const QString& extension, bool paperGeometry,
                       bool background, bool enhanced);
    int CopyToFile(const QByteArray& text, const QString& fileName);
    int LoadSpoolFrom(QIODevice& stream);
    int LoadSpoolFile(const QString& fileName);
    void PrepareSpoolOutput();
    int PrintLoadedSpool(const std::function<int()>& load, int printerIndex,
                         const QString& printerName);

    QString reportName_;
    QString reportAlias_;
    QString reportDir_;
    QString resolvedTemplate_;  // the file the last load or save used
    TPredloha stored_;
    // Set while an operation generates, prints or writes the output, so
    // that a handler called meanwhile cannot replace it underneath.
    bool outputInUse_ = false;
};

class TSestDetail : public TSestavaD {
  public:
    TSestDetail() = default;
    ~TSestDetail() override;

    // Moves the detail from its old master's detail list to the end of the new one's.
    void SetMasterSestava(TSestavaTyp* master);
    TSestavaTyp* MasterSestava() const { return Master(); }
    // A detail has no template file; its lines come from its master.
    int LoadTemplate(bool) { return seJina; }
    QString TemplateFolder() const override;
};

// Detaches every detail of a master that is about to go away.
void DetachDetails(TSestavaTyp& master);

// ---- hooks the user-interface layers install ------------------------------------------
struct TTemplateSaveRequest {
    QString caption;    // "Výběr souboru"
    QString filter;     // Qt filter text
    QString startFile;  // the template's folder and file name
};
// The save dialog of SaveTemplateAs: answers the chosen path or empty (cancelled).
using TTemplateSaveDialog = std::function<QString(const TTemplateSaveRequest&)>;
// Opens the preview window on the report's output; true when closed with OK.
using TPreviewWindowHook = std::function<bool(TSestava&, const TWindowPlace&)>;
// Opens the designer on the report; answers the result code of the edit.
using TDesignerHook = std::function<int(TSestava&, const TWindowPlace&)>;
// Sends the generated output to a printer; answers the result code.
using TPrinterHook = std::function<int(TSestava&, int printerIndex, const QString& printerName)>;

TTemplateSaveDialog SetTemplateSaveDialog(TTemplateSaveDialog hook);
TPreviewWindowHook SetPreviewWindowHook(TPreviewWindowHook hook);
TDesignerHook SetDesignerHook(TDesignerHook hook);
TPrinterHook SetPrinterHook(TPrinterHook hook);
