#include "report/designer/designer_hook.h"

#include "platform/widgets/dialogs.h"
#include "report/designer/seste.h"
#include "report/engine/sestavy.h"

namespace {

int EditInDesigner(TSestava& report, const TWindowPlace& place) {
    TFormSestE window;
    if (!window.OpenReport(report, false)) {
        return sePreruseno;
    }
    if (!place.rect.isEmpty()) {
        window.setGeometry(place.rect);
    }
    if (place.state == TWindowState::Maximized) {
        window.setWindowState(Qt::WindowMaximized);
    }
    // The designer never closes with an OK result.
    platform::ExecModal(window);
    return sePreruseno;
}

QString AskTemplateFile(const TTemplateSaveRequest& request) {
    platform::FileDialogRequest ask;
    ask.kind = platform::FileDialogKind::Save;
    ask.caption = request.caption;
    ask.directory = request.startFile;
    ask.filter = request.filter;
    ask.defaultSuffix = QStringLiteral("pts");
    ask.confirmOverwrite = true;
    return platform::AskFileName(ask);
}

}  // namespace

void InstallReportDesigner() {
    SetDesignerHook(EditInDesigner);
    SetTemplateSaveDialog(AskTemplateFile);
}
