#include "pixels.h"
#include "tests/support/screenshot.h"
#include "views/colour_button.h"
#include "platform/qt/theme.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A themed button in a dark window, as the dialogs hold them.
class ColourButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theme::ApplyWindowColours(m_window, theme::kBackground, theme::kText);
        m_window.resize(300, 120);
        m_button.setParent(&m_window);
        m_button.setGeometry(20, 20, 75, 22);
        m_other.setFocusPolicy(Qt::StrongFocus);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        // The mouse starts away from the button, wherever an earlier test left it.
        QTest::mouseMove(&m_window, QPoint(290, 110));
    }

    // A pixel of the face clear of the edge and of the caption.
    QColor FacePixel() { return PixelAt(GrabImage(m_button), 3, m_button.height() / 2); }

    QWidget m_window;
    CColourButton m_button{"OK"};
    QWidget m_other{&m_window};
};

} // namespace

TEST_F(ColourButtonTest, TurnsBrightBlueUnderTheMouseAndBackWhenItLeaves)
{
    EXPECT_EQ(FacePixel(), theme::kButtonFace);
    QTest::mouseMove(&m_button, QPoint(30, 10));
    EXPECT_EQ(FacePixel(), theme::kButtonHoverFace);
    SaveScreenshot(m_window, "colour_button_hover");
    QTest::mouseMove(&m_window, QPoint(200, 100));
    EXPECT_EQ(FacePixel(), theme::kButtonFace);
}

TEST_F(ColourButtonTest, DisabledButtonIsGreyWithASilverCaptionWhateverTheMouseDoes)
{
    m_button.setEnabled(false);
    for (const QPoint& pt : {QPoint(200, 100), QPoint(50, 30)}) {
        QTest::mouseMove(&m_window, pt);
        const QImage image = GrabImage(m_button);
        EXPECT_EQ(PixelAt(image, 3, m_button.height() / 2), theme::kDisabledButtonFace);
        EXPECT_TRUE(HasPixel(image, image.rect().adjusted(5, 2, -5, -2), theme::kDisabledCaption));
        EXPECT_FALSE(HasPixel(image, image.rect().adjusted(5, 2, -5, -2), theme::kText));
    }
    SaveScreenshot(m_window, "colour_button_disabled");
}

TEST_F(ColourButtonTest, EdgeIsRaisedAndSinksWhilePressed)
{
    const QColor crRaisedOuter = PixelAt(GrabImage(m_button), 0, 0);
    const QColor crRaisedInner = PixelAt(GrabImage(m_button), 1, 1);
    EXPECT_GT(crRaisedInner.lightness(), crRaisedOuter.lightness() - 1);
    EXPECT_GT(crRaisedOuter.lightness(), PixelAt(GrabImage(m_button), m_button.width() - 1, m_button.height() - 1).lightness());

    QTest::mousePress(&m_button, Qt::LeftButton, {}, QPoint(30, 10));
    const QImage pressed = GrabImage(m_button);
    // Lit from the top left when raised, shadowed there when sunken; the face stays blue.
    EXPECT_LT(PixelAt(pressed, 0, 0).lightness(), crRaisedOuter.lightness());
    EXPECT_LT(PixelAt(pressed, 0, 0).lightness(), PixelAt(pressed, m_button.width() - 1, m_button.height() - 1).lightness());
    EXPECT_EQ(PixelAt(pressed, 3, m_button.height() / 2), theme::kButtonFace);
    QTest::mouseRelease(&m_button, Qt::LeftButton, {}, QPoint(30, 10));
}

TEST_F(ColourButtonTest, WideCaptionWrapsIntoTwoLinesCentredAsABlock)
{
    m_button.setGeometry(20, 20, 90, 54);
    m_button.setText("Com Ports Available");
    const QImage image = GrabImage(m_button);
    const QRect ink = InkBounds(image, image.rect().adjusted(5, 2, -5, -2), theme::kButtonFace);
    const int nLine = m_button.fontMetrics().height();
    ASSERT_TRUE(ink.isValid());
    EXPECT_GT(ink.height(), nLine);
    EXPECT_LT(ink.height(), 2 * nLine + 2);
    // The block sits in the middle, give or take the font's descent.
    EXPECT_NEAR(ink.center().y(), image.height() / 2, nLine / 3 + 1);
    EXPECT_NEAR(ink.center().x(), image.width() / 2, 2);
    SaveScreenshot(m_window, "colour_button_two_lines");
}

TEST_F(ColourButtonTest, DrawsAFocusRectangleFiveInsideWhenFocused)
{
    m_button.setGeometry(20, 20, 120, 40);
    m_button.setText("");
    m_button.setFocus();
    ASSERT_TRUE(m_button.hasFocus());
    const QImage image = GrabImage(m_button);
    const int w = image.width();
    // A dotted rectangle whose top line is the sixth row of pixels.
    EXPECT_TRUE(HasPixel(image, QRect(5, 5, w - 10, 1), theme::kText));
    EXPECT_FALSE(HasPixel(image, QRect(5, 4, w - 10, 1), theme::kText));
    EXPECT_FALSE(HasPixel(image, QRect(6, 6, w - 12, 1), theme::kText));
    m_other.setFocus();
    EXPECT_FALSE(HasPixel(GrabImage(m_button), QRect(5, 5, w - 10, 1), theme::kText));
}
