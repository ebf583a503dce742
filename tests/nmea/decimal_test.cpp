#include "nmea/decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

namespace {

// Plain decimals take a fast path; it must round exactly as a general conversion does.
TEST(DecimalTest, FastPathRoundsLikeAGeneralConversion)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        const int nDigits = 1 + static_cast<int>(random() % 19);
        for (int d = 0; d < nDigits; ++d)
            text += static_cast<char>('0' + random() % 10);
        text.insert(random() % (text.size() + 1), ".");
        double dExpected = 0;
        std::from_chars(text.data(), text.data() + text.size(), dExpected);
        ASSERT_EQ(ParseDecimalDouble(text), dExpected) << text;
        ASSERT_EQ(ParseDecimalDouble("-" + text), -dExpected) << text;
    }
}

TEST(DecimalTest, LeadingWhiteSpaceAndPrefixes)
{
    EXPECT_EQ(ParseDecimalInt(" \t-12x"), -12);
    EXPECT_EQ(ParseDecimalInt("x12"), 0);
    EXPECT_EQ(ParseDecimalDouble(" 07.5E1,"), 75.0);
    EXPECT_EQ(ParseDecimalDouble("1e+2"), 100.0);
    EXPECT_EQ(ParseDecimalDouble("nan"), 0.0);
    EXPECT_EQ(ParseDecimalDouble("inf"), 0.0);
    EXPECT_EQ(ParseDecimalDouble("0x10"), 0.0);
}

}  // namespace
