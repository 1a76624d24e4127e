#pragma once
// "Webové stránky chovné stanice...": asks for the folder, writes the
// kennel's web site there (records/site) with the kennel's name of the
// settings, and says in a box what it wrote, or why it could not.

class QWidget;
class TDM1;

// False when the user cancelled the folder dialog or the writing failed.
bool WriteKennelSiteFromLauncher(TDM1& dataModule, QWidget* parent);
