// The designer operations the surface calls: tools, selection, insertion,
// coordinates and band events.

#include <QAction>
#include <QComboBox>
#include <QLabel>

#include "platform/clock.h"
#include "platform/czech_locale.h"
#include "report/designer/design_properties.h"
#include "report/designer/element_tree.h"
#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/engine/day_number.h"
#include "report/engine/expression.h"
#include "report/engine/sestavyt.h"
#include "report/output/length_units.h"

// A variable as a print starting now shows it: today's date and the time
// for the print date and time, the report's counters for the others.
TCalcType TFormSestE::SampleVariable(int n) const {
    TCalcType value = report_->VariableValue(n);
    const QDateTime now = platform::Now();
    if (n == vaPrintDate) {
        value.number = DayNumber(now);
        value.text = platform::FormatDate(now.date());
    } else if (n == vaPrintTime) {
        value.number = DayNumber(now);
        value.text = platform::FormatTime(now.time());
    }
    return value;
}

// ---- tools -----------------------------------------------------------------------------------

int TFormSestE::ActiveTool() const {
    return pasteMode_ ? tcPaste : tool_;
}

void TFormSestE::SetTool(int code) {
    tool_ = code;
    if (code != tcSelect) {
        pasteMode_ = false;
    }
    UpdateToolActions();
    UpdateChooser();
    if (paper_) {
        const QCursor cursor =
            code == tcSelect ? QCursor(Qt::ArrowCursor) : QCursor(Qt::CrossCursor);
        for (TOddil* band : paper_->Bands()) {
            band->setCursor(cursor);
        }
    }
}

void TFormSestE::SelectTool() {
    if (tool_ != tcSelect) {
        SetTool(tcSelect);
    }
}

void TFormSestE::UpdateChooser() {
    if (!report_) {
        return;
    }
    const bool shown = tool_ == tcDb || tool_ == tcLb || tool_ == tcPar;
    chooser_->setEnabled(shown);
    const int keep = chooserIndex_;
    chooser_->blockSignals(true);
    chooser_->clear();
    chooser_->addItems(TDlgKonfPrvku::SourceItems(tool_ == tcPar ? ekParameter : ekField, *report_,
                                                  report_->Funkce(), settings_.popisyPol));
    chooserIndex_ = std::clamp(keep, 0, std::max(0, chooser_->count() - 1));
    chooser_->setCurrentIndex(chooser_->count() > 0 ? chooserIndex_ : -1);
    chooser_->blockSignals(false);
}

void TFormSestE::SetChooserIndex(int index) {
    chooserIndex_ = std::max(0, index);
    chooser_->setCurrentIndex(index);
}
void TFormSestE::SetGroupChoice(int index) {
    groupChoice_ = std::max(0, index);
}
void TFormSestE::SetFunctionIndex(int index) {
    functionIndex_ = std::max(0, index);
}
void TFormSestE::SetDetailIndex(int index) {
    detailIndex_ = std::max(0, index);
}

void TFormSestE::NextChoice() {
    if (chooser_->count() > 0 && (tool_ == tcDb || tool_ == tcLb || tool_ == tcPar)) {
        SetChooserIndex((chooserIndex_ + 1) % chooser_->count());
    }
}

// ---- selection -------------------------------------------------------------------------------

std::vector<TSesPrvek*> TFormSestE::SelectedElements() const {
    std::vector<TSesPrvek*> selected;
    if (!paper_) {
        return selected;
    }
    for (TSesPrvek* element : paper_->AllElements()) {
        if (element->Marked() || element->Focused()) {
            selected.push_back(element);
        }
    }
    return selected;
}

void TFormSestE::FocusElement(TSesPrvek* element) {
    if (selectedCount_ > 1 && !element->Marked()) {
        for (TSesPrvek* other : paper_->AllElements()) {
            other->SetMarked(false);
        }
    }
    if (focused_ && focused_ != element) {
        focused_->SetFocused(false);
        if (!element->Marked()) {
            focused_->SetMarked(false);
        }
    }
    focused_ = element;
    element->SetFocused(true);
    selectedCount_ = int(SelectedElements().size());
    properties_->ShowElement(element);
    paper_->setFocus(Qt::MouseFocusReason);
    RefreshTree();
}

void TFormSestE::MarkElement(TSesPrvek* element) {
    if (!focused_) {
        FocusElement(element);
    }
    element->SetMarked(true);
    focused_->SetMarked(true);
    selectedCount_ = int(SelectedElements().size());
    properties_->SetOrderButtonsEnabled(false);
    RefreshTree();
}

void TFormSestE::UnmarkElement(TSesPrvek* element) {
    if (!element->Marked() && !element->Focused()) {
        return;
    }
    element->SetMarked(false);
    if (element == focused_) {
        element->SetFocused(false);
        focused_ = nullptr;
        for (TSesPrvek* other : paper_->AllElements()) {
            if (other->Marked()) {
                focused_ = other;
                other->SetFocused(true);
                break;
            }
        }
    }
    std::vector<TSesPrvek*> selected = SelectedElements();
    if (selected.size() == 1) {
        selected.front()->SetMarked(false);
    }
    selectedCount_ = int(selected.size());
    properties_->ShowElement(focused_);
    properties_->SetElementControlsEnabled(false);
    RefreshTree();
}

void TFormSestE::ClearSelection() {
    if (paper_) {
        for (TSesPrvek* element : paper_->AllElements()) {
            element->SetFocused(false);
            element->SetMarked(false);
        }
    }
    focused_ = nullptr;
    selectedCount_ = 0;
    properties_->ShowElement(nullptr);
    RefreshTree();
}

// ---- insertion -------------------------------------------------------------------------------

TInsertChoice TFormSestE::CurrentChoice() const {
    TInsertChoice choice;
    choice.chooserIndex = chooserIndex_;
    choice.functionIndex = functionIndex_;
    choice.groupIndex = groupChoice_;
    choice.detailIndex = detailIndex_;
    if ((tool_ == tcDb || tool_ == tcLb) && chooserIndex_ < report_->FieldCount()) {
        choice.fieldDisplayWidth = report_->DisplayWidth(chooserIndex_);
        choice.fieldAlignment = report_->Alignment(chooserIndex_);
        choice.sourceName = report_->FieldName(chooserIndex_);
    }
    if (tool_ == tcFn && functionIndex_ < report_->Funkce().Count()) {
        const auto& function = report_->Funkce()[functionIndex_];
        choice.functionIsNumber = function.resultType == ftNumber;
        choice.sourceName = function.name;
    }
    return choice;
}

TSesPrvek* TFormSestE::CreateElement(TOddil* band, const QString& record, int dx, int dy) {
    TOddilSestavy* section = band->Section();
    if (!section) {
        return nullptr;
    }
    auto element = std::make_unique<TLumexReportElement>(report_);
    element->ParseElement(record);
    element->left += dx;
    element->top += dy;
    if (element->kind == ekField && element->source < report_->FieldCount()) {
        report_->LoadFieldValue(element->source, element->value);
    } else if (element->kind == ekVariable) {
        element->value = SampleVariable(element->source);
    }
    TLumexReportElement& added = section->Add(std::move(element));
    TSesPrvek* design = band->AddElement(&added);
    design->setToolTip(ElementDescription(*report_, added, settings_.popisyPol));
    return design;
}

void TFormSestE::RemoveDesignElement(TSesPrvek* element) {
    if (element == focused_) {
        focused_ = nullptr;
    }
    TOddil* band = element->Band();
    TOddilSestavy* section = band->Section();
    const int i = section ? section->IndexOf(&element->Element()) : -1;
    band->RemoveElement(element);
    if (i >= 0) {
        section->Take(i);
    }
}

void TFormSestE::InsertAt(int bandCode, int x, int y) {
    TOddil* band = paper_->Band(bandCode);
    if (!band) {
        return;
    }
    if (pasteMode_) {
        PasteAt(band, x, y);
        return;
    }
    if (tool_ == tcSelect) {
        ClearSelection();
        return;
    }
    const TInsertion what =
        ResolveInsertion(tool_, CurrentChoice(), settings_, paper_->DesignWidth(), x);
    const QString letter = report_->CodeOfSection(*band->Section());
    TSesPrvek* element = CreateElement(band, InsertionRecord(letter, what, y, settings_), 0, 0);
    if (!element) {
        return;
    }
    ClearSelection();
    FocusElement(element);
    RecordStep(dsInsert);
}

// ---- drags and coordinates -------------------------------------------------------------------

TBandLimits TFormSestE::LimitsOf(TOddil* band) const {
    return {band->BandWidth(), band->BandHeight(), settings_.posunMimo};
}

void TFormSestE::MoveMarked(TSesPrvek* dragged, int dx, int dy) {
    for (TSesPrvek* element : paper_->AllElements()) {
        if (element != dragged && element->Marked()) {
            element->SetBox(MoveWithin(element->Box(), dx, dy, LimitsOf(element->Band())));
        }
    }
}

void TFormSestE::ShowPosition(int, int) {
    properties_->ShowElement(focused_);
}

void TFormSestE::ShowSize(int, int) {
    properties_->ShowElement(focused_);
}

QString TFormSestE::CoordinatesText() const {
    if (mouseX_ < 0 || mouseY_ < 0) {
        return QString();
    }
    const double f = UnitFactor(unit_);
    const double x = mouseX_ * f;
    const double y = mouseY_ * f;
    auto fixed = [](double v, int width, int decimals) {
        return QString::number(v, 'f', decimals).rightJustified(width, QLatin1Char(' '));
    };
    switch (unit_) {
        case 1:
            return QStringLiteral("[%1;%2] cm").arg(fixed(x / 100, 5, 2), fixed(y / 100, 5, 2));
        case 2:
            return QStringLiteral("[%1;%2] pica").arg(fixed(x / 10, 5, 1), fixed(y / 10, 5, 1));
        case 3:
            return QStringLiteral("[%1;%2] point").arg(fixed(x, 5, 0), fixed(y, 5, 0));
        case 4:
            return QStringLiteral("[%1;%2] twip").arg(fixed(x * 10, 5, 0), fixed(y * 10, 5, 0));
        default:
            return QStringLiteral("[%1;%2] inch").arg(fixed(x / 100, 5, 2), fixed(y / 100, 5, 2));
    }
}

QString TFormSestE::MouseBandText() const {
    TOddil* band = paper_ ? paper_->Band(mouseBand_) : nullptr;
    return band ? band->Caption() : QString();
}

void TFormSestE::ShowMouse(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
    positionLabel_->setText(CoordinatesText());
    for (TPravitko* ruler : rulers_) {
        ruler->SetMarker(mouseBand_, x, y);
    }
}

void TFormSestE::MouseOverBand(int code) {
    if (mouseBand_ != code) {
        mouseBand_ = code;
        bandLabel_->setText(MouseBandText());
    }
}

void TFormSestE::BandHeightChanged(int code) {
    UpdateRulers();
    (void)code;
    RecordStep(dsBandHeight);
}

void TFormSestE::BandDoubleClick(int code) {
    if (code < kFixedSectionCount) {
        sestDlg_->SelectTab(TSestDlg::tbOddily);
        EditTemplateSettings(-1);
    } else {
        sestDlg_->SelectTab(TSestDlg::tbSkupiny);
        EditTemplateSettings(-1, (code - stGroupHeader) / 2);
    }
}

void TFormSestE::ElementDoubleClick(TSesPrvek* element) {
    if (!element || element != focused_) {
        return;
    }
    const int kind = element->Element().kind;
    if (kind == ekDetail) {
        OpenDetail(element);
    } else if (TLumexReportElement::IsTextKind(kind)) {
        if (selectedCount_ > 1) {
            EditElementFont();
        } else {
            EditElementSettings(element);
        }
    } else if (selectedCount_ <= 1 && (TLumexReportElement::IsGraphicKind(kind))) {
        EditElementSettings(element);
    }
}

void TFormSestE::EditSelectedProperties() {
    ElementDoubleClick(focused_);
}

void TFormSestE::ApplyToSelection(const std::function<bool(const TLumexReportElement&)>& concerns,
                                  const std::function<void(TLumexReportElement&)>& change,
                                  int step) {
    if (!focused_) {
        return;
    }
    std::vector<TSesPrvek*> targets;
    if (focused_->Marked()) {
        for (TSesPrvek* element : paper_->AllElements()) {
            if (element->Marked() && concerns(element->Element())) {
                targets.push_back(element);
            }
        }
    } else {
        targets.push_back(focused_);
    }
    for (TSesPrvek* element : targets) {
        change(element->Element());
        element->Relay();
        element->Redraw();
    }
    if (step > 0) {
        RecordStep(step);
    }
}

void TFormSestE::RefreshSampleValues() {
    if (!paper_) {
        return;
    }
    for (TSesPrvek* design : paper_->AllElements()) {
        TLumexReportElement& element = design->Element();
        if (element.kind == ekField && element.source >= 0 &&
            element.source < report_->FieldCount()) {
            report_->LoadFieldValue(element.source, element.value);
        } else if (element.kind == ekVariable) {
            element.value = SampleVariable(element.source);
        } else if (element.kind == ekBarcode) {
            // A run takes the first item of the barcode's text as its value.
            element.value.text = SplitValueList(element.text).value(0);
        }
        if (element.kind == ekField || element.kind == ekVariable || element.kind == ekFunction ||
            element.kind == ekBarcode) {
            design->Redraw();
        }
    }
}

void TFormSestE::RefreshTree() {
    if (tree_ && !tree_->isHidden() && paper_) {
        tree_->Rebuild(*this);
    }
}

void TFormSestE::SetTreeShown(bool shown) {
    tree_->setVisible(shown);
    RefreshTree();
}
