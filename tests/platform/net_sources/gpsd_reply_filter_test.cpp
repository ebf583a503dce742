// gpsd's JSON reports are taken out of a watcher's stream; the receiver's sentences pass.
#include "platform/gpsd_reply_filter.h"

#include <gtest/gtest.h>

namespace
{

const std::string kVersion =
    "{\"class\":\"VERSION\",\"release\":\"3.22\",\"rev\":\"3.22\",\"proto_major\":3,\"proto_minor\":14}\r\n";
const std::string kDevices = "{\"class\":\"DEVICES\",\"devices\":[{\"class\":\"DEVICE\",\"path\":\"/dev/pts/1\","
                             "\"native\":0,\"bps\":4800},{\"class\":\"DEVICE\",\"path\":\"/dev/ttyUSB0\"}]}\r\n";
const std::string kNoDevices = "{\"class\":\"DEVICES\",\"devices\":[]}\r\n";
const std::string kWatch = "{\"class\":\"WATCH\",\"enable\":true,\"json\":false,\"nmea\":true}\r\n";
const std::string kGga = "$GPGGA,125106,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,*7F\r\n";
const std::string kRmc = "$GPRMC,125106,V,3854.5087,N,07726.4523,W,0.0,0.0,241011,10.5,W,S*28\r\n";
const std::string kGone = "{\"class\":\"DEVICE\",\"path\":\"/dev/pts/1\",\"activated\":0}\r\n";
const std::string kArrived = "{\"class\":\"DEVICE\",\"path\":\"/dev/ttyACM0\",\"activated\":\"2026-12-09T11:16:32.711Z\"}\n";

// The stream fed in pieces of nPiece bytes.
std::string FilterInPieces(CGpsdReplyFilter& filter, const std::string& strStream, size_t nPiece)
{
    std::string strKept;
    for (size_t i = 0; i < strStream.size(); i += nPiece)
    {
        std::string strPiece = strStream.substr(i, nPiece);
        strKept.append(strPiece.data(), filter.Filter(strPiece.data(), strPiece.size()));
    }
    return strKept;
}

TEST(GpsdReplyFilterTest, OnlySentencesPassWhateverTheReadsAre)
{
    const std::string strStream = kVersion + kDevices + kWatch + kGga + kRmc + kGone + kGga + kArrived;
    for (size_t nPiece : {size_t{1}, size_t{2}, size_t{7}, size_t{64}, strStream.size()})
    {
        CGpsdReplyFilter filter;
        EXPECT_EQ(FilterInPieces(filter, strStream, nPiece), kGga + kRmc + kGga) << nPiece;
        EXPECT_TRUE(filter.WatchAnswered());
        EXPECT_TRUE(filter.DevicesKnown());
        EXPECT_EQ(filter.Devices(), (std::set<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0"})) << nPiece;
    }
}

TEST(GpsdReplyFilterTest, DeviceListsErrorsAndOddLines)
{
    struct SCase
    {
        std::string strStream;
        std::string strKept;
        bool bWatch;
        size_t nDevices;
        std::string strError;
    };
    const SCase cases[] = {
        {kVersion + kNoDevices + kWatch, "", true, 0, ""},
        {kVersion, "", false, 0, ""},
        {"{\"class\":\"ERROR\",\"message\":\"Unrecognized request \\\"x\\\"\"}\n", "", false, 0,
         "Unrecognized request \"x\""},
        // A brace inside a sentence is not a report; a line that is not NMEA still passes.
        {"$GPTXT,{x}*00\r\nhello\n", "$GPTXT,{x}*00\r\nhello\n", false, 0, ""},
        // A report cut short by the connection's end leaves nothing behind.
        {kGga + "{\"class\":\"DEV", kGga, false, 0, ""},
    };
    for (const SCase& c : cases)
    {
        CGpsdReplyFilter filter;
        EXPECT_EQ(FilterInPieces(filter, c.strStream, 5), c.strKept) << c.strStream;
        EXPECT_EQ(filter.WatchAnswered(), c.bWatch) << c.strStream;
        EXPECT_EQ(filter.Devices().size(), c.nDevices) << c.strStream;
        EXPECT_EQ(filter.LastGpsdError(), c.strError) << c.strStream;
    }
}

TEST(GpsdReplyFilterTest, StringMembersAreFoundInTurn)
{
    std::string strJson = "{\"a\":\"x\\\\y\",\"path\":\"/dev/1\",\"b\":{\"path\":\"/dev/2\"}}";
    size_t nFrom = 0;
    EXPECT_EQ(JsonStringMember(strJson, "a", nFrom), "x\\y");
    EXPECT_EQ(JsonStringMember(strJson, "path", nFrom), "/dev/1");
    EXPECT_EQ(JsonStringMember(strJson, "path", nFrom), "/dev/2");
    EXPECT_EQ(JsonStringMember(strJson, "path", nFrom), "");
    EXPECT_EQ(nFrom, std::string::npos);
}

} // namespace
