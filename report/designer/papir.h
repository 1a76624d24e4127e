#pragma once
// TPapir: the paper of the design surface. It holds the bands (the five fixed
// sections, then the two bands of each group), stacks the visible ones in
// display order and knows the report, the zoom and the design width.

#include <QWidget>
#include <vector>

#include "platform/paint/picture.h"

class TDesignerOperations;
class TOddil;
class TSesPrvek;
class TSestavaTyp;

class TPapir : public QWidget {
    Q_OBJECT
  public:
    TPapir(TSestavaTyp& report, TDesignerOperations& designer, QWidget* parent = nullptr);

    TSestavaTyp& Report() const { return report_; }
    TDesignerOperations& Designer() const { return designer_; }

    // Builds the bands from the report's sections and groups, with their elements.
    void Rebuild();
    // Removes every band's elements.
    void ClearElements();
    const std::vector<TOddil*>& Bands() const { return bands_; }
    TOddil* Band(int code) const;
    // The visible bands in display order.
    std::vector<TOddil*> DisplayedBands() const;
    // Every element of every band, in the bands' creation order.
    std::vector<TSesPrvek*> AllElements() const;
    TOddil* BandOf(const TSesPrvek* element) const;

    // A detail report shows no page header and no page footer.
    bool IsDetail() const;

    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    int DesignWidth() const { return designWidth_; }
    void SetDesignWidth(int width);
    // Stacks the visible bands and sizes the paper.
    void RelayBands();

    // The template's background picture (may be empty) and its rectangle on the paper.
    platform::Picture background;
    QRect backgroundRect;

  private:
    TOddil* CreateBand(int code);

    TSestavaTyp& report_;
    TDesignerOperations& designer_;
    std::vector<TOddil*> bands_;
    double zoom_ = 1.0;
    int designWidth_ = 726;
};
