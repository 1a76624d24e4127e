#pragma once
// Paper and printers of the report library: the one paper setup of the
// process, the state and metrics of the selected printer, and the printer
// operations the output, preview and designer use. Printers are reached
// through platform::Printers(), so tests can script them.
//
// All lengths are hundredths of an inch unless they say "device pixels".

#include <QString>

#include "report/output/length_units.h"
#include "report/output/paper_formats.h"

class QWidget;

// The paper of the report being printed or edited: set from a template's
// paper record, edited by the page-setup dialog, set by the spool reader.
struct TPaperSetup {
    int PaperWidth = 826;    // in portrait
    int PaperHeight = 1169;  // in portrait
    int Orientation = 0;     // 0 portrait, 1 landscape
    // When set, printing leaves the printer's orientation as it is.
    bool OrientationMayChange = false;
    int MarginLeft = 50;
    int MarginRight = 50;
    int MarginTop = 70;
    int MarginBottom = 70;

    bool Landscape() const { return Orientation == 1; }
    int OrientedWidth() const { return Landscape() ? PaperHeight : PaperWidth; }
    int OrientedHeight() const { return Landscape() ? PaperWidth : PaperHeight; }
    int PrintableWidth() const { return OrientedWidth() - MarginLeft - MarginRight; }
    int PrintableHeight() const { return OrientedHeight() - MarginTop - MarginBottom; }
};

// The process-wide paper setup.
TPaperSetup& PaperSetup();

// Whether a printer was selected successfully and its scales (dots per inch /
// 100; 1.0 without a printer).
struct TPrinterState {
    bool PrinterPresent = false;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
};

const TPrinterState& PrinterState();
// Back to the state at start: no printer selected.
void ResetPrinterState();

// What the selected printer reports, in device pixels; without a printer the
// values a 100 dpi device with the default strips would give.
struct TPrinterMetrics {
    int DpiX = 100;
    int DpiY = 100;
    int PrintOffsetX = 50;  // the unprintable left strip
    int PrintOffsetY = 72;  // the unprintable top strip
    int PhysicalWidth = 826;
    int PhysicalHeight = 1169;
    int PrintableWidth = 726;  // the page a printer can draw on
    int PrintableHeight = 1025;
    int PrinterOrientation = 0;  // 0 portrait, 1 landscape

    // The same in hundredths of an inch (integer division).
    int OffsetX() const { return PrintOffsetX * 100 / DpiX; }
    int OffsetY() const { return PrintOffsetY * 100 / DpiY; }
    int PhysicalWidthHundredths() const { return PhysicalWidth * 100 / DpiX; }
    int PhysicalHeightHundredths() const { return PhysicalHeight * 100 / DpiY; }
};

// The metrics of the current printer as it is set now, or the defaults above
// (with the paper setup's size as the physical page) when no printer is
// present.
TPrinterMetrics PrinterMetrics();

// ScaleX := ScaleY := 1.0; an index below -1 does nothing more. With no
// printers installed PrinterPresent := false. -1 takes the current printer, a
// valid index makes that printer current; either sets PrinterPresent and the
// scales. An index beyond the list gives PrinterPresent := false.
void SelectPrinter(int index);

// With a printer present: landscape for orientation > 0, else portrait.
void SetPrinterOrientation(int orientation);

// Makes printer `index` current (an index outside the list: the default
// printer). A non-empty `port` (such as "FILE:", at most 79 characters used)
// redirects its output; otherwise `applyDevice` restores the printer's own
// port. True when the printer prints plain text as it is (a CUPS queue with
// the Generic Text-Only driver, or a raw queue).
bool IsTextOnlyPrinter(int index, const QString& port = QString(), bool applyDevice = false);

struct TDeviceAndPort {
    QString Device;
    QString Port;
};

// Printer `index`'s device name and port; the current printer's for an index
// outside the list; two empty texts without printers.
TDeviceAndPort PrinterDeviceAndPort(int index);

// Makes printer `index` current (outside the list: the default printer) and
// shows its own settings dialog; on OK the changes become the printer's.
// Returns whether OK was pressed.
bool ShowPrinterProperties(QWidget* window, int index);

// Copies printer `index` (the current printer for an index outside the list)
// makes by itself; 0 without printers, 1 when it cannot be asked.
int MaxCopies(int index);

// Whether the margins are at least the unprintable strips of the current
// printer turned to `orientation` (which the printer keeps, with copies set
// to 1). Without a printer they always fit.
bool MarginsFitPrinter(int orientation, int left, int top, int bottom, int right);

// Raises each margin that is smaller than the current printer's unprintable
// strip to that strip. Without a printer nothing changes.
void AdjustMarginsToPrinter(int& left, int& top, int& right, int& bottom);
