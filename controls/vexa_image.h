#pragma once
// TVexaImage: a picture in a frame of its own size (105 x 105 when created).
//   Stretch and Isometric: the picture is scaled up or down to the largest
//     size that fits with its proportions kept; Center centres it, otherwise
//     it sits at the top left.
//   Stretch alone: the picture fills the control.
//   No Stretch: the picture is drawn at its own size, centred with Center.
// The area the picture leaves free is filled with light grey (silver) unless
// the control is Transparent. AutoSize makes an unstretched control take the
// picture's size.

#include <QImage>
#include <QWidget>

class TVexaImage : public QWidget {
    Q_OBJECT
  public:
    explicit TVexaImage(QWidget* parent = nullptr);

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Isometric() const { return isometric_; }
    void SetIsometric(bool on);
    bool Center() const { return center_; }
    void SetCenter(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    // Kept with the form: pictures are always shown whole once loaded.
    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void SetIncrementalDisplay(bool on) { incrementalDisplay_ = on; }

    // Where the picture is drawn within the control; empty without a picture.
    QRect PictureRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void FitToPicture();

    QImage picture_;
    bool stretch_ = false;
    bool isometric_ = true;
    bool center_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
    bool incrementalDisplay_ = false;
};

// The largest size of `picture` that fits `frame` with its proportions kept,
// each side rounded to whole pixels.
QSize IsometricFit(const QSize& picture, const QSize& frame);
