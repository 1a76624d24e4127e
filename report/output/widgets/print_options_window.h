#pragma once
// The print-options window, asked when a report's paper is larger than the
// sheet the printer takes: crop the page, reduce the scale, or spread each
// page over several sheets; the printer's medium may be turned. A sketch
// shows the paper, its printable area and the sheets it goes on.

#include <QDialog>

#include "report/output/print_options.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class TPrintSketch;

class TFormLumexReportZoom : public QDialog {
    Q_OBJECT
  public:
    enum Option { poOriznout, poZmensit, poViceListu };

    // The report's paper and its margins, in hundredths of an inch.
    explicit TFormLumexReportZoom(const TPrintOptionsRequest& paper, QWidget* parent = nullptr);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int Zoom() const { return zoom_; }
    Option SelectedOption() const { return option_; }
    void SelectOption(Option option);
    // The printer's sheet as the window counts with it (hundredths of an inch).
    int PhysicalWidth() const { return physicalWidth_; }
    int PhysicalHeight() const { return physicalHeight_; }
    // 0 portrait, 1 landscape: what "Tisknout" sets when the medium is turned.
    int OrientationToApply() const { return orientation_; }
    const TPrintOptionsRequest& Paper() const { return paper_; }
    TPrintOptions Options() const { return TPrintOptions{rows_, columns_, zoom_}; }

    // Turns the medium: swaps the sheet's width and height and the
    // orientation to apply, then applies the selected option again.
    void SetTurned(bool turned);
    // Confirms: with the medium turned the printer gets that orientation.
    void Confirm();
    // "Tiskárna...": the printer's set-up dialog in the orientation to apply;
    // after OK the sheet and orientation are read from the printer again.
    void SetUpPrinter();

  private:
    void BuildControls();
    void ReadPrinter();
    void KeepSheetAboveMargins();
    void ApplyOption();
    void SpreadOverSheets();
    void UpdateLabels();

    TPrintOptionsRequest paper_;
    int physicalWidth_ = 0;
    int physicalHeight_ = 0;
    int orientation_ = 0;
    int columns_ = 1;
    int rows_ = 1;
    int zoom_ = 100;
    Option option_ = poOriznout;
    bool turned_ = false;

    QLabel* paperLabel_ = nullptr;
    QLabel* mediumLabel_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QRadioButton* cropButton_ = nullptr;
    QRadioButton* reduceButton_ = nullptr;
    QRadioButton* sheetsButton_ = nullptr;
    QCheckBox* turnBox_ = nullptr;
    TPrintSketch* sketch_ = nullptr;
};

// Makes printing ask this window when the paper is larger than the printer's sheet.
void InstallPrintOptionsWindow();
