#include "design_command.h"

#include <QFileInfo>

#include "platform/widgets/dialogs.h"
#include "report/designer/designer_hook.h"
#include "report/engine/sestavy.h"
#include "report/output/widgets/report_windows.h"

namespace harvel_report {

int DesignTemplate(TSestava& report, const QString& templateFile) {
    platform::InstallWidgetMessageHandler();
    InstallReportWindows();
    InstallReportDesigner();
    const QFileInfo info(templateFile);
    report.ReportDirIgnore = false;
    report.SetReportDir(info.absolutePath());
    report.SetReportName(info.fileName());
    const int r = report.Edit();
    // The designer always ends its edit with "interrupted"; only a template
    // that could not be read or no data is a failure.
    return r == seCteniPredlohy || r == seJina ? 1 : 0;
}

}  // namespace harvel_report
