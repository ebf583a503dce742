// nmea-decode --receiver reading recorded receivers served over the loopback interface: raw
// over TCP, as UDP datagrams, and by gpsd fed through gpsfake.
#include "platform/net_address.h"
#include "tests/support/file_text.h"
#include "tests/support/loopback_peers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

namespace
{

std::string WithoutLineEnd(std::string strLine)
{
    while (!strLine.empty() && (strLine.back() == '\r' || strLine.back() == '\n'))
        strLine.pop_back();
    return strLine;
}

// The "line" member of each object nmea-decode --raw printed, without its line end.
std::vector<std::string> RawLines(const std::string& strOut)
{
    std::vector<std::string> lines;
    const std::string strKey = "\"line\":\"";
    for (const std::string& strObject : SplitLines(strOut))
    {
        size_t nStart = strObject.rfind(strKey);
        if (nStart == std::string::npos)
            continue;
        std::string strLine;
        for (size_t i = nStart + strKey.size(); i < strObject.size() && strObject[i] != '"'; ++i)
        {
            char c = strObject[i];
            if (c == '\\' && i + 1 < strObject.size())
            {
                char e = strObject[++i];
                if (e == 'u' && i + 4 < strObject.size())
                {
                    c = static_cast<char>(std::stoi(strObject.substr(i + 1, 4), nullptr, 16));
                    i += 4;
                }
                else
                    c = e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
            }
            strLine += c;
        }
        lines.push_back(WithoutLineEnd(strLine));
    }
    return lines;
}

// True when lines follow one another in sequence, read round and round, none left out.
bool IsUnbrokenRun(const std::vector<std::string>& lines, const std::vector<std::string>& sequence)
{
    std::vector<std::string> twice = sequence;
    twice.insert(twice.end(), sequence.begin(), sequence.end());
    return !lines.empty() && lines.size() <= sequence.size() &&
           std::search(twice.begin(), twice.end(), lines.begin(), lines.end()) != twice.end();
}

class NetworkReceiverProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(m_strLog))
            GTEST_SKIP() << "the shared recorded logs are not beside the project";
        for (const std::string& strLine : SplitLines(ReadFileBytes(m_strLog)))
            m_lines.push_back(WithoutLineEnd(strLine));
    }

    // Runs nmea-decode --receiver with the source's options for nSeconds.
    static CChildProcess* Decode(std::vector<std::string> sourceOptions, int nSeconds)
    {
        std::vector<std::string> arguments = {NMEA_DECODE_PATH, "--receiver", "--raw", "--seconds",
                                              std::to_string(nSeconds)};
        arguments.insert(arguments.end(), sourceOptions.begin(), sourceOptions.end());
        return new CChildProcess(arguments);
    }

    // The log's lines with their line ends, as a receiver sends them.
    std::vector<std::string> Sent() const
    {
        std::vector<std::string> sent;
        for (const std::string& strLine : m_lines)
            sent.push_back(strLine + "\r\n");
        return sent;
    }

    const std::string m_strLog = std::string(ZEP_SOURCE_DIR) + "/../shared/nmea-logs/ublox-zed-f9p-nmea.nmea";
    std::vector<std::string> m_lines;
};

TEST_F(NetworkReceiverProcessTest, ALogServedOverTcpComesThroughUnbroken)
{
    for (const char* pszHost : {"127.0.0.1", "::1"})
    {
        CLoopbackTcpServer server(pszHost);
        ASSERT_TRUE(server.IsListening());
        CLineFeeder feeder(Sent(), 5, [&](const std::string& strLine) { return server.Accept() && server.Send(strLine); });
        std::unique_ptr<CChildProcess> pDecoder(
            Decode({"--tcp", FormatHostPort(pszHost, server.Port())}, 3));
        EXPECT_EQ(pDecoder->Wait(), 0) << pDecoder->Err();
        std::vector<std::string> lines = RawLines(pDecoder->Out());
        EXPECT_GT(lines.size(), 100u) << pszHost;
        EXPECT_TRUE(IsUnbrokenRun(lines, m_lines)) << pszHost;
    }
}

TEST_F(NetworkReceiverProcessTest, ALogSentAsUdpDatagramsComesThroughUnbroken)
{
    for (const char* pszHost : {"127.0.0.1", "::1"})
    {
        int nPort = loopback::FreePort(SOCK_DGRAM);
        std::unique_ptr<CChildProcess> pDecoder(Decode({"--udp", FormatHostPort(pszHost, nPort)}, 3));
        CLoopbackUdpSender sender(pszHost, nPort);
        CLineFeeder feeder(Sent(), 5, [&](const std::string& strLine) { return sender.Send(strLine); });
        EXPECT_EQ(pDecoder->Wait(), 0) << pDecoder->Err();
        std::vector<std::string> lines = RawLines(pDecoder->Out());
        EXPECT_GT(lines.size(), 100u) << pszHost;
        EXPECT_TRUE(IsUnbrokenRun(lines, m_lines)) << pszHost;
    }
}

TEST_F(NetworkReceiverProcessTest, ALogServedByGpsdComesThroughAsGpsdPassesItOn)
{
    std::string strGpspipe = loopback::FindProgram("gpspipe");
    ASSERT_FALSE(strGpspipe.empty()) << "gpspipe (gpsd-clients) is not installed";
    CTestGpsd gpsd = CTestGpsd::FedBy(m_strLog, 0.01);
    ASSERT_TRUE(gpsd.Started()) << "gpsd fed by gpsfake did not start";
    // gpsd's own client, watching alongside, shows what gpsd passes on.
    CChildProcess watcher({strGpspipe, "-r", "-n", "700", gpsd.HostPort()});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::unique_ptr<CChildProcess> pDecoder(Decode({"--gpsd", gpsd.HostPort()}, 3));
    EXPECT_EQ(pDecoder->Wait(), 0) << pDecoder->Err();
    EXPECT_EQ(watcher.Wait(), 0);
    std::vector<std::string> passedOn;
    for (const std::string& strLine : SplitLines(watcher.Out()))
        if (!strLine.starts_with("{"))
            passedOn.push_back(WithoutLineEnd(strLine));

    std::vector<std::string> lines = RawLines(pDecoder->Out());
    EXPECT_GT(lines.size(), 100u);
    EXPECT_NE(std::search(passedOn.begin(), passedOn.end(), lines.begin(), lines.end()), passedOn.end());
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::string& strLine) { return strLine.starts_with("{"); }));
}

TEST_F(NetworkReceiverProcessTest, ARefusedConnectionEndsAsAMissingReceiver)
{
    int nPort = loopback::FreePort();
    const std::string strWhere = "127.0.0.1:" + std::to_string(nPort);
    struct SCase
    {
        const char* pszOption;
        std::string strSource;
    };
    for (const SCase& c : {SCase{"--tcp", "TCP " + strWhere}, SCase{"--gpsd", "gpsd " + strWhere}})
    {
        std::unique_ptr<CChildProcess> pDecoder(Decode({c.pszOption, strWhere}, 30));
        EXPECT_EQ(pDecoder->Wait(), 3) << c.pszOption;
        EXPECT_EQ(pDecoder->Err(), "Can't Find Zephyrane\n" + c.strSource + ": connection refused\n");
        EXPECT_EQ(pDecoder->Out(), "");
    }
}

TEST_F(NetworkReceiverProcessTest, AServerClosingMidStreamEndsAsAMissingReceiverAfterItsLines)
{
    auto pServer = std::make_unique<CLoopbackTcpServer>();
    int nPort = pServer->Port();
    std::vector<std::string> sent = Sent();
    sent.resize(150);
    CLineFeeder feeder(sent, 5, [&](const std::string& strLine) { return pServer->Accept() && pServer->Send(strLine); });
    std::unique_ptr<CChildProcess> pDecoder(Decode({"--tcp", "127.0.0.1:" + std::to_string(nPort)}, 30));
    while (feeder.Sent() < 100)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    feeder.Stop();
    pServer.reset();
    EXPECT_EQ(pDecoder->Wait(), 3);
    EXPECT_EQ(pDecoder->Err(), "TCP 127.0.0.1:" + std::to_string(nPort) + ": the server closed the connection\n");
    std::vector<std::string> lines = RawLines(pDecoder->Out());
    EXPECT_EQ(lines.size(), feeder.Sent());
    EXPECT_TRUE(IsUnbrokenRun(lines, m_lines));
}

} // namespace
