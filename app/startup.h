#pragma once
// The start-up sequence of the windowed program:
//   1. the single-instance lock; a second copy reports the running one and
//      ends with exit code 0 without creating a window
//   2. the application title "Harvel 1.0"; an installed program prepares
//      the user's folders and makes its first-start offer (first_start.h)
//   3. the splash window, painted at once
//   4. the long-lived forms in their order: the launcher, the record sheet
//      (made by `recordSheet`, when given), the settings form (which reads
//      and applies the settings while it is created), the data module, the
//      special selections form (made by `selections`, when given), which is
//      handed to the record sheet
//   5. the splash goes away; the event loop runs until the launcher closes,
//      while the start-up backup of the database is taken beside it
//      (automatic_backup.h), unless the data are open read-only
// While the data are open for writing the program holds the data folder's
// lock under the name "program Harvel"; when another process holds it (a
// load, a restore) the data open read-only, and the program says who has them.
// The caller installs the message handler and the locale before.

#include "app/record_sheet_view.h"
#include "app/special_selections_view.h"

class QApplication;

// `recordSheet` makes the record sheet; the record sheet lives above the
// shell, so the program's main supplies it. Without it the launcher's
// "Evidence" and "Tiskové výstupy" answer that the command does not work yet.
// `selections` likewise makes the special selections form.
int RunHarvel(QApplication& application, const RecordSheetFactory& recordSheet = {},
              const SpecialSelectionsFactory& selections = {});
