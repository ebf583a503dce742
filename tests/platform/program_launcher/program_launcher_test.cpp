#include "platform/program_launcher.h"
#include "platform/installation.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using EOutcome = IProgramLauncher::EOutcome;

class ProgramLauncherTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_temp.Path().empty()); }

    std::string Script(const std::string& name, const std::string& body, bool bExecutable = true)
    {
        const std::string path = (m_dir / name).string();
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        if (bExecutable)
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }

    std::string Read(const std::string& name)
    {
        return ReadFileBytes(m_dir / name);
    }

    CTempDir m_temp;
    std::filesystem::path m_dir = m_temp.Path();
    CProcessLauncher m_launcher;
};

TEST_F(ProgramLauncherTest, PassesTheArgumentsAndWaitsForTheEnd)
{
    const std::string path = Script("record", "printf '%s|' \"$@\" > \"$(dirname \"$0\")/args\"");
    EXPECT_EQ(m_launcher.StartAndWait(path, {"/A", "two words"}, 5000), EOutcome::kEnded);
    EXPECT_EQ(Read("args"), "/A|two words|");
}

TEST_F(ProgramLauncherTest, AMissingOrNonExecutableProgramIsNotStarted)
{
    EXPECT_EQ(m_launcher.StartAndWait((m_dir / "absent").string(), {}, 100), EOutcome::kNotStarted);
    EXPECT_EQ(m_launcher.StartAndWait(Script("plain", "true", false), {}, 100), EOutcome::kNotStarted);
}

TEST_F(ProgramLauncherTest, AProgramOutlivingTheWaitKeepsRunning)
{
    // The script replaces itself by sleep, so the process id it records is the sleeper's.
    const std::string path = Script("linger", "echo $$ > \"$(dirname \"$0\")/pid\"; exec sleep 30");
    EXPECT_EQ(m_launcher.StartAndWait(path, {}, 200), EOutcome::kStillRunning);
    std::string pid = Read("pid");
    for (int i = 0; pid.empty() && i < 500; ++i) {
        std::system("sleep 0.01");
        pid = Read("pid");
    }
    ASSERT_FALSE(pid.empty());
    EXPECT_EQ(kill(std::stoi(pid), 0), 0) << "the program ended with the wait";
    kill(std::stoi(pid), SIGTERM);
}

TEST(HelperProgramsFolder, LiesInTheInstalledLayoutBesideTheExecutablesFolderWhateverTheCurrentFolder)
{
    EXPECT_EQ(HelperProgramsFolderOf("/usr/bin/zephyrane"), "/usr/libexec/zephyrane/");
    EXPECT_EQ(HelperProgramsFolderOf("/opt/zep/bin/nmea-decode"), "/opt/zep/libexec/zephyrane/");
    EXPECT_EQ(HelperProgramsFolderOf(""), "");

    // The running test's own, read from the process, not from the current folder.
    const std::string folder = HelperProgramsFolder();
    EXPECT_EQ(folder, ZEP_BINARY_DIR "/tests/platform/libexec/zephyrane/");
    const CTempDir elsewhere;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    EXPECT_EQ(HelperProgramsFolder(), folder);
    EXPECT_EQ(CProcessLauncher().ProgramsFolder(), folder);
    std::filesystem::current_path(previous);
}

}  // namespace
