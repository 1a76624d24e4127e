#pragma once
// Where the preview window opens: where it was last closed, kept in section
// "NahledSestavy" of Harvel.INI beside the programs, maximized the first
// time, and never larger than the screen's work area.

class QWidget;

// Gives `window` its remembered geometry and state (before it is shown).
void RestorePreviewPlacement(QWidget& window);
// Remembers the geometry and state `window` is closed with.
void KeepPreviewPlacement(const QWidget& window);
