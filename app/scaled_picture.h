#pragma once
// The bridge between Qt images and the area-averaging scaler: pictures of the launcher are
// fitted to their controls through ScaleBitmap.
#include "app/scale_bitmap.h"

#include <QImage>
#include <QPixmap>
#include <QSize>

SDibImage DibFromImage(const QImage& image);
QImage ImageFromDib(const SDibImage& dib);

// The bitmap resource nBitmapId scaled to size; a null pixmap when the scaling is refused or
// the resource does not exist.
QPixmap ScaledBitmapResource(int nBitmapId, const QSize& size);
