#pragma once
// TDlgKonfPrvku ("Nastavení vlastností prvku"): one element of a template in
// full: position and size, the source it prints, alignment, letter spacing
// and angle, the flags of its kind, frame lines, font, barcode properties and
// conditional printing. Four modes show the pages the element needs; the
// font mode alone serves "Písmo..." and the designer settings. Nothing
// changes until the caller applies the dialog after OK.

#include <QDialog>

#include "report/model/lumex_element.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class TListFunkci;
class TSestavaTyp;

// What the dialog needs of the designer.
struct TElementDialogContext {
    TSestavaTyp* report = nullptr;
    TListFunkci* functions = nullptr;
    bool sledPodle = false;  // "SledPodle": expressions insert fields by name
    bool popisyPol = false;  // field lists show display labels
    bool pismaAbec = false;  // the font list sorted
    int unit = 0;            // the designer's measurement unit
};

class TDlgKonfPrvku : public QDialog {
    Q_OBJECT
  public:
    enum TMode { kmText, kmFont, kmGraphic, kmBarcode };
    // Pages, in the order of the tabs.
    enum TPage { pgBasic, pgFont, pgBarcode, pgCondition, pgCount };
    // Panels of "Další vlastnosti:".
    enum TPanel { pnText, pnMemo, pnPicture, pnFunction, pnVariable };

    // The mode an element of `kind` is edited in.
    static TMode ModeFor(int kind);

    TDlgKonfPrvku(TMode mode, const TElementDialogContext& context, QWidget* parent = nullptr);

    TMode Mode() const { return mode_; }
    QTabWidget* Pages() const { return pages_; }

    // Fills the font page from a font and updates the sample.
    void SetFont(const TElementFont& font);
    // The font as the font page gives it.
    TElementFont Font() const { return font_; }

    // Fills the dialog from an element; false when the element refers to a
    // field or function that no longer exists (the dialog is then not shown).
    bool Fill(const TLumexReportElement& element);
    // Writes the dialog into the element (after OK).
    void Apply(TLumexReportElement& element) const;

    // The panel "Další vlastnosti:" shows.
    int ShownPanel() const;
    // Whether "Funkce ..." changed a user function (saved even on Storno).
    bool FunctionEdited() const { return functionEdited_; }

    // The source list of a kind (fields, parameters, variables, functions).
    static QStringList SourceItems(int kind, TSestavaTyp& report, const TListFunkci& functions,
                                   bool popisyPol);

  private:
    QWidget* BuildBasicPage();
    QWidget* BuildPanels(QWidget* parent);
    QWidget* BuildFontPage();
    QWidget* BuildBarcodePage();
    QWidget* BuildConditionPage();
    void ShowPages();
    void FontChanged();
    void RefreshSample();
    void SourceChanged(int index);
    void RtfToggled(bool on);
    void EditCondition();
    void EditChosenFunction();
    void PageChanged(int page);
    int PanelForField(int field) const;
    void FillText(const TLumexReportElement& e);
    void FillBarcode(const TLumexReportElement& e);
    void FillCommon(const TLumexReportElement& e);
    void ApplyText(TLumexReportElement& e) const;
    void ApplyBarcode(TLumexReportElement& e) const;
    void ApplyGeometry(TLumexReportElement& e, QLineEdit* const* edits) const;
    void ApplyCondition(TLumexReportElement& e) const;

    TMode mode_;
    TElementDialogContext context_;
    TElementFont font_;
    int kind_ = 0;
    bool filling_ = false;
    bool functionEdited_ = false;

    QTabWidget* pages_;
    QLabel* unitLabels_[2] = {};
    QLineEdit* geometry_[4] = {};
    QComboBox* alignment_;
    QLineEdit* spacing_;
    QLineEdit* angle_;
    QLineEdit* kindName_;
    QLabel* sourceCaption_;
    QComboBox* source_;
    QLabel* textCaption_;
    QLineEdit* text_;
    QGroupBox* byNameGroup_;
    QButtonGroup* byName_;
    QStackedWidget* panels_;
    QCheckBox* txMultiline_;
    QCheckBox* txVarHeight_;
    QCheckBox* txBlok_;
    QCheckBox* memoBlok_;
    QCheckBox* memoVarHeight_;
    QCheckBox* memoRtf_;
    QCheckBox* stretch_;
    QCheckBox* keepAspect_;
    QCheckBox* fnMultiline_;
    QCheckBox* fnVarHeight_;
    QCheckBox* fnBlok_;
    QToolButton* frames_[4] = {};

    QComboBox* fontName_;
    QComboBox* fontSize_;
    QComboBox* fontColour_;
    QComboBox* fontScript_;
    QCheckBox* styles_[4] = {};
    QLabel* sample_;

    QLineEdit* barcodeGeometry_[4] = {};
    QComboBox* barcodeType_;
    QComboBox* barWidth_;
    QCheckBox* checkSum_;
    QCheckBox* barText_;
    QCheckBox* guards_;
    QLineEdit* barcodeText_;
    QLineEdit* barcodeAngle_;

    QLineEdit* condition_;
    QCheckBox* handler_;
    QLineEdit* ident_;
};
