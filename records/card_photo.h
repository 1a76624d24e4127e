#pragma once
// The photo of the record sheet: Foto_1 of foto_album.db's current row while
// bound, nothing while unbound. The picture keeps its proportions; with
// "stretch" it is reduced (never enlarged) to fit the frame, otherwise drawn
// at its own size; either way centred. Without a picture the frame shows
// the column's label in parentheses. A click is reported (full view).

#include <QFrame>
#include <QImage>

#include "platform/store/datasource.h"

class TCardPhoto : public QFrame, public platform::DataSourceListener {
    Q_OBJECT
  public:
    TCardPhoto(platform::DataSource& photos, QWidget* parent = nullptr);
    ~TCardPhoto() override;

    // Bound: shows Foto_1 of the photo table's current row and follows its
    // changes; unbound: shows nothing.
    void SetBound(bool bound);
    bool IsBound() const { return bound_; }
    bool HasPicture() const { return !image_.isNull(); }
    void SetStretch(bool stretch);

    // Where the picture is drawn inside the frame (empty without one).
    QRect PictureRect() const;

    void OnSourceEvent(platform::DataSource& source, const platform::DataEvent& event) override;

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Reload();

    platform::DataSource* photos_;  // null once the source is destroyed
    bool bound_ = false;
    bool stretch_ = true;
    QImage image_;
};
