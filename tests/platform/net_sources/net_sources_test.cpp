// The network sources against real peers on the loopback interface: a TCP server and a UDP
// sender of the test's own, and gpsd fed by gpsfake.
#include "platform/gpsd_source.h"
#include "platform/net_address.h"
#include "platform/tcp_source.h"
#include "platform/udp_source.h"
#include "tests/support/file_text.h"
#include "tests/support/loopback_peers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>
#include <thread>
#include <atomic>
#include <filesystem>

namespace
{

std::string WithoutCarriageReturn(std::string strLine)
{
    if (!strLine.empty() && strLine.back() == '\r')
        strLine.pop_back();
    return strLine;
}

const std::string kLines = "$GPGGA,125106,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,*7F\r\n"
                           "$GPGSA,A,3,03,07,08,11,13,16,19,23,24,28,,,3.6,2.0,3.0*3A\r\n";

// Reads until nBytes have come, the source is gone or five seconds pass.
std::string ReadAvailable(IByteSource& source, size_t nBytes, long* pLast = nullptr)
{
    std::string strText;
    char buffer[2048];
    for (int nTry = 0; nTry < 50 && strText.size() < nBytes; ++nTry)
    {
        source.WaitForData(100);
        long nRead = source.Read(buffer, sizeof buffer);
        if (pLast)
            *pLast = nRead;
        if (nRead < 0)
            break;
        strText.append(buffer, static_cast<size_t>(nRead));
    }
    return strText;
}

TEST(TcpSourceTest, ReadsTheServersBytesUntilTheServerCloses)
{
    struct SCase
    {
        const char* pszServer;
        const char* pszClient;
    };
    for (const SCase& c : {SCase{"127.0.0.1", "127.0.0.1"}, SCase{"::1", "::1"}, SCase{"127.0.0.1", "localhost"}})
    {
        CLoopbackTcpServer server(c.pszServer);
        ASSERT_TRUE(server.IsListening()) << c.pszServer;
        CTcpSource source(c.pszClient, server.Port());
        EXPECT_EQ(source.Describe(), "TCP " + FormatHostPort(c.pszClient, server.Port()));
        ASSERT_TRUE(source.Open()) << c.pszClient << ": " << source.LastError();
        ASSERT_TRUE(server.Accept());
        char buffer[16];
        EXPECT_EQ(source.Read(buffer, sizeof buffer), 0) << "nothing sent yet";
        server.Send(kLines.substr(0, 30));
        server.Send(kLines.substr(30));
        EXPECT_EQ(ReadAvailable(source, kLines.size()), kLines);

        server.DropClient();
        long nLast = 0;
        EXPECT_EQ(ReadAvailable(source, 1, &nLast), "");
        EXPECT_EQ(nLast, -1);
        EXPECT_FALSE(source.IsOpen());
        EXPECT_EQ(source.LastError(), "the server closed the connection");
    }
}

TEST(TcpSourceTest, APortNobodyListensOnIsRefusedAndOpensLaterWhenTheServerComes)
{
    int nPort = loopback::FreePort();
    CTcpSource source("127.0.0.1", nPort);
    EXPECT_FALSE(source.Open());
    EXPECT_EQ(source.LastError(), "connection refused");
    char buffer[8];
    EXPECT_EQ(source.Read(buffer, sizeof buffer), -1);

    CLoopbackTcpServer server("127.0.0.1", nPort);
    ASSERT_TRUE(server.IsListening());
    EXPECT_TRUE(source.Open()) << source.LastError();
    EXPECT_EQ(source.LastError(), "");
}

// A server whose queue of connections is full answers no new one: connecting waits. A stop
// asked for meanwhile (the window closing) ends the wait; without it Open would wait its
// whole time.
TEST(TcpSourceTest, AStopEndsTheWaitForAServerThatDoesNotAnswer)
{
    int nListener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    socklen_t nLength = 0;
    sockaddr_storage address = loopback::Address("127.0.0.1", 0, nLength);
    ASSERT_EQ(bind(nListener, reinterpret_cast<sockaddr*>(&address), nLength), 0);
    ASSERT_EQ(listen(nListener, 0), 0);
    int nPort = loopback::BoundPort(nListener);
    // Fill the queue with a connection that is never accepted.
    CTcpSource queued("127.0.0.1", nPort);
    ASSERT_TRUE(queued.Open()) << queued.LastError();

    std::atomic<bool> bStop{false};
    CTcpSource source("127.0.0.1", nPort, &bStop);
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        bStop = true;
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(source.Open());
    auto waited = std::chrono::steady_clock::now() - start;
    stopper.join();
    EXPECT_LT(waited, std::chrono::milliseconds(CTcpSource::kOpenWaitMilliseconds));
    close(nListener);
}

TEST(UdpSourceTest, DatagramsArriveWholeAndEachEndsALine)
{
    for (const char* pszHost : {"127.0.0.1", "::1"})
    {
        int nPort = loopback::FreePort(SOCK_DGRAM);
        CUdpSource source(pszHost, nPort);
        EXPECT_EQ(source.Describe(), "UDP " + FormatHostPort(pszHost, nPort));
        ASSERT_TRUE(source.Open()) << pszHost << ": " << source.LastError();
        CLoopbackUdpSender sender(pszHost, nPort);
        ASSERT_TRUE(sender.Send(kLines));
        ASSERT_TRUE(sender.Send("$GPRTE,1,1,c,*37"));  // no line end of its own
        ASSERT_TRUE(sender.Send(""));
        const std::string strAll = kLines + "$GPRTE,1,1,c,*37\r\n";
        EXPECT_EQ(ReadAvailable(source, strAll.size()), strAll) << pszHost;

        // A datagram that does not fit what is left of the buffer waits for the next read.
        ASSERT_TRUE(sender.Send(kLines));
        ASSERT_TRUE(sender.Send(kLines));
        source.WaitForData(1000);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::vector<char> room(kLines.size() + 40);
        char* buffer = room.data();
        EXPECT_EQ(source.Read(buffer, room.size()), static_cast<long>(kLines.size()));
        EXPECT_EQ(source.Read(buffer, room.size()), static_cast<long>(kLines.size()));
        EXPECT_EQ(source.Read(buffer, room.size()), 0);
    }
}

TEST(UdpSourceTest, EveryInterfaceIsNamedByThePortAndABusyPortIsSaid)
{
    CUdpSource source("", 10110);
    EXPECT_EQ(source.Describe(), "UDP port 10110");
    int nPort = loopback::FreePort(SOCK_DGRAM);
    CUdpSource first("127.0.0.1", nPort);
    CUdpSource second("127.0.0.1", nPort);
    ASSERT_TRUE(first.Open());
    EXPECT_FALSE(second.Open());
    EXPECT_EQ(second.LastError(), "port already in use");
}

TEST(GpsdSourceTest, TheWatchRequestNamesTheDeviceAsked)
{
    EXPECT_EQ(CGpsdSource("localhost", 2947).WatchRequest(), "?WATCH={\"enable\":true,\"nmea\":true}\n");
    CGpsdSource one("localhost", 2947, "/dev/ttyUSB0");
    EXPECT_EQ(one.WatchRequest(), "?WATCH={\"enable\":true,\"nmea\":true,\"device\":\"/dev/ttyUSB0\"}\n");
    EXPECT_EQ(one.Describe(), "gpsd localhost:2947 /dev/ttyUSB0");
    EXPECT_EQ(CGpsdSource("h", 1, "a\"b\\\n").WatchRequest(),
              "?WATCH={\"enable\":true,\"nmea\":true,\"device\":\"a\\\"b\\\\\"}\n");
}

TEST(GpsdSourceTest, AServerThatIsNotGpsdIsToldApart)
{
    CLoopbackTcpServer server;
    CGpsdSource source("127.0.0.1", server.Port());
    EXPECT_FALSE(source.Open());
    EXPECT_EQ(source.LastError(), "no answer from gpsd");
    ASSERT_TRUE(server.Accept());
    EXPECT_EQ(server.Received(100), source.WatchRequest());
}

class RealGpsdTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Debian's gpsd and gpsd-clients are test packages: missing, they fail the test.
        ASSERT_FALSE(loopback::FindProgram("gpsfake").empty()) << "gpsfake (gpsd-clients) is not installed";
    }
    const std::string m_strLog = std::string(ZEP_SOURCE_DIR) + "/../shared/nmea-logs/GPSmap-76S.nmea";
};

TEST_F(RealGpsdTest, OnlyTheReceiversSentencesComeThrough)
{
    if (!std::filesystem::exists(m_strLog))
        GTEST_SKIP() << "the shared recorded logs are not beside the project";
    CTestGpsd gpsd = CTestGpsd::FedBy(m_strLog);
    ASSERT_TRUE(gpsd.Started());
    CGpsdSource source("127.0.0.1", gpsd.Port());
    EXPECT_EQ(source.Describe(), "gpsd " + gpsd.HostPort());
    ASSERT_TRUE(source.Open()) << source.LastError();
    EXPECT_EQ(CGpsdSource::ListDevices("127.0.0.1", gpsd.Port()).size(), 1u);
    std::string strText = ReadAvailable(source, 3000);
    std::vector<std::string> logLines = SplitLines(ReadFileBytes(m_strLog));
    std::vector<std::string> lines = SplitLines(strText);
    std::transform(logLines.begin(), logLines.end(), logLines.begin(), WithoutCarriageReturn);
    std::transform(lines.begin(), lines.end(), lines.begin(), WithoutCarriageReturn);
    lines.pop_back();  // may be cut short
    ASSERT_GT(lines.size(), 20u);
    for (const std::string& strLine : lines)
        EXPECT_NE(std::find(logLines.begin(), logLines.end(), strLine), logLines.end()) << strLine;

    gpsd.Stop();
    long nLast = 0;
    ReadAvailable(source, 1000000, &nLast);
    EXPECT_EQ(nLast, -1);
    EXPECT_FALSE(source.LastError().empty());
}

TEST_F(RealGpsdTest, AGpsdWithoutTheReceiverAskedForDoesNotOpen)
{
    CTestGpsd gpsd = CTestGpsd::WithoutReceiver();
    ASSERT_TRUE(gpsd.Started()) << "gpsd could not be started";
    CGpsdSource any("127.0.0.1", gpsd.Port());
    EXPECT_FALSE(any.Open());
    EXPECT_EQ(any.LastError(), "gpsd has no receiver");
    CGpsdSource one("127.0.0.1", gpsd.Port(), "/dev/zep-none");
    EXPECT_FALSE(one.Open());
    EXPECT_EQ(one.LastError(), "gpsd has no device /dev/zep-none");
    EXPECT_TRUE(CGpsdSource::ListDevices("127.0.0.1", gpsd.Port()).empty());
    gpsd.Stop();
    EXPECT_TRUE(CGpsdSource::ListDevices("127.0.0.1", gpsd.Port()).empty());
}

} // namespace
