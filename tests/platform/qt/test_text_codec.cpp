#include "platform/qt/text_codec.h"

#include <gtest/gtest.h>

TEST(TextCodec, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int n = 1; n < 256; ++n)
        all.push_back(static_cast<char>(n));
    const QString text = ToQString(all);
    ASSERT_EQ(text.size(), 255);
    EXPECT_EQ(FromQString(text), all);
}

TEST(TextCodec, DecodesTheCodePageCharacters)
{
    // Degree sign, guillemets, euro sign, en dash.
    EXPECT_EQ(ToQString("COG 45.50\xB0"), QString::fromUtf8("COG 45.50\u00B0"));
    EXPECT_EQ(ToQString("\xAB" "CR" "\xBB"), QString::fromUtf8("\u00ABCR\u00BB"));
    EXPECT_EQ(ToQString("\x80\x96"), QString::fromUtf8("\u20AC\u2013"));
}

TEST(TextCodec, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(FromQString(QString::fromUtf8("a\u2192b")), "a?b");
}
