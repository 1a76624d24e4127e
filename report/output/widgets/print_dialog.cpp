#include "report/output/widgets/print_dialog.h"

#include "platform/print/printer_system.h"
#include "platform/widgets/dialogs.h"
#include "report/output/widgets/sestprintdlg.h"

TPrintDialogTyp::TPrintDialogTyp() : PrinterIndex(platform::Printers().CurrentIndex()) {}

int TPrintDialogTyp::Execute(QWidget* parent) {
    TSestPrintDlg dialog(parent);
    dialog.Load(*this);
    int result = platform::ExecModal(dialog);
    if (result < prStorno || result > prUpravit) {
        result = prStorno;
    }
    if (result != prStorno) {
        dialog.Store(*this);
    }
    return result;
}
