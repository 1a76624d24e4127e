#include "preview_command.h"

#include "report/output/sestvyst.h"
#include "report/output/widgets/forminfo.h"
#include "report/output/widgets/print_options_window.h"
#include "report/output/widgets/report_windows.h"
#include "report/output/widgets/sestp.h"

namespace harvel_report {

void ShowRunProgress() {
    InstallRunProgressWindow();
}

int ShowOutputPreview(TSestVystup& output, const QString& title, const QStringList& warnings) {
    InstallPrintOptionsWindow();
    ShowPreview(output, title, ReportPreviewExports(), warnings);
    return 0;
}

}  // namespace harvel_report

namespace harvel_report {

bool WantsPreview(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (QLatin1String(argv[i]) == QLatin1String("--preview") ||
            QLatin1String(argv[i]) == QLatin1String("--design")) {
            return true;
        }
    }
    return false;
}

}  // namespace harvel_report
