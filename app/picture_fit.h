#pragma once
// Where a picture shown "stretched with its aspect kept and centred" lands in
// its frame.

#include <QRect>
#include <QSize>

// The largest rectangle of `picture`'s proportions inside `frame`, centred;
// empty when either size is empty.
QRect FitCentred(const QSize& picture, const QRect& frame);
