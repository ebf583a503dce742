// The receiver choice file and the command line's override of it.
#include "settings/receiver_choice.h"
#include "settings/storage.h"
#include "tests/settings/temp_drives.h"

#include <gtest/gtest.h>

namespace
{

class ReceiverChoiceTest : public ::testing::Test
{
protected:
    void TearDown() override { SetReceiverOverride({}); }

    std::string FilePath() const { return GetSettingsFolder() + "Receiver.INI"; }

    CTempDrives m_drives;
};

TEST_F(ReceiverChoiceTest, SavedChoicesComeBackInTheFilesFormat)
{
    SReceiverChoice choice{EReceiverSource::kSerial, "/dev/ttyACM0", 38400, "", 0};
    choice.Save();
    EXPECT_EQ(CTempDrives::ReadFile(FilePath()),
              "Source = serial\r\nDevice = /dev/ttyACM0\r\nBaud = 38400\r\nHost = \r\nPort = 0\r\n");
    EXPECT_EQ(SReceiverChoice::Load(), choice);

    SReceiverChoice tcp{EReceiverSource::kTcp, "", 0, "localhost", 10110};
    tcp.Save();
    EXPECT_EQ(SReceiverChoice::Load(), tcp);
}

TEST_F(ReceiverChoiceTest, AMissingFileOrOneThatMakesNoSenseIsAutomatic)
{
    EXPECT_EQ(SReceiverChoice::Load(), SReceiverChoice{});
    struct SCase
    {
        const char* pszFile;
        SReceiverChoice expected;
    };
    const SCase cases[] = {
        {"Source = bluetooth\r\nDevice = COM5\r\n", {}},
        {"Source = serial\r\nDevice = \r\nBaud = 9600\r\n", {}},
        {"", {}},
        // A speed no line offers is probed; a port out of range is none.
        {"Source = serial\r\nDevice = COM5\r\nBaud = 12345\r\nHost = \r\nPort = 70000\r\n",
         {EReceiverSource::kSerial, "COM5", 0, "", 0}},
        // Short files take the defaults of the missing lines.
        {"Source = gpsd\r\n", {EReceiverSource::kGpsd, "", 0, "", 0}},
    };
    for (const SCase& test : cases)
    {
        CTempDrives::WriteFile(FilePath(), test.pszFile);
        EXPECT_EQ(SReceiverChoice::Load(), test.expected) << test.pszFile;
    }
}

TEST_F(ReceiverChoiceTest, TheCommandLineOverridesTheFileForOneRunWithoutWritingIt)
{
    SReceiverChoice saved{EReceiverSource::kSerial, "COM5", 9600, "", 0};
    saved.Save();
    std::string strFile = CTempDrives::ReadFile(FilePath());

    SReceiverOverride override;
    ASSERT_TRUE(TakeReceiverOption("--baud", "115200", override));
    SetReceiverOverride(override);
    EXPECT_EQ(ReceiverChoiceForThisRun(), (SReceiverChoice{EReceiverSource::kSerial, "COM5", 115200, "", 0}));

    SetReceiverOverride({"/dev/ttyUSB1", 0, std::nullopt});
    EXPECT_EQ(ReceiverChoiceForThisRun(), (SReceiverChoice{EReceiverSource::kSerial, "/dev/ttyUSB1", 0, "", 0}));
    EXPECT_EQ(CTempDrives::ReadFile(FilePath()), strFile);

    for (const char* pszSpeed : {"1234", "9600x", "-9600", ""})
        EXPECT_FALSE(TakeReceiverOption("--baud", pszSpeed, override)) << pszSpeed;
    EXPECT_FALSE(TakeReceiverOption("--port", "", override));
    EXPECT_FALSE(TakeReceiverOption("--rate", "4800", override));
    EXPECT_EQ(override.m_nBaud, 115200);
}

} // namespace
