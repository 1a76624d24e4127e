#pragma once
// "Tisk náhledu...": printing the output the preview shows, without
// generating it again. The printer check, the print dialog (created on the
// first print and kept while the preview is open), the chosen printer, the
// range, the background flag, the before/after handlers and the printing
// itself on a graphic or a text-only printer.

#include <memory>

class TFormSestP;
class TPrintDialogTyp;

class TPreviewPrinting {
  public:
    static constexpr const char* kJobTitle = "Tisková sestava";

    TPreviewPrinting();
    ~TPreviewPrinting();

    // Runs the whole road for the preview `form`; answers whether pages were
    // sent to a printer.
    bool Print(TFormSestP& form);

    // The dialog component; null until the first print.
    TPrintDialogTyp* Dialog() const { return dialog_.get(); }

  private:
    void CreateDialog(const TFormSestP& form);
    void FillDialog(const TFormSestP& form);
    bool SendPages(TFormSestP& form, bool textOnly);

    std::unique_ptr<TPrintDialogTyp> dialog_;
};

// Sets the preview's print road to a TPreviewPrinting that lives as long as
// the window.
void AttachPreviewPrinting(TFormSestP& form);
