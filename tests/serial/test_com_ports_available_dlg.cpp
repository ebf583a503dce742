#include "platform/virtual_ports.h"
#include "serial/com_ports_available_dlg.h"
#include "tests/settings/temp_drives.h"
#include "serial/network_receiver_dlg.h"
#include "tests/support/menu_driver.h"
#include "tests/support/pty_pair.h"
#include "tests/support/screenshot.h"
#include "tests/support/scripted_prompt.h"
#include "platform/qt/list_box.h"

#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Records, with every notice, the list as it stood when the notice was shown.
class CListWatchingPrompt : public CScriptedPrompt {
public:
    void Message(const std::string& strText, const std::string& strCaption) override
    {
        m_listsAtNotice.push_back(m_pList ? Lines(*m_pList) : std::vector<std::string>());
        CScriptedPrompt::Message(strText, strCaption);
    }

    static std::vector<std::string> Lines(const CListBox& list)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < list.GetCount(); ++i)
            lines.push_back(list.GetText(i));
        return lines;
    }

    const CListBox* m_pList = nullptr;
    std::vector<std::vector<std::string>> m_listsAtNotice;
};

SSerInfo Port(int16_t nPort, const std::string& strFriendly, const std::string& strPath)
{
    SSerInfo info;
    info.m_nPort = nPort;
    info.m_strPortName = "COM" + std::to_string(nPort);
    info.m_strFriendlyName = strFriendly;
    info.m_strDevicePath = strPath;
    return info;
}

bool Contains(const std::vector<std::string>& lines, const std::string& strLine)
{
    return std::find(lines.begin(), lines.end(), strLine) != lines.end();
}

class ComPortsDialogTest : public ::testing::Test {
protected:
    void Open(CComPortsAvailableDlg& dlg)
    {
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        m_prompt.m_pList = dlg.GetDlgItemAs<CListBox>(1001);
        ASSERT_NE(m_prompt.m_pList, nullptr);
    }
    std::vector<std::string> ListOf(const CComPortsAvailableDlg& dlg) const
    {
        return CListWatchingPrompt::Lines(*dlg.GetDlgItemAs<CListBox>(1001));
    }
    bool WaitForNotices(std::size_t nCount)
    {
        return QTest::qWaitFor([&] { return m_prompt.Shown().size() >= nCount; }, 5000);
    }
    static std::string Entry(const std::string& strName, const std::string& strPath)
    {
        return strName + " \x96 " + strPath;
    }

    CTempDrives m_drives;   // also gives the virtual ports folder a home of its own
    CListWatchingPrompt m_prompt;
};

} // namespace

TEST(ShownPortName, TheBridgeShowsAsZephyrane)
{
    EXPECT_EQ(ShownPortName(Port(5, "Silicon Labs CP210x USB to UART Bridge (COM5)", "")), "ZEPHYRANE (COM5)");
    EXPECT_EQ(ShownPortName(Port(1, "COM1", "")), "COM1");
    // Only a name that begins with the bridge's is renamed.
    EXPECT_EQ(ShownPortName(Port(7, "My Silicon Labs CP210x USB to UART Bridge (COM7)", "")),
              "My Silicon Labs CP210x USB to UART Bridge (COM7)");
}

TEST_F(ComPortsDialogTest, ListsThePortsSortedWithTheirDeviceNodes)
{
    CComPortsAvailableDlg dlg(m_prompt, nullptr, [](std::vector<SSerInfo>& ports) {
        ports = {Port(5, "Silicon Labs CP210x USB to UART Bridge (COM5)", "/dev/ttyUSB4"),
                 Port(1, "COM1", "/dev/ttyS0"), Port(65, "Arduino Uno (COM65)", "/dev/ttyACM0")};
        return static_cast<int>(ports.size());
    });
    Open(dlg);
    EXPECT_EQ(dlg.windowTitle(), "COM Port Available");
    EXPECT_EQ(ListOf(dlg), (std::vector<std::string>{Entry("Arduino Uno (COM65)", "/dev/ttyACM0"),
                                                     Entry("COM1", "/dev/ttyS0"),
                                                     Entry("ZEPHYRANE (COM5)", "/dev/ttyUSB4")}));
    EXPECT_TRUE(m_prompt.Shown().empty());
    SaveScreenshot(dlg, "com_ports_available");

    QTest::mouseClick(dlg.GetDlgItem(kIdOk), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), kIdOk);
}

TEST_F(ComPortsDialogTest, AnnouncesTheReceiverArrivingAndLeavingThenRebuildsTheList)
{
    const CPtyPair device;
    ASSERT_FALSE(device.SlavePath().empty());
    CComPortsAvailableDlg dlg(m_prompt);
    Open(dlg);

    CVirtualPortRegistration receiver(device.SlavePath(), kCp210xDescription, "USB virtual");
    ASSERT_NE(receiver.Port(), 0);
    const std::string strCom = "COM" + std::to_string(receiver.Port());
    const std::string strEntry = Entry("ZEPHYRANE (" + strCom + ")", device.SlavePath());
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(m_prompt.Shown()[0].m_strText, "ZEPHYRANE (" + strCom + ") now available");
    EXPECT_FALSE(m_prompt.Shown()[0].m_bQuestion);
    EXPECT_FALSE(Contains(m_prompt.m_listsAtNotice[0], strEntry));
    EXPECT_TRUE(Contains(ListOf(dlg), strEntry));
    SaveScreenshot(dlg, "com_ports_available_receiver");

    receiver.Remove();
    ASSERT_TRUE(WaitForNotices(2));
    EXPECT_EQ(m_prompt.Shown()[1].m_strText, strCom + " Removed");
    EXPECT_TRUE(Contains(m_prompt.m_listsAtNotice[1], strEntry));
    EXPECT_FALSE(Contains(ListOf(dlg), strEntry));
    EXPECT_EQ(m_prompt.Shown().size(), 2u);
}

TEST_F(ComPortsDialogTest, APortMissingFromTheListingIsAnnouncedByItsBareName)
{
    CComPortsAvailableDlg dlg(m_prompt);
    Open(dlg);
    // A registration whose device does not exist: the listing leaves it out.
    CTempDrives::WriteFile(VirtualPortsFolder() + "COM200", "/dev/zephyrane-no-such-device\nGhost\nUSB\n");
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(m_prompt.Shown()[0].m_strText, "COM200 now available");
}

TEST_F(ComPortsDialogTest, AnEventThatConcernsNoPortRebuildsTheListWithoutANotice)
{
    CComPortsAvailableDlg dlg(m_prompt);
    Open(dlg);
    dlg.GetDlgItemAs<CListBox>(1001)->AddString("stale entry");
    CTempDrives::WriteFile(VirtualPortsFolder() + "README", "not a port\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Contains(ListOf(dlg), "stale entry"); }, 5000));
    QTest::qWait(50);
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(ComPortsDialogTest, PortsThatCannotBeListedShowAsNoneAndArrivalsByTheirNames)
{
    const CPtyPair device;
    CComPortsAvailableDlg dlg(m_prompt, nullptr, [](std::vector<SSerInfo>&) -> int {
        throw CPortListError("udev_new failed");
    });
    Open(dlg);
    EXPECT_TRUE(ListOf(dlg).empty());
    CVirtualPortRegistration receiver(device.SlavePath(), kCp210xDescription, "USB virtual");
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(m_prompt.Shown()[0].m_strText, "COM" + std::to_string(receiver.Port()) + " now available");
}

TEST_F(ComPortsDialogTest, APortArrivingWhileTheListIsFilledIsAnnounced)
{
    const CPtyPair device;
    std::optional<CVirtualPortRegistration> receiver;
    // The port arrives just after the listing has read the ports present.
    CComPortsAvailableDlg dlg(m_prompt, nullptr, [&](std::vector<SSerInfo>& ports) {
        const int nCount = ListSerialPorts(ports);
        if (!receiver)
            receiver.emplace(device.SlavePath(), kCp210xDescription, "USB virtual");
        return nCount;
    });
    Open(dlg);
    ASSERT_TRUE(WaitForNotices(1));
    const std::string strCom = "COM" + std::to_string(receiver->Port());
    EXPECT_EQ(m_prompt.Shown()[0].m_strText, "ZEPHYRANE (" + strCom + ") now available");
    EXPECT_TRUE(Contains(ListOf(dlg), Entry("ZEPHYRANE (" + strCom + ")", device.SlavePath())));
}

TEST(ReceiverChoiceText, NamesTheChoiceAndWhetherItsPortIsPresent)
{
    const std::vector<SSerInfo> ports = {Port(65, "Arduino Uno (COM65)", "/dev/ttyACM0"), Port(1, "COM1", "/dev/ttyS0")};
    const auto Serial = [](const std::string& strDevice) {
        SReceiverChoice choice;
        choice.m_eSource = EReceiverSource::kSerial;
        choice.m_strDevice = strDevice;
        return choice;
    };
    SReceiverChoice gpsd;
    gpsd.m_eSource = EReceiverSource::kGpsd;
    gpsd.m_strHost = "localhost";
    gpsd.m_nPort = 2947;
    const struct {
        SReceiverChoice choice;
        const char* pszText;
        bool bFirstIsChosen;
    } cases[] = {
        {SReceiverChoice(), "Receiver: Automatic", false},
        {Serial("COM65"), "Receiver: COM65", true},
        {Serial("com65"), "Receiver: com65", true},
        {Serial("/dev/ttyACM0"), "Receiver: /dev/ttyACM0", true},
        {Serial("COM7"), "Receiver: COM7 (not present)", false},
        {gpsd, "Receiver: gpsd localhost:2947", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReceiverChoiceText(c.choice, ports), c.pszText);
        EXPECT_EQ(IsChosenPort(ports[0], c.choice), c.bFirstIsChosen) << c.pszText;
        EXPECT_FALSE(IsChosenPort(ports[1], c.choice)) << c.pszText;
    }
}

TEST_F(ComPortsDialogTest, TheReceiverIsChosenOnThePortsMenuOrByADoubleClickAndAutomaticAgain)
{
    CComPortsAvailableDlg dlg(m_prompt, nullptr, [](std::vector<SSerInfo>& ports) {
        ports = {Port(65, "Arduino Uno (COM65)", "/dev/ttyACM0"), Port(1, "COM1", "/dev/ttyS0")};
        return static_cast<int>(ports.size());
    });
    Open(dlg);
    CListBox& list = *dlg.GetDlgItemAs<CListBox>(1001);
    const auto At = [&](int nRow) { return list.visualItemRect(list.item(nRow)).center(); };
    const std::string strArduino = Entry("Arduino Uno (COM65)", "/dev/ttyACM0");
    const std::string strCom1 = Entry("COM1", "/dev/ttyS0");
    EXPECT_EQ(dlg.GetDlgItemText(1002), "Receiver: Automatic");

    ChooseInNextMenu({"Use as receiver"});
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, At(0));
    SReceiverChoice chosen = SReceiverChoice::Load();
    EXPECT_EQ(chosen.m_eSource, EReceiverSource::kSerial);
    EXPECT_EQ(chosen.m_strDevice, "COM65");
    EXPECT_EQ(ListOf(dlg), (std::vector<std::string>{strArduino + "  [receiver]", strCom1}));
    EXPECT_EQ(dlg.GetDlgItemText(1002), "Receiver: COM65");
    SaveScreenshot(dlg, "com_ports_available_chosen");

    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, At(1));
    EXPECT_EQ(SReceiverChoice::Load().m_strDevice, "COM1");
    EXPECT_EQ(ListOf(dlg), (std::vector<std::string>{strArduino, strCom1 + "  [receiver]"}));

    // Below the entries the menu offers only Automatic; it shows which choice holds.
    bool bChecked = false;
    QTimer::singleShot(0, [&] {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(pMenu, nullptr);
        EXPECT_FALSE(FindMenuAction(*pMenu, "Use as receiver")->isEnabled());
        bChecked = FindMenuAction(*pMenu, "Automatic")->isChecked();
        QTest::mouseClick(pMenu, Qt::LeftButton, {}, pMenu->actionGeometry(FindMenuAction(*pMenu, "Automatic")).center());
    });
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(20, list.viewport()->height() - 5));
    EXPECT_FALSE(bChecked);
    EXPECT_EQ(SReceiverChoice::Load(), SReceiverChoice());
    EXPECT_EQ(ListOf(dlg), (std::vector<std::string>{strArduino, strCom1}));
    EXPECT_EQ(dlg.GetDlgItemText(1002), "Receiver: Automatic");
}

TEST_F(ComPortsDialogTest, ANetworkReceiverIsChosenInItsDialogAndAutomaticReturnsToTheSearch)
{
    CComPortsAvailableDlg dlg(m_prompt, nullptr, [](std::vector<SSerInfo>& ports) {
        ports = {Port(1, "COM1", "/dev/ttyS0")};
        return static_cast<int>(ports.size());
    });
    Open(dlg);
    CListBox& list = *dlg.GetDlgItemAs<CListBox>(1001);
    const QPoint ptBelow(20, list.viewport()->height() - 5);
    // The dialog opens from the menu; its fields are filled and OK pressed.
    QTimer::singleShot(0, [] {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(pMenu, nullptr);
        EXPECT_FALSE(FindMenuAction(*pMenu, "Network receiver...")->isChecked());
        QTimer::singleShot(50, [] {
            auto* pDlg = qobject_cast<CNetworkReceiverDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(pDlg, nullptr);
            pDlg->GetDlgItemAs<QComboBox>(1101)->setCurrentIndex(0);
            pDlg->GetDlgItemAs<QLineEdit>(1102)->setText("localhost");
            pDlg->GetDlgItemAs<QLineEdit>(1103)->setText("2947");
            QTest::mouseClick(pDlg->GetDlgItem(kIdOk), Qt::LeftButton);
        });
        QTest::mouseClick(pMenu, Qt::LeftButton, {},
                          pMenu->actionGeometry(FindMenuAction(*pMenu, "Network receiver...")).center());
    });
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, ptBelow);
    SReceiverChoice gpsd;
    gpsd.m_eSource = EReceiverSource::kGpsd;
    gpsd.m_strHost = "localhost";
    gpsd.m_nPort = 2947;
    EXPECT_EQ(SReceiverChoice::Load(), gpsd);
    EXPECT_EQ(dlg.GetDlgItemText(1002), "Receiver: gpsd localhost:2947");
    SaveScreenshot(dlg, "com_ports_available_gpsd");

    ChooseInNextMenu({"Automatic"});
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, ptBelow);
    EXPECT_EQ(SReceiverChoice::Load().m_eSource, EReceiverSource::kAuto);
    EXPECT_EQ(dlg.GetDlgItemText(1002), "Receiver: Automatic");
}
