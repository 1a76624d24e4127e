#include "report/output/widgets/combo_printer.h"

#include "platform/print/printer_system.h"

TComboBoxPrinter::TComboBoxPrinter(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
}

void TComboBoxPrinter::List() {
    clear();
    addItems(platform::Printers().PrinterNames());
}

void TComboBoxPrinter::Fill(int index) {
    List();
    if (index == -1) {
        index = platform::Printers().CurrentIndex();
    }
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

int TComboBoxPrinter::SelectedPrinterIndex() const {
    if (currentIndex() < 0) {
        return -1;
    }
    return int(platform::Printers().PrinterNames().indexOf(currentText()));
}

QString TComboBoxPrinter::SelectedName() const {
    return currentIndex() < 0 ? QString() : currentText();
}

void TComboBoxPrinter::Refresh() {
    const QString selected = SelectedName();
    List();
    setCurrentIndex(selected.isEmpty() ? -1 : findText(selected, Qt::MatchExactly));
}
