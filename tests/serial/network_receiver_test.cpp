// Network receivers named on the command line and in the dialog, and the sources they make.
#include "serial/network_receiver.h"
#include "tests/support/loopback_peers.h"

#include "platform/gpsd_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{

struct SChoiceCase
{
    const char* pszOption;  // or, for the dialog, the kind's name
    const char* pszHost;    // the option's text, or the dialog's host field
    const char* pszPort;    // the dialog's port field
    bool bValid;
    EReceiverSource eSource;
    const char* pszWantHost;
    int nWantPort;
    const char* pszWantDevice;
};

void ExpectChoice(const SChoiceCase& c, bool bValid, const SReceiverChoice& choice, const std::string& strError)
{
    SCOPED_TRACE(std::string(c.pszOption) + " " + c.pszHost + " " + c.pszPort);
    ASSERT_EQ(bValid, c.bValid) << strError;
    if (!c.bValid)
    {
        EXPECT_FALSE(strError.empty());
        return;
    }
    EXPECT_EQ(choice.m_eSource, c.eSource);
    EXPECT_EQ(choice.m_strHost, c.pszWantHost);
    EXPECT_EQ(choice.m_nPort, c.nWantPort);
    EXPECT_EQ(choice.m_strDevice, c.pszWantDevice);
}

constexpr EReceiverSource kGpsd = EReceiverSource::kGpsd;
constexpr EReceiverSource kTcp = EReceiverSource::kTcp;
constexpr EReceiverSource kUdp = EReceiverSource::kUdp;

TEST(NetworkReceiverTest, CommandLineOptionsNameTheReceiver)
{
    const SChoiceCase cases[] = {
        {"--gpsd", "", "", true, kGpsd, "localhost", 2947, ""},
        {"--gpsd", "gpshost", "", true, kGpsd, "gpshost", 2947, ""},
        {"--gpsd", "[::1]:2948:/dev/ttyACM0", "", true, kGpsd, "::1", 2948, "/dev/ttyACM0"},
        {"--gpsd", ":2947", "", false, kGpsd, "", 0, ""},
        {"--tcp", "127.0.0.1:10110", "", true, kTcp, "127.0.0.1", 10110, ""},
        {"--tcp", "boat", "", false, kTcp, "", 0, ""},
        {"--tcp", "boat:70000", "", false, kTcp, "", 0, ""},
        {"--udp", "10110", "", true, kUdp, "", 10110, ""},
        {"--udp", "127.0.0.1:10110", "", true, kUdp, "127.0.0.1", 10110, ""},
        {"--udp", "[::1]:10110", "", true, kUdp, "::1", 10110, ""},
        {"--udp", "::1", "", false, kUdp, "", 0, ""},
        {"--udp", "", "", false, kUdp, "", 0, ""},
        {"--serial", "x", "", false, kUdp, "", 0, ""},
    };
    for (const SChoiceCase& c : cases)
    {
        SReceiverChoice choice;
        std::string strError;
        bool bValid = ParseNetworkReceiver(c.pszOption, c.pszHost, choice, strError);
        ExpectChoice(c, bValid, choice, strError);
    }
}

TEST(NetworkReceiverTest, TheDialogsFieldsNameTheReceiver)
{
    const SChoiceCase cases[] = {
        {"gpsd", "", "", true, kGpsd, "localhost", 2947, ""},
        {"gpsd", " pi.local ", " 2948 ", true, kGpsd, "pi.local", 2948, ""},
        {"TCP", "", "10110", false, kTcp, "", 0, ""},
        {"TCP", "boat", "", false, kTcp, "", 0, ""},
        {"TCP", "boat", "0", false, kTcp, "", 0, ""},
        {"TCP", "bo at", "10110", false, kTcp, "", 0, ""},
        {"TCP", "192.168.1.9", "10110", true, kTcp, "192.168.1.9", 10110, ""},
        {"UDP", "", "10110", true, kUdp, "", 10110, ""},
        {"UDP", "::1", "10110", true, kUdp, "::1", 10110, ""},
        {"UDP", "", "x", false, kUdp, "", 0, ""},
    };
    for (const SChoiceCase& c : cases)
    {
        EReceiverSource eKind = std::string(c.pszOption) == "gpsd" ? kGpsd : std::string(c.pszOption) == "TCP" ? kTcp : kUdp;
        SReceiverChoice choice;
        std::string strError;
        bool bValid = NetworkChoiceFromFields(eKind, c.pszHost, c.pszPort, choice, strError);
        ExpectChoice(c, bValid, choice, strError);
    }
    SReceiverChoice choice;
    std::string strError;
    EXPECT_FALSE(NetworkChoiceFromFields(EReceiverSource::kSerial, "h", "1", choice, strError));
}

TEST(NetworkReceiverTest, EachChoiceMakesItsSource)
{
    struct SCase
    {
        SReceiverChoice choice;
        const char* pszDescription;  // null: no network source
    };
    auto Choice = [](EReceiverSource eSource, const char* pszHost, int nPort, const char* pszDevice = "") {
        SReceiverChoice choice;
        choice.m_eSource = eSource;
        choice.m_strHost = pszHost;
        choice.m_nPort = nPort;
        choice.m_strDevice = pszDevice;
        return choice;
    };
    const SCase cases[] = {
        {Choice(kGpsd, "", 0), "gpsd localhost:2947"},
        {Choice(kGpsd, "::1", 2948, "/dev/ttyUSB0"), "gpsd [::1]:2948 /dev/ttyUSB0"},
        {Choice(kTcp, "10.0.0.1", 10110), "TCP 10.0.0.1:10110"},
        {Choice(kUdp, "", 10110), "UDP port 10110"},
        {Choice(EReceiverSource::kSerial, "", 0, "/dev/ttyUSB0"), nullptr},
        {Choice(EReceiverSource::kAuto, "", 0), nullptr},
    };
    for (const SCase& c : cases)
    {
        std::unique_ptr<IByteSource> pSource = MakeNetworkSource(c.choice);
        EXPECT_EQ(IsNetworkSource(c.choice.m_eSource), c.pszDescription != nullptr);
        ASSERT_EQ(pSource != nullptr, c.pszDescription != nullptr);
        if (pSource) {
            EXPECT_EQ(pSource->Describe(), c.pszDescription);
        }
    }
}

TEST(NetworkReceiverTest, TheGpsdThatHoldsAPortIsFoundByTheDevicesName)
{
    ASSERT_FALSE(loopback::FindProgram("gpsfake").empty()) << "gpsfake (gpsd-clients) is not installed";
    CTempDir folder;
    const std::string strLog = folder.Path() + "/receiver.nmea";
    std::ofstream(strLog) << "$GPGGA,125106,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,*7F\r\n"
                             "$GPGSA,A,3,03,07,08,11,13,16,19,23,24,28,,,3.6,2.0,3.0*3A\r\n";
    CTestGpsd gpsd = CTestGpsd::FedBy(strLog);
    ASSERT_TRUE(gpsd.Started());
    const SGpsdAddress address{"127.0.0.1", gpsd.Port()};
    std::set<std::string> devices = CGpsdSource::ListDevices(address.m_strHost, address.m_nPort);
    ASSERT_EQ(devices.size(), 1u);
    const std::string strDevice = *devices.begin();

    std::optional<SReceiverChoice> choice = GpsdReadingDevice(strDevice, address);
    ASSERT_TRUE(choice);
    EXPECT_EQ(MakeNetworkSource(*choice)->Describe(), "gpsd " + gpsd.HostPort() + " " + strDevice);
    // The same device under another name that leads to it.
    std::filesystem::create_symlink(strDevice, folder.Path() + "/gps0");
    EXPECT_TRUE(GpsdReadingDevice(folder.Path() + "/gps0", address));
    EXPECT_FALSE(GpsdReadingDevice("/dev/null", address));
    gpsd.Stop();
    EXPECT_FALSE(GpsdReadingDevice(strDevice, address));
    EXPECT_NE(GpsdHoldsPortQuestion("/dev/ttyUSB0").find("/dev/ttyUSB0 is in use by gpsd"), std::string::npos);
}

} // namespace
