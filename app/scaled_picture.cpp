#include "app/scaled_picture.h"

#include "resources/images.h"

#include <cstring>
#include <limits>

SDibImage DibFromImage(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_BGR888);
    SDibImage dib = SDibImage::Blank(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(dib.Pixel(0, rgb.height() - 1 - y), rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 3);
    }
    return dib;
}

QImage ImageFromDib(const SDibImage& dib)
{
    QImage image(dib.nWidth, dib.nHeight, QImage::Format_BGR888);
    for (int y = 0; y < dib.nHeight; ++y) {
        std::memcpy(image.scanLine(y), dib.Pixel(0, dib.nHeight - 1 - y), static_cast<std::size_t>(dib.nWidth) * 3);
    }
    return image;
}

QPixmap ScaledBitmapResource(int nBitmapId, const QSize& size)
{
    constexpr int kLargest = std::numeric_limits<std::uint16_t>::max();
    const QImage image = LoadBitmapResource(nBitmapId);
    if (image.isNull() || size.width() > kLargest || size.height() > kLargest || size.width() < 0 ||
        size.height() < 0) {
        return {};
    }
    const auto scaled = ScaleBitmap(DibFromImage(image), static_cast<std::uint16_t>(size.width()),
                                    static_cast<std::uint16_t>(size.height()));
    if (!scaled) {
        return {};
    }
    return QPixmap::fromImage(ImageFromDib(*scaled));
}
