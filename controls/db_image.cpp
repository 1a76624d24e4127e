#include "controls/db_image.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <cmath>

#include "platform/paint/bitmap_files.h"
#include "platform/store/field.h"
#include "platform/store/store_error.h"

QSize AspectPictureSize(const QSize& picture, const QSize& area, bool stretch) {
    if (!stretch || picture.isEmpty()) {
        return picture;
    }
    double width = picture.width(), height = picture.height();
    if (width > area.width()) {
        height = std::round(height * area.width() / width);
        width = area.width();
    }
    if (height > area.height()) {
        width = std::round(width * area.height() / height);
        height = area.height();
    }
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

TDBImageAspect::TDBImageAspect(QWidget* parent)
    : QFrame(parent), FieldBinding([this] { DataChanged(); }, {}, [this] { WriteField(); }) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

void TDBImageAspect::SetStretch(bool stretch) {
    Stretch = stretch;
    update();
}

void TDBImageAspect::SetBorderStyle(TBorderStyle style) {
    setFrameStyle(style == bsNone ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
}

void TDBImageAspect::SetCenter(bool center) {
    Center = center;
    update();
}

// Another record or a value written elsewhere: the picture is read again
// (at once with AutoDisplay, else on request).
void TDBImageAspect::DataChanged() {
    image_ = QImage();
    data_.clear();
    changed_ = false;
    const platform::Field* field = link_.Field();
    original_ = field != nullptr && !field->IsNull() ? field->AsBytes() : QByteArray();
    if (AutoDisplay) {
        LoadPicture();
    }
    update();
}

void TDBImageAspect::LoadPicture() {
    const platform::Field* field = link_.Field();
    image_ = QImage();
    data_.clear();
    if (field != nullptr && !field->IsNull()) {
        data_ = field->AsBytes();
        image_ = platform::LoadPicture(data_);
    }
    update();
}

bool TDBImageAspect::Change(const QByteArray& bytes, const QImage& image) {
    if (!link_.Edit()) {
        return false;
    }
    data_ = bytes;
    image_ = image;
    changed_ = true;
    link_.SetModified();
    update();
    // The field takes the change at once, so a post from anywhere keeps it.
    try {
        link_.UpdateRecord();
    } catch (const platform::StoreError& error) {
        ShowStoreError(error);
        return false;
    }
    return true;
}

bool TDBImageAspect::SetPictureData(const QByteArray& bytes) {
    const QImage image = platform::LoadPicture(bytes);
    if (image.isNull()) {
        return false;
    }
    return Change(bytes, image);
}

// The field took every change at once; discarding puts back what the record
// held before the first one.
void TDBImageAspect::DiscardChange() {
    if (!changed_) {
        return;
    }
    const QByteArray original = original_;
    if (Change(original, platform::LoadPicture(original))) {
        changed_ = false;
    }
}

void TDBImageAspect::WriteField() {
    platform::Field* field = link_.Field();
    if (field == nullptr) {
        return;
    }
    if (data_.isEmpty()) {
        field->Clear();
    } else {
        field->SetAsBytes(data_);
    }
}

void TDBImageAspect::CopyToClipboard() const {
    if (!image_.isNull()) {
        QApplication::clipboard()->setImage(image_);
    }
}

bool TDBImageAspect::PasteFromClipboard() {
    const QImage pasted = QApplication::clipboard()->image();
    if (pasted.isNull()) {
        return false;
    }
    return Change(platform::ToBmp(pasted), pasted);
}

bool TDBImageAspect::CutToClipboard() {
    if (!link_.CanModify()) {
        return false;
    }
    CopyToClipboard();
    return Change(QByteArray(), QImage());
}

QRect TDBImageAspect::PictureRect() const {
    const QRect area = contentsRect();
    const QSize size = AspectPictureSize(image_.size(), area.size(), Stretch);
    QPoint at = area.topLeft();
    if (Center) {
        at += QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    }
    return QRect(at, size);
}

void TDBImageAspect::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.fillRect(area, palette().color(backgroundRole()));
    if (!image_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setClipRect(area);
        painter.drawImage(PictureRect(), image_);
    } else {
        const platform::Field* field = link_.Field();
        const QString label = field != nullptr ? field->DisplayLabel() : DataField();
        if (!label.isEmpty()) {
            painter.drawText(area, Qt::AlignCenter, QStringLiteral("(%1)").arg(label));
        }
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = area.adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TDBImageAspect::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods == Qt::ControlModifier, shift = mods == Qt::ShiftModifier;
    if ((ctrl && key == Qt::Key_C) || (ctrl && key == Qt::Key_Insert)) {
        CopyToClipboard();
    } else if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
        PasteFromClipboard();
    } else if ((ctrl && key == Qt::Key_X) || (shift && key == Qt::Key_Delete)) {
        CutToClipboard();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        LoadPicture();
    } else if (key == Qt::Key_Escape) {
        DiscardChange();
    } else {
        QFrame::keyPressEvent(event);
    }
}

void TDBImageAspect::mouseDoubleClickEvent(QMouseEvent* event) {
    LoadPicture();
    QFrame::mouseDoubleClickEvent(event);
}

void TDBImageAspect::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void TDBImageAspect::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}
