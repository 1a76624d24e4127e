#pragma once
// TSpeedButtonColor: a flat push button painted in a colour of its own, with
// a bevel whose light and dark edges are shades of that colour. Buttons of
// one parent that share a non-zero GroupIndex behave as the speed buttons of
// a tool bar: pressing one keeps it down and releases the others; with
// AllowAllUp a down button can be released by pressing it again.

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>

enum TButtonBevel { bbLowered, bbNone, bbRaised };
// Kept with the form; the button always paints flat in its own colours.
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

class TSpeedButtonColor : public QAbstractButton {
    Q_OBJECT
  public:
    explicit TSpeedButtonColor(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    // The shade step of the bevel, added to and subtracted from each of red,
    // green and blue of Color.
    int Odstin() const { return odstin_; }
    void SetOdstin(int step);
    TButtonBevel BevelStyle() const { return bevelStyle_; }
    void SetBevelStyle(TButtonBevel style);
    // Width of the bevel in pixels; never below 1.
    int BevelSize() const { return bevelSize_; }
    void SetBevelSize(int size);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);
    // Pixels between the picture and the caption.
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle style) { style_ = style; }
    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& picture);
    // With ZmenaFontu the caption is drawn in FontDown while the button is down.
    const QFont& FontDown() const { return fontDown_; }
    void SetFontDown(const QFont& font);
    bool ZmenaFontu() const { return zmenaFontu_; }
    void SetZmenaFontu(bool on);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow);
    bool Down() const { return down_; }
    // A button outside a group is never held down; a down button of a group
    // that does not allow all up stays down until another one goes down.
    void SetDown(bool down);

    // The bevel's colours: Color plus or minus Odstin per channel, kept
    // within 0..255.
    QColor LightEdgeColor() const;
    QColor DarkEdgeColor() const;
    // Whether the face is drawn pressed: held by the mouse or Down.
    bool IsDrawnDown() const { return isDown() || down_; }
    // The font the caption is drawn in now.
    QFont CaptionFont() const;

    QSize sizeHint() const override;

  signals:
    void DownChanged(bool down);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void PressedByUser();
    QList<TSpeedButtonColor*> GroupMembers() const;
    void ReleaseOthersInGroup();
    void PaintBevel(class QPainter& painter, const QRect& face) const;
    void PaintContent(QPainter& painter, const QRect& area) const;

    QColor color_ = QColor(0, 0, 128);
    int odstin_ = 64;
    TButtonBevel bevelStyle_ = bbRaised;
    int bevelSize_ = 3;
    Qt::Alignment alignment_ = Qt::AlignCenter;
    int spacing_ = 2;
    TButtonStyle style_ = bsAutoDetect;
    QPixmap picture_;
    QFont fontDown_;
    bool zmenaFontu_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
};
