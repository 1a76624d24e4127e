#pragma once
// The designer's property panel: the focused element's position and size in
// the designer's unit, its order in the band, and one panel per kind (text,
// line, frame, picture, barcode, drawing area). Every change goes to the
// focused element, or to each marked element it concerns, and records a step.

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class TFormSestE;
class TLumexReportElement;
class TSesPrvek;

class TDesignProperties : public QWidget {
    Q_OBJECT
  public:
    TDesignProperties(TFormSestE& designer, QWidget* parent);

    // Shows an element (null: no element, kind panels hidden).
    void ShowElement(TSesPrvek* element);
    void SetElementControlsEnabled(bool enabled);
    void SetOrderButtonsEnabled(bool enabled);

    // The 16 colour names in the order of the template's colour table.
    static const QStringList& ColourNames();

  private:
    QWidget* BuildGeometry();
    QWidget* BuildTextPanel();
    QWidget* BuildLinePanel();
    QWidget* BuildShapePanel();
    QWidget* BuildPicturePanel();
    QWidget* BuildBarcodePanel();
    QWidget* BuildPaintPanel();
    QLineEdit* LengthField(const QString& name, const QString& caption, QWidget* host, int field);
    void ApplyLength(int field);
    void Apply(const std::function<bool(const TLumexReportElement&)>& concerns,
               const std::function<void(TLumexReportElement&)>& change, int step);
    void FillTextPanel(const TLumexReportElement& e);
    void FillLinePanel(const TLumexReportElement& e);
    void FillShapePanel(const TLumexReportElement& e);
    void FillPicturePanel(const TLumexReportElement& e);
    void FillBarcodePanel(const TLumexReportElement& e);
    void FillPaintPanel(const TLumexReportElement& e);
    QToolButton* FlagButton(QWidget* host, const QString& name, const QString& text, int bit,
                            bool textKinds);

    TFormSestE& designer_;
    TSesPrvek* shown_ = nullptr;
    bool filling_ = false;
    QLineEdit* lengths_[4] = {nullptr, nullptr, nullptr, nullptr};
    QPushButton* front_ = nullptr;
    QPushButton* back_ = nullptr;
    QWidget* textPanel_ = nullptr;
    QWidget* linePanel_ = nullptr;
    QWidget* shapePanel_ = nullptr;
    QWidget* picturePanel_ = nullptr;
    QWidget* barcodePanel_ = nullptr;
    QWidget* paintPanel_ = nullptr;
    std::vector<std::pair<QToolButton*, int>> textFrameButtons_;
    QToolButton* alignButtons_[3] = {nullptr, nullptr, nullptr};
    QLineEdit* textEdit_ = nullptr;
    QCheckBox* rtfJustify_ = nullptr;
    QCheckBox* rtfVariable_ = nullptr;
    QComboBox* lineColour_ = nullptr;
    QSpinBox* lineWidth_ = nullptr;
    QComboBox* lineStyle_ = nullptr;
    std::vector<std::pair<QToolButton*, int>> lineButtons_;
    QComboBox* shapeColour_ = nullptr;
    QSpinBox* shapeWidth_ = nullptr;
    QComboBox* fillColour_ = nullptr;
    QComboBox* fillStyle_ = nullptr;
    std::vector<std::pair<QToolButton*, int>> shapeButtons_;
    QComboBox* pictureFile_ = nullptr;
    QCheckBox* pictureStretch_ = nullptr;
    QCheckBox* pictureAspect_ = nullptr;
    QCheckBox* pictureOwn_ = nullptr;
    QComboBox* barcodeType_ = nullptr;
    QComboBox* barWidth_ = nullptr;
    QCheckBox* barcodeCheck_ = nullptr;
    QCheckBox* barcodeText_ = nullptr;
    QLineEdit* barcodeContent_ = nullptr;
    QCheckBox* barcodeGuards_ = nullptr;
    QSpinBox* paintIndex_ = nullptr;
    QSpinBox* paintZoom_ = nullptr;
    QCheckBox* paintVariable_ = nullptr;
};
