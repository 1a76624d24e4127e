#pragma once
// The photo album form TFoFotoAlbum_Zapis ("Fotoalbum zápis"): the photo of
// one animal in foto_album.db, put in from a picture file (BMP, JPEG or PNG,
// its bytes stored unchanged) or from the clipboard, cut to the clipboard,
// shown fitted to the frame or at its own size. Only "Zápis" posts the row;
// "Storno" closes without it, and the record sheet's closing of the table
// drops what was not posted. The lamp blinks while the animal's row is new.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class TDBImageAspect;
class TDM1;
class TLedka;

class TFoFotoAlbum_Zapis : public QDialog {
    Q_OBJECT
  public:
    explicit TFoFotoAlbum_Zapis(TDM1& dm, QWidget* parent = nullptr);

    // The record sheet's steps around the form: opens foto_album.db, makes
    // the row of `registeredName` current or appends it (not posted, lamp
    // blinking), labels the form and shows it modally. The caller closes
    // the table afterwards.
    static int ShowFor(TDM1& dm, const QString& registeredName, QWidget* parent);

    QLabel* Jmeno_registr = nullptr;
    TLedka* Ledka = nullptr;
    TDBImageAspect* Image() const { return image_; }

  private:
    void BuildControls();
    void LayOut();
    void FromFileClick();
    void FromClipboardClick();
    void ToClipboardClick();
    void ZapisClick();

    TDM1& dm_;
    TDBImageAspect* image_ = nullptr;
    QCheckBox* fit_ = nullptr;
    QLabel* sizeHint_ = nullptr;
    QPushButton* fromFile_ = nullptr;
    QPushButton* fromClipboard_ = nullptr;
    QPushButton* toClipboard_ = nullptr;
    QPushButton* zapis_ = nullptr;
    QPushButton* storno_ = nullptr;
};
