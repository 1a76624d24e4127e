#include "records/print_btn_kopa.h"

#include <QMouseEvent>

#include "platform/messages.h"

TPrintBtnKopa::TPrintBtnKopa(QWidget* parent) : QToolButton(parent) {
    captions_[kpPreview] = QStringLiteral("Tisk. náhled");
    captions_[kpPrint] = QStringLiteral("Tisk");
    captions_[kpEdit] = QStringLiteral("Editace předl.");
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    connect(this, &QToolButton::clicked, this, [this] {
        if (OnClick) {
            OnClick(*this);
        }
        RunReport();
    });
    UpdateDisplay();
}

void TPrintBtnKopa::SetKindPrint(TKindPrint kind) {
    kind_ = kind;
    UpdateDisplay();
}

void TPrintBtnKopa::SetEditEnabled(bool enabled) {
    editEnabled_ = enabled;
    UpdateDisplay();
}

void TPrintBtnKopa::SetMoveEnabled(bool enabled) {
    moveEnabled_ = enabled;
    UpdateDisplay();
}

void TPrintBtnKopa::SetImageIndex(TKindPrint kind, int index) {
    imageIndex_[kind] = index;
    UpdateDisplay();
}

void TPrintBtnKopa::SetImages(const QList<QIcon>& images) {
    images_ = images;
    UpdateDisplay();
}

void TPrintBtnKopa::SetCaption(TKindPrint kind, const QString& caption) {
    captions_[kind] = caption;
    UpdateDisplay();
}

void TPrintBtnKopa::UpdateDisplay() {
    if (!editEnabled_ && kind_ == kpEdit) {
        kind_ = kpPreview;
    }
    const int image = imageIndex_[kind_];
    setIcon(image >= 0 && image < images_.size() ? images_.at(image) : QIcon());
    setText(captions_[kind_]);
}

void TPrintBtnKopa::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QToolButton::mousePressEvent(event);
        return;
    }
    if (moveEnabled_) {
        kind_ = static_cast<TKindPrint>((kind_ + 1) % 3);
    }
    UpdateDisplay();
    if (OnRightMouseDown) {
        OnRightMouseDown(*this);
    }
    event->accept();
}

void TPrintBtnKopa::RunReport() {
    if (report_ == nullptr) {
        platform::ShowMessage(QStringLiteral("Není připojena žádná sestava"), QString(),
                              platform::MessageIcon::Error, platform::mbOK);
        return;
    }
    bool pokracovat = true;
    if (OnBeforeReport) {
        OnBeforeReport(*this, pokracovat);
    }
    if (!pokracovat) {
        return;
    }
    RunKind();
    if (OnAfterReport) {
        OnAfterReport(*this);
    }
}

void TPrintBtnKopa::RunKind() {
    switch (kind_) {
        case kpPreview: {
            TWindowPlace place;
            place.rect = QRect(0, 0, 800, 600);
            place.designedPosition = false;
            place.zoom = ZoomPreview;
            place.state = TWindowState::Normal;
            report_->PreviewAt(place);
            break;
        }
        case kpPrint:
            report_->Print();
            break;
        case kpEdit:
            report_->Edit();
            break;
    }
}
