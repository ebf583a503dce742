#include "tools/nmea-decode/line_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/nmea-decode/json_check.h"

namespace {

std::string DecodeAll(const std::vector<std::string>& lines, CLineDecoder::SOptions options = {})
{
    CLineDecoder decoder(options);
    std::string out;
    for (const std::string& line : lines)
        decoder.Decode(line, out);
    if (options.m_bSummary)
        decoder.WriteSummary(out);
    return out;
}

TEST(LineDecoderTest, GgaValues)
{
    EXPECT_EQ(DecodeAll({"$GPGGA,123519,4807.038,N,01131.000,W,1,08,0.9,545.4,M,46.9,M,,*47\r\n",
                         "$GNGGA,,,,,,0,,,,,,,,*78\r\n"}),
              R"({"n":1,"type":"GGA","checksum_ok":false,"decoded":true,"lat":48.117300000,"lon":-11.516666667,)"
              R"("height":545.4,"separation":46.9,"fix":2,"sats":8,"hdop":0.9})" "\n"
              R"({"n":2,"type":"GGA","checksum_ok":true,"decoded":true,"lat":0.000000000,"lon":0.000000000,)"
              R"("height":0,"separation":0,"fix":0,"sats":null,"hdop":0})" "\n");
}

// The table spans lines: a GSA marks what the GSV group listed, the next group shows it.
TEST(LineDecoderTest, SatelliteTableSpansLines)
{
    const std::string out = DecodeAll({
        "$GPGSV,2,1,05,12,40,100,30,04,50,200,40,09,10,300,,31,80,050,45\r\n",
        "$GPGSV,2,2,05,05,20,010,20\r\n",
        "$GPGSA,A,3,31,04,12,,,,,,,,,,2.0,1.0,1.7\r\n",
        "$GPGSV,1,1,02,12,41,101,31,31,79,051,44\r\n",
    });
    EXPECT_NE(out.find(R"("n":2,"type":"GSV","checksum_ok":false,"decoded":true,"in_view":5,"last":true,"table":[)"
                       R"({"prn":12,"elevation":40,"azimuth":100,"snr":30,"used":false},)"
                       R"({"prn":4,"elevation":50,"azimuth":200,"snr":40,"used":false},)"
                       R"({"prn":9,"elevation":10,"azimuth":300,"snr":0,"used":false},)"
                       R"({"prn":31,"elevation":80,"azimuth":50,"snr":45,"used":false},)"
                       R"({"prn":5,"elevation":20,"azimuth":10,"snr":20,"used":false}]})"),
              std::string::npos) << out;
    EXPECT_NE(out.find(R"("fix":2,"sats_used":3,"pdop":2,"hdop":1,"vdop":1.7,"used_prns":[4,12,31]})"), std::string::npos) << out;
    // A smaller group empties the slots it lists no satellite for; slots beyond keep their
    // PRN with the position cleared; used flags stay with the slots until the next GSA.
    EXPECT_NE(out.find(R"("n":4,"type":"GSV","checksum_ok":false,"decoded":true,"in_view":2,"last":true,"table":[)"
                       R"({"prn":12,"elevation":41,"azimuth":101,"snr":31,"used":true},)"
                       R"({"prn":31,"elevation":79,"azimuth":51,"snr":44,"used":true},)"
                       R"({"prn":5,"elevation":0,"azimuth":0,"snr":0,"used":false}]})"),
              std::string::npos) << out;
}

TEST(LineDecoderTest, CourseIsNullUntilOneIsRead)
{
    EXPECT_EQ(DecodeAll({"$GPVTG,,T,,M,,N,,K\r\n", "$GPVTG,12.5,T,,M,0.4,N,0.7,K\r\n", "$GPVTG,,T,,M,1,N,,K\r\n"}),
              R"({"n":1,"type":"VTG","checksum_ok":false,"decoded":true,"course":null,"speed":-1})" "\n"
              R"({"n":2,"type":"VTG","checksum_ok":false,"decoded":true,"course":12.5,"speed":0.4})" "\n"
              R"({"n":3,"type":"VTG","checksum_ok":false,"decoded":true,"course":12.5,"speed":1})" "\n");
}

TEST(LineDecoderTest, RawLineAndUndecodedTypes)
{
    const std::string out = DecodeAll({"$GPRMC,\"\\\x01\xB0\r\n", "\n"}, {.m_bRaw = true});
    EXPECT_EQ(out,
              R"({"n":1,"type":"RMC","checksum_ok":false,"decoded":false,"line":"$GPRMC,\"\\\u0001\u00b0\r\n"})" "\n"
              R"({"n":2,"type":"","checksum_ok":false,"decoded":false,"line":"\n"})" "\n");
}

TEST(LineDecoderTest, SummaryCountsPerType)
{
    const std::string out = DecodeAll({"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n",
                                       "$GNGGA,1\r\n", "!GPGGA,1\r\n", "$GPTXT,01*00\r\n"},
                                      {.m_bSummary = true});
    EXPECT_EQ(out, R"({"lines":{"GGA":3,"TXT":1},"decoded":{"GGA":2,"TXT":0},"checksum_failures":3})" "\n");
}

}  // namespace
