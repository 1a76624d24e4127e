#pragma once
// The print dialog component: the settings a print starts from (printer,
// page range, copies, template, check boxes) and which parts of the dialog
// are shown and enabled. Execute shows the dialog window (TSestPrintDlg) on
// these values and takes the user's choice back.

#include <QString>
#include <functional>

#include "report/output/sestvyst.h"

class QWidget;
class TComboBoxPredloha;

class TPrintDialogTyp {
  public:
    // What Execute answers: the button that closed the dialog.
    enum Result : int { prStorno = 0, prNahled = 1, prTisk = 2, prUpravit = 3 };

    TPrintDialogTyp();

    QString Caption = QStringLiteral("Nastavení tisku");

    // ---- the template box ----------------------------------------------------------------
    QString ReportDir;
    QString ReportMask;
    bool ReportDirIgnore = true;
    QString ReportPath;  // the selected template
    std::function<void(TComboBoxPredloha&)> OnNactiSeznam;

    // ---- printer and range --------------------------------------------------------------
    int PrinterIndex = -1;  // the current printer at creation; -1 when none is installed
    int FromPage = 1;
    int ToPage = kToLastPage;  // the report's last page unless the user sets one
    int Copies = 1;

    // ---- what is enabled ---------------------------------------------------------------
    bool EnablePrinterProperties = true;
    bool EnableEdit = true;
    bool EnablePreview = true;
    bool EnablePrint = true;

    // ---- what is shown -----------------------------------------------------------------
    bool ShowPrinterGroup = true;
    bool ShowRangeGroup = true;
    bool ShowTemplateGroup = true;
    bool ShowCurrentPage = false;
    bool ShowOneRecord = false;
    bool ShowToFile = false;
    bool ShowSetAsDefault = false;
    bool ShowBackground = false;
    bool ShowTemplateNames = true;

    // ---- check-box values ----------------------------------------------------------------
    bool ToFile = false;
    bool CurrentPage = false;
    bool OneRecord = false;
    bool SetAsDefault = false;
    bool PrintBackground = false;

    // Shows the dialog modally. On any answer but prStorno the template path,
    // the range, copies, printer index and the five check boxes are stored back.
    int Execute(QWidget* parent = nullptr);
};
