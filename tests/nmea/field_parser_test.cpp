#include "nmea/field_parser.h"
#include "nmea/sentence.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

CFieldParser Loaded(std::string_view text)
{
    CFieldParser parser;
    parser.Load(text);
    return parser;
}

TEST(FieldParserChecksumTest, UpperCaseDigitsVerifyAndAreRemoved)
{
    CFieldParser parser = Loaded(kGga);
    parser.VerifyChecksum();
    EXPECT_TRUE(parser.ChecksumOk());
    EXPECT_EQ(parser.Text(), "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
}

TEST(FieldParserChecksumTest, MismatchesAndOtherSentencesDoNotVerify)
{
    struct Case { const char* text; const char* rest; };
    const Case cases[] = {
        // Lower-case digits are a mismatch, but the suffix still goes.
        {"$GPVTG,,T,,M,0.0,N,0.0,K*4e\r\n", "$GPVTG,,T,,M,0.0,N,0.0,K"},
        {"$GPVTG,,T,,M,0.0,N,0.0,K*00\n", "$GPVTG,,T,,M,0.0,N,0.0,K"},
        // '!' sentences and sentences without a checksum keep everything but the line end.
        {"!AIVDM,1,1,,B,15M6,0*5C\r\n", "!AIVDM,1,1,,B,15M6,0*5C"},
        {"$GPGLL,4916.45,N\r\n", "$GPGLL,4916.45,N"},
        {"$G\r\nP*\r", "$GP*"},
        {"*", "*"},
    };
    for (const Case& c : cases) {
        CFieldParser parser = Loaded(c.text);
        parser.VerifyChecksum();
        EXPECT_FALSE(parser.ChecksumOk()) << c.text;
        EXPECT_EQ(parser.Text(), c.rest) << c.text;
    }
}

TEST(FieldParserFieldTest, PlainQuotedAndEmptyFields)
{
    CFieldParser parser = Loaded("\"abc\"junk,x");
    EXPECT_EQ(parser.GetField(), "abc");
    EXPECT_EQ(parser.Text(), "x");

    parser.Load(",x");
    EXPECT_EQ(parser.GetField(), "");
    EXPECT_EQ(parser.Text(), "x");

    parser.Load("  a b  ,\"unterminated");
    EXPECT_EQ(parser.GetField(), "a b  ");
    EXPECT_EQ(parser.GetField(), "unterminated");
    EXPECT_EQ(parser.GetField(), "");
    EXPECT_EQ(parser.Text(), "");
}

TEST(FieldParserFieldTest, EscapesStandForCrLfAndDelimiter)
{
    CFieldParser parser = Loaded("a\xAB" "CR>\xBB" "b\xAB" "LF>\xBB" "c\xAB" "COMMA>\xBB" "d,\xAB" "CR\xBB");
    EXPECT_EQ(parser.GetField(), "a\rb\nc,d");
    EXPECT_EQ(parser.GetField(), "\xAB" "CR\xBB");  // without the '>' it is no escape
}

TEST(FieldParserNumberTest, SkipsNonNumericFields)
{
    CFieldParser parser = Loaded("N,12.5,E");
    EXPECT_EQ(parser.GetNumber(), "12.5");
    EXPECT_EQ(parser.Text(), "E");
}

TEST(FieldParserNumberTest, AbsentValuesGiveTheSentinels)
{
    CFieldParser parser = Loaded(",?,");
    EXPECT_EQ(parser.GetInt(), kNmeaAbsentInt);
    EXPECT_EQ(parser.GetInt(), kNmeaAbsentInt);
    EXPECT_EQ(parser.GetInt(), kNmeaAbsentInt);
    EXPECT_EQ(parser.GetInt(), kNmeaAbsentInt);  // past the last field

    parser.Load(",?,");
    EXPECT_EQ(parser.GetDouble(), kNmeaAbsentDouble);
    EXPECT_EQ(parser.GetDouble(), kNmeaAbsentDouble);
    EXPECT_EQ(parser.GetDouble(), kNmeaAbsentDouble);
    EXPECT_EQ(parser.GetDouble(), kNmeaAbsentDouble);
}

TEST(FieldParserNumberTest, ConversionsStopAtTheFirstOtherCharacter)
{
    CFieldParser parser = Loaded("12.7,1e3,-08,+5,1.5e2,2.5e,-.5,.,-");
    EXPECT_EQ(parser.GetInt(), 12);
    EXPECT_EQ(parser.GetInt(), 1);
    EXPECT_EQ(parser.GetInt(), -8);
    EXPECT_EQ(parser.GetInt(), 5);
    EXPECT_DOUBLE_EQ(parser.GetDouble(), 150.0);
    EXPECT_DOUBLE_EQ(parser.GetDouble(), 2.5);
    EXPECT_DOUBLE_EQ(parser.GetDouble(), -0.5);
    EXPECT_DOUBLE_EQ(parser.GetDouble(), 0.0);
    EXPECT_DOUBLE_EQ(parser.GetDouble(), 0.0);
}

// Over-long digit runs must not overflow: integers and doubles saturate.
TEST(FieldParserNumberTest, NumbersThatDoNotFitAreAbsent)
{
    CFieldParser parser = Loaded("99999999999999999999,-99999999999999999999,2147483648,-2147483649,2147483646,"
                                 "1e999,-1e999,1.8e308,1e-999,-1.5e300,"
                                 + std::string(400, '9'));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(parser.GetInt(), kNmeaAbsentInt) << i;
    EXPECT_EQ(parser.GetInt(), 2147483646);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(parser.GetDouble(), kNmeaAbsentDouble) << i;
    EXPECT_EQ(parser.GetDouble(), 0.0);
    EXPECT_EQ(parser.GetDouble(), -1.5e300);
    EXPECT_EQ(parser.GetDouble(), kNmeaAbsentDouble);
}

TEST(FieldParserNumberTest, HighBytesAreNotWhiteSpace)
{
    CFieldParser parser = Loaded("\xA0\xFF" "7,\t 8 ,9");
    EXPECT_EQ(parser.GetInt(), 7);
    EXPECT_EQ(parser.GetInt(), 8);
    EXPECT_EQ(parser.GetInt(), 9);
}

}  // namespace

namespace {

// The tool judges lines without a parser; its verdict must be the parser's.
TEST(FieldParserChecksumTest, LineVerdictIsTheParserVerdict)
{
    for (const char* text : {kGga, "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
                             "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,\r46.9,M,,*4\n7\r\n",
                             "$GPVTG,,T,,M,0.0,N,0.0,K*4e\r\n", "!AIVDM,1*5C\r\n", "$*00", "\r\n", ""}) {
        CFieldParser parser = Loaded(text);
        parser.VerifyChecksum();
        EXPECT_EQ(LineChecksumOk(text), parser.ChecksumOk()) << text;
    }
    EXPECT_TRUE(LineChecksumOk("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,\r46.9,M,,*4\n7\r\n"));
}

}  // namespace
