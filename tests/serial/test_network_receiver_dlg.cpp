// The "Network receiver..." dialog: its fields, what OK accepts, and its look.
#include "serial/network_receiver_dlg.h"
#include "tests/support/screenshot.h"
#include "tests/support/scripted_prompt.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class NetworkReceiverDlgTest : public ::testing::Test {
protected:
    void Open(CNetworkReceiverDlg& dlg)
    {
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    }
    static void Fill(CNetworkReceiverDlg& dlg, int nKind, const char* pszHost, const char* pszPort)
    {
        dlg.GetDlgItemAs<QComboBox>(1101)->setCurrentIndex(nKind);
        dlg.GetDlgItemAs<QLineEdit>(1102)->setText(pszHost);
        dlg.GetDlgItemAs<QLineEdit>(1103)->setText(pszPort);
    }
    CScriptedPrompt m_prompt;
};

TEST_F(NetworkReceiverDlgTest, ShowsTheCurrentReceiverAndReturnsTheNewOne)
{
    SReceiverChoice current;
    current.m_eSource = EReceiverSource::kGpsd;
    current.m_strHost = "localhost";
    current.m_nPort = 2947;
    current.m_strDevice = "/dev/ttyACM0";
    CNetworkReceiverDlg dlg(m_prompt, current);
    Open(dlg);
    EXPECT_EQ(dlg.windowTitle(), "Network receiver");
    EXPECT_EQ(dlg.GetDlgItemAs<QComboBox>(1101)->currentText(), "gpsd");
    EXPECT_EQ(dlg.GetDlgItemAs<QLineEdit>(1102)->text(), "localhost");
    EXPECT_EQ(dlg.GetDlgItemAs<QLineEdit>(1103)->text(), "2947");
    SaveScreenshot(dlg, "network_receiver");

    // OK with the same gpsd keeps the device it was asked for.
    QTest::mouseClick(dlg.GetDlgItem(kIdOk), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), kIdOk);
    EXPECT_EQ(dlg.Choice(), current);
}

TEST_F(NetworkReceiverDlgTest, FieldsThatNameNoReceiverAreSaidAndOkWaits)
{
    CNetworkReceiverDlg dlg(m_prompt, SReceiverChoice{});
    Open(dlg);
    EXPECT_EQ(dlg.GetDlgItemAs<QLineEdit>(1102)->text(), "");
    Fill(dlg, 1, "boat", "99999");
    QTest::mouseClick(dlg.GetDlgItem(kIdOk), Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{"Enter a port from 1 to 65535."}));

    Fill(dlg, 2, "", "10110");
    QTest::mouseClick(dlg.GetDlgItem(kIdOk), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.Choice().m_eSource, EReceiverSource::kUdp);
    EXPECT_EQ(dlg.Choice().m_nPort, 10110);

    CNetworkReceiverDlg cancelled(m_prompt, SReceiverChoice{});
    Open(cancelled);
    Fill(cancelled, 1, "boat", "10110");
    QTest::mouseClick(cancelled.GetDlgItem(kIdCancel), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), kIdCancel);
    EXPECT_EQ(cancelled.Choice(), SReceiverChoice{});
}

} // namespace
