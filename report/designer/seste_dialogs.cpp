// The designer's dialogs: template settings (with the groups they edit at
// once), element settings and fonts, and the user functions.

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QScrollBar>

#include "platform/messages.h"
#include "platform/widgets/dialogs.h"
#include "report/designer/design_properties.h"
#include "report/designer/funkcedlg.h"
#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/engine/sestavy.h"
#include "report/output/length_units.h"

// ---- template settings -----------------------------------------------------------------------

TTemplateSettingsValues TFormSestE::TemplateSettings() const {
    TTemplateSettingsValues v;
    TSestava* component = component_;
    if (!component && masterDesigner_) {
        component = masterDesigner_->component_;
    }
    if (component) {
        const QFileInfo file(component->TemplateFileName());
        v.reportName = file.fileName();
        v.reportDir = file.absolutePath();
    }
    v.copies = report_->PrintCopies;
    v.startPage = report_->StartPage;
    v.endPage = report_->EndPage;
    v.maxRecords = report_->MaxRecords;
    v.popis = report_->Popis();
    v.paper = PaperSetup();
    const TReportSettings& s = report_->Settings();
    v.printColumns = std::max(1, s.printColumns);
    v.columnGap = s.columnGap;
    v.rasterType = s.raster.rasterType == 1 ? 1 : 0;
    v.pitch = s.raster.pitch;
    v.showGrid = showGrid_;
    v.snap = snap_;
    v.rasterX = rasterX_;
    v.rasterY = rasterY_;
    v.background = s.background;
    v.unit = unit_;
    for (int i = 0; i < kFixedSectionCount; ++i) {
        const TOddilSestavy& section = report_->Oddily().Fixed(i);
        v.visible[i] = section.visible;
        v.height[i] = section.height;
        v.flags[i] = section.flags;
    }
    v.isDetail = isDetail_;
    return v;
}

void TFormSestE::ApplyTemplateSettings(const TTemplateSettingsValues& v) {
    unit_ = std::clamp(v.unit, 0, kUnitCount - 1);
    unitsCombo_->setCurrentIndex(unit_);
    TPaperSetup& paper = PaperSetup();
    if (!isDetail_) {
        paper = v.paper;
        paper.Orientation = std::max(0, v.paper.Orientation);
    }
    TReportSettings& s = report_->Settings();
    s.printColumns = std::max(1, v.printColumns);
    s.columnGap = v.columnGap;
    TRasterSettings& r = s.raster;
    r.rasterType = v.rasterType;
    r.pitch = v.pitch;
    showGrid_ = v.showGrid;
    snap_ = v.snap;
    // In character mode the grid is the character cell, which loading the
    // recorded state sets (ApplyRasterSettings).
    if (!r.CharacterMode()) {
        rasterX_ = v.rasterX > 0 ? v.rasterX : rasterX_;
        rasterY_ = v.rasterY > 0 ? v.rasterY : rasterY_;
    }
    r.rasterX = rasterX_;
    r.rasterY = rasterY_;
    r.rasterXGiven = r.rasterYGiven = true;
    s.background = v.background;
    if (!isDetail_) {
        report_->SetPopis(v.popis);
    }
    for (int i = 0; i < kFixedSectionCount; ++i) {
        TOddilSestavy& section = report_->Oddily().Fixed(i);
        section.visible = v.visible[i];
        section.height = std::max(0, v.height[i]);
        section.flags = v.flags[i];
    }
}

void TFormSestE::EditTemplateSettings(int tab, int group, bool record) {
    sestDlg_->Fill(TemplateSettings(), tab);
    if (group >= 0) {
        sestDlg_->SelectGroup(group);
    }
    const bool accepted = platform::ExecModal(*sestDlg_) == QDialog::Accepted;
    if (accepted) {
        ApplyTemplateSettings(sestDlg_->Values());
    }
    if (!record) {
        paper_->SetDesignWidth(PaperSetup().PrintableWidth());
        return;
    }
    if (accepted || sestDlg_->GroupsChanged()) {
        // Group changes stay even without "&Konec"; they are recorded so that
        // they can be undone and are saved with the template.
        RecordAndReload(dsSections);
    }
}

void TFormSestE::RecordAndReload(int step) {
    RecordStep(step);
    const int h = scrollBox_->horizontalScrollBar()->value();
    const int v = scrollBox_->verticalScrollBar()->value();
    LoadState(history_.CurrentTemplate());
    scrollBox_->horizontalScrollBar()->setValue(h);
    scrollBox_->verticalScrollBar()->setValue(v);
}

void TFormSestE::RebuildBands() {
    ClearSelection();
    paper_->ClearElements();
    paper_->Rebuild();
    ApplyGridToBands();
    RefreshSampleValues();
    for (TSesPrvek* element : paper_->AllElements()) {
        element->setToolTip(ElementDescription(*report_, element->Element(), settings_.popisyPol));
    }
    groupCombo_->clear();
    for (int g = 0; g < report_->Skupiny().Count(); ++g) {
        groupCombo_->addItem(QStringLiteral("Skupina %1").arg(g));
    }
    ApplyZoom();
    RefreshTree();
}

void TFormSestE::AddGroup(const QString& expression, bool headerVisible, int headerHeight,
                          bool footerVisible, int footerHeight, bool newPage) {
    ClearSelection();
    paper_->ClearElements();
    report_->AddGroup(report_->Skupiny().Count(), expression, headerVisible, headerHeight,
                      footerVisible, footerHeight, newPage);
    RebuildBands();
}

void TFormSestE::DeleteLastGroup() {
    const int last = report_->Skupiny().Count() - 1;
    if (last < 0) {
        return;
    }
    ClearSelection();
    paper_->ClearElements();
    report_->DeleteGroup(last);
    RebuildBands();
}

namespace {

// Moves the contents of two sections into each other's place.
void SwapSections(TOddilSestavy& a, TOddilSestavy& b) {
    std::vector<std::unique_ptr<TLumexReportElement>> fromA;
    std::vector<std::unique_ptr<TLumexReportElement>> fromB;
    while (a.Count() > 0) {
        fromA.push_back(a.Take(0));
    }
    while (b.Count() > 0) {
        fromB.push_back(b.Take(0));
    }
    for (auto& element : fromA) {
        b.Add(std::move(element));
    }
    for (auto& element : fromB) {
        a.Add(std::move(element));
    }
    std::swap(a.visible, b.visible);
    std::swap(a.height, b.height);
    std::swap(a.flags, b.flags);
}

// The variable of group `from` as the same variable of group `to`, and back.
int SwapGroupVariable(int variable, int from, int to) {
    const int first = vaGroupRow;
    if (variable < first) {
        return variable;
    }
    const int group = (variable - first) / 2;
    const int which = (variable - first) % 2;
    if (group == from) {
        return first + 2 * to + which;
    }
    if (group == to) {
        return first + 2 * from + which;
    }
    return variable;
}

}  // namespace

// The group keeps its header, footer, counters and resets when it moves up:
// the contents of the two groups change places, and every variable and
// reset level that counted one of them follows it.
void TFormSestE::MoveGroupUp(int position) {
    TListSkupin& groups = report_->Skupiny();
    if (position <= 0 || position >= groups.Count()) {
        return;
    }
    ClearSelection();
    paper_->ClearElements();
    TPolSkup& upper = groups[position - 1];
    TPolSkup& lower = groups[position];
    std::swap(upper.expression, lower.expression);
    std::swap(upper.newPage, lower.newPage);
    SwapSections(*upper.header, *lower.header);
    SwapSections(*upper.footer, *lower.footer);
    TListOddilu& sections = report_->Oddily();
    for (int i = 0; i < sections.Count(); ++i) {
        for (int e = 0; e < sections[i].Count(); ++e) {
            TLumexReportElement& element = sections[i][e];
            if (element.kind == ekVariable) {
                element.source = SwapGroupVariable(element.source, position - 1, position);
            }
        }
    }
    TListFunkci& functions = report_->Funkce();
    for (int f = 0; f < functions.Count(); ++f) {
        int& level = functions[f].resetLevel;
        if (level == rlGroup + position - 1) {
            level = rlGroup + position;
        } else if (level == rlGroup + position) {
            level = rlGroup + position - 1;
        }
    }
    RebuildBands();
}

// ---- element settings ------------------------------------------------------------------------

TElementDialogContext TFormSestE::ElementContext() const {
    TElementDialogContext context;
    context.report = report_;
    context.functions = &report_->Funkce();
    context.sledPodle = settings_.sledPodle;
    context.popisyPol = settings_.popisyPol;
    context.pismaAbec = settings_.pismaAbec;
    context.unit = unit_;
    return context;
}

void TFormSestE::EditElementSettings(TSesPrvek* element) {
    if (!element) {
        return;
    }
    TLumexReportElement& e = element->Element();
    TDlgKonfPrvku dialog(TDlgKonfPrvku::ModeFor(e.kind), ElementContext(), this);
    if (!dialog.Fill(e)) {
        return;  // its field or function no longer exists
    }
    const bool accepted = platform::ExecModal(dialog) == QDialog::Accepted;
    if (accepted) {
        dialog.Apply(e);
    }
    if (dialog.FunctionEdited()) {
        RecordAndReload(accepted ? dsElement : dsEditFunction);
        return;
    }
    if (!accepted) {
        return;
    }
    element->setToolTip(ElementDescription(*report_, e, settings_.popisyPol));
    element->Relay();
    element->Redraw();
    ClearSelection();
    FocusElement(element);
    RecordStep(dsElement);
}

void TFormSestE::EditElementFont() {
    if (!focused_ || !focused_->Element().IsText()) {
        return;
    }
    TDlgKonfPrvku dialog(TDlgKonfPrvku::kmFont, ElementContext(), this);
    dialog.SetFont(focused_->Element().font);
    if (platform::ExecModal(dialog) != QDialog::Accepted) {
        return;
    }
    const TElementFont font = dialog.Font();
    ApplyToSelection([](const TLumexReportElement& e) { return e.IsText(); },
                     [font](TLumexReportElement& e) { e.font = font; }, dsFont);
    properties_->ShowElement(focused_);
}

// ---- user functions --------------------------------------------------------------------------

void TFormSestE::AddUserFunction() {
    TListFunkci& functions = report_->Funkce();
    TRadekFunkce function;
    function.name = QStringLiteral("Funkce") + QString::number(functions.Count() + 1);
    function.description = function.name;
    if (EditFunction(*report_, functions, settings_.sledPodle, report_->Skupiny().Count(), function,
                     this) != 1) {
        return;
    }
    functions.Add(function);
    RecordAndReload(dsAddFunction);
    functionIndex_ = functions.Count() - 1;
    functionList_->setCurrentRow(functionIndex_);
}

void TFormSestE::EditUserFunction() {
    TListFunkci& functions = report_->Funkce();
    const int index = functionIndex_;
    if (index < 0 || index >= functions.Count()) {
        return;
    }
    if (EditFunction(*report_, functions, settings_.sledPodle, report_->Skupiny().Count(),
                     functions[index], this) != 1) {
        return;
    }
    RecordAndReload(dsEditFunction);
    functionList_->setCurrentRow(index);
}

void TFormSestE::DeleteUserFunction() {
    TListFunkci& functions = report_->Funkce();
    const int index = functionIndex_;
    if (index < 0 || index >= functions.Count()) {
        return;
    }
    if (platform::ShowMessage(QStringLiteral("Smazat vybranou funkci?"),
                              QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
                              platform::mbYes | platform::mbNo,
                              platform::mbNo) != platform::mbYes) {
        return;
    }
    functions.Delete(index);
    // Function elements numbered after the deleted one move down with their functions.
    TListOddilu& sections = report_->Oddily();
    for (int i = 0; i < sections.Count(); ++i) {
        for (int e = 0; e < sections[i].Count(); ++e) {
            TLumexReportElement& element = sections[i][e];
            if (element.kind == ekFunction && element.sourceName.isEmpty() &&
                element.source > index) {
                --element.source;
            }
        }
    }
    ClearSelection();
    RecordAndReload(dsDeleteFunction);
    functionIndex_ = std::min(index, functions.Count() - 1);
    if (functionIndex_ >= 0) {
        functionList_->setCurrentRow(functionIndex_);
    }
    functionIndex_ = std::max(0, functionIndex_);
}
