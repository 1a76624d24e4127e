#pragma once
// TSestKonfigDlg ("Prostředí editoru sestav"): the designer's working
// preferences and the starting properties of inserted elements. It shows a
// copy of the settings; "&Konec" checks and takes the typed values and writes
// them to the settings file, any other way out changes nothing.

#include <QDialog>

#include "report/designer/designer_settings.h"
#include "report/model/lumex_element.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class TSestKonfigDlg : public QDialog {
    Q_OBJECT
  public:
    TSestKonfigDlg(const TDesignerSettings& settings, const QString& iniPath,
                   QWidget* parent = nullptr);

    // The settings as they are after "&Konec".
    const TDesignerSettings& Settings() const { return settings_; }
    // Reads the controls; false (with the message shown) when the undo depth is not a number.
    bool TakeControls();
    // "Předvolené písmo ...": the element settings' font page on the sample's font.
    void ChooseFont();
    // The sample's font (the defaults' font until one is chosen).
    const TElementFont& SampleFont() const { return sampleFont_; }
    QLabel* Sample() const { return sample_; }

  private:
    QWidget* BuildEnvironment();
    QWidget* BuildRaster();
    QWidget* BuildDefaults();
    QWidget* BuildLibrary();
    void FillControls();
    void ChangeUnit(int unit);
    void RefreshSample();
    void Finish();

    TDesignerSettings settings_;
    QString iniPath_;
    int shownUnit_ = 0;
    TElementFont sampleFont_;
    QCheckBox* mazaniJedne_;
    QCheckBox* mazaniVice_;
    QCheckBox* posunMimo_;
    QLineEdit* pocetUndo_;
    QCheckBox* undoSave_;
    QCheckBox* showTree_;
    QComboBox* useUnits_;
    QCheckBox* sledPodle_;
    QCheckBox* popisyPol_;
    QCheckBox* pismaAbec_;
    QLineEdit* rastrX_;
    QLineEdit* rastrY_;
    QCheckBox* rastrZobrazovat_;
    QCheckBox* rastrZarovnavat_;
    QCheckBox* showRulesLR_;
    QCheckBox* showRulesTB_;
    QCheckBox* trackingH_;
    QCheckBox* trackingV_;
    QLineEdit* implSirka_;
    QLineEdit* implVyska_;
    QComboBox* implZarovnani_;
    QComboBox* implZarovnaniCi_;
    QLabel* sample_;
};
