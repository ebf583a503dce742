#include "settings/config_file.h"

#include "platform/program_name.h"
#include "temp_drives.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
class ConfigFileTest : public testing::Test
{
protected:
    void SetUp() override { SetProgramName("prog"); }

    std::string SettingsFile(const std::string& fileName) const
    {
        return m_drives.Root('C') + "MySettings/prog/" + fileName;
    }

    // Writes `bytes` as the file "Test" of the settings folder and opens it for reading.
    void OpenWith(const std::string& bytes)
    {
        const std::string path = m_file.MakeFileName("Test");
        CTempDrives::WriteFile(path, bytes);
        ASSERT_TRUE(m_file.Open(path, CTextFile::EMode::Read));
    }

    CTempDrives m_drives;
    CConfigFile m_file;
};

TEST_F(ConfigFileTest, FileNamesReplaceBlanksAndDefaultToIni)
{
    EXPECT_EQ(m_file.MakeFileName("Gps Graph"), SettingsFile("Gps_Graph.INI"));
    EXPECT_EQ(m_file.MakeFileName("Gps Graph", "CFG"), SettingsFile("Gps_Graph.CFG"));
    EXPECT_EQ(m_file.MakeFileName("Angle Settings", ""), SettingsFile("Angle_Settings.INI"));
}

TEST_F(ConfigFileTest, EveryWriterStoresItsExactLineWithCrLf)
{
    ASSERT_TRUE(m_file.Open(m_file.MakeFileName("Logging"), CTextFile::EMode::Write));
    EXPECT_TRUE(m_file.WriteInt("Baud Rate", -4800));
    EXPECT_TRUE(m_file.WriteShort("Time Span", 40000));
    EXPECT_TRUE(m_file.WriteUInt("Mapping", UINT32_MAX));
    EXPECT_TRUE(m_file.WriteBool("Status", 2));
    EXPECT_TRUE(m_file.WriteBool("Use", 1));
    EXPECT_TRUE(m_file.WriteParity('E'));
    EXPECT_TRUE(m_file.WriteText("Log Name", "a,b\r\nc"));
    EXPECT_TRUE(m_file.WriteText("Empty", ""));
    EXPECT_TRUE(m_file.Close());

    EXPECT_EQ(CTempDrives::ReadFile(SettingsFile("Logging.INI")),
              "Baud Rate = -4800\r\n"
              "Time Span = -25536\r\n"
              "Mapping = 4294967295\r\n"
              "Status = 0\r\n"
              "Use = 1\r\n"
              "Parity = E\r\n"
              "Log Name = a\xAB" "COMMA\xBB" "b\xAB" "CR\xBB\xAB" "LF\xBB" "c\r\n"
              "Empty = \r\n");
}

TEST_F(ConfigFileTest, ReadersTakeTheValueAfterTheFirstEqualsSign)
{
    OpenWith("Baudrate = 4800\r\n"
             "Empty =\r\n"
             "no equals sign here\r\n"
             "LF only = 7\n"
             "Twice = 1 = 2\r\n"
             "Short =\r\n"
             "Wrapped = 70000\r\n"
             "Negative = -2\r\n"
             "Letter =   S\r\n"
             "Blank =\r\n"
             "Trailing = 12abc\r\n");
    EXPECT_EQ(m_file.ReadInt(), 4800);
    EXPECT_EQ(m_file.ReadInt(), 0);
    EXPECT_EQ(m_file.ReadInt(), 0); // the line without '=' is consumed
    EXPECT_EQ(m_file.ReadInt(), 7);
    EXPECT_EQ(m_file.ReadInt(), 1);
    EXPECT_EQ(m_file.ReadShort(), 0);
    EXPECT_EQ(m_file.ReadShort(), 70000 - 65536);
    EXPECT_EQ(m_file.ReadShort(), -2);
    EXPECT_EQ(m_file.ReadChar(), 'S');
    EXPECT_EQ(m_file.ReadChar(), ' ');
    EXPECT_EQ(m_file.ReadInt(), 12);
    // End of file: every reader's own default.
    EXPECT_EQ(m_file.ReadShort(), 10);
    EXPECT_EQ(m_file.ReadInt(), 0);
    EXPECT_EQ(m_file.ReadChar(), ' ');
}

TEST_F(ConfigFileTest, TextsComeBackWithoutTheirSurroundingBlanks)
{
    OpenWith("Device = /dev/ttyACM0 \r\n"
             "Host =\r\n"
             "no equals sign\r\n"
             "Name = a = b\r\n");
    EXPECT_EQ(m_file.ReadText(), "/dev/ttyACM0");
    EXPECT_EQ(m_file.ReadText(), "");
    EXPECT_EQ(m_file.ReadText(), "");
    EXPECT_EQ(m_file.ReadText(), "a = b");
    EXPECT_EQ(m_file.ReadText(), "");
}

TEST_F(ConfigFileTest, EmptyAndKeylessLinesGiveDefaultsButEmptyValuesGiveZero)
{
    OpenWith("\r\n"
             "Span 30\r\n"
             "Span =\r\n"
             "Letter\r\n");
    EXPECT_EQ(m_file.ReadShort(), 10);
    EXPECT_EQ(m_file.ReadShort(), 10);
    EXPECT_EQ(m_file.ReadShort(), 0);
    EXPECT_EQ(m_file.ReadChar(), ' ');
}

TEST_F(ConfigFileTest, NumbersBeyondThirtyTwoBitsAreClamped)
{
    OpenWith("Big = 99999999999999999999999\r\n"
             "Small = -99999999999\r\n"
             "Edge = 2147483647\r\n"
             "Edge = -2147483648\r\n"
             "Big short = 99999999999\r\n");
    EXPECT_EQ(m_file.ReadInt(), INT32_MAX);
    EXPECT_EQ(m_file.ReadInt(), INT32_MIN);
    EXPECT_EQ(m_file.ReadInt(), INT32_MAX);
    EXPECT_EQ(m_file.ReadInt(), INT32_MIN);
    EXPECT_EQ(m_file.ReadShort(), -1); // low 16 bits of the clamped 0x7FFFFFFF
}

TEST_F(ConfigFileTest, ValuesComeBackByPositionWhateverTheKeys)
{
    const std::string path = m_file.MakeFileName("Gps Graph");
    ASSERT_TRUE(m_file.Open(path, CTextFile::EMode::Write));
    m_file.WriteShort("Time Span", 30);
    m_file.WriteShort("Y Span", -50);
    ASSERT_TRUE(m_file.Close());

    ASSERT_TRUE(m_file.Open(path, CTextFile::EMode::Read));
    EXPECT_EQ(m_file.ReadShort(), 30);
    EXPECT_EQ(m_file.ReadShort(), -50);
    EXPECT_EQ(m_file.ReadShort(), 10); // missing third line
    m_file.Close();

    // Swapped by hand: the values follow their lines.
    CTempDrives::WriteFile(path, "Y Span = -50\r\nTime Span = 30\r\n");
    ASSERT_TRUE(m_file.Open(path, CTextFile::EMode::Read));
    EXPECT_EQ(m_file.ReadShort(), -50);
    EXPECT_EQ(m_file.ReadShort(), 30);
}

TEST_F(ConfigFileTest, OpenForWriteKeepsBlanksAndAddsIni)
{
    const std::string folder = m_drives.Root('C') + "MySettings/prog/COM_Ports/";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(m_file.OpenForWrite(folder, "COM 05"));
    m_file.WriteInt("Port Number", 5);
    ASSERT_TRUE(m_file.Close());
    EXPECT_EQ(CTempDrives::ReadFile(folder + "COM 05.INI"), "Port Number = 5\r\n");
}

TEST_F(ConfigFileTest, FailedOpensReadAndWriteNothing)
{
    EXPECT_FALSE(m_file.Open(m_drives.Root('C') + "no such folder/x.INI", CTextFile::EMode::Write));
    EXPECT_FALSE(m_file.WriteInt("Port", 1));
    EXPECT_EQ(m_file.ReadShort(), 10);
    EXPECT_FALSE(m_file.Open(m_file.MakeFileName("Missing"), CTextFile::EMode::Read));
    // A folder where the file should be is no file to read.
    std::filesystem::create_directories(m_file.MakeFileName("Folder"));
    EXPECT_FALSE(m_file.Open(m_file.MakeFileName("Folder"), CTextFile::EMode::Read));
}

TEST_F(ConfigFileTest, AnOpenWriterRefusesOtherOpenersAndLeavesTheFileIntact)
{
    const std::string path = m_file.MakeFileName("Shared");
    CTempDrives::WriteFile(path, "Old = 1\r\n");

    CConfigFile reader;
    ASSERT_TRUE(reader.Open(path, CTextFile::EMode::Read));
    CConfigFile secondReader;
    EXPECT_TRUE(secondReader.Open(path, CTextFile::EMode::Read));
    EXPECT_FALSE(m_file.Open(path, CTextFile::EMode::Write));
    EXPECT_EQ(reader.ReadInt(), 1); // the refused writer did not empty it
    reader.Close();
    secondReader.Close();

    ASSERT_TRUE(m_file.Open(path, CTextFile::EMode::Write));
    CConfigFile other;
    EXPECT_FALSE(other.Open(path, CTextFile::EMode::Write));
    EXPECT_FALSE(other.Open(path, CTextFile::EMode::Read));
    m_file.WriteInt("New", 2);
    ASSERT_TRUE(m_file.Close());
    EXPECT_EQ(CTempDrives::ReadFile(path), "New = 2\r\n");
}
} // namespace
