// Running the template being designed: preview, print and the record buttons.

#include <QAction>

#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/engine/sestavy.h"
#include "report/output/widgets/report_windows.h"

namespace {

// While it lives, the report runs with the layout the designer holds
// instead of loading its template again.
class TDesignedTemplate {
  public:
    explicit TDesignedTemplate(TSestava& report) : report_(report), hook_(report.OnNactiPredlohu) {
        report_.OnNactiPredlohu = [](TSestava&) { return true; };
        report_.DesignTime = false;
    }
    ~TDesignedTemplate() {
        report_.OnNactiPredlohu = hook_;
        report_.DesignTime = true;
    }

  private:
    TSestava& report_;
    std::function<bool(TSestava&)> hook_;
};

}  // namespace

void TFormSestE::PreviewReport() {
    if (!component_ || previewing_) {
        return;
    }
    previewing_ = true;
    Action(QStringLiteral("ActionNahled"))->setEnabled(false);
    Action(QStringLiteral("ActionTisk"))->setEnabled(false);
    SyncReportWithSurface();
    bool closeDesigner = false;
    {
        TDesignedTemplate designed(*component_);
        component_->Generate();
        component_->PrepareOutput();
        TWindowPlace place;
        place.rect = geometry();
        place.designedPosition = false;
        place.zoom = int(ZoomFactorOf(zoomLevel_) * 100);
        place.state = TWindowState::Maximized;
        closeDesigner = OpenReportPreview(*component_, place, true);
    }
    previewing_ = false;
    Action(QStringLiteral("ActionNahled"))->setEnabled(true);
    Action(QStringLiteral("ActionTisk"))->setEnabled(true);
    // The run left its values in the elements; show the designer's record again.
    RefreshSampleValues();
    if (closeDesigner) {
        close();
    }
}

void TFormSestE::PrintReport() {
    if (!component_ || previewing_) {
        return;
    }
    SyncReportWithSurface();
    TDesignedTemplate designed(*component_);
    component_->Print();
    RefreshSampleValues();
}

void TFormSestE::StepRecord(int direction) {
    UpdateRecordButtons(report_->StepData(TStepDir(direction)));
    RefreshSampleValues();
}
