#include "tools/nmea-decode/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/tools/nmea-decode/json_check.h"

namespace {

TEST(JsonWriterTest, EveryByteMakesAValidString)
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    std::string out;
    CJsonWriter(out).String(bytes);
    EXPECT_TRUE(CJsonCheck::IsValid(out)) << out;
    for (const char* escaped : {R"(\u0000\u0001)", R"(\t\n\u000b\u000c\r)", R"( !\"#)", R"([\\])", R"(~)" "\x7F" R"(\u0080)", R"(\u00b0)", R"(\u00ff")"})
        EXPECT_NE(out.find(escaped), std::string::npos) << escaped;
}

TEST(JsonWriterTest, CommasBetweenNestedValues)
{
    std::string out;
    CJsonWriter json(out);
    json.BeginObject();
    json.Key("a");
    json.BeginArray();
    json.BeginObject();
    json.Key("x");
    json.Int(1);
    json.EndObject();
    json.BeginObject();
    json.EndObject();
    json.Bool(false);
    json.EndArray();
    json.Key("b");
    json.Null();
    json.EndObject();
    EXPECT_EQ(out, R"({"a":[{"x":1},{},false],"b":null})");
}

TEST(JsonWriterTest, NumbersRoundTripAndNonFiniteIsNull)
{
    std::string out;
    CJsonWriter json(out);
    json.BeginArray();
    json.Double(0.9);
    json.Double(-545.4);
    json.Double(1e300);
    json.Double(std::numeric_limits<double>::quiet_NaN());
    json.Double(-std::numeric_limits<double>::infinity());
    json.Fixed(48.1173, 9);
    json.Fixed(std::numeric_limits<double>::max(), 9);
    json.Fixed(std::numeric_limits<double>::infinity(), 9);
    json.Int(std::numeric_limits<std::int64_t>::min());
    json.EndArray();
    EXPECT_TRUE(out.starts_with("[0.9,-545.4,1e+300,null,null,48.117300000,1797693134862315"));
    EXPECT_TRUE(out.ends_with(".000000000,null,-9223372036854775808]"));
    EXPECT_TRUE(CJsonCheck::IsValid(out));
}

}  // namespace
