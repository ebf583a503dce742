#pragma once
// Looking at the pixels of a grabbed widget.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <cstdlib>

inline QImage GrabImage(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor PixelAt(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// The smallest rectangle inside rcArea that holds every pixel differing from crGround.
inline QRect InkBounds(const QImage& image, const QRect& rcArea, const QColor& crGround)
{
    QRect bounds;
    for (int y = rcArea.top(); y <= rcArea.bottom(); ++y)
        for (int x = rcArea.left(); x <= rcArea.right(); ++x)
            if (image.pixelColor(x, y) != crGround)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Whether some pixel in rcArea has crWanted, each channel within nTolerance (anti-aliased
// text may never reach its full colour).
inline bool HasPixel(const QImage& image, const QRect& rcArea, const QColor& crWanted, int nTolerance = 0)
{
    for (int y = rcArea.top(); y <= rcArea.bottom(); ++y)
        for (int x = rcArea.left(); x <= rcArea.right(); ++x) {
            const QColor cr = image.pixelColor(x, y);
            if (std::abs(cr.red() - crWanted.red()) <= nTolerance && std::abs(cr.green() - crWanted.green()) <= nTolerance
                && std::abs(cr.blue() - crWanted.blue()) <= nTolerance)
                return true;
        }
    return false;
}
