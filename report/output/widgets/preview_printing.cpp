#include "report/output/widgets/preview_printing.h"

#include <QWidget>
#include <algorithm>

#include "platform/messages.h"
#include "platform/paint/picture.h"
#include "platform/print/printer_system.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"
#include "report/output/widgets/print_dialog.h"
#include "report/output/widgets/sestp.h"

namespace {

bool HasBackground(const TFormSestP& form) {
    return form.Background() != nullptr && !form.Background()->IsEmpty();
}

void Notify(const std::function<void()>& handler) {
    if (handler) {
        handler();
    }
}

}  // namespace

TPreviewPrinting::TPreviewPrinting() = default;
TPreviewPrinting::~TPreviewPrinting() = default;

void TPreviewPrinting::CreateDialog(const TFormSestP& form) {
    dialog_ = std::make_unique<TPrintDialogTyp>();
    dialog_->ShowTemplateGroup = false;
    dialog_->EnablePreview = false;
    // The print reads these two boxes, so the user gets to tick them.
    dialog_->ShowCurrentPage = true;
    dialog_->ShowToFile = true;
    dialog_->ShowBackground = HasBackground(form);
    dialog_->PrintBackground = form.PrintBackground();
}

// The current printer, turned as the template wants, and the output's own
// range and copies.
void TPreviewPrinting::FillDialog(const TFormSestP& form) {
    SelectPrinter(-1);
    SetPrinterOrientation(PaperSetup().Orientation);
    const TSestVystup& output = *form.Output();
    dialog_->PrinterIndex = platform::Printers().CurrentIndex();
    dialog_->FromPage = output.FirstPage;
    dialog_->ToPage = std::min(output.LastPage, output.PageCount());
    dialog_->Copies = output.Copies;
    dialog_->PrintBackground = form.PrintBackground();
}

bool TPreviewPrinting::Print(TFormSestP& form) {
    if (form.Output() == nullptr) {
        return false;
    }
    if (platform::Printers().PrinterCount() == 0) {
        platform::ShowMessage(QStringLiteral("V systému není nainstalovaná žádná tiskárna."),
                              QStringLiteral("Varování"), platform::MessageIcon::Warning);
        return false;
    }
    if (!dialog_) {
        CreateDialog(form);
    }
    FillDialog(form);
    if (dialog_->Execute(&form) != TPrintDialogTyp::prTisk) {
        return false;
    }
    const QString port = dialog_->ToFile ? QStringLiteral("FILE:") : QString();
    const bool textOnly = IsTextOnlyPrinter(dialog_->PrinterIndex, port, true);
    SelectPrinter(-1);
    return SendPages(form, textOnly);
}

bool TPreviewPrinting::SendPages(TFormSestP& form, bool textOnly) {
    TSestVystup& output = *form.Output();
    const int shownPage = output.CurrentPage;
    int from = dialog_->FromPage;
    int to = dialog_->ToPage;
    if (dialog_->CurrentPage) {
        from = to = shownPage + 1;
    }
    form.SetPrintBackground(dialog_->PrintBackground);
    output.SetBackground(form.Background(), output.BackgroundRect, dialog_->PrintBackground);
    Notify(form.OnBeforePrint);
    const bool stop = false;
    const QString title = QString::fromUtf8(kJobTitle);
    const bool printed = textOnly ? output.PrintText(from, to, &stop, title, dialog_->Copies)
                                  : output.Print(from, to, &stop, title, dialog_->Copies);
    Notify(form.OnAfterPrint);
    // Printing renders every page it sends; the preview goes on showing its own.
    output.SetCurrentPage(shownPage);
    form.update();
    for (QWidget* child : form.findChildren<QWidget*>()) {
        child->update();
    }
    return printed;
}

void AttachPreviewPrinting(TFormSestP& form) {
    auto printing = std::make_shared<TPreviewPrinting>();
    form.OnPrint = [printing](TFormSestP& shown) { printing->Print(shown); };
}
