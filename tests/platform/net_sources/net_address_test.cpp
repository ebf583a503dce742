// Network receiver addresses as users write them.
#include "platform/net_address.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

namespace
{

struct SAddressCase
{
    const char* pszText;
    int nDefaultPort;
    bool bDevice;
    bool bValid;
    const char* pszHost;
    int nPort;
    const char* pszDevice;
};

TEST(NetAddressTest, HostsPortsAndGpsdDevicesAreRead)
{
    const SAddressCase cases[] = {
        {"localhost", 2947, true, true, "localhost", 2947, ""},
        {"localhost:2948", 2947, true, true, "localhost", 2948, ""},
        {"10.0.0.5:10110", 0, false, true, "10.0.0.5", 10110, ""},
        {"[::1]:2947", 0, false, true, "::1", 2947, ""},
        {"[::1]", 2947, true, true, "::1", 2947, ""},
        {"::1", 2947, true, true, "::1", 2947, ""},
        {"host:2947:/dev/ttyUSB0", 2947, true, true, "host", 2947, "/dev/ttyUSB0"},
        {"host::/dev/ttyACM0", 2947, true, true, "host", 2947, "/dev/ttyACM0"},
        {"[::1]:2000:/dev/ttyS0", 2947, true, true, "::1", 2000, "/dev/ttyS0"},
        {"host", 0, false, false, "", 0, ""},         // TCP needs a port
        {":2947", 2947, true, false, "", 0, ""},      // no host
        {"host:0", 0, false, false, "", 0, ""},
        {"host:65536", 0, false, false, "", 0, ""},
        {"host:12ab", 0, false, false, "", 0, ""},
        {"host:-1", 0, false, false, "", 0, ""},
        {"host:1:/dev/x", 0, false, false, "", 0, ""}, // a device only for gpsd
        {"[::1", 2947, true, false, "", 0, ""},
        {"[::1]x", 2947, true, false, "", 0, ""},
    };
    for (const SAddressCase& c : cases)
    {
        SNetAddress address;
        ASSERT_EQ(ParseNetAddress(c.pszText, c.nDefaultPort, c.bDevice, address), c.bValid) << c.pszText;
        if (!c.bValid)
            continue;
        EXPECT_EQ(address.m_strHost, c.pszHost) << c.pszText;
        EXPECT_EQ(address.m_nPort, c.nPort) << c.pszText;
        EXPECT_EQ(address.m_strDevice, c.pszDevice) << c.pszText;
    }
}

TEST(NetAddressTest, PortsAndTheirTexts)
{
    int nPort = 0;
    EXPECT_TRUE(ParsePortNumber("10110", nPort));
    EXPECT_EQ(nPort, 10110);
    for (const char* pszBad : {"", "0", "65536", "1x", " 1", "+1"})
        EXPECT_FALSE(ParsePortNumber(pszBad, nPort)) << pszBad;
    EXPECT_EQ(FormatHostPort("localhost", 2947), "localhost:2947");
    EXPECT_EQ(FormatHostPort("::1", 2947), "[::1]:2947");
}

TEST(NetAddressTest, LoopbackNamesResolveAndErrorsHaveWords)
{
    std::vector<SSocketAddress> addresses;
    std::string strError;
    ASSERT_TRUE(ResolveHost("127.0.0.1", 2947, SOCK_STREAM, false, COpenWait(3000, nullptr), addresses, strError)) << strError;
    EXPECT_EQ(addresses.front().m_nFamily, AF_INET);
    ASSERT_TRUE(ResolveHost("::1", 2947, SOCK_DGRAM, true, COpenWait(3000, nullptr), addresses, strError)) << strError;
    EXPECT_EQ(addresses.front().m_nFamily, AF_INET6);
    EXPECT_EQ(SocketErrorWords(ECONNREFUSED), "connection refused");
    EXPECT_EQ(SocketErrorWords(ETIMEDOUT), "no answer");
}

} // namespace
