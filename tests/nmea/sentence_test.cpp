#include "nmea/sentence.h"

#include <gtest/gtest.h>

namespace {

TEST(SentenceTypeTest, LettersAfterTalkerOrTrimblePrefix)
{
    EXPECT_EQ(SentenceType("$GPGGA,123519,4807.038,N\r\n"), "GGA");
    EXPECT_EQ(SentenceType("$GNGSA,A,3\r\n"), "GSA");
    EXPECT_EQ(SentenceType("$PTNL,GGA,1\r\n"), "GGA");
    EXPECT_EQ(SentenceType("!AIVDM,1,1,,A,13aG\r\n"), "VDM");
    EXPECT_EQ(SentenceType("$PGRME,15.0,M\r\n"), "RME");
}

TEST(SentenceTypeTest, ShortLinesGiveWhatIsThere)
{
    EXPECT_EQ(SentenceType(""), "");
    EXPECT_EQ(SentenceType("$GP"), "");
    EXPECT_EQ(SentenceType("$GPG\n"), "G\n");
    EXPECT_EQ(SentenceType("$PTNL,"), "");
}

TEST(SentenceTypeTest, PackedWithFirstLetterLowest)
{
    EXPECT_EQ(PackSentenceType("GGA"), 0x414747u);
    EXPECT_EQ(PackSentenceType("\xFF"), 0xFFu);
}

TEST(NmeaChecksumTest, CoversStartToAsterisk)
{
    EXPECT_EQ(NmeaChecksum("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47"), 0x47u);
    EXPECT_EQ(NmeaChecksum("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"), 0x47u);
    EXPECT_EQ(NmeaChecksum("!AB"), unsigned('A' ^ 'B'));
    EXPECT_EQ(NmeaChecksum("$*12"), 0u);
    EXPECT_EQ(NmeaChecksum(""), 0u);
}

}  // namespace
