#include "records/card_photo.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/store/field.h"

namespace {
const QString kPhotoColumn = QStringLiteral("foto_1");
}

TCardPhoto::TCardPhoto(platform::DataSource& photos, QWidget* parent)
    : QFrame(parent), photos_(&photos) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    photos_->AddListener(this);
}

TCardPhoto::~TCardPhoto() {
    if (photos_ != nullptr) {
        photos_->RemoveListener(this);
    }
}

void TCardPhoto::SetBound(bool bound) {
    bound_ = bound;
    Reload();
}

void TCardPhoto::SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void TCardPhoto::Reload() {
    image_ = QImage();
    platform::DataSet* dataSet = photos_ != nullptr ? photos_->GetDataSet() : nullptr;
    if (bound_ && dataSet != nullptr && dataSet->IsActive() && dataSet->RecNo() >= 0) {
        if (platform::Field* field = dataSet->FindField(kPhotoColumn)) {
            const QByteArray bytes = field->AsBytes();
            if (!bytes.isEmpty()) {
                image_.loadFromData(bytes);
            }
        }
    }
    update();
}

void TCardPhoto::OnSourceEvent(platform::DataSource&, const platform::DataEvent& event) {
    if (event.kind == platform::DataEventKind::Destroyed) {
        photos_ = nullptr;
    }
    if (!bound_) {
        return;
    }
    if (event.kind == platform::DataEventKind::Closed ||
        event.kind == platform::DataEventKind::Destroyed) {
        image_ = QImage();
        update();
        return;
    }
    Reload();
}

QRect TCardPhoto::PictureRect() const {
    if (image_.isNull()) {
        return QRect();
    }
    const QRect area = contentsRect();
    QSize size = image_.size();
    if (stretch_ && (size.width() > area.width() || size.height() > area.height())) {
        size.scale(area.size(), Qt::KeepAspectRatio);
    }
    QRect target(QPoint(0, 0), size);
    target.moveCenter(area.center());
    return target;
}

void TCardPhoto::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    if (image_.isNull()) {
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
        painter.drawText(contentsRect(), Qt::AlignCenter, QStringLiteral("(Foto_1)"));
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(), image_);
}

void TCardPhoto::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}
