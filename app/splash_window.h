#pragma once
// The splash window shown while the long-lived forms are created: borderless,
// centred on the screen, 341 x 253 pixels; its panel shows "Harvel 1.0" in
// large type, covered by Splash.bmp of the other folder when that file exists
// (stretched with its aspect kept and centred).

#include <QWidget>

#include "platform/paint/picture.h"

class TSplash : public QWidget {
    Q_OBJECT
  public:
    explicit TSplash(QWidget* parent = nullptr);

    bool HasPicture() const { return !picture_.IsEmpty(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void LoadPicture();

    platform::Picture picture_;
};
