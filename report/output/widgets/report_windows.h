#pragma once
// The windows of the report component: the preview, printing with its
// progress window and print-options window. InstallReportWindows plugs them
// into every TSestava of the program; the program calls it once at start.

#include "report/engine/sestavy.h"
#include "report/output/widgets/sestp.h"

// Opens the preview modally on the report's output at `place`. With
// `editEnabled` "Oprava předlohy..." closes the window to go back to the
// designer. True when the window was closed with "Zavřít náhled".
bool OpenReportPreview(TSestava& report, const TWindowPlace& place, bool editEnabled = false);

// Sends the report's generated output to printer `printerIndex` (-1: the
// current printer; a non-empty `printerName` picks the printer of that name)
// with the progress window shown; the previously current printer is current
// again afterwards. seOK, sePreruseno when stopped or cancelled in the
// print-options window, seJina when the printer refused the job.
int PrintReportOutput(TSestava& report, int printerIndex, const QString& printerName);

// The file writers behind the preview's export menu.
TPreviewExports ReportPreviewExports();

// Installs the preview, printer, print-options and progress windows.
void InstallReportWindows();
