#include "resources/images.h"

#include <QPainter>
#include <QSvgRenderer>

#include <array>
#include <mutex>

static void InitImageResources()
{
    // The resource file lives in a static library; registering it by hand keeps the linker
    // from dropping it.
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(images); });
}

namespace {

struct SPictureFile {
    int nId;
    const char* pszPath;
};

constexpr std::array kBitmaps{
    SPictureFile{kBmpProductCard, ":/images/card_product.svg"},
    SPictureFile{kBmpFaceNormal, ":/images/face_normal.svg"},
    SPictureFile{kBmpBanner, ":/images/banner.svg"},
    SPictureFile{kBmpFaceLit, ":/images/face_lit.svg"},
    SPictureFile{kBmpCardComPorts, ":/images/card_com_ports.svg"},
    SPictureFile{kBmpCardMonitor, ":/images/card_monitor.svg"},
    SPictureFile{kBmpCardDrivers, ":/images/card_driver.svg"},
    SPictureFile{kBmpCardSatViz, ":/images/card_sat_viz.svg"},
    SPictureFile{kBmpCardDataLogger, ":/images/card_data_logger.svg"},
};

constexpr std::array kIcons{
    SPictureFile{kIconApp, ":/images/app_icon.svg"},
    SPictureFile{kIconRedBall, ":/images/lamp_red.svg"},
    SPictureFile{kIconGreenBall, ":/images/lamp_green.svg"},
};

constexpr std::array kIconSizes{16, 24, 32, 48, 64, 128, 256};

// The window background of the dark theme.
const QColor kBackground(85, 85, 85);

// Loads the picture numbered nId of the table into renderer; false for an unknown number.
template <std::size_t N>
bool LoadPicture(const std::array<SPictureFile, N>& table, int nId, QSvgRenderer& renderer)
{
    InitImageResources();
    for (const SPictureFile& file : table) {
        if (file.nId == nId) {
            return renderer.load(QString::fromLatin1(file.pszPath));
        }
    }
    return false;
}

}  // namespace

QImage LoadBitmapResource(int nId)
{
    QSvgRenderer renderer;
    if (!LoadPicture(kBitmaps, nId, renderer)) {
        return {};
    }
    QImage image(renderer.defaultSize(), QImage::Format_RGB888);
    image.fill(kBackground);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon LoadIconResource(int nId)
{
    QSvgRenderer renderer;
    if (!LoadPicture(kIcons, nId, renderer)) {
        return {};
    }
    QIcon icon;
    for (int nSize : kIconSizes) {
        QPixmap pixmap(nSize, nSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
