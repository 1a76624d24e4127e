#pragma once
// The report engine: one run walks the records of the report's data, computes
// the user functions, evaluates print conditions and group keys, and lays the
// sections out page by page into the output (TSestVystup). The data itself
// comes through the virtual data-provider operations, which the data-bound
// report (TSestavaD) answers from a data source or from its events.

#include <QDateTime>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "platform/file_kind.h"
#include "platform/paint/picture.h"
#include "report/engine/data_types.h"
#include "report/engine/layout_memory.h"
#include "report/engine/run_errors.h"
#include "report/engine/sestava_layout.h"
#include "report/engine/value_provider.h"
#include "report/output/code_pages.h"
#include "report/output/sestvyst.h"

class TLumexCanvas;
class TSestavaTyp;

// What a run reports its progress to and polls for cancelling. The preview
// layer supplies the "Informace" window; without one nothing is shown.
class TRunProgress {
  public:
    virtual ~TRunProgress() = default;
    virtual void SetText(const QString& text) = 0;
    // Lets the user interface breathe; answers true once the user cancelled.
    virtual bool Poll() = 0;
};
using TRunProgressFactory = std::function<std::unique_ptr<TRunProgress>()>;
// The process-wide factory of progress windows (empty: no progress shown).
void SetRunProgressFactory(TRunProgressFactory factory);
// A progress window from the installed factory (null when none is installed).
std::unique_ptr<TRunProgress> CreateRunProgress();

class TSestavaTyp : public TSestavaLayout, public TValueProvider {
  public:
    TSestavaTyp();
    ~TSestavaTyp() override;

    // ---- runs -----------------------------------------------------------------
    // How a run ended; the numbers are the component's seOK and sePreruseno,
    // which TSestava passes on.
    enum TRunResult : int {
        rrFinished = 0,
        rrCancelled = 3,  // interrupted by the user
    };
    TRunResult Run(bool topLevel);
    void ForcePageBreak() { forcedPageBreak_ = true; }
    // The output of this report; a detail lays out into its master's.
    TSestVystup& Output();
    const TSestVystup& Output() const;

    // ---- properties -------------------------------------------------------------
    QStringList Parametry;
    bool TiskJedenZaznam = false;
    int MaxRecords = 0;
    int StartPage = 1;
    int EndPage = kToLastPage;  // a set one stops the run after that page, and says so
    int PrintCopies = 1;
    TSestLanguage ExportLanguage = slUndefined;
    bool AllowNullValues = false;
    bool Unpaged = false;                // one page as long as its content (single HTML export)
    QString Background;                  // picture file of the page background
    bool PrintBackgroundAlways = false;  // the component's PrintBackground
    bool DesignTime = false;             // edited in the designer: no drawing-area events

    // The master of a detail report (null for a top-level report).
    TSestavaTyp* Master() const { return master_; }
    void SetMaster(TSestavaTyp* master) { master_ = master; }
    bool IsDetail() const override { return master_ != nullptr; }

    // ---- events ------------------------------------------------------------------
    std::function<void(TSestavaTyp&, int index, bool& print)> OnTiskOddilu;
    std::function<void(TSestavaTyp&)> OnVypoctiFunkce;
    std::function<void(TSestavaTyp&, platform::Font& font, const QString& ident, bool& canPrint)>
        OnPrintElement;
    std::function<void(TSestavaTyp&, int index, int width, int height, platform::Canvas& canvas)>
        OnPaintBox;
    std::function<void(TSestavaTyp&, int index, int width, int height, int& pos, int& next,
                       platform::Canvas& canvas)>
        OnPaintBoxSize;
    std::function<bool(TSestavaTyp&, const QString& name, platform::Picture& picture)> OnNactiObraz;
    std::function<void(TSestavaTyp&, QStringList& items)> OnNactiSeznamObrazu;
    // Raised once for every distinct failure the run went on past (a
    // detail's failures are its master's).
    std::function<void(TSestavaTyp&, const TRunError&)> OnRunError;

    // ---- failures the run went on past ------------------------------------------------
    // Those met since the template was applied last (a detail's: its master's).
    const TRunErrors& RunErrors() const;
    void ClearRunErrors();
    // Lists a failure and raises OnRunError when it was not listed yet.
    void ReportRunError(const TRunError& error);
    // A text output of this report wrote the characters `lost` as '?'.
    void ReportLostCharacters(const QString& lost);
    // The name failures of the template itself are reported under.
    virtual QString TemplateName() const { return Popis(); }
    // The 1-based record of the run the data stands on.
    int RecordNumber() const { return recordsPrinted_ + 1; }

    // ---- data provider (answered by the data-bound report) ------------------------------
    int FieldCount() const override { return 0; }
    virtual int DataType(int i);
    virtual int Alignment(int i);
    virtual int DisplayWidth(int i);
    virtual QString ValueText(int i);
    virtual double ValueNumber(int i);
    virtual QString MemoText(int i);
    virtual const platform::Picture* FieldPicture(int i);
    virtual bool IsNull(int i);
    virtual QString FieldLabel(int i);
    virtual QString FieldName(int i);
    int FindField(const QString& name) const override;
    virtual TStepResult StepData(TStepDir dir);
    // Raised instead of stepping when one record is printed (OnGetData).
    virtual void RefreshData() {}
    // The value of an element of kind 2 (number, text; memo text for memos).
    void LoadFieldValue(int i, TCalcType& value);

    // ---- values -----------------------------------------------------------------
    TCalcType VariableValue(int n) const;
    QString ElementText(TLumexReportElement& element);
    void GetValue(int code, TCalcType& value) override;
    int FindIndex(int kind, const QString& name) override;

    // ---- pictures and background --------------------------------------------------
    // A picture file looked for in the template's folder, then as named; a
    // folder, FIFO or device is never opened. Tells nothing itself: the
    // elements and the background report what they miss.
    bool LoadPicture(const QString& name, platform::Picture& picture);
    void ListPictures(QStringList& items);
    // The folder of the template file (ends with a separator, or empty).
    virtual QString TemplateFolder() const { return QString(); }
    void LoadBackground();
    const platform::Picture& BackgroundPicture() const { return background_; }
    // The background's rectangle and whether it is printed.
    QRect BackgroundRect() const;
    bool BackgroundPrinted() const;

    const QDateTime& PrintDateTime() const { return printDateTime_; }

  protected:
    void LoadElementPicture(TLumexReportElement& element) override;
    // An unusable paper is replaced by the default paper and reported.
    void ApplyPageSetup(const TPageSettings& page) override;

  private:
    struct ShiftLine;
    // What kept a named picture file from the page: the file as looked for,
    // what it turned out to be (Regular: a file that is no readable picture)
    // and why, in words. An empty file: nothing to tell (a hook answered).
    struct PictureProblem {
        QString file;
        platform::FileKind kind = platform::FileKind::Missing;
        QString why;
    };
    TOddilSestavy& Section(int type) { return Oddily().Fixed(type); }
    int PrintColumns() const { return std::max(1, Settings().printColumns); }
    bool CharacterMode() const;
    bool Cancelled();

    void ResetRunState();
    void PrintGroupHeaders();
    void NextRecord();
    void StoreGroupKeys();
    void RefreshValues(bool header, bool footer);
    void RefreshPictures(bool header, bool footer);
    void EvaluateConditions();
    void ComputeFunctions();
    // Loads the first picture of the element's list that can be read;
    // `report` tells the run's failures what it could not read.
    void ResolvePicture(TLumexReportElement& element, bool report);
    // LoadPicture, telling in `problem` why no picture came of the file.
    bool LoadPictureFile(const QString& name, platform::Picture& picture, PictureProblem& problem);
    void ReportPictureProblem(const PictureProblem& problem, const QString& element);
    void ReportFunctionErrors();
    void ReportMissingSource(const TLumexReportElement& element);
    void ReportPageRangeEnd();
    bool IncludesSection(const TOddilSestavy& section, bool header, bool footer) const;

    int FooterHeight() const;
    int HeaderHeight() const;
    int VisibleHeight(int type) const;
    bool BodyFits(int extra);
    bool SectionFits(const TOddilSestavy& section);
    void PrintPageFooter(int offset);
    void NewPageNumbering();
    void PrintPageHeader(bool keepCursor, int offset);
    void BreakPage();
    void PrintBody(bool topLevel);
    void FinishReport(bool topLevel);

    void PrintSection(TOddilSestavy& section, int& y, int& pageOffset);
    bool SkipsFitCheck(const TOddilSestavy& section) const;
    void PrintBands(TOddilSestavy& section, std::vector<ShiftLine>& lines, int& y, int& pageOffset);
    void AdvanceAfterSection(const TOddilSestavy& section, int& y);
    void PlaceElements(const std::vector<TLumexReportElement*>& elements, int y, int pageOffset);
    void LayoutElementText(TLumexReportElement& element, TVystPrvek& placed);
    void PlaceGrowing(TLumexReportElement& element, int& p, int& pageOffset);
    void PlaceGrowingText(TLumexReportElement& element, int& p, int& pageOffset);
    void PlaceGrowingDrawing(TLumexReportElement& element, int& p, int& pageOffset);
    void PlaceDetail(TLumexReportElement& element, int& p, int& pageOffset);
    void PaintDrawingArea(TLumexReportElement& element, TVystPrvek& placed);

    TSestVystup output_;
    TSestavaTyp* master_ = nullptr;
    platform::Picture background_;
    std::unique_ptr<TLumexCanvas> measure_;
    TLayoutMemory layoutMemory_;
    std::unique_ptr<TRunProgress> progress_;
    platform::Picture fieldPicture_;
    TRunErrors runErrors_;

    // Run state.
    QDateTime printDateTime_;
    int rowCounter_ = 1;
    int lookAhead_ = 0;
    int pageCounter_ = 1;
    int recordsPrinted_ = 0;
    bool abort_ = false;
    bool cancelled_ = false;
    bool firstRecord_ = true;
    bool forcedPageBreak_ = false;
    bool topLevel_ = true;
    // The elements showing "Celkový počet stran" with where each was placed:
    // their value and text are set once the run knows the page count.
    struct TPageCountPlace {
        TLumexReportElement* element;
        TVystPrvek* placed;
    };
    std::vector<TPageCountPlace> pageCountElements_;
};
