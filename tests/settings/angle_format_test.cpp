#include "settings/angle_format.h"

#include "platform/program_name.h"
#include "settings/config_file.h"
#include "temp_drives.h"

#include "tests/support/comma_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace
{
// Degrees to radians with the same constant the formatter uses, so that the degrees the
// tests name come back unchanged.
double Rad(double degrees)
{
    return degrees / kDegreesPerRadian;
}

// 51 degrees 28.638 minutes.
const double kGreenwichLat = Rad(51.0 + 28.638 / 60.0);

TEST(AngleFormatTest, TextsOfTheDocumentedExamples)
{
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 1, 4), "51\xB0 28'.6380N");
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 0, 2), "51\xB0 28' 38\".28N");
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 2, -1), "51\xB0.477300000N");
    EXPECT_EQ(FormatAngle(6, Rad(-0.123456), 1, -1), "000\xB0 07'.4073600W");
    EXPECT_EQ(FormatAngle(6, Rad(59.996 / 3600.0), 0, 2), "000\xB0 01' 00\".00E");
    EXPECT_EQ(FormatAngle(5, Rad(51.5), 0, 0), "51\xB0 30' 00\"N");
    EXPECT_EQ(FormatAngle(6, kHalfPi, 4, 2), "100g.00E");
    EXPECT_EQ(FormatAngle(4, Rad(30.0), 1, 2), "060\xB0 00'.00");
    EXPECT_EQ(FormatAngle(1, Rad(12.25), 3, 2), "+12\xB0.25");
    EXPECT_EQ(FormatAngle(1, Rad(-12.25), 3, 2), "-12\xB0.25");
    EXPECT_EQ(FormatAngle(5, 0.0, 1, 4), "00\xB0 00'.0000N");
}

TEST(AngleFormatTest, SentinelsAndUnknownKindsOrFormats)
{
    EXPECT_EQ(FormatAngle(5, -1.0, 1, 4), "n/a");
    EXPECT_EQ(FormatAngle(5, kNoAngle, 1, 4), "");
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 6, 4), "");
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, -1, 4), "");
    EXPECT_EQ(FormatAngle(0, kGreenwichLat, 1, 4), "");
    EXPECT_EQ(FormatAngle(10, kGreenwichLat, 1, 4), "");
    // Values no text can hold.
    EXPECT_EQ(FormatAngle(5, std::nan(""), 1, 4), "");
    EXPECT_EQ(FormatAngle(5, INFINITY, 2, 4), "");
    EXPECT_EQ(FormatAngle(1, 1e300, 0, 4), "");
}

TEST(AngleFormatTest, SignsLettersAndDegreeDigitsByKind)
{
    const double v = Rad(-12.5);
    EXPECT_EQ(FormatAngle(1, v, 0, 1), "-012\xB0 30' 00\".0");
    EXPECT_EQ(FormatAngle(1, v, 2, 2), "-012\xB0.50");
    EXPECT_EQ(FormatAngle(1, v, 4, 1), "-013g.9"); // 12.5 degrees are 13.888... gon
    EXPECT_EQ(FormatAngle(2, v, 1, 1), "012\xB0 30'.0");
    EXPECT_EQ(FormatAngle(2, v, 3, 1), "012\xB0.5");
    EXPECT_EQ(FormatAngle(3, v, 1, 1), "-12\xB0 30'.0");
    EXPECT_EQ(FormatAngle(3, v, 4, 0), "-014g");
    EXPECT_EQ(FormatAngle(5, v, 1, 1), "12\xB0 30'.0S");
    EXPECT_EQ(FormatAngle(6, v, 2, 1), "012\xB0.5W");
    EXPECT_EQ(FormatAngle(6, -v, 4, 0), "014gE");
    // Kinds 7 to 9 default to two decimals in every format.
    EXPECT_EQ(FormatAngle(7, v, 1, -1), "012\xB0 30'.00");
    EXPECT_EQ(FormatAngle(8, v, 1, -1), "-12\xB0 30'.00");
    EXPECT_EQ(FormatAngle(9, -v, 2, 33), "+012\xB0.50");
}

TEST(AngleFormatTest, DefaultPrecisions)
{
    EXPECT_EQ(DefaultPrecision(1, 0), 5);
    EXPECT_EQ(DefaultPrecision(6, 1), 7);
    for (int format : {2, 3, 4})
        EXPECT_EQ(DefaultPrecision(5, format), 9);
    EXPECT_EQ(DefaultPrecision(8, 0), 2);
    EXPECT_EQ(DefaultPrecision(0, 1), 0);
    EXPECT_EQ(FormatAngle(6, Rad(-0.123456), 1, 33), FormatAngle(6, Rad(-0.123456), 1, 7));
    EXPECT_EQ(FormatAngle(6, Rad(-0.123456), 1, -5), FormatAngle(6, Rad(-0.123456), 1, 7));
}

TEST(AngleFormatTest, LatitudeAndLongitudeShowTheirHemisphereBySignInFormat3)
{
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 3, 4), "+51\xB0.4773");
    EXPECT_EQ(FormatAngle(5, -kGreenwichLat, 3, 4), "-51\xB0.4773");
    EXPECT_EQ(FormatAngle(6, Rad(-0.5), 3, 4), "-000\xB0.5000");
    EXPECT_EQ(FormatAngle(6, Rad(179.25), 3, 0), "+179\xB0");
}

TEST(AngleFormatTest, SecondsAndMinutesNeverShowSixty)
{
    // Seconds above the carry threshold move into the minutes, and the minutes into the
    // degrees.
    EXPECT_EQ(FormatAngle(2, Rad(10.0 + 59.0 / 60 + 59.999 / 3600), 0, 2), "011\xB0 00' 00\".00");
    EXPECT_EQ(FormatAngle(2, Rad(10.0 + 59.0 / 60 + 59.994 / 3600), 0, 2), "010\xB0 59' 59\".99");
    // Exactly at the rounding point the printed seconds decide, as the minutes do in format 1.
    EXPECT_EQ(FormatAngle(6, Rad(59.95 / 3600), 0, 1), "000\xB0 01' 00\".0E");
    // Minutes of 59.9999 would round to 60.00 with two decimals: the next degree shows.
    EXPECT_EQ(FormatAngle(5, Rad(51.0 + 59.9999 / 60), 1, 2), "52\xB0 00'.00N");
    EXPECT_EQ(FormatAngle(5, Rad(51.0 + 59.9999 / 60), 1, 0), "52\xB0 00'N");
    EXPECT_EQ(FormatAngle(5, Rad(51.0 + 59.9949 / 60), 1, 2), "51\xB0 59'.99N");

    const SDegreesSplit split = SplitDegrees(Rad(-(10.0 + 59.0 / 60 + 59.9999 / 3600)), 2);
    EXPECT_EQ(split.m_nDegrees, 11);
    EXPECT_EQ(split.m_nMinutes, 0);
    EXPECT_EQ(split.m_dSeconds, 0.0);
    EXPECT_EQ(split.m_nSign, -1);
}

TEST(AngleFormatTest, PrecisionIsLimitedOnlyWhereTheCarryNeedsIt)
{
    const std::string dm = FormatAngle(5, kGreenwichLat, 1, 30);
    EXPECT_EQ(dm, FormatAngle(5, kGreenwichLat, 1, 21));
    EXPECT_EQ(dm.size() - dm.find('.') - 2, 21u); // decimals between '.' and the letter
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 0, 32), FormatAngle(5, kGreenwichLat, 0, 21));
    const std::string degrees = FormatAngle(2, kGreenwichLat, 2, 32);
    EXPECT_EQ(degrees.size() - degrees.find('.') - 1, 32u);
}

TEST(AngleFormatTest, UnitMarkMovesOnlyAfterTheFirstNumberWithDecimals)
{
    std::string text = "12.5g";
    MoveUnitMark(text);
    EXPECT_EQ(text, "12g.5");
    for (const std::string unchanged : {"12\xB0 30'N", "1.5 x", "1.5", "n/a", ""})
    {
        text = unchanged;
        MoveUnitMark(text);
        EXPECT_EQ(text, unchanged);
    }
}

TEST(AngleFormatTest, TextsDoNotFollowTheUserLocale)
{
    CScopedCommaLocale locale;
    if (!locale.Available())
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 1, 4), "51\xB0 28'.6380N");
}

class StoredAngleFormatTest : public testing::Test
{
protected:
    void SetUp() override { SetProgramName("zephyrane"); }

    void WriteSettings(const std::string& name, const std::string& bytes)
    {
        CConfigFile file;
        CTempDrives::WriteFile(file.MakeFileName(name), bytes);
    }

    CTempDrives m_drives;
};

TEST_F(StoredAngleFormatTest, MissingFilesGiveFormat1WithSevenDecimals)
{
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 5, -1), FormatAngle(5, kGreenwichLat, 1, 7));
    EXPECT_EQ(FormatAngle(2, kGreenwichLat, 5, 3), FormatAngle(2, kGreenwichLat, 1, 7));
    EXPECT_EQ(ReadStoredAngleFormat(5).m_cLetter, 'N');
    EXPECT_EQ(ReadStoredAngleFormat(6).m_cLetter, 'E');
}

TEST_F(StoredAngleFormatTest, GeographicalsServeLatitudeAndLongitudeAndAngleSettingsTheRest)
{
    WriteSettings("Geographicals Settings", "Format = 2\r\nPrecision = 3\r\nLat = S\r\nLon = W\r\n");
    WriteSettings("Angle Settings", "Format = 0\r\nPrecision = 1\r\n");
    EXPECT_EQ(FormatAngle(5, kGreenwichLat, 5, -1), "51\xB0.477N"); // the letter follows the value
    EXPECT_EQ(FormatAngle(6, kGreenwichLat, 5, -1), "051\xB0.477E");
    EXPECT_EQ(FormatAngle(1, kGreenwichLat, 5, -1), "+051\xB0 28' 38\".3");
    const SStoredAngleFormat lon = ReadStoredAngleFormat(6);
    EXPECT_EQ(lon.m_nFormat, 2);
    EXPECT_EQ(lon.m_nPrecision, 3);
    EXPECT_EQ(lon.m_cLetter, 'W');
    EXPECT_EQ(ReadStoredAngleFormat(5).m_cLetter, 'S');
}

TEST_F(StoredAngleFormatTest, StoredCodeFiveMeansFormat1AndMissingLinesTheReaderDefaults)
{
    WriteSettings("Angle Settings", "Format = 5\r\nPrecision = 2\r\n");
    EXPECT_EQ(FormatAngle(2, kGreenwichLat, 5, -1), FormatAngle(2, kGreenwichLat, 1, 2));
    WriteSettings("Angle Settings", "Format = 3\r\n");
    EXPECT_EQ(FormatAngle(2, kGreenwichLat, 5, -1), "051\xB0"); // precision line missing: 0
    WriteSettings("Geographicals Settings", "Format = 1\r\nPrecision = 2\r\n");
    EXPECT_EQ(ReadStoredAngleFormat(5).m_cLetter, ' ');
}
} // namespace
