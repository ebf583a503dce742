// A monitor window reading a receiver on the network: its title names the source, and it
// shows a lost connection and reads on when the server is back.
#include "views/sat_vis_dlg.h"

#include "tests/settings/temp_drives.h"
#include "tests/support/loopback_peers.h"
#include "tests/support/screenshot.h"
#include "tests/support/scripted_prompt.h"

#include <QTest>
#include <gtest/gtest.h>

namespace
{

const std::vector<std::string> kSentences = {
    "$GPGGA,103902.00,5128.0210,N,00007.5570,W,1,08,0.94,45.3,M,47.0,M,,*7A\r\n",
    "$GPGSA,A,3,05,07,13,15,18,21,24,30,,,,,1.62,0.94,1.32*0E\r\n",
};

struct SServer
{
    explicit SServer(int nPort = 0)
        : server("127.0.0.1", nPort)
        , feeder(kSentences, 20, [this](const std::string& strLine) { return server.Accept() && server.Send(strLine); })
    {
    }
    CLoopbackTcpServer server;
    CLineFeeder feeder;
};

TEST(NetworkWindowTest, TheTitleNamesTheSourceAndTheWindowReadsOnWhenTheServerIsBack)
{
    CTempDrives drives;
    CScriptedPrompt prompt;
    auto pServer = std::make_unique<SServer>();
    const int nPort = pServer->server.Port();
    SReceiverChoice choice;
    choice.m_eSource = EReceiverSource::kTcp;
    choice.m_strHost = "127.0.0.1";
    choice.m_nPort = nPort;
    choice.Save();

    CSatVisDlg dlg(prompt);
    dlg.show();
    const QString strTitle = QString("Satellite Visibility - TCP 127.0.0.1:%1").arg(nPort);
    EXPECT_EQ(dlg.windowTitle(), strTitle);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.GetDlgItemText(1002).empty(), 10000);
    SaveScreenshot(dlg, "sat_vis_tcp");

    pServer.reset();
    QTRY_COMPARE_WITH_TIMEOUT(dlg.windowTitle(), strTitle + " - Connection lost: trying again", 10000);
    SaveScreenshot(dlg, "sat_vis_tcp_lost");

    pServer = std::make_unique<SServer>(nPort);
    QTRY_COMPARE_WITH_TIMEOUT(dlg.windowTitle(), strTitle, 10000);
    EXPECT_TRUE(prompt.Shown().empty());
}

} // namespace
