#pragma once
// "Tisk adresáře": the address book's entries, of every kind or of one, on
// an envelope or a sheet of labels (the templates of the print source
// "Adresář"), previewed or printed, or handed to a spreadsheet. Opened by
// the address book's "Tisk..." button. The entries come in the order of
// their key names, through the address list query of the data module.

#include <QDialog>
#include <memory>

#include "platform/store/datasource.h"
#include "platform/store/query.h"
#include "report/engine/sestavy.h"

class QComboBox;
class TDM1;

class TFoAdresarTisk : public QDialog {
    Q_OBJECT
  public:
    explicit TFoAdresarTisk(TDM1& dm, QWidget* parent = nullptr);

    // The list as the dialog's choice of kind has it now (run again).
    platform::DataSet& Entries();
    // "Náhled" and "Tisk": the chosen template over the entries.
    void PreviewEntries();
    void PrintEntries();
    // "Uložit jako tabulku...": the entries into an .xlsx or .csv file.
    void SaveEntriesAsSheet();

  private:
    void BuildControls();
    bool PrepareReport();

    TDM1& dm_;
    platform::Query entries_;
    platform::DataSource source_{QStringLiteral("SoQAdresar"), &entries_};
    TSestava report_;
    QComboBox* kinds_ = nullptr;
    QComboBox* templates_ = nullptr;
};
