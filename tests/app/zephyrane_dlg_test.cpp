#include "app/zephyrane_dlg.h"

#include "platform/program_launcher.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/pty_receiver.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/screenshot.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>

namespace {

class CFakeLauncher : public IProgramLauncher
{
public:
    std::string ProgramsFolder() const override { return m_strFolder; }
    EOutcome StartAndWait(const std::string& strPath, const std::vector<std::string>& args, int) override
    {
        m_strPath = strPath;
        m_args = args;
        m_bWindowVisible = m_pWindow->isVisible();
        return EOutcome::kEnded;
    }
    std::string m_strFolder;
    QWidget* m_pWindow = nullptr;
    std::string m_strPath;
    std::vector<std::string> m_args;
    bool m_bWindowVisible = true;
};

// A prompt that also notes whether the launcher was visible when each message appeared.
class CWatchingPrompt : public CScriptedPrompt
{
public:
    void Message(const std::string& strText, const std::string& strCaption) override
    {
        m_launcherVisible.push_back(m_pLauncher != nullptr && m_pLauncher->isVisible());
        CScriptedPrompt::Message(strText, strCaption);
    }
    QWidget* m_pLauncher = nullptr;
    std::vector<bool> m_launcherVisible;
};

// The launcher with "Exit" recorded instead of ending the test.
class CTestLauncherDlg : public CZephyraneDlg
{
public:
    using CZephyraneDlg::CZephyraneDlg;
    int m_nExits = 0;

protected:
    void ExitProcess() override { ++m_nExits; }
};

class ZephyraneDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The driver button looks in its launcher's programs folder.
        ASSERT_FALSE(m_dir.empty());
        m_launcher.m_strFolder = m_dir + "/";
        m_pDlg = std::make_unique<CTestLauncherDlg>(m_prompt, m_launcher);
        m_launcher.m_pWindow = m_pDlg.get();
        m_prompt.m_pLauncher = m_pDlg.get();
        m_pDlg->show();
    }
    void TearDown() override { m_pDlg.reset(); }

    CHoverButton& Button(int nIndex) { return *m_pDlg->Buttons()[static_cast<std::size_t>(nIndex)]; }
    QPoint Centre(int nIndex) { return Button(nIndex).geometry().center(); }
    QImage Shown() { return m_pDlg->Picture().pixmap().toImage(); }
    QImage CardOf(int nIndex) { return Button(nIndex).GetPicture().toImage(); }
    std::vector<int> LitButtons()
    {
        std::vector<int> lit;
        for (int i = 0; i < 6; ++i)
            if (Button(i).m_bHover)
                lit.push_back(i);
        return lit;
    }

    // Clicks a button and closes the window it opens, once that window runs; returns the
    // window's class name, or an empty text when no window ran. Records whether the
    // launcher was hidden meanwhile.
    std::string ClickAndCloseWindow(int nIndex)
    {
        std::string strOpened;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* pModal = QApplication::activeModalWidget();
            if (pModal == nullptr || pModal == m_pDlg.get())
                return;
            strOpened = pModal->metaObject()->className();
            m_bLauncherHiddenMeanwhile = !m_pDlg->isVisible();
            pModal->close();
        });
        poll.start(10);
        QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, {}, Centre(nIndex));
        return strOpened;
    }

    bool m_bLauncherHiddenMeanwhile = false;
    // Every click makes the windows a button may open, and the data logger's saves its
    // settings when it goes: the drives are temporary folders.
    CTempDrives m_drives;
    CTempDir m_temp;
    std::string m_dir = m_temp.Path();
    CWatchingPrompt m_prompt;
    CFakeLauncher m_launcher;
    std::unique_ptr<CTestLauncherDlg> m_pDlg;
};

enum { kComPorts, kNmeaMonitor, kSatViz, kDataLogger, kDrivers, kExit };

TEST_F(ZephyraneDlgTest, OpensWithTheProductCardAndSixCaptionedButtons)
{
    const char* captions[] = {"Com Ports Available", "NMEA Monitor", "Sat Viz", "Data Logger", "Drivers", "Exit"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Button(i).GetCaption(), captions[i]);
        EXPECT_FALSE(Button(i).GetPicture().isNull()) << i;
    }
    EXPECT_EQ(Button(kDrivers).GetProgram(), sizeof(void*) == 8 ? "CP210xVCPInstaller_x64.exe" : "CP210xVCPInstaller_x86.exe");
    EXPECT_EQ(Shown(), CardOf(kExit));
    EXPECT_TRUE(LitButtons().empty());
}

TEST_F(ZephyraneDlgTest, HoveringLightsOneButtonAndLeavingKeepsItsCard)
{
    QTest::mouseMove(m_pDlg.get(), Centre(kSatViz));
    EXPECT_EQ(LitButtons(), std::vector<int>{kSatViz});
    EXPECT_EQ(Shown(), CardOf(kSatViz));
    SaveScreenshot(*m_pDlg, "launcher_sat_viz");

    QTest::mouseMove(m_pDlg.get(), {5, 5});
    EXPECT_TRUE(LitButtons().empty());
    EXPECT_EQ(Shown(), CardOf(kSatViz));

    // The gap between two buttons lights neither; the next button takes over.
    const QPoint gap(Centre(kNmeaMonitor).x(), Button(kSatViz).geometry().top() - 1);
    QTest::mouseMove(m_pDlg.get(), gap);
    EXPECT_TRUE(LitButtons().empty());
    QTest::mouseMove(m_pDlg.get(), Centre(kNmeaMonitor));
    EXPECT_EQ(LitButtons(), std::vector<int>{kNmeaMonitor});
    EXPECT_EQ(Shown(), CardOf(kNmeaMonitor));
}

TEST_F(ZephyraneDlgTest, EachButtonOpensItsWindowWhileTheLauncherHides)
{
    CPtyReceiver receiver;
    ASSERT_TRUE(receiver.Ready());
    receiver.StartTalking("$GPGGA,100000.00,5128.6380,N,00007.5000,W,1,08,0.9,45.0,M,47.0,M,,*7B\r\n");
    const std::pair<int, const char*> windows[] = {
        {kComPorts, "CComPortsAvailableDlg"},
        {kNmeaMonitor, "CGpsPropertySheet"},
        {kSatViz, "CSatVisDlg"},
        {kDataLogger, "CDataLoggerDlg"},
    };
    for (const auto& [nButton, pszWindow] : windows) {
        m_bLauncherHiddenMeanwhile = false;
        EXPECT_EQ(ClickAndCloseWindow(nButton), pszWindow);
        EXPECT_TRUE(m_bLauncherHiddenMeanwhile) << pszWindow;
        EXPECT_TRUE(m_pDlg->isVisible()) << pszWindow;
    }
    // Closing each monitor window asked first; the scripted answer was Yes.
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{"Do you want to close the GPS Monitor",
                                                          "Do you want to close the NMEA Monitor",
                                                          "Do you want to close the Datalogger"}));
}

TEST_F(ZephyraneDlgTest, ReceiverWindowsWithoutAReceiverSayWhatIsMissingWhileTheLauncherHides)
{
    const std::vector<std::string> missing = {"Can't Find Zephyrane", "Can't Find Data of Zephyrane"};
    for (int nButton : {kNmeaMonitor, kSatViz, kDataLogger}) {
        QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, {}, Centre(nButton));
        EXPECT_EQ(m_prompt.FirstLines(), missing) << nButton;
        EXPECT_EQ(m_prompt.m_launcherVisible, (std::vector<bool>{false, false})) << nButton;
        EXPECT_TRUE(m_pDlg->isVisible());
        m_prompt = CWatchingPrompt();
        m_prompt.m_pLauncher = m_pDlg.get();
    }
}

TEST_F(ZephyraneDlgTest, DriversWithoutTheSetUpProgramSaysWhereItLooked)
{
    QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, {}, Centre(kDrivers));
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Can't Find " + m_dir + "/"});
    EXPECT_TRUE(m_launcher.m_strPath.empty());
    EXPECT_TRUE(m_pDlg->isVisible());
}

TEST_F(ZephyraneDlgTest, DriversRunsTheSetUpWithTheQuietSwitchWhileTheLauncherHides)
{
    const std::string path = m_dir + "/" + Button(kDrivers).GetProgram();
    std::ofstream(path) << "#!/bin/sh\n";
    QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, {}, Centre(kDrivers));
    EXPECT_EQ(m_launcher.m_strPath, path);
    EXPECT_EQ(m_launcher.m_args, std::vector<std::string>{"/A"});
    EXPECT_FALSE(m_launcher.m_bWindowVisible);
    EXPECT_TRUE(m_pDlg->isVisible());
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(ZephyraneDlgTest, ExitEndsTheProgramAtOnceAndAClickBesideTheButtonsDoesNothing)
{
    QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(m_pDlg->m_nExits, 0);
    QTest::mouseMove(m_pDlg.get(), Centre(kSatViz));
    QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, {}, Centre(kExit));
    EXPECT_EQ(m_pDlg->m_nExits, 1);
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(ZephyraneDlgTest, HidingTheLauncherKeepsItRunningUntilItIsClosed)
{
    std::vector<std::string> steps;
    QTimer::singleShot(0, m_pDlg.get(), [&] {
        m_pDlg->hide();
        steps.push_back("hidden");
        QTimer::singleShot(0, m_pDlg.get(), [&] {
            m_pDlg->show();
            steps.push_back("shown");
            m_pDlg->close();
        });
    });
    m_pDlg->DoModal();
    EXPECT_EQ(steps, (std::vector<std::string>{"hidden", "shown"}));
    EXPECT_FALSE(m_pDlg->isVisible());
}

}  // namespace
