#include "platform/print/printer_system.h"

#include "platform/print/cups_printer_system.h"

namespace platform {
namespace {

PrinterSystem*& InstalledSystem() {
    static PrinterSystem* installed = nullptr;
    return installed;
}

// Never destroyed: its QPrinter objects must not outlive the application
// object, which static destruction at exit would make them do.
PrinterSystem& RealSystem() {
    static CupsPrinterSystem* real = new CupsPrinterSystem;
    return *real;
}

}  // namespace

PrinterSystem& Printers() {
    if (PrinterSystem* installed = InstalledSystem()) {
        return *installed;
    }
    return RealSystem();
}

PrinterSystem* SetPrinterSystem(PrinterSystem* system) {
    PrinterSystem* previous = InstalledSystem();
    InstalledSystem() = system;
    return previous;
}

}  // namespace platform
