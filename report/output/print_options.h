#pragma once
// The choice the user makes when a report's paper is larger than the sheet
// the printer takes: crop the page, reduce it, or spread it over several
// sheets. Printing asks through a hook so that the window showing the choice
// can live in the user-interface library; without a hook the page is cropped
// (one sheet per page at 100 %), the window's own default.

#include <functional>

// What the window is told, in hundredths of an inch: the report's paper as it
// is turned for printing (oriented width and height) and its margins.
struct TPrintOptionsRequest {
    int PaperWidth = 0;
    int PaperHeight = 0;
    int MarginLeft = 0;
    int MarginTop = 0;
    int MarginRight = 0;
    int MarginBottom = 0;
};

// How each page goes on paper: Columns x Rows sheets, drawn at Zoom percent.
struct TPrintOptions {
    int Rows = 1;
    int Columns = 1;
    int Zoom = 100;
};

// Shows the choice for `request`, starting from `options`; fills `options`
// and answers true for "Tisknout", false for "Storno". The window may turn the
// printer's medium: printing reads the printer's sheet again afterwards.
using TPrintOptionsHook =
    std::function<bool(const TPrintOptionsRequest& request, TPrintOptions& options)>;

// Installs `hook` (empty: back to cropping without asking) and returns the
// previous one.
TPrintOptionsHook SetPrintOptionsHook(TPrintOptionsHook hook);

// Asks through the installed hook; without one `options` are set to one sheet
// at 100 % and the answer is true.
bool AskPrintOptions(const TPrintOptionsRequest& request, TPrintOptions& options);
