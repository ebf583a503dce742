#include "pixels.h"
#include "tests/support/screenshot.h"
#include "platform/qt/popup_menu.h"
#include "platform/qt/theme.h"

#include <QPainter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// One item drawn at (0, 10) in an image that leaves room for the 2-pixel overhang.
QImage DrawItem(const QString& strText, bool bSelected, bool bChecked)
{
    QImage image(160, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    CPopupMenu::DrawMenuItem(painter, QRect(0, 10, 160, 20), strText, bSelected, bChecked);
    return image;
}

} // namespace

TEST(PopupMenu, SelectedItemIsBrightBlueAndReachesTwoPixelsBeyondTheItem)
{
    const QImage selected = DrawItem("1 Hour", true, false);
    EXPECT_EQ(PixelAt(selected, 100, 8), theme::kSelectedMenuItem);
    EXPECT_EQ(PixelAt(selected, 100, 31), theme::kSelectedMenuItem);
    EXPECT_EQ(PixelAt(selected, 100, 7), QColor(Qt::black));
    EXPECT_EQ(PixelAt(selected, 100, 32), QColor(Qt::black));

    const QImage plain = DrawItem("1 Hour", false, false);
    EXPECT_EQ(PixelAt(plain, 100, 20), theme::kBackground);
}

TEST(PopupMenu, CheckedItemHasAWhiteTickInItsLeftSquareAndTextBehindIt)
{
    const QImage unchecked = DrawItem("10 Minutes", false, false);
    const QImage checked = DrawItem("10 Minutes", false, true);
    const QRect square(0, 10, 20, 20);
    EXPECT_FALSE(HasPixel(unchecked, square, theme::kText));
    EXPECT_TRUE(HasPixel(checked, square, theme::kText));
    // The tick stays 5 pixels inside its square (give a pixel for the pen's width).
    const QRect tick = InkBounds(checked, square, theme::kBackground);
    EXPECT_GE(tick.left(), 4);
    EXPECT_LE(tick.right(), 15);
    // The text starts a height and a quarter into the item, never over the tick.
    const QRect text = InkBounds(unchecked, QRect(0, 10, 160, 20), theme::kBackground);
    EXPECT_GE(text.left(), 25);
    EXPECT_LE(text.left(), 28);
}

TEST(PopupMenu, ItemsAreAMenuLineHighAndAsWideAsTheirText)
{
    CPopupMenu menu;
    const QSize shortItem = menu.MeasureItem("HEX");
    const QSize longItem = menu.MeasureItem("Position Monitoring");
    EXPECT_EQ(shortItem.height(), 20);
    EXPECT_EQ(longItem.height(), 20);
    EXPECT_EQ(longItem.width() - shortItem.width(),
              menu.fontMetrics().horizontalAdvance("Position Monitoring") - menu.fontMetrics().horizontalAdvance("HEX"));
}

TEST(PopupMenu, ShowsDarkAndReportsTheChosenCommand)
{
    CPopupMenu menu;
    menu.AppendItem(1001, "Normal");
    menu.AppendItem(1002, "ASCII", true);
    CPopupMenu* pSpans = menu.AppendSubMenu("Time Span");
    pSpans->AppendItem(500, "5 Minutes");
    menu.addSeparator();
    menu.AppendItem(1004, "HEX");

    int nChosen = -1;
    QTimer::singleShot(0, &menu, [&] {
        QTest::mouseMove(&menu, menu.actionGeometry(menu.actions()[0]).center());
        const QImage image = GrabImage(menu);
        SaveScreenshot(menu, "popup_menu");
        EXPECT_EQ(PixelAt(image, menu.width() / 2, menu.actionGeometry(menu.actions()[1]).center().y()),
                  theme::kBackground);
        EXPECT_EQ(PixelAt(image, menu.width() - 4, menu.actionGeometry(menu.actions()[0]).center().y()),
                  theme::kSelectedMenuItem);
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions()[4]).center());
    });
    nChosen = menu.TrackPopupMenu(QPoint(100, 100));
    EXPECT_EQ(nChosen, 1004);
    EXPECT_EQ(CPopupMenu::ChosenCommand(nullptr), 0);
}
