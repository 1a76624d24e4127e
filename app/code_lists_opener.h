#pragma once
// The launcher's road to the code lists. The form lives with the event
// records, above the shell, so the program installs the opener once at
// start (records/fociselniky.h, InstallCodeLists).

#include <functional>

class QWidget;
class TDM1;

using CodeListsOpener = std::function<void(TDM1& dm, QWidget* parent)>;

void SetCodeListsOpener(CodeListsOpener opener);

// Opens the code lists modally; false when no opener is installed.
bool OpenCodeLists(TDM1& dm, QWidget* parent);
