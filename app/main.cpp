// Harvel, the windowed program. It takes no arguments but --version.
//
// HARVEL_MESSAGES=stderr makes every message box print "caption: text" on
// stderr and answer with its default button instead of opening a window, so
// scripted runs (the start-up tests) never wait for a user.

#include <QApplication>

#include "app/startup.h"
#include "platform/czech_locale.h"
#include "platform/program_version.h"
#include "platform/widgets/dialogs.h"
#include "platform/widgets/qt_translations.h"
#include "records/fociselniky.h"
#include "records/fomain.h"
#include "records/fovybery.h"
#include "report/designer/designer_hook.h"
#include "report/output/widgets/report_windows.h"

int main(int argc, char* argv[]) {
    if (const int rc = platform::AnswerVersionRequest(argc, argv, "harvel"); rc >= 0) {
        return rc;
    }
    QApplication application(argc, argv);
    platform::InstallQtCzechTranslations(application);
    if (qEnvironmentVariable("HARVEL_MESSAGES") != QLatin1String("stderr")) {
        platform::InstallWidgetMessageHandler();
    }
    platform::InstallProgramLocale();
    InstallReportWindows();
    InstallCodeLists();
    InstallReportDesigner();
    return RunHarvel(
        application, [] { return std::make_unique<TFoMain>(); },
        [](TDM1& dm) { return std::make_unique<TFoVybery>(dm); });
}
