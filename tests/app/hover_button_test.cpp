#include "app/hover_button.h"
#include "tests/support/file_text.h"

#include "platform/installation.h"
#include "platform/program_launcher.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

// Buttons look for programs in their launcher's folder: a fresh one for each test.
const CTempDir& ProgramsDir()
{
    static const CTempDir dir;
    return dir;
}

std::string TestProgramsFolder()
{
    return ProgramsDir().Path() + "/";
}

// Records what it is asked to start and whether the button's window was visible meanwhile.
class CRecordingLauncher : public IProgramLauncher
{
public:
    std::string ProgramsFolder() const override { return TestProgramsFolder(); }
    EOutcome StartAndWait(const std::string& strPath, const std::vector<std::string>& args, int nWaitMs) override
    {
        m_strPath = strPath;
        m_args = args;
        m_nWaitMs = nWaitMs;
        m_bWindowVisible = m_pWindow != nullptr && m_pWindow->isVisible();
        ++m_nStarts;
        return EOutcome::kEnded;
    }

    QWidget* m_pWindow = nullptr;
    std::string m_strPath;
    std::vector<std::string> m_args;
    int m_nWaitMs = 0;
    bool m_bWindowVisible = true;
    int m_nStarts = 0;
};

class HoverButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window.resize(640, 480);
        m_picture.setParent(&m_window);
        m_picture.setGeometry(7, 143, 405, 325);
        CHoverButton::SetPictureArea(&m_picture);
        m_launcher.m_pWindow = &m_window;
    }

    // A button placed at 10,20 and 100 by 40 pixels in a shown window.
    CHoverButton& MakeButton(IProgramLauncher& launcher)
    {
        m_button = std::make_unique<CHoverButton>(m_prompt, launcher, &m_window);
        m_button->setGeometry(10, 20, 100, 40);
        m_window.show();
        return *m_button;
    }
    CHoverButton& MakeButton() { return MakeButton(m_launcher); }

    // Clicks a driver button whose program is a script with that body, started for real.
    bool ClickProgram(const std::string& name, const std::string& body)
    {
        WriteScript(name, body);
        CProcessLauncher launcher(TestProgramsFolder());
        CHoverButton& button = MakeButton(launcher);
        button.Setup(5, "Drivers", name, "/A", 144);
        return button.Click({50, 40});
    }

    static std::string Folder() { return TestProgramsFolder(); }

    static std::string WriteScript(const std::string& name, const std::string& body)
    {
        const std::filesystem::path path = Folder() + name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path.string();
    }

    static std::string ReadFile(const std::string& name)
    {
        return ReadFileBytes(Folder() + name);
    }

    QWidget m_window;
    QLabel m_picture;
    CScriptedPrompt m_prompt;
    CRecordingLauncher m_launcher;
    std::unique_ptr<CHoverButton> m_button;
};

TEST_F(HoverButtonTest, EdgesAreOutsideAndOnePixelInIsAHit)
{
    CHoverButton& button = MakeButton();
    EXPECT_FALSE(button.HitTest({10, 40}));  // left edge
    EXPECT_TRUE(button.HitTest({11, 40}));
    EXPECT_FALSE(button.HitTest({50, 20}));  // top edge
    EXPECT_TRUE(button.HitTest({50, 21}));
    EXPECT_FALSE(button.HitTest({110, 40}));  // right edge
    EXPECT_TRUE(button.HitTest({109, 40}));
    EXPECT_FALSE(button.HitTest({50, 60}));  // bottom edge
    EXPECT_TRUE(button.HitTest({50, 59}));

    button.hide();
    EXPECT_FALSE(button.HitTest({50, 40}));
    EXPECT_FALSE(button.Click({50, 40}));
}

TEST_F(HoverButtonTest, SetupFitsFacesAndHelpPictureAndMakesButtonSixAnExitButton)
{
    CHoverButton& button = MakeButton();
    button.Setup(6, "", "setup.sh", "/A", 129);
    EXPECT_EQ(button.GetCaption(), "Exit");
    EXPECT_EQ(button.GetProgram(), "");
    EXPECT_EQ(button.GetParams(), "");
    EXPECT_EQ(button.pixmap().size(), QSize(100, 40));
    EXPECT_EQ(button.GetPicture().size(), QSize(405, 325));

    button.Setup(5, "Drivers", "setup.sh", "/A", 144);
    EXPECT_EQ(button.GetCaption(), "Drivers");
    EXPECT_EQ(button.GetProgram(), "setup.sh");
    EXPECT_EQ(button.GetParams(), "/A");

    // A picture area wider but lower than the card cannot take it: no picture, no crash.
    m_picture.resize(1000, 100);
    button.Setup(1, "Com Ports Available", "", "", 135);
    EXPECT_TRUE(button.GetPicture().isNull());
}

TEST_F(HoverButtonTest, PaintShowsTheLitFaceOnlyWhileHovered)
{
    CHoverButton& button = MakeButton();
    button.Setup(2, "Go", "", "", 136);  // a short caption leaves the left of the face bare
    auto leftMiddle = [&] { return button.pixmap().toImage().pixelColor(8, 20).lightness(); };
    button.Paint();
    const int normal = leftMiddle();
    button.m_bHover = true;
    button.Paint();
    const int lit = leftMiddle();
    button.m_bHover = false;
    button.Paint();
    EXPECT_LT(normal, 100);
    EXPECT_GT(lit, 150);
    EXPECT_EQ(leftMiddle(), normal);
}

TEST_F(HoverButtonTest, AClickWithoutProgramStartsNothing)
{
    CHoverButton& button = MakeButton();
    button.Setup(3, "Sat Viz", "", "", 145);
    EXPECT_FALSE(button.Click({5, 5}));
    EXPECT_TRUE(button.Click({50, 40}));
    EXPECT_EQ(m_launcher.m_nStarts, 0);
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(HoverButtonTest, AMissingProgramNamesTheFolderSearched)
{
    CHoverButton& button = MakeButton();
    button.Setup(5, "Drivers", "no-such-installer", "/A", 144);
    EXPECT_TRUE(button.Click({50, 40}));
    EXPECT_EQ(m_launcher.m_nStarts, 0);
    EXPECT_EQ(CHoverButton::StartDir(), Folder());
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Can't Find " + Folder()});
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(HoverButtonTest, TheProgramRunsFromTheStartFolderWithTheWindowHidden)
{
    const std::string path = WriteScript("drivers/setup", "true");
    CHoverButton& button = MakeButton();
    button.Setup(5, "Drivers", "drivers//setup", "/A", 144);
    EXPECT_TRUE(button.Click({50, 40}));
    EXPECT_EQ(m_launcher.m_strPath, path);
    EXPECT_EQ(m_launcher.m_args, std::vector<std::string>{"/A"});
    EXPECT_EQ(m_launcher.m_nWaitMs, 5000);
    EXPECT_FALSE(m_launcher.m_bWindowVisible);
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_TRUE(m_prompt.Shown().empty());
}

TEST_F(HoverButtonTest, ARealProgramGetsTheQuietSwitch)
{
    EXPECT_TRUE(ClickProgram("record-args", "printf '%s|' \"$@\" > \"$(dirname \"$0\")/args\""));
    EXPECT_EQ(ReadFile("args"), "/A|");
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(HoverButtonTest, AProgramInTheCurrentFolderIsNeverRunOnlyTheOneInTheHelperFolder)
{
    // A file of the set-up's name where the program was started from must not run.
    const CTempDir current;
    const std::filesystem::path marker = std::filesystem::path(current.Path()) / "ran";
    const std::filesystem::path planted = std::filesystem::path(current.Path()) / "setup";
    std::ofstream(planted) << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
    std::filesystem::permissions(planted, std::filesystem::perms::owner_all);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(current.Path());

    CProcessLauncher launcher;
    CHoverButton& button = MakeButton(launcher);
    button.Setup(5, "Drivers", "setup", "/A", 144);
    EXPECT_TRUE(button.Click({50, 40}));
    std::filesystem::current_path(previous);

    EXPECT_FALSE(std::filesystem::exists(marker));
    EXPECT_EQ(CHoverButton::StartDir(), HelperProgramsFolder());
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Can't Find " + HelperProgramsFolder()});
}

TEST_F(HoverButtonTest, AProgramOutlivingTheWaitKeepsRunningWhileTheWindowReturns)
{
    // The script becomes the sleeper, so the process id it writes is the one to look for.
    EXPECT_TRUE(ClickProgram("linger",
        "exec >/dev/null 2>&1; echo $$ > \"$(dirname \"$0\")/linger.pid\"; exec sleep 60"));
    EXPECT_TRUE(m_window.isVisible());
    const std::string pid = ReadFile("linger.pid");
    ASSERT_FALSE(pid.empty());
    EXPECT_EQ(kill(std::stoi(pid), 0), 0) << "the program should still run";
    kill(std::stoi(pid), SIGTERM);
}

}  // namespace

int main(int argc, char** argv)
{
    // Test discovery runs this program too, without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (ProgramsDir().Path().empty())
        return 1;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
