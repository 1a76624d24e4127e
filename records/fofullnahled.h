#pragma once
// The full view TFoFullNahled ("Plný náhled"): the current animal's photo
// (Foto_1 of foto_album.db's current row) over the whole work area of the
// screen, reduced to fit when it is larger, centred, closed with "Zavřít".
// The record sheet opens it on a click on its photo, with the album table
// positioned on the animal's row.

#include <QDialog>

class QPushButton;
class TDBImageAspect;
class TDM1;

class TFoFullNahled : public QDialog {
    Q_OBJECT
  public:
    explicit TFoFullNahled(TDM1& dm, QWidget* parent = nullptr);

    TDBImageAspect* Image() const { return image_; }

  private:
    TDBImageAspect* image_ = nullptr;
    QPushButton* close_ = nullptr;
};
