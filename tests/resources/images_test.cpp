#include "resources/images.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

struct SExpectedBitmap {
    int nId;
    int nWidth;
    int nHeight;
};

// The sizes the launcher's layout is drawn for: faces, banner and help cards.
TEST(Images, EveryBitmapLoadsAtItsOwnSize)
{
    const SExpectedBitmap expected[] = {
        {kBmpFaceNormal, 231, 54}, {kBmpFaceLit, 229, 53},        {kBmpBanner, 640, 124},
        {kBmpProductCard, 790, 650}, {kBmpCardComPorts, 790, 650}, {kBmpCardMonitor, 790, 650},
        {kBmpCardSatViz, 790, 650},  {kBmpCardDataLogger, 790, 650}, {kBmpCardDrivers, 790, 650},
    };
    for (const SExpectedBitmap& bitmap : expected) {
        const QImage image = LoadBitmapResource(bitmap.nId);
        ASSERT_FALSE(image.isNull()) << bitmap.nId;
        EXPECT_EQ(image.size(), QSize(bitmap.nWidth, bitmap.nHeight)) << bitmap.nId;
        EXPECT_FALSE(image.hasAlphaChannel()) << bitmap.nId;
    }
    EXPECT_TRUE(LoadBitmapResource(1).isNull());
}

TEST(Images, UncoveredCornersShowTheWindowBackground)
{
    // The faces are rounded: their corners must blend into the dark theme, not turn black.
    EXPECT_EQ(LoadBitmapResource(kBmpFaceNormal).pixelColor(0, 0), QColor(85, 85, 85));
    EXPECT_EQ(LoadBitmapResource(kBmpFaceLit).pixelColor(0, 0), QColor(85, 85, 85));
}

TEST(Images, IconsAndLampsLoad)
{
    for (int nId : {kIconApp, kIconRedBall, kIconGreenBall}) {
        const QIcon icon = LoadIconResource(nId);
        ASSERT_FALSE(icon.isNull()) << nId;
        EXPECT_FALSE(icon.pixmap(32, 32).isNull()) << nId;
    }
    // The lamps differ in colour: red above green in the red ball, the other way round.
    const QColor red = LoadIconResource(kIconRedBall).pixmap(64, 64).toImage().pixelColor(32, 32);
    const QColor green = LoadIconResource(kIconGreenBall).pixmap(64, 64).toImage().pixelColor(32, 32);
    EXPECT_GT(red.red(), red.green());
    EXPECT_GT(green.green(), green.red());
    EXPECT_TRUE(LoadIconResource(999).isNull());
}

}  // namespace

int main(int argc, char** argv)
{
    // Test discovery runs this program too, without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
