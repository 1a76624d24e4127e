// The designer's template texts: opening a report, loading a state into the
// surface, writing the surface out, the history, saving and closing.

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>

#include "platform/messages.h"
#include "platform/widgets/dialogs.h"
#include "report/designer/design_properties.h"
#include "report/designer/dlg_nova_sestava.h"
#include "report/designer/element_tree.h"
#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/designer/sestkonfigdlg.h"
#include "report/engine/sestavy.h"
#include "report/output/length_units.h"
#include "report/output/paper_formats.h"
#include "report/output/sestprn.h"

QString TFormSestE::IniPath() const {
    const QString name = component_ ? component_->IniFileName : QStringLiteral("SestDLL.ini");
    return ReportIniPath(name);
}

bool TFormSestE::OpenReport(TSestavaTyp& report, bool isDetail) {
    report_ = &report;
    component_ = dynamic_cast<TSestava*>(&report);
    isDetail_ = isDetail;
    report.DesignTime = true;
    settings_.Load(IniPath());
    rasterX_ = settings_.rastrX;
    rasterY_ = settings_.rastrY;
    showGrid_ = settings_.rastrZobrazovat;
    snap_ = settings_.rastrZarovnavat;

    paper_ = new TPapir(report, *this);
    paper_->installEventFilter(this);
    scrollBox_->setWidget(paper_);
    scrollBox_->setWidgetResizable(false);

    if (!report.TiskJedenZaznam) {
        UpdateRecordButtons(report.StepData(sdFirst));
    }
    Action(QStringLiteral("ActionDb"))->setEnabled(report.FieldCount() > 0);
    Action(QStringLiteral("ActionLb"))->setEnabled(report.FieldCount() > 0);
    Action(QStringLiteral("ActionPar"))->setEnabled(!report.Parametry.isEmpty());
    toolTabs_->setTabVisible(4, report.Detaily().Count() > 0);

    history_.Template(0) = report.Predloha();
    history_.SetDepth(settings_.pocetUndo);
    LoadState(history_.CurrentTemplate());
    SetTreeShown(settings_.showTree);
    if (history_.Template(0).IsEmpty() && VytvorNovouPredlohu() == TDlgNovaSestava::kCancel) {
        return false;
    }
    return true;
}

void TFormSestE::ApplyRasterSettings() {
    const TReportSettings& s = report_->Settings();
    unit_ = std::clamp(s.unit, 0, kUnitCount - 1);
    const TRasterSettings& r = s.raster;
    rasterX_ = r.rasterXGiven ? r.rasterX : settings_.rastrX;
    rasterY_ = r.rasterYGiven ? r.rasterY : settings_.rastrY;
    if (rasterX_ <= 0) {
        rasterX_ = 8;
    }
    if (rasterY_ <= 0) {
        rasterY_ = 8;
    }
    showGrid_ = r.showRasterGiven ? r.showRaster : settings_.rastrZobrazovat;
    snap_ = r.snapToRasterGiven ? r.snapToRaster : settings_.rastrZarovnavat;
    if (r.CharacterMode()) {
        stepX_ = r.pitch == 0 ? 10.0 : r.pitch == 2 ? 5.8823528 : 8.3333333;
        stepY_ = r.lineSpacing == 1 ? 25.0 : r.lineSpacing == 2 ? 33.333332 : 16.666666;
        rasterX_ = int(stepX_);
        rasterY_ = int(stepY_);
    } else {
        stepX_ = rasterX_ / UnitFactor(unit_);
        stepY_ = rasterY_ / UnitFactor(unit_);
    }
}

void TFormSestE::ApplyGridToBands() {
    if (!paper_) {
        return;
    }
    for (TOddil* band : paper_->Bands()) {
        band->stepX = stepX_;
        band->stepY = stepY_;
        band->showGrid = showGrid_;
        band->snap = snap_;
        band->columns = std::max(1, report_->Settings().printColumns);
        band->columnGap = report_->Settings().columnGap;
        band->update();
    }
}

void TFormSestE::LoadState(const TPredloha& predloha) {
    focused_ = nullptr;
    selectedCount_ = 0;
    pasteMode_ = false;
    paper_->ClearElements();
    ApplyTemplateLines(*report_, predloha);
    ApplyRasterSettings();
    paper_->background = report_->BackgroundPicture();
    paper_->backgroundRect = report_->BackgroundRect();
    // The bands point into the sections the template just replaced, so they
    // are built anew before anything lays them out.
    paper_->Rebuild();
    paper_->SetDesignWidth(PaperSetup().PrintableWidth());
    ApplyGridToBands();
    RefreshSampleValues();
    for (TSesPrvek* element : paper_->AllElements()) {
        element->setToolTip(ElementDescription(*report_, element->Element(), settings_.popisyPol));
    }
    groupCombo_->clear();
    for (int g = 0; g < report_->Skupiny().Count(); ++g) {
        groupCombo_->addItem(QStringLiteral("Skupina %1").arg(g));
    }
    functionList_->clear();
    for (int f = 0; f < report_->Funkce().Count(); ++f) {
        functionList_->addItem(report_->Funkce()[f].Caption());
    }
    Action(QStringLiteral("ActionFn"))->setEnabled(report_->Funkce().Count() > 0);
    detailList_->clear();
    for (int d = 0; d < report_->Detaily().Count(); ++d) {
        detailList_->addItem(
            QStringLiteral("Detail %1: %2").arg(d + 1).arg(report_->Detaily()[d]->Popis()));
    }
    unitsCombo_->setCurrentIndex(unit_);
    UpdateChooser();
    setWindowTitle(CaptionText());
    ApplyZoom();
    properties_->ShowElement(nullptr);
    RefreshTree();
}

TPredloha TFormSestE::WriteState() {
    TRasterSettings& r = report_->Settings().raster;
    r.showRaster = showGrid_;
    r.snapToRaster = snap_;
    if (!r.CharacterMode()) {
        r.rasterX = rasterX_;
        r.rasterY = rasterY_;
    }
    report_->Settings().unit = unit_;
    return report_->WriteTemplate();
}

void TFormSestE::RecordStep(int step) {
    TPredloha& entry = history_.Push(DesignStepName(step));
    entry = WriteState();
    UpdateUndoActions();
    modified_ = true;
    RefreshTree();
}

void ApplyTemplateLines(TSestavaTyp& report, const TPredloha& lines) {
    TPredloha cleared;
    report.ClearTemplate(cleared);
    report.SetPredloha(lines);
}

void TFormSestE::SyncReportWithSurface() {
    const int h = scrollBox_->horizontalScrollBar()->value();
    const int v = scrollBox_->verticalScrollBar()->value();
    history_.CurrentTemplate() = WriteState();
    LoadState(history_.CurrentTemplate());
    scrollBox_->horizontalScrollBar()->setValue(h);
    scrollBox_->verticalScrollBar()->setValue(v);
}

void TFormSestE::ReloadCurrent() {
    const int h = scrollBox_->horizontalScrollBar()->value();
    const int v = scrollBox_->verticalScrollBar()->value();
    LoadState(history_.CurrentTemplate());
    modified_ = true;
    UpdateUndoActions();
    scrollBox_->horizontalScrollBar()->setValue(h);
    scrollBox_->verticalScrollBar()->setValue(v);
}

void TFormSestE::Undo() {
    if (history_.Undo()) {
        ReloadCurrent();
    }
}

void TFormSestE::Redo() {
    if (history_.Redo()) {
        ReloadCurrent();
    }
}

QString TFormSestE::CaptionText() const {
    QString file;
    if (component_) {
        file = QFileInfo(component_->TemplateFileName()).absoluteFilePath();
    } else if (masterDesigner_) {
        file = masterDesigner_->component_
                   ? QFileInfo(masterDesigner_->component_->TemplateFileName()).absoluteFilePath()
                   : QString();
    }
    if (untitled_) {
        file = kUntitledCaption;
    }
    return QStringLiteral("Oprava předlohy tiskové sestavy") + QStringLiteral(" - ") +
           report_->Popis() + QStringLiteral(" (") + file + QLatin1Char(')');
}

void TFormSestE::ApplyZoom() {
    paper_->SetZoom(ZoomFactorOf(zoomLevel_));
    zoomCombo_->setCurrentIndex(zoomLevel_);
    UpdateRulers();
}

void TFormSestE::SetZoomLevel(int level) {
    zoomLevel_ = std::clamp(level, 0, kZoomLevels - 1);
    ApplyZoom();
}

void TFormSestE::UpdateRulers() {
    const double z = ZoomFactorOf(zoomLevel_);
    const bool sides = settings_.showRulesLR;
    const bool tops = settings_.showRulesTB;
    std::vector<TPravitko::BandSpan> spans;
    int top = 2;
    for (TOddil* band : paper_->DisplayedBands()) {
        spans.push_back({band->Code(), band->BandHeight(), band->y() + 2});
        top += band->height();
    }
    for (TPravitko* ruler : rulers_) {
        ruler->SetUnit(unit_);
        ruler->SetZoom(z);
        ruler->SetPaperWidth(paper_->DesignWidth());
        ruler->SetOrigin(ruler->Horizontal() && sides ? 18 : 2);
        ruler->SetBands(spans);
        ruler->setVisible(ruler->Horizontal() ? tops : sides);
    }
}

void TFormSestE::SetUnit(int unit) {
    unit_ = std::clamp(unit, 0, kUnitCount - 1);
    unitsCombo_->setCurrentIndex(unit_);
    if (!report_->Settings().raster.CharacterMode()) {
        stepX_ = rasterX_ / UnitFactor(unit_);
        stepY_ = rasterY_ / UnitFactor(unit_);
    }
    ApplyGridToBands();
    UpdateRulers();
    properties_->ShowElement(focused_);
    RecordStep(dsUnits);
}

// ---- saving ------------------------------------------------------------------------------

void TFormSestE::FinishSave(int result) {
    if (result != seOK) {
        platform::ShowMessage(QStringLiteral("Předlohu se nepodařilo uložit."),
                              QStringLiteral("Chyba"), platform::MessageIcon::Error);
        return;
    }
    modified_ = false;
    if (!settings_.undoSave) {
        history_.Collapse();
    }
    UpdateUndoActions();
}

bool TFormSestE::Save() {
    if (isDetail_ && masterDesigner_) {
        SyncReportWithSurface();
        return masterDesigner_->SaveFromDetail();
    }
    if (!component_) {
        return false;
    }
    SyncReportWithSurface();
    if (untitled_) {
        // A new template has no file yet: never the one it replaced on screen.
        return SaveAs();
    }
    const int r = component_->SaveTemplate();
    FinishSave(r);
    return r == seOK;
}

bool TFormSestE::SaveFromDetail() {
    RecordStep(dsDetail);
    return Save();
}

bool TFormSestE::SaveAs() {
    if (!component_) {
        return false;
    }
    // The current entry as it was last recorded becomes the report's template.
    LoadState(history_.CurrentTemplate());
    const QString start = untitled_ ? QFileInfo(component_->TemplateFileName()).absolutePath() +
                                          QStringLiteral("/NovaPredloha.pts")
                                    : QString();
    const int r = component_->SaveTemplateAs(start);
    if (r == sePreruseno) {
        return false;
    }
    if (r == seOK) {
        untitled_ = false;
    }
    FinishSave(r);
    setWindowTitle(CaptionText());
    return r == seOK;
}

void TFormSestE::NewTemplate() {
    if (!component_) {
        ClearForNewDetailTemplate();
        return;
    }
    // The open template is closed first, as on leaving the window; it stays
    // as it is on disk, and it comes back when the wizard is cancelled.
    if (!AskSaveOnClose()) {
        return;
    }
    const TListVariant previous = history_;
    const QString previousPopis = report_->Popis();
    const bool previousModified = modified_;
    const bool previousUntitled = untitled_;
    history_ = TListVariant();
    history_.SetDepth(settings_.pocetUndo);
    report_->SetPopis(QString());
    untitled_ = true;
    LoadState(history_.CurrentTemplate());
    if (VytvorNovouPredlohu() == TDlgNovaSestava::kCancel) {
        history_ = previous;
        untitled_ = previousUntitled;
        LoadState(history_.CurrentTemplate());
        report_->SetPopis(previousPopis);
        modified_ = previousModified;
        setWindowTitle(CaptionText());
        UpdateUndoActions();
        return;
    }
    modified_ = true;
    setWindowTitle(CaptionText());
    UpdateUndoActions();
}

// A detail report has no file of its own: its new template replaces the
// old one inside the master's template.
void TFormSestE::ClearForNewDetailTemplate() {
    if (!paper_->AllElements().empty() &&
        platform::ShowMessage(
            QStringLiteral("Zrušit všechny prvky a začít s návrhem nové předlohy?"),
            QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
            platform::mbYes | platform::mbNo, platform::mbNo) != platform::mbYes) {
        return;
    }
    history_.Collapse();
    history_.CurrentTemplate().Clear();
    LoadState(history_.CurrentTemplate());
    UpdateUndoActions();
    modified_ = true;
    VytvorNovouPredlohu();
}

int TFormSestE::VytvorNovouPredlohu() {
    QList<TDraftField> fields;
    for (int i = 0; i < report_->FieldCount(); ++i) {
        fields.append({report_->FieldName(i), report_->FieldLabel(i), report_->DisplayWidth(i),
                       report_->Alignment(i)});
    }
    TDlgNovaSestava wizard(fields, settings_.sledPodle, this);
    // The paper tab alone; W and Hp are taken after the wizard closes.
    wizard.OnPaperFormat = [this] { EditTemplateSettings(TSestDlg::tbPapir, -1, false); };
    const int result = platform::ExecModal(wizard);
    if (result != TDlgNovaSestava::kDraft) {
        return result;
    }
    TDraftChoice choice = wizard.Choice();
    choice.detail = isDetail_;
    const TPaperSetup& paper = PaperSetup();
    QStringList lines = history_.Template(0).Lines();
    lines +=
        DraftTemplate(choice, fields, settings_, paper.PrintableWidth(), paper.PrintableHeight());
    history_.Template(0) = TPredloha(lines);
    LoadState(history_.Template(0));
    modified_ = true;
    return result;
}

bool TFormSestE::AskSaveOnClose() {
    if (!modified_) {
        return true;
    }
    const int answer =
        platform::ShowMessage(QStringLiteral("V předloze sestavy byly provedeny změny. Uložit?"),
                              QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
                              platform::mbYes | platform::mbNo | platform::mbCancel);
    if (answer == platform::mbCancel) {
        return false;
    }
    if (answer == platform::mbYes) {
        Save();
    }
    return true;
}

void TFormSestE::EditDesignerSettings() {
    TSestKonfigDlg dialog(settings_, IniPath(), this);
    if (platform::ExecModal(dialog) == QDialog::Accepted) {
        settings_ = dialog.Settings();
        SetTreeShown(settings_.showTree);
        ApplyRasterSettings();
        ApplyGridToBands();
        UpdateRulers();
        chooser_->setEnabled(false);
    }
    history_.SetDepth(settings_.pocetUndo);
    UpdateUndoActions();
}
