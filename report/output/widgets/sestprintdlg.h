#pragma once
// The print dialog window: printer, page range and template groups, the
// background check box and the buttons "&Tisk", "&Náhled", "Storno".
// Groups that are not shown take no space; the window height follows what
// is shown. The dialog result is the TPrintDialogTyp::Result of the button.

#include <QDialog>

#include "report/output/sestvyst.h"

class QCheckBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TComboBoxPredloha;
class TComboBoxPrinter;
class TPrintDialogTyp;

class TSestPrintDlg : public QDialog {
    Q_OBJECT
  public:
    // The page fields take any page a report can have; the lowest value of
    // "&Do stránky:" (one below kMinPage) reads "poslední": the report's last page.
    static constexpr int kMinPage = 1;
    static constexpr int kMaxPage = kToLastPage;
    static constexpr int kMaxCopies = 9999;

    explicit TSestPrintDlg(QWidget* parent = nullptr);

    // Shows, enables and fills the controls from the component.
    void Load(const TPrintDialogTyp& settings);
    // Copies the user's choices into the component.
    void Store(TPrintDialogTyp& settings) const;

    TComboBoxPrinter* PrinterBox() const { return printerBox_; }
    TComboBoxPredloha* TemplateBox() const { return templateBox_; }

  private:
    QGroupBox* BuildPrinterGroup();
    QGroupBox* BuildRangeGroup();
    QGroupBox* BuildTemplateGroup();
    QLayout* BuildButtons();
    QPushButton* MakeButton(const char* name, const QString& text, int result);
    void LoadPrinter(const TPrintDialogTyp& settings);
    void LoadTemplate(const TPrintDialogTyp& settings);
    void PrinterChanged();
    void ShowProperties();
    void CurrentPageToggled(bool on);
    void TemplateChanged(const QString& path);

    QGroupBox* printerGroup_ = nullptr;
    TComboBoxPrinter* printerBox_ = nullptr;
    QLabel* deviceLabel_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QPushButton* propertiesButton_ = nullptr;
    QCheckBox* toFileBox_ = nullptr;

    QGroupBox* rangeGroup_ = nullptr;
    QSpinBox* fromEdit_ = nullptr;
    QSpinBox* toEdit_ = nullptr;
    QSpinBox* copiesEdit_ = nullptr;
    QCheckBox* currentPageBox_ = nullptr;
    QCheckBox* oneRecordBox_ = nullptr;

    QGroupBox* templateGroup_ = nullptr;
    QFormLayout* templateForm_ = nullptr;
    TComboBoxPredloha* templateBox_ = nullptr;
    QLabel* pathCaption_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QCheckBox* setDefaultBox_ = nullptr;

    QCheckBox* backgroundBox_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* previewButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
