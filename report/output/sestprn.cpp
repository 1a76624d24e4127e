#include "report/output/sestprn.h"

#include "platform/print/printer_system.h"

namespace {

constexpr int kMaxPortLength = 79;

TPrinterState& MutablePrinterState() {
    static TPrinterState state;
    return state;
}

bool NoPrintersInstalled() {
    return platform::Printers().PrinterCount() == 0;
}

bool ValidPrinterIndex(int index) {
    return index >= 0 && index < platform::Printers().PrinterCount();
}

// Makes printer `index` current, or the default one for an index outside the
// list.
void MakeCurrentOrDefault(int index) {
    platform::PrinterSystem& printers = platform::Printers();
    if (!printers.SetCurrent(index)) {
        printers.SetCurrent(-1);
    }
}

TPrinterMetrics DefaultMetrics() {
    TPrinterMetrics metrics;
    metrics.PhysicalWidth = PaperSetup().PaperWidth;
    metrics.PhysicalHeight = PaperSetup().PaperHeight;
    metrics.PrintableWidth = metrics.PhysicalWidth - 2 * metrics.PrintOffsetX;
    metrics.PrintableHeight = metrics.PhysicalHeight - 2 * metrics.PrintOffsetY;
    return metrics;
}

struct TMinimumMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

TMinimumMargins MinimumMargins(const TPrinterMetrics& metrics) {
    TMinimumMargins minimum;
    minimum.Left = metrics.OffsetX();
    minimum.Top = metrics.OffsetY();
    minimum.Right = (metrics.PhysicalWidth - metrics.PrintableWidth - metrics.PrintOffsetX) * 100 /
                    metrics.DpiX;
    minimum.Bottom = (metrics.PhysicalHeight - metrics.PrintableHeight - metrics.PrintOffsetY) *
                     100 / metrics.DpiY;
    return minimum;
}

}  // namespace

TPaperSetup& PaperSetup() {
    static TPaperSetup setup;
    return setup;
}

const TPrinterState& PrinterState() {
    return MutablePrinterState();
}

void ResetPrinterState() {
    MutablePrinterState() = TPrinterState{};
}

TPrinterMetrics PrinterMetrics() {
    if (!PrinterState().PrinterPresent) {
        return DefaultMetrics();
    }
    const platform::PrinterMetrics reported = platform::Printers().Metrics();
    if (reported.dpiX <= 0 || reported.dpiY <= 0) {
        // The printer went away since it was selected: nothing to divide by.
        return DefaultMetrics();
    }
    TPrinterMetrics metrics;
    metrics.DpiX = reported.dpiX;
    metrics.DpiY = reported.dpiY;
    metrics.PrintOffsetX = reported.offsetX;
    metrics.PrintOffsetY = reported.offsetY;
    metrics.PhysicalWidth = reported.physicalWidth;
    metrics.PhysicalHeight = reported.physicalHeight;
    metrics.PrintableWidth = reported.printableWidth;
    metrics.PrintableHeight = reported.printableHeight;
    metrics.PrinterOrientation =
        reported.orientation == platform::PageOrientation::Landscape ? 1 : 0;
    return metrics;
}

void SelectPrinter(int index) {
    TPrinterState& state = MutablePrinterState();
    state.ScaleX = state.ScaleY = 1.0;
    if (index < -1) {
        return;
    }
    platform::PrinterSystem& printers = platform::Printers();
    if (NoPrintersInstalled()) {
        state.PrinterPresent = false;
        return;
    }
    state.PrinterPresent = index == -1 ? printers.CurrentIndex() >= 0 || printers.SetCurrent(-1)
                                       : printers.SetCurrent(index);
    if (state.PrinterPresent) {
        const TPrinterMetrics metrics = PrinterMetrics();
        state.ScaleX = metrics.DpiX / 100.0;
        state.ScaleY = metrics.DpiY / 100.0;
    }
}

void SetPrinterOrientation(int orientation) {
    if (PrinterState().PrinterPresent) {
        platform::Printers().SetOrientation(orientation > 0 ? platform::PageOrientation::Landscape
                                                            : platform::PageOrientation::Portrait);
    }
}

bool IsTextOnlyPrinter(int index, const QString& port, bool applyDevice) {
    if (NoPrintersInstalled()) {
        return false;
    }
    platform::PrinterSystem& printers = platform::Printers();
    MakeCurrentOrDefault(index);
    if (!port.isEmpty()) {
        printers.SetPort(port.left(kMaxPortLength));
    } else if (applyDevice) {
        printers.SetPort(QString());
    }
    return printers.IsTextOnly(printers.CurrentIndex());
}

TDeviceAndPort PrinterDeviceAndPort(int index) {
    if (NoPrintersInstalled()) {
        return TDeviceAndPort{};
    }
    platform::PrinterSystem& printers = platform::Printers();
    const platform::PrinterDevice device =
        printers.Device(ValidPrinterIndex(index) ? index : printers.CurrentIndex());
    return TDeviceAndPort{device.device, device.port};
}

bool ShowPrinterProperties(QWidget* window, int index) {
    if (NoPrintersInstalled()) {
        return false;
    }
    platform::PrinterSystem& printers = platform::Printers();
    MakeCurrentOrDefault(index);
    return printers.ShowProperties(window, printers.CurrentIndex());
}

int MaxCopies(int index) {
    if (NoPrintersInstalled()) {
        return 0;
    }
    platform::PrinterSystem& printers = platform::Printers();
    return printers.MaxCopies(ValidPrinterIndex(index) ? index : printers.CurrentIndex());
}

bool MarginsFitPrinter(int orientation, int left, int top, int bottom, int right) {
    SelectPrinter(-1);
    if (!PrinterState().PrinterPresent) {
        return true;
    }
    SetPrinterOrientation(orientation);
    platform::Printers().SetCopies(1);
    const TMinimumMargins minimum = MinimumMargins(PrinterMetrics());
    return left >= minimum.Left && top >= minimum.Top && right >= minimum.Right &&
           bottom >= minimum.Bottom;
}

void AdjustMarginsToPrinter(int& left, int& top, int& right, int& bottom) {
    SelectPrinter(-1);
    if (!PrinterState().PrinterPresent) {
        return;
    }
    const TMinimumMargins minimum = MinimumMargins(PrinterMetrics());
    left = qMax(left, minimum.Left);
    top = qMax(top, minimum.Top);
    right = qMax(right, minimum.Right);
    bottom = qMax(bottom, minimum.Bottom);
}
