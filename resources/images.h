#pragma once
// The program's pictures, drawn as SVG and known by resource number. Bitmaps and icons are
// numbered separately, as a window asks for one or the other.
#include <QIcon>
#include <QImage>

enum EBitmapId : int {
    kBmpProductCard = 129,
    kBmpFaceNormal = 131,
    kBmpBanner = 132,
    kBmpFaceLit = 134,
    kBmpCardComPorts = 135,
    kBmpCardMonitor = 136,
    kBmpCardDrivers = 144,
    kBmpCardSatViz = 145,
    kBmpCardDataLogger = 147,
};

enum EIconId : int {
    kIconApp = 128,
    kIconRedBall = 133,
    kIconGreenBall = 134,
};

// The bitmap at its own size, in 24-bit colour, drawn over the windows' background grey
// where the picture leaves it uncovered. A null image for an unknown number.
QImage LoadBitmapResource(int nId);

// The icon, with a pixmap for each usual size. A null icon for an unknown number.
QIcon LoadIconResource(int nId);
