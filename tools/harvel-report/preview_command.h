#pragma once
// --preview: the generated pages in the preview window, with the file exports
// this build writes behind its "Uložit do souboru" menu.

#include <QString>
#include <QStringList>

class TSestVystup;

namespace harvel_report {

// The progress window "Informace" with "Přerušit" during the run that fills
// the preview, as the program shows it.
void ShowRunProgress();

// Shows the preview modally until the user closes it, with what the run went
// past in its status bar; answers the exit code (0).
int ShowOutputPreview(TSestVystup& output, const QString& title, const QStringList& warnings);

}  // namespace harvel_report

namespace harvel_report {

// Whether the command line asks for the preview (read before the application
// object exists, to choose the window system).
bool WantsPreview(int argc, char** argv);

}  // namespace harvel_report
