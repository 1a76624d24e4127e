#pragma once
// --design: the template opened in the designer window over the data of the run.

#include <QString>

class TSestava;

namespace harvel_report {

// Opens the designer on `templateFile` (a missing file is offered to be
// created) and waits until the window closes; answers the exit code.
int DesignTemplate(TSestava& report, const QString& templateFile);

}  // namespace harvel_report
