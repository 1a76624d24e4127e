#pragma once
// TDBImageAspect: the picture of a picture field of the current record. With
// Stretch (the default) a picture larger than the control is reduced, never
// enlarged, keeping its proportions; Center centres it; the rest is filled
// with the control's colour. Without a picture the field's display label is
// shown in parentheses. Keys: Ctrl+C / Ctrl+Insert copy, Ctrl+V /
// Shift+Insert paste a picture, Ctrl+X / Shift+Delete cut, Enter and a double
// click load the picture from the field, Esc discards a change.
//
// The field keeps the bytes of the picture as they came: a JPEG stored by
// the photo album stays JPEG when the record is posted. Only a picture
// changed here is written, as the bytes it was given (SetPictureData) or as
// a bitmap file (pasted pictures).

#include <QByteArray>
#include <QFrame>
#include <QImage>

#include "controls/field_data_link.h"

// The size a picture is drawn at in a control of `area`: with `stretch`
// reduced to the width and then to the height, keeping the proportions and
// rounding to whole pixels; never enlarged.
QSize AspectPictureSize(const QSize& picture, const QSize& area, bool stretch);

enum TBorderStyle { bsNone, bsSingle };

class TDBImageAspect : public QFrame, public FieldBinding {
    Q_OBJECT
  public:
    explicit TDBImageAspect(QWidget* parent = nullptr);

    bool Center = false;
    bool Stretch = true;
    // Whether a new record's picture is loaded at once; otherwise on Enter or
    // a double click.
    bool AutoDisplay = true;
    bool QuickDraw = true;  // kept for forms that set it
    bool ReadOnly() const { return link_.ReadOnly; }
    void SetReadOnly(bool readOnly) { link_.ReadOnly = readOnly; }
    void SetStretch(bool stretch);
    void SetCenter(bool center);
    TBorderStyle BorderStyle() const { return frameShape() == QFrame::NoFrame ? bsNone : bsSingle; }
    void SetBorderStyle(TBorderStyle style);

    const QImage& Picture() const { return image_; }
    // The bytes the field gets when this picture is written.
    const QByteArray& PictureData() const { return data_; }
    // Puts picture bytes (a JPEG or BMP file's content) into the record as
    // they are; false when the record cannot be edited or the bytes are no
    // picture.
    bool SetPictureData(const QByteArray& bytes);
    // Whether the picture was changed here since the record was shown.
    bool Changed() const { return changed_; }
    // Where the picture is drawn now (for tests and the full view).
    QRect PictureRect() const;

    void LoadPicture();
    void CopyToClipboard() const;
    bool PasteFromClipboard();
    bool CutToClipboard();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void DataChanged();
    void WriteField();
    bool Change(const QByteArray& bytes, const QImage& image);
    void DiscardChange();

    QImage image_;
    QByteArray data_;
    QByteArray original_;  // the field's bytes before the first change
    bool changed_ = false;
};
