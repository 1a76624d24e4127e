#pragma once
// Plugs the designer window into every report component of the program: the
// component's edit operation opens TFormSestE on the report, and "Uložit
// předlohu jako..." gets its file dialog.

// Installs the designer and the template save dialog; the program calls it once at start.
void InstallReportDesigner();
