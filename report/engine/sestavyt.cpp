// The run loop of the report engine and its values. Page handling and
// section printing are in sestavyt_pages.cpp, picture files in
// sestavyt_pictures.cpp.
#include "report/engine/sestavyt.h"

#include "platform/allocator_tuning.h"
#include "platform/clock.h"
#include "platform/czech_locale.h"
#include "report/engine/day_number.h"
#include "report/engine/expression.h"
#include "report/engine/page_check.h"
#include "report/output/lumex_canvas.h"

namespace {

TRunProgressFactory& ProgressFactory() {
    static TRunProgressFactory factory;
    return factory;
}

const QString kProgressText = QStringLiteral("Připravuji tisk položky číslo: ");

}  // namespace

void SetRunProgressFactory(TRunProgressFactory factory) {
    ProgressFactory() = std::move(factory);
}

std::unique_ptr<TRunProgress> CreateRunProgress() {
    const TRunProgressFactory& factory = ProgressFactory();
    return factory ? factory() : nullptr;
}

TSestavaTyp::TSestavaTyp() = default;

TSestavaTyp::~TSestavaTyp() = default;

TSestVystup& TSestavaTyp::Output() {
    return master_ ? master_->Output() : output_;
}

const TSestVystup& TSestavaTyp::Output() const {
    return master_ ? master_->Output() : output_;
}

bool TSestavaTyp::CharacterMode() const {
    return Settings().raster.CharacterMode() && Settings().raster.cellHeight > 0;
}

bool TSestavaTyp::Cancelled() {
    if (!cancelled_ && progress_ && progress_->Poll()) {
        cancelled_ = true;
    }
    if (master_ && master_->Cancelled()) {
        cancelled_ = true;
    }
    return cancelled_;
}

// ---- the run ----------------------------------------------------------------------

TSestavaTyp::TRunResult TSestavaTyp::Run(bool topLevel) {
    const platform::ReportAllocationScope allocation;
    topLevel_ = topLevel;
    measure_ = std::make_unique<TLumexCanvas>(100);
    layoutMemory_.Clear();
    const TValueProviderScope provider(this);
    firstRecord_ = true;
    recordsPrinted_ = 0;
    cancelled_ = false;

    TStepResult step = srOK;
    if (TiskJedenZaznam) {
        RefreshData();
    } else {
        step = StepData(sdFirst);
    }
    if (!topLevel && (step == srEof || step == srBoth)) {
        measure_.reset();
        return rrFinished;
    }
    TSestVystup& out = Output();
    if (topLevel) {
        if (const TRunProgressFactory& factory = ProgressFactory()) {
            progress_ = factory();
        }
        if (progress_) {
            progress_->SetText(kProgressText + QStringLiteral("1"));
        }
        out.Clear();
        out.PageIndex = 0;
        out.PageBottom = out.PageHeight;
        out.CursorY = 0;
        out.PageOverflow = 0;
        out.ColumnLeft = 0;
        out.ColumnNo = 1;
    }
    ResetRunState();

    Funkce().SetSkipNulls(AllowNullValues);
    Funkce().RequestReset(-1);
    RefreshValues(true, false);
    ComputeFunctions();
    RefreshPictures(true, true);
    EvaluateConditions();

    TOddilSestavy& reportHeader = Section(stReportHeader);
    if (reportHeader.visible) {
        PrintSection(reportHeader, out.CursorY, out.PageOverflow);
    }
    if (topLevel && reportHeader.visible && (reportHeader.flags & sfPageBreakAfterReportHeader)) {
        if (!abort_ && !Cancelled()) {
            PrintPageFooter(0);
        }
        NewPageNumbering();
        RefreshValues(true, false);
        if (!abort_ && !Cancelled()) {
            PrintPageHeader(false, 0);
        }
        if (!Cancelled()) {
            PrintGroupHeaders();
        }
    } else {
        const TOddilSestavy& pageHeader = Section(stPageHeader);
        if (!IsDetail() && pageHeader.visible && !(pageHeader.flags & sfNoPageHeaderOnFirstPage)) {
            PrintSection(Section(stPageHeader), out.CursorY, out.PageOverflow);
        }
        if (!Cancelled()) {
            PrintGroupHeaders();
        }
    }

    bool first = true;
    do {
        if (!first) {
            NextRecord();
        } else if (!BodyFits(0)) {
            BreakPage();
        }
        PrintBody(topLevel);
        ++recordsPrinted_;
        if (TiskJedenZaznam || (MaxRecords > 0 && recordsPrinted_ >= MaxRecords)) {
            break;
        }
        step = StepData(sdNext);
        if (topLevel && progress_) {
            progress_->SetText(kProgressText + QString::number(recordsPrinted_ + 1));
        }
        if (abort_ || Cancelled()) {
            break;
        }
        first = false;
    } while (step == srOK);

    if (!Cancelled()) {
        if (PrintColumns() > 1 && out.ColumnNo > 1) {
            out.ColumnNo = 1;
            out.ColumnLeft = 0;
            out.CursorY += VisibleHeight(stBody);
        }
        for (int g = Skupiny().Count() - 1; g >= 0; --g) {
            TOddilSestavy* footer = Skupiny()[g].footer;
            if (footer && footer->visible) {
                PrintSection(*footer, out.CursorY, out.PageOverflow);
            }
        }
    }
    const TOddilSestavy& reportFooter = Section(stReportFooter);
    if (topLevel && reportFooter.visible && (reportFooter.flags & sfPageBreakBeforeReportFooter)) {
        if (!abort_ && !Cancelled()) {
            PrintPageFooter(0);
        }
        NewPageNumbering();
        if (!abort_ && !Cancelled()) {
            PrintPageHeader(false, 0);
        }
    }
    RefreshValues(false, true);
    EvaluateConditions();
    const bool cancelled = Cancelled();
    if (!cancelled) {
        FinishReport(topLevel);
    }

    progress_.reset();
    measure_.reset();
    layoutMemory_.Clear();
    if (topLevel) {
        // The run stopped at the range's end, or made pages past it that the
        // range drops now: either way the report is longer than what is kept.
        if (abort_ || out.PageCount() > EndPage) {
            ReportPageRangeEnd();
        }
        out.SetRange(StartPage, EndPage, Popis(), ExportLanguage, PrintCopies);
        out.SetCurrentPage(0);
    }
    return cancelled ? rrCancelled : rrFinished;
}

void TSestavaTyp::ResetRunState() {
    printDateTime_ = platform::Now();
    rowCounter_ = 1;
    pageCounter_ = 1;
    lookAhead_ = 0;
    pageCountElements_.clear();
    abort_ = false;
    forcedPageBreak_ = false;
    for (int g = 0; g < Skupiny().Count(); ++g) {
        TPolSkup& group = Skupiny()[g];
        group.lastKey = EvaluateText(group.expression);
        group.changed = false;
        group.rowInGroup = 1;
        group.groupNumber = 1;
    }
}

void TSestavaTyp::PrintGroupHeaders() {
    TSestVystup& out = Output();
    for (int g = 0; g < Skupiny().Count(); ++g) {
        TOddilSestavy* header = Skupiny()[g].header;
        if (header && header->visible) {
            PrintSection(*header, out.CursorY, out.PageOverflow);
        }
    }
}

void TSestavaTyp::ComputeFunctions() {
    Funkce().ComputeAll();
    ReportFunctionErrors();
    if (OnVypoctiFunkce) {
        OnVypoctiFunkce(*this);
    }
}

void TSestavaTyp::ReportFunctionErrors() {
    TListFunkci& functions = Funkce();
    for (int f = 0; f < functions.Count(); ++f) {
        const TRadekFunkce& function = functions[f];
        if (function.error == eeOK) {
            continue;
        }
        TRunError error;
        error.kind = reFunction;
        error.name = function.name;
        error.code = function.error;
        error.position = function.errorPosition;
        error.detail = function.expression;
        ReportRunError(error);
    }
}

// ---- failures the run goes on past ------------------------------------------------------

const TRunErrors& TSestavaTyp::RunErrors() const {
    return master_ ? master_->RunErrors() : runErrors_;
}

void TSestavaTyp::ClearRunErrors() {
    if (master_) {
        master_->ClearRunErrors();
    } else {
        runErrors_.Clear();
    }
}

void TSestavaTyp::ReportRunError(const TRunError& error) {
    if (master_) {
        master_->ReportRunError(error);
        return;
    }
    if (runErrors_.Add(error) && OnRunError) {
        OnRunError(*this, error);
    }
}

void TSestavaTyp::ReportPageRangeEnd() {
    TRunError error;
    error.kind = rePageRange;
    error.name = TemplateName();
    error.code = EndPage;
    ReportRunError(error);
}

void TSestavaTyp::ReportLostCharacters(const QString& lost) {
    TRunError error;
    error.kind = reLostCharacters;
    error.name = TemplateName();
    error.detail = lost;
    ReportRunError(error);
}

void TSestavaTyp::ReportMissingSource(const TLumexReportElement& element) {
    TRunError error;
    error.name = element.missingSource;
    if (element.kind == ekFunction) {
        error.kind = reFunctionName;
    } else if (element.sourceName.isEmpty()) {
        error.kind = reFieldNumber;
        error.code = FieldCount();
    } else {
        error.kind = reField;
    }
    ReportRunError(error);
}

void TSestavaTyp::ApplyPageSetup(const TPageSettings& page) {
    const QString problem = PageSetupProblem(page);
    if (problem.isEmpty()) {
        TSestavaLayout::ApplyPageSetup(page);
        return;
    }
    TRunError error;
    error.kind = rePaper;
    error.name = TemplateName();
    error.detail = problem;
    ReportRunError(error);
    TPageSettings usable;
    usable.orientation = page.orientation;
    usable.orientationMayChange = page.orientationMayChange;
    TSestavaLayout::ApplyPageSetup(usable);
}

void TSestavaTyp::NextRecord() {
    SetCurrentValueProvider(this);
    TSestVystup& out = Output();
    TListSkupin& groups = Skupiny();
    lookAhead_ = 1;
    int firstChanged = -1;
    for (int g = 0; g < groups.Count(); ++g) {
        if (EvaluateText(groups[g].expression) != groups[g].lastKey) {
            firstChanged = g;
            break;
        }
    }
    lookAhead_ = 0;
    bool pageBreak = false;
    int headerSpace = 0;
    if (firstChanged >= 0) {
        for (int g = firstChanged; g < groups.Count(); ++g) {
            groups[g].changed = true;
        }
        if (PrintColumns() > 1 && out.ColumnNo > 1) {
            out.ColumnNo = 1;
            out.ColumnLeft = 0;
            out.CursorY += VisibleHeight(stBody);
        }
        for (int g = groups.Count() - 1; g >= 0; --g) {
            TPolSkup& group = groups[g];
            if (!group.changed) {
                continue;
            }
            if (group.footer && group.footer->visible) {
                PrintSection(*group.footer, out.CursorY, out.PageOverflow);
            }
            Funkce().RequestReset(rlGroup + g);
            pageBreak = pageBreak || group.newPage;
            if (group.header && group.header->visible) {
                headerSpace += group.header->height;
            }
        }
    }
    if (Section(stBody).flags & sfBodyOnNewPage) {
        pageBreak = true;
    }
    if (!BodyFits(headerSpace)) {
        pageBreak = true;
    }
    if (pageBreak) {
        PrintPageFooter(0);
        ++rowCounter_;
        NewPageNumbering();
        StoreGroupKeys();
        RefreshValues(false, false);
        Funkce().RequestReset(rlPage);
        ComputeFunctions();
        RefreshPictures(false, false);
        EvaluateConditions();
        PrintPageHeader(false, 0);
    } else {
        ++rowCounter_;
        StoreGroupKeys();
        RefreshValues(false, false);
        ComputeFunctions();
        RefreshPictures(false, false);
        EvaluateConditions();
    }
    for (int g = 0; g < groups.Count(); ++g) {
        TPolSkup& group = groups[g];
        if (!group.changed) {
            continue;
        }
        group.changed = false;
        if (group.header && group.header->visible) {
            PrintSection(*group.header, out.CursorY, out.PageOverflow);
        }
    }
    if (EndPage < out.PageIndex + 1) {
        abort_ = true;
    }
}

void TSestavaTyp::StoreGroupKeys() {
    TListSkupin& groups = Skupiny();
    for (int g = 0; g < groups.Count(); ++g) {
        groups[g].lastKey = EvaluateText(groups[g].expression);
    }
    for (int g = 0; g < groups.Count(); ++g) {
        TPolSkup& group = groups[g];
        if (group.changed) {
            group.rowInGroup = 1;
            group.groupNumber = (g > 0 && groups[g - 1].changed) ? 1 : group.groupNumber + 1;
        } else {
            ++group.rowInGroup;
        }
    }
}

bool TSestavaTyp::IncludesSection(const TOddilSestavy& section, bool header, bool footer) const {
    if (section.type == stReportHeader) {
        return header;
    }
    if (section.type == stReportFooter) {
        return footer;
    }
    return true;
}

void TSestavaTyp::RefreshValues(bool header, bool footer) {
    TListOddilu& sections = Oddily();
    for (int s = 0; s < sections.Count(); ++s) {
        TOddilSestavy& section = sections[s];
        if (!IncludesSection(section, header, footer)) {
            continue;
        }
        for (int k = 0; k < section.Count(); ++k) {
            TLumexReportElement& element = section[k];
            if (element.kind == ekField && !element.missingSource.isEmpty()) {
                element.value.Clear();
                ReportMissingSource(element);
            } else if (element.kind == ekField) {
                LoadFieldValue(element.source, element.value);
                if (IsPictureFieldType(DataType(element.source))) {
                    const platform::Picture* picture = FieldPicture(element.source);
                    element.picture = picture ? *picture : platform::Picture();
                    element.pictureFile.clear();
                }
            } else if (element.kind == ekVariable) {
                element.value = VariableValue(element.source);
            }
        }
    }
}

void TSestavaTyp::RefreshPictures(bool header, bool footer) {
    TListOddilu& sections = Oddily();
    for (int s = 0; s < sections.Count(); ++s) {
        TOddilSestavy& section = sections[s];
        if (!IncludesSection(section, header, footer)) {
            continue;
        }
        for (int k = 0; k < section.Count(); ++k) {
            TLumexReportElement& element = section[k];
            if (element.kind == ekPicture) {
                ResolvePicture(element, true);
            } else if (element.kind == ekBarcode) {
                element.value.text = SplitValueList(element.text).value(0);
            }
        }
    }
}

void TSestavaTyp::EvaluateConditions() {
    TListOddilu& sections = Oddily();
    for (int s = 0; s < sections.Count(); ++s) {
        TOddilSestavy& section = sections[s];
        for (int k = 0; k < section.Count(); ++k) {
            TLumexReportElement& element = section[k];
            element.printable =
                element.condition.isEmpty() ? true : EvaluateCondition(element.condition);
            if (element.handler && OnPrintElement) {
                platform::Font font = element.font.CanvasFont();
                OnPrintElement(*this, font, element.ident, element.printable);
            }
        }
    }
}

// ---- values --------------------------------------------------------------------------

int TSestavaTyp::DataType(int) {
    return ftsUnknown;
}
int TSestavaTyp::Alignment(int) {
    return 0;
}
int TSestavaTyp::DisplayWidth(int) {
    return 10;
}
QString TSestavaTyp::ValueText(int) {
    return QStringLiteral("Položka ?");
}
double TSestavaTyp::ValueNumber(int) {
    return 0.0;
}
QString TSestavaTyp::MemoText(int i) {
    return ValueText(i);
}
const platform::Picture* TSestavaTyp::FieldPicture(int) {
    return nullptr;
}
bool TSestavaTyp::IsNull(int) {
    return false;
}
QString TSestavaTyp::FieldLabel(int) {
    return QString();
}
QString TSestavaTyp::FieldName(int i) {
    return QString::number(i);
}
int TSestavaTyp::FindField(const QString&) const {
    return -1;
}
TStepResult TSestavaTyp::StepData(TStepDir) {
    return srBoth;
}

void TSestavaTyp::LoadFieldValue(int i, TCalcType& value) {
    value.Clear();
    value.number = ValueNumber(i);
    value.text = IsMemoFieldType(DataType(i)) ? MemoText(i) : ValueText(i);
}

TCalcType TSestavaTyp::VariableValue(int n) const {
    TCalcType value;
    value.kind = ckNumber;
    auto setNumber = [&](int number) {
        value.number = number;
        value.text = QString::number(number);
    };
    const TListSkupin& groups = Skupiny();
    switch (n) {
        case vaPrintDate:
            value.number = DayNumber(printDateTime_);
            value.text = platform::FormatDate(printDateTime_.date());
            return value;
        case vaPrintTime:
            value.number = DayNumber(printDateTime_);
            value.text = platform::FormatTime(printDateTime_.time());
            return value;
        case vaRowNumber:
            setNumber(rowCounter_ + lookAhead_);
            return value;
        case vaPageNumber:
            setNumber(pageCounter_);
            return value;
        default:
            break;
    }
    const int g = (n - vaGroupRow) / 2;
    if (n >= vaGroupRow && g < groups.Count()) {
        setNumber((n - vaGroupRow) % 2 == 0 ? groups[g].rowInGroup + lookAhead_
                                            : groups[g].groupNumber);
    } else {
        setNumber(0);
    }
    return value;
}

namespace {

// The element text used as a printf-style pattern for an integer ("%d").
QString FormatIntegerPattern(const QString& pattern, double number) {
    QString text = pattern;
    return text.replace(QStringLiteral("%d"), QString::number(qint64(number)));
}

}  // namespace

QString TSestavaTyp::ElementText(TLumexReportElement& element) {
    switch (element.kind) {
        case ekText:
            return element.text;
        case ekField:
            if (!element.missingSource.isEmpty()) {
                ReportMissingSource(element);
                return QString();
            }
            if (IsPictureFieldType(DataType(element.source))) {
                const platform::Picture* picture = FieldPicture(element.source);
                element.picture = picture ? *picture : platform::Picture();
                element.pictureFile.clear();
            }
            return element.value.text;
        case ekFieldLabel:
            if (!element.missingSource.isEmpty()) {
                ReportMissingSource(element);
                return QString();
            }
            return FieldLabel(element.source);
        case ekParameter:
            return Parametry.value(element.source);
        case ekVariable:
            if (element.text.isEmpty()) {
                return element.value.text;
            }
            if (element.source == vaPrintDate || element.source == vaPrintTime) {
                return FormatDatePicture(element.value.number, element.text);
            }
            return FormatIntegerPattern(element.text, element.value.number);
        case ekFunction:
            if (!element.missingSource.isEmpty()) {
                ReportMissingSource(element);
                return QString();
            }
            if (element.source >= 0 && element.source < Funkce().Count()) {
                return Funkce()[element.source].DisplayText();
            }
            return QString();
        case ekBarcode:
            return element.value.text;
        default:
            return QString();
    }
}

void TSestavaTyp::GetValue(int code, TCalcType& value) {
    value.Clear();
    if (code >= vcVariable) {
        value = VariableValue(code - vcVariable);
    } else if (code >= vcFunction) {
        const int i = code - vcFunction;
        if (i < Funkce().Count()) {
            value = Funkce()[i].value;
        }
    } else if (code >= vcField) {
        const int i = code - vcField;
        if (i < FieldCount()) {
            value.kind = CalcKindOfFieldType(DataType(i));
            value.number = ValueNumber(i);
            value.text = ValueText(i);
            value.null = IsNull(i);
        }
    } else if (code >= vcParameter) {
        const int i = code - vcParameter;
        if (i < Parametry.size()) {
            value.kind = ckText;
            value.text = Parametry[i];
            value.number = LenientNumber(value.text);
        }
    }
}

int TSestavaTyp::FindIndex(int kind, const QString& name) {
    if (kind == lkField) {
        return FindField(name);
    }
    if (kind == lkFunction) {
        return Funkce().FindFunction(name);
    }
    return -1;
}
