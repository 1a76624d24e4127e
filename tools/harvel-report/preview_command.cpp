#include "preview_command.h"

#include "report/output/sestexport.h"
#include "report/output/sestvyst.h"
#include "report/output/widgets/sestp.h"

namespace harvel_report {

int ShowOutputPreview(TSestVystup& output, const QString& title) {
    TPreviewExports exports;
    exports.SaveText = [](TSestVystup& o, const QString& file) { return SaveText(o, file); };
    exports.SaveRtf = [](TSestVystup& o, const QString& file) { return SaveRtfFile(o, file); };
    ShowPreview(output, title, exports);
    return 0;
}

}  // namespace harvel_report

namespace harvel_report {

bool WantsPreview(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (QLatin1String(argv[i]) == QLatin1String("--preview")) {
            return true;
        }
    }
    return false;
}

}  // namespace harvel_report
