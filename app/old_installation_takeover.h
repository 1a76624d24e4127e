#pragma once
// "Převzít data z dřívější instalace...": asks for the old installation's
// folder, takes its tables over into the program's data folder (and its
// templates into the template folder) with a progress window, and ends with
// the per-table summary, the refusal or the reason it could not start.

class QWidget;
class TDM1;

// `dataModule` (may be null) re-reads its tables once the rows are in.
void TakeOverOldInstallation(QWidget* parent, TDM1* dataModule);
