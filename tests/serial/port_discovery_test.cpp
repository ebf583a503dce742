// Receiver discovery over the udev device database, with devices emulated by umockdev.
#include "platform/hotplug_watcher.h"
#include "platform/virtual_ports.h"
#include "serial/port_discovery.h"
#include "tests/settings/temp_drives.h"

#include <gtest/gtest.h>
#include <umockdev.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace
{

SSerInfo InfoOf(const std::string& strFriendly, const std::string& strDescription, const std::string& strLocation = "")
{
    SSerInfo info;
    EXPECT_TRUE(MakeSerInfo({"/dev/ttyX", strFriendly, strDescription, strLocation, ""}, info));
    return info;
}

TEST(SerInfo, FriendlyNamesAreCleanedAndNumbersRead)
{
    SSerInfo bridge = InfoOf("Silicon Labs CP210x USB to UART Bridge (COM5)", "Silicon Labs CP210x USB to UART Bridge", "USB 1-1");
    EXPECT_EQ(bridge.m_nPort, 5);
    EXPECT_EQ(bridge.m_strPortName, "COM5");
    EXPECT_EQ(bridge.m_strFriendlyName, "Silicon Labs CP210x USB to UART Bridge (COM5)");
    EXPECT_TRUE(bridge.m_bUsbDevice);

    SSerInfo generic = InfoOf("Communications Port (COM1)", "Communications Port");
    EXPECT_EQ(generic.m_strFriendlyName, "COM1");
    EXPECT_EQ(generic.m_nPort, 1);
    EXPECT_FALSE(generic.m_bUsbDevice);

    SSerInfo noCom = InfoOf("Modem Serial Port line", "Modem");
    EXPECT_EQ(noCom.m_nPort, 0);
    EXPECT_EQ(noCom.m_strPortName, "COM?");
    EXPECT_EQ(noCom.m_strFriendlyName, "Modem line");

    // Only generic words: the port name stands in; a description naming USB marks the port.
    SSerInfo onlyGeneric = InfoOf("Serial Port", "USB Serial Device");
    EXPECT_EQ(onlyGeneric.m_strFriendlyName, "COM?");
    EXPECT_TRUE(onlyGeneric.m_bUsbDevice);

    // No description: the friendly name without its "(COM..)" part.
    EXPECT_EQ(InfoOf("Prolific Adapter (COM7)", "").m_strDescription, "Prolific Adapter");
    EXPECT_EQ(InfoOf("Odd (COM7) name", "").m_strDescription, "Odd (COM7) name");

    // A number too large for the field reads as no number, never as a wrapped-round one.
    for (const auto& [pszFriendly, nPort] : {std::pair{"Port (COM32767)", 32767}, std::pair{"Port (COM65541)", 0},
                                             std::pair{"Port (COM99999999999999999999)", 0}})
    {
        const SSerInfo huge = InfoOf(pszFriendly, "X");
        EXPECT_EQ(huge.m_nPort, nPort) << pszFriendly;
        EXPECT_EQ(huge.m_strPortName, std::string(pszFriendly).substr(6, std::strlen(pszFriendly) - 7));
    }

    SSerInfo unread;
    EXPECT_FALSE(MakeSerInfo({"/dev/ttyX", "", "X", "", ""}, unread));
}

class DiscoveryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pTestbed = umockdev_testbed_new();
        ASSERT_NE(m_pTestbed, nullptr);
    }
    void TearDown() override { g_object_unref(m_pTestbed); }

    // A USB serial adapter with its interface and its tty.
    // Returns the tty's sysfs path.
    std::string AddUsbSerial(const std::string& strName, const char* pszVendor, const char* pszProduct,
                             const char* pszProductText, const char* pszTty)
    {
        gchar* pszUsb = umockdev_testbed_add_device(m_pTestbed, "usb", strName.c_str(), nullptr,
                                                    "idVendor", pszVendor, "idProduct", pszProduct,
                                                    "product", pszProductText, nullptr,
                                                    "DEVTYPE", "usb_device", nullptr);
        gchar* pszInterface = umockdev_testbed_add_device(m_pTestbed, "usb", (strName + ":1.0").c_str(), pszUsb,
                                                          nullptr, "DEVTYPE", "usb_interface", nullptr);
        gchar* pszTtyPath = umockdev_testbed_add_device(m_pTestbed, "tty", pszTty, pszInterface, nullptr,
                                                        "DEVNAME", (std::string("/dev/") + pszTty).c_str(), nullptr);
        std::string strTtyPath = pszTtyPath;
        g_free(pszTtyPath);
        g_free(pszInterface);
        g_free(pszUsb);
        return strTtyPath;
    }

    CTempDrives m_drives;
    UMockdevTestbed* m_pTestbed = nullptr;
};

TEST_F(DiscoveryTest, ACp210xOnTtyUsbIsTheReceiver)
{
    AddUsbSerial("1-1", "10c4", "ea60", "CP2102 USB to UART Bridge Controller", "ttyUSB4");
    std::vector<SSerInfo> ports;
    ASSERT_EQ(ListSerialPorts(ports), 1);
    EXPECT_EQ(ports[0].m_nPort, 5);
    EXPECT_EQ(ports[0].m_strPortName, "COM5");
    EXPECT_EQ(ports[0].m_strDevicePath, "/dev/ttyUSB4");
    EXPECT_EQ(ports[0].m_strDescription, "Silicon Labs CP210x USB to UART Bridge");
    EXPECT_EQ(ports[0].m_strFriendlyName, "Silicon Labs CP210x USB to UART Bridge (COM5)");
    EXPECT_TRUE(ports[0].m_bUsbDevice);
    EXPECT_EQ(FindReceiverPort(), 5);
}

TEST_F(DiscoveryTest, OtherAdaptersKeepTheirProductAndAreNotTheReceiver)
{
    AddUsbSerial("1-2", "067b", "2303", "USB-Serial Controller", "ttyUSB0");
    AddUsbSerial("1-3", "10c4", "8a2a", "Silicon Labs CP210x USB to UART Bridge v2", "ttyACM0");
    std::vector<SSerInfo> ports;
    ASSERT_EQ(ListSerialPorts(ports), 2);
    EXPECT_EQ(ports[0].m_strDescription, "USB-Serial Controller");
    EXPECT_EQ(ports[1].m_nPort, 65);
    // A description with more text than the bridge's does not match.
    EXPECT_EQ(FindReceiverPort(), 0);
}

TEST_F(DiscoveryTest, TwoBridgesGiveTheFirst)
{
    AddUsbSerial("1-4", "10c4", "ea70", "CP2105", "ttyUSB3");
    AddUsbSerial("1-5", "10c4", "ea60", "CP2102", "ttyUSB1");
    EXPECT_EQ(FindReceiverPort(), 2);
}

// Without a CP210x the automatic search takes a receiver known by its USB ids (u-blox's own
// CDC-ACM port), never a generic cable; a generic cable is read only when chosen.
TEST_F(DiscoveryTest, AUbloxReceiverIsFoundAutomaticallyAndAnFtdiCableOnlyWhenChosen)
{
    AddUsbSerial("1-7", "0403", "6001", "FT232R USB UART", "ttyUSB0");
    EXPECT_EQ(FindReceiverPortAutomatically(), 0);
    SChosenPort chosen;
    ASSERT_TRUE(FindChosenPort("COM1", chosen));
    EXPECT_EQ(chosen.m_nPort, 1);
    EXPECT_EQ(chosen.m_strDevicePath, "/dev/ttyUSB0");
    ASSERT_TRUE(FindChosenPort("/dev/ttyUSB0", chosen));
    EXPECT_EQ(chosen.m_nPort, 1);
    EXPECT_FALSE(FindChosenPort("COM2", chosen));
    EXPECT_FALSE(FindChosenPort("COMx", chosen));

    AddUsbSerial("1-8", "1546", "01a8", "u-blox GNSS receiver", "ttyACM0");
    std::vector<SSerInfo> ports;
    ASSERT_EQ(ListSerialPorts(ports), 2);
    EXPECT_EQ(ports[1].m_strUsbId, "1546:01a8");
    EXPECT_EQ(ports[1].m_strDescription, "u-blox GNSS receiver");
    EXPECT_EQ(FindReceiverPort(), 0);
    EXPECT_EQ(FindReceiverPortAutomatically(), 65);

    // The CP210x receiver still comes first.
    AddUsbSerial("1-9", "10c4", "ea60", "CP2102", "ttyUSB3");
    EXPECT_EQ(FindReceiverPortAutomatically(), 4);
}

TEST(KnownGnssUsbIds, AWholeVendorOrSingleProducts)
{
    for (const char* pszId : {"1546:01a7", "1546:0502", "0e8d:3329", "067b:aaa0", "1163:0200"})
        EXPECT_TRUE(IsKnownGnssUsbId(pszId)) << pszId;
    for (const char* pszId : {"", "0403:6001", "067b:2303", "1a86:7523", "0e8d:3330", "15460:0001"})
        EXPECT_FALSE(IsKnownGnssUsbId(pszId)) << pszId;
}

TEST_F(DiscoveryTest, NoPortsNoReceiver)
{
    std::vector<SSerInfo> ports{SSerInfo{}};
    EXPECT_EQ(ListSerialPorts(ports), 0);
    EXPECT_TRUE(ports.empty());
    EXPECT_EQ(FindReceiverPort(), 0);
}

// Collects changes until count have come or the watcher stays quiet for two seconds.
std::vector<SPortChange> WaitForChanges(CHotplugWatcher& watcher, size_t count)
{
    std::vector<SPortChange> changes;
    pollfd fd{watcher.FileDescriptor(), POLLIN, 0};
    while (changes.size() < count && poll(&fd, 1, 2000) > 0)
        for (SPortChange& change : watcher.TakeChanges())
            changes.push_back(change);
    return changes;
}

TEST_F(DiscoveryTest, TheWatcherNamesArrivingAndLeavingPortsByComNumber)
{
    CHotplugWatcher watcher;
    ASSERT_TRUE(watcher.IsWatching());
    std::string strTty = AddUsbSerial("1-6", "10c4", "ea60", "CP2102", "ttyUSB2");
    std::vector<SPortChange> changes = WaitForChanges(watcher, 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].m_bArrived);
    EXPECT_EQ(changes[0].m_strPortName, "COM3");
    EXPECT_EQ(changes[0].m_strDevicePath, "/dev/ttyUSB2");

    umockdev_testbed_uevent(m_pTestbed, strTty.c_str(), "remove");
    changes = WaitForChanges(watcher, 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_FALSE(changes[0].m_bArrived);
    EXPECT_EQ(changes[0].m_strPortName, "COM3");
}

TEST(ReceiverMatch, CaseDoesNotMatterButTheWholeTextMust)
{
    CTempDrives drives;
    // Virtual ports carry any description, so they exercise the matching rule directly.
    std::string strDevice = "/dev/null";
    {
        CVirtualPortRegistration other(strDevice, "silicon labs cp210x usb to uart bridge X", "USB");
        CVirtualPortRegistration receiver(strDevice, "SILICON LABS CP210X USB TO UART BRIDGE", "USB");
        EXPECT_EQ(FindReceiverPort(), 194);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The emulation works through a preloaded library: start again with it in place.
    const char* pszPreload = std::getenv("LD_PRELOAD");
    if (!pszPreload || std::string(pszPreload).find("libumockdev-preload") == std::string::npos)
    {
        std::string strPreload = "libumockdev-preload.so.0";
        if (pszPreload)
            strPreload += std::string(":") + pszPreload;
        setenv("LD_PRELOAD", strPreload.c_str(), 1);
        std::string strAsan = "verify_asan_link_order=0";
        if (const char* pszOld = std::getenv("ASAN_OPTIONS"))
            strAsan = std::string(pszOld) + ":" + strAsan;
        setenv("ASAN_OPTIONS", strAsan.c_str(), 1);
        execv("/proc/self/exe", argv);
        return 127;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
