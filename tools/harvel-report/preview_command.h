#pragma once
// --preview: the generated pages in the preview window, with the file exports
// this build writes behind its "Uložit do souboru" menu.

#include <QString>

class TSestVystup;

namespace harvel_report {

// Shows the preview modally until the user closes it; answers the exit code (0).
int ShowOutputPreview(TSestVystup& output, const QString& title);

}  // namespace harvel_report

namespace harvel_report {

// Whether the command line asks for the preview (read before the application
// object exists, to choose the window system).
bool WantsPreview(int argc, char** argv);

}  // namespace harvel_report
