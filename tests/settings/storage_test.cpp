#include "settings/storage.h"

#include "platform/append_file.h"
#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/program_name.h"
#include "settings/config_file.h"
#include "temp_drives.h"

#include <gtest/gtest.h>

#include <memory>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

class StorageTest : public testing::Test
{
protected:
    void SetUp() override { SetProgramName("zephyrane"); }

    void WriteOverride(const std::string& bytes) { CTempDrives::WriteFile(m_drives.Root('C') + "MyDrives/LOGS.INI", bytes); }

    CTempDrives m_drives;
};

TEST_F(StorageTest, DrivesAreFixedDisksOnlyAsWritableAbsoluteFolders)
{
    EXPECT_EQ(DriveRoot('C'), m_drives.Root('C'));
    EXPECT_TRUE(IsFixedDisk('c'));
    EXPECT_EQ(DriveRoot('D'), "");
    EXPECT_FALSE(IsFixedDisk('D'));

    m_drives.AddFixedDisk('D');
    EXPECT_EQ(DriveRoot('d'), m_drives.Root('D'));
    EXPECT_TRUE(IsFixedDisk('d'));
    setenv("ZEPHYRANE_DRIVE_D", "relative/drive", 1);
    EXPECT_EQ(DriveRoot('D'), "");
    EXPECT_FALSE(IsFixedDisk('D'));
    CTempDrives::WriteFile(m_drives.Root('C') + "plain-file", "x");
    setenv("ZEPHYRANE_DRIVE_E", (m_drives.Root('C') + "plain-file").c_str(), 1);
    EXPECT_FALSE(IsFixedDisk('E'));
    EXPECT_FALSE(IsFixedDisk('F'));

    unsetenv("ZEPHYRANE_DRIVE_C");
    EXPECT_EQ(DriveRoot('C'), std::string(std::getenv("HOME")) + "/");
}

// A user without an account entry and without $HOME has no drive: no settings or logs
// folder, and nothing written into the folder the program runs in.
TEST_F(StorageTest, WithoutAHomeNothingLandsInTheCurrentFolder)
{
    constexpr uid_t kNoAccount = 4000321;
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can become a user without an account entry";
    if (getpwuid(kNoAccount) != nullptr)
        GTEST_SKIP() << "user id " << kNoAccount << " has an account entry here";
    const CTempDir current;
    ASSERT_FALSE(current.Path().empty());
    fs::permissions(current.Path(), fs::perms::all);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        for (const char* pszName : {"HOME", "ZEPHYRANE_DRIVE_C", "ZEPHYRANE_DRIVE_D", "ZEPHYRANE_DRIVE_E"})
            unsetenv(pszName);
        if (chdir(current.Path().c_str()) != 0 || setgid(kNoAccount) != 0 || setuid(kNoAccount) != 0)
            _exit(100);
        CConfigFile file;
        const int nWrong = (HasDataDrive() ? 1 : 0) + (GetSettingsFolder().empty() ? 0 : 2) +
                           (GetLogFolder(std::string("GPS")).empty() ? 0 : 4) +
                           (file.Open(file.MakeFileName("Logging"), CTextFile::EMode::Write) ? 8 : 0) +
                           (AppendWholeToFile("08Dec2026@103902.LOG", "$GPGGA\r\n") ? 16 : 0);
        _exit(nWrong);
    }
    int nStatus = 0;
    ASSERT_EQ(waitpid(child, &nStatus, 0), child);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0);
    EXPECT_TRUE(fs::is_empty(current.Path()));
}

TEST_F(StorageTest, CreateFolderPathMakesEveryLevelOfAnAbsolutePath)
{
    const std::string base = m_drives.Root('C');
    EXPECT_TRUE(CreateFolderPath(base + "A/B/C"));
    EXPECT_TRUE(fs::is_directory(base + "A/B/C"));
    EXPECT_TRUE(CreateFolderPath(base + "A/B/C/")); // already there

    EXPECT_FALSE(CreateFolderPath("relative/A"));
    EXPECT_FALSE(fs::exists("relative"));
    EXPECT_FALSE(CreateFolderPath(""));
    EXPECT_FALSE(CreateFolderPath("/"));
}

TEST_F(StorageTest, CreateFolderPathFailsWhenTheLastLevelCannotBeMade)
{
    // Existing upper levels do not make a failure look like success.
    const std::string base = m_drives.Root('C');
    CTempDrives::WriteFile(base + "file", "x");
    EXPECT_FALSE(CreateFolderPath(base + "file/below"));
    EXPECT_FALSE(CreateFolderPath(base + "file"));
}

TEST_F(StorageTest, DataFolderPrefersAnExistingOneOnCThenCreatesOnDOrE)
{
    std::string folder;
    fs::create_directories(m_drives.Root('C') + "MySettings");
    m_drives.AddFixedDisk('D');
    EXPECT_TRUE(FindOrCreateDataFolder("MySettings", folder));
    EXPECT_EQ(folder, m_drives.Root('C') + "MySettings/");
    EXPECT_FALSE(fs::exists(m_drives.Root('D') + "MySettings"));

    EXPECT_TRUE(FindOrCreateDataFolder("Other", folder));
    EXPECT_EQ(folder, m_drives.Root('D') + "Other/");
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(StorageTest, DataFolderSkipsDrivesThatAreNoFixedDisks)
{
    std::string folder;
    m_drives.AddMissingDisk('D');
    m_drives.AddFixedDisk('E');
    EXPECT_TRUE(FindOrCreateDataFolder("MySettings", folder));
    EXPECT_EQ(folder, m_drives.Root('E') + "MySettings/");
    EXPECT_TRUE(fs::is_directory(folder));

    m_drives.AddMissingDisk('E');
    EXPECT_TRUE(FindOrCreateDataFolder("Third", folder));
    EXPECT_EQ(folder, m_drives.Root('C') + "Third/");
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(StorageTest, SettingsFolderIsNamedAfterTheProgram)
{
    SetProgramName("\"C:\\Program Files\\Zep\\prog.exe\"");
    EXPECT_EQ(GetSettingsFolder(), m_drives.Root('C') + "MySettings/prog/");
    const std::string ports = GetSettingsFolder("COM_Ports");
    EXPECT_EQ(ports, m_drives.Root('C') + "MySettings/prog/COM_Ports/");
    EXPECT_TRUE(fs::is_directory(ports));

    EXPECT_EQ(ProgramNameFromCommand("/usr/bin/zephyrane"), "zephyrane");
    EXPECT_EQ(ProgramNameFromCommand("./build.d/nmea-decode"), "nmea-decode");
    EXPECT_EQ(ProgramNameFromCommand("tool.sh"), "tool");
}

TEST_F(StorageTest, AnExistingLogsFolderIsFoundBeforeAnythingIsCreated)
{
    m_drives.AddFixedDisk('D');
    m_drives.AddFixedDisk('E');
    fs::create_directories(m_drives.Root('E') + "LOGS");
    EXPECT_EQ(GetLogsRoot(), m_drives.Root('E') + "LOGS/");
    EXPECT_FALSE(fs::exists(m_drives.Root('D') + "LOGS"));

    fs::create_directories(m_drives.Root('C') + "LOGS");
    EXPECT_EQ(GetLogsRoot(), m_drives.Root('C') + "LOGS/");
}

TEST_F(StorageTest, WithoutLogsFolderOneIsCreatedOnTheFirstFixedDisk)
{
    m_drives.AddFixedDisk('D');
    EXPECT_EQ(GetLogsRoot(), m_drives.Root('D') + "LOGS/");
    EXPECT_TRUE(fs::is_directory(m_drives.Root('D') + "LOGS"));
}

TEST_F(StorageTest, TheOverrideFirstLineIsTheLogsRoot)
{
    const std::string target = m_drives.Root('C') + "elsewhere/data";
    WriteOverride("  " + target + " \r\nignored\r\n");
    EXPECT_EQ(GetLogsRoot(), target + "/");
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_FALSE(fs::exists(m_drives.Root('C') + "LOGS"));

    // Read afresh on every call.
    WriteOverride(m_drives.Root('C') + "second/");
    EXPECT_EQ(GetLogsRoot(), m_drives.Root('C') + "second/");
}

TEST_F(StorageTest, UnusableOverridesAreIgnored)
{
    const std::string fallback = m_drives.Root('C') + "LOGS/";
    for (const std::string& bytes : {std::string("\r\n") + m_drives.Root('C') + "data\r\n", std::string("   \t\r\n"),
                                     std::string("F:\\Data"), std::string("relative/logs\n"),
                                     m_drives.Root('C') + "afile/sub\n"})
    {
        CTempDrives::WriteFile(m_drives.Root('C') + "afile", "x");
        WriteOverride(bytes);
        EXPECT_EQ(GetLogsRoot(), fallback) << bytes;
    }
    EXPECT_FALSE(fs::exists("relative"));
    EXPECT_FALSE(fs::exists(m_drives.Root('C') + "data"));
}

TEST_F(StorageTest, LogFoldersFollowTheUtcDate)
{
    // Local 1 January 2027 00:30 is still 31 December 2026 in UTC (one hour ahead).
    CScopedClock clock(std::make_shared<CSettableClock>(SClockTime{2027, 1, 1, 0, 30, 0, 0}, 0, 60));
    const std::string root = m_drives.Root('C') + "LOGS/";
    EXPECT_EQ(GetLogFolder(), root);
    EXPECT_EQ(GetLogFolder(""), root + "2026/December/");
    EXPECT_EQ(GetLogFolder("Run 1", true), root + "2026/Run 1/");
    const std::string named = GetLogFolder("Run 1", false);
    EXPECT_EQ(named, root + "2026/December/Run 1/");
    EXPECT_TRUE(fs::is_directory(named));
}
} // namespace
