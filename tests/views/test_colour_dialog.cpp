#include "pixels.h"
#include "tests/support/screenshot.h"
#include "tests/support/show_counter.h"
#include "views/colour_button.h"
#include "views/colour_dialog_ex.h"
#include "platform/qt/theme.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The satellite window's layout with a themed Exit button, recording what happens to it.
class CTestDialog : public CColourDialogEx {
public:
    explicit CTestDialog(int nEndAtInit = 0) : CColourDialogEx(kIddSatVis), m_nEndAtInit(nEndAtInit) {}

    int m_nInitCount = 0;
    bool m_bControlsAtInit = false;
    CColourButton m_btnExit;

protected:
    void DoDataExchange() override { DdxControl(kIdOk, m_btnExit); }
    bool OnInitDialog() override
    {
        CColourDialogEx::OnInitDialog();
        ++m_nInitCount;
        m_bControlsAtInit = GetDlgItem(1002) != nullptr && !isVisible();
        if (m_nEndAtInit)
            EndDialog(m_nEndAtInit);
        return true;
    }

private:
    int m_nEndAtInit;
};

} // namespace

TEST(ColourDialog, BuildsItsControlsOnceJustBeforeItAppears)
{
    CTestDialog dlg;
    EXPECT_FALSE(dlg.HasControls());
    EXPECT_EQ(dlg.GetDlgItem(1002), nullptr);
    dlg.SetDlgItemText(1002, "harmless before the controls exist");
    EXPECT_EQ(dlg.windowTitle(), "Satellite Visibility");
    EXPECT_EQ(dlg.size(), QSize(784, 861));

    dlg.show();
    dlg.hide();
    dlg.show();
    EXPECT_EQ(dlg.m_nInitCount, 1);
    EXPECT_TRUE(dlg.m_bControlsAtInit);
    EXPECT_EQ(dlg.GetDlgItem(kIdOk), &dlg.m_btnExit);
    EXPECT_EQ(dlg.m_btnExit.text(), "Exit");
}

TEST(ColourDialog, IsDarkGreyWithWhiteTexts)
{
    CTestDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.SetDlgItemText(1010, "Sats Used 8");
    dlg.SetDlgItemText(1013, "COG  45.50\xB0");
    EXPECT_EQ(dlg.GetDlgItemText(1013), "COG  45.50\xB0");
    const QImage image = GrabImage(dlg);
    EXPECT_EQ(PixelAt(image, 2, 2), theme::kBackground);
    auto* pField = dlg.GetDlgItemAs<QLabel>(1010);
    ASSERT_NE(pField, nullptr);
    const QRect rcField = pField->geometry();
    EXPECT_TRUE(HasPixel(image, rcField, theme::kText, 40));
    EXPECT_EQ(PixelAt(image, rcField.left() + 1, rcField.top() + 1), theme::kBackground);
    SaveScreenshot(dlg, "colour_dialog_satellite_layout");
}

TEST(ColourDialog, EndingDuringInitialisationEndsTheModalRunAtOnce)
{
    CTestDialog dlg(kIdCancel);
    const CShowCounter shows(dlg);
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(shows.Count(), 0);
    QApplication::processEvents();
    EXPECT_EQ(shows.Count(), 0);
}

TEST(ColourDialog, OkEscapeAndCloseEndWithTheirCommands)
{
    CTestDialog dlg;
    QTimer::singleShot(0, &dlg, [&] { QTest::mouseClick(&dlg.m_btnExit, Qt::LeftButton); });
    EXPECT_EQ(dlg.DoModal(), kIdOk);

    QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
    EXPECT_EQ(dlg.DoModal(), kIdCancel);

    QTimer::singleShot(0, &dlg, [&] { dlg.close(); });
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
}

TEST(ColourDialog, HandlesMessagesPostedFromAnotherThreadAndIgnoresOthers)
{
    const MessageId kEnd = RegisterWindowMessage("UM_TEST_END-{6A0B6C0E-3C52-4F5E-8E0B-2F3C4D5E6F70}");
    const MessageId kOther = RegisterWindowMessage("UM_TEST_OTHER-{6A0B6C0E-3C52-4F5E-8E0B-2F3C4D5E6F71}");
    class CEndingDialog : public CTestDialog {
    public:
        explicit CEndingDialog(MessageId nEnd)
        {
            m_messageMap.Add(nEnd, [this](WParam wParam, LParam) { EndDialog(static_cast<int>(wParam)); });
        }
    } dlg(kEnd);
    std::thread poster([&] {
        dlg.GetWindowHandle().Post(kOther, 99, 0);
        dlg.GetWindowHandle().Post(kEnd, 42, 0);
    });
    EXPECT_EQ(dlg.DoModal(), 42);
    poster.join();
}
