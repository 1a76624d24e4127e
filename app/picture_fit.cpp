#include "app/picture_fit.h"

QRect FitCentred(const QSize& picture, const QRect& frame) {
    if (picture.isEmpty() || frame.isEmpty()) {
        return {};
    }
    const QSize fitted = picture.scaled(frame.size(), Qt::KeepAspectRatio);
    QRect placed(QPoint(0, 0), fitted);
    placed.moveCenter(frame.center());
    return placed;
}
