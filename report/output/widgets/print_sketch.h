#pragma once
// The sketch of the print-options window: the paper with a grey shadow, its
// printable area dotted in cyan and outlined in blue, and one red dotted
// rectangle per printer sheet, all scaled to fit and centred.

#include <QWidget>

class TFormLumexReportZoom;

class TPrintSketch : public QWidget {
  public:
    static constexpr int kShadow = 3;
    // More sheets than this in one direction are not drawn one by one.
    static constexpr int kMaxSheetsDrawn = 64;

    explicit TPrintSketch(const TFormLumexReportZoom& form, QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(300, 300); }

    // The paper rectangle in widget pixels as last painted (for tests).
    QRect PaperRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The drawing's extent in hundredths of an inch: the paper and every sheet.
    QRectF Extent() const;
    QTransform Fit() const;

    const TFormLumexReportZoom& form_;
};
