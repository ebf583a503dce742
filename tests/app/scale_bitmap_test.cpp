#include "app/scale_bitmap.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Rgb = std::array<int, 3>;

// Builds an image from rows given top row first, as one reads a picture.
SDibImage FromRows(const std::vector<std::vector<Rgb>>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows.front().size());
    SDibImage image = SDibImage::Blank(width, height);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const Rgb& rgb = rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(x)];
            std::uint8_t* pixel = image.Pixel(x, height - 1 - row);
            pixel[0] = static_cast<std::uint8_t>(rgb[2]);
            pixel[1] = static_cast<std::uint8_t>(rgb[1]);
            pixel[2] = static_cast<std::uint8_t>(rgb[0]);
        }
    }
    return image;
}

Rgb At(const SDibImage& image, int x, int rowFromTop)
{
    const std::uint8_t* pixel = image.Pixel(x, image.nHeight - 1 - rowFromTop);
    return {pixel[2], pixel[1], pixel[0]};
}

SDibImage Uniform(int width, int height, int value)
{
    return FromRows(std::vector<std::vector<Rgb>>(static_cast<std::size_t>(height),
        std::vector<Rgb>(static_cast<std::size_t>(width), Rgb{value, value, value})));
}

TEST(ScaleBitmap, ShrinkingByHalvesAveragesEachBlockExactly)
{
    const SDibImage source = FromRows({
        {{0, 10, 200}, {4, 30, 100}, {255, 1, 7}, {255, 3, 9}},
        {{8, 50, 0}, {12, 70, 100}, {255, 5, 11}, {253, 7, 13}},
    });
    const auto scaled = ScaleBitmap(source, 2, 1);
    ASSERT_TRUE(scaled.has_value());
    ASSERT_EQ(scaled->nWidth, 2);
    ASSERT_EQ(scaled->nHeight, 1);
    EXPECT_EQ(At(*scaled, 0, 0), (Rgb{6, 40, 100}));
    // 1018 / 4 = 254.5 and 24 / 4 = 6 and 40 / 4 = 10: the sum is truncated, not rounded.
    EXPECT_EQ(At(*scaled, 1, 0), (Rgb{254, 4, 10}));
}

TEST(ScaleBitmap, TruncatedThirdsMakeAUniformAreaOneStepDarker)
{
    // Three fractions of 1365/4096 add up to 4095/4096 of the value.
    const auto one = ScaleBitmap(Uniform(3, 1, 255), 1, 1);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(At(*one, 0, 0), (Rgb{254, 254, 254}));

    // Three columns into two: 2730 + 1365 = 4095 again, and the same down the rows.
    const auto two = ScaleBitmap(Uniform(3, 3, 200), 2, 2);
    ASSERT_TRUE(two.has_value());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(At(*two, x, y)[0], 199) << x << "," << y;
        }
    }
}

TEST(ScaleBitmap, RefusesMixedDirectionsEmptySizesAndShortBuffers)
{
    const SDibImage banner = Uniform(640, 124, 90);
    EXPECT_FALSE(ScaleBitmap(banner, 700, 100).has_value());  // wider but lower
    EXPECT_FALSE(ScaleBitmap(banner, 600, 130).has_value());  // narrower but taller
    EXPECT_FALSE(ScaleBitmap(banner, 0, 100).has_value());
    EXPECT_FALSE(ScaleBitmap(banner, 600, 0).has_value());
    EXPECT_FALSE(ScaleBitmap(SDibImage{}, 10, 10).has_value());

    SDibImage truncated = Uniform(5, 4, 1);
    truncated.bytes.resize(truncated.bytes.size() - 1);
    EXPECT_FALSE(ScaleBitmap(truncated, 2, 2).has_value());

    // One dimension may stay equal while the other changes.
    EXPECT_TRUE(ScaleBitmap(banner, 640, 100).has_value());
    EXPECT_TRUE(ScaleBitmap(banner, 700, 124).has_value());
}

TEST(ScaleBitmap, EqualSizesCopyEveryPixelAndKeepTheRowPadding)
{
    // Width 5 makes rows of 15 bytes padded to 16.
    SDibImage source = SDibImage::Blank(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            for (int c = 0; c < 3; ++c) {
                source.Pixel(x, y)[c] = static_cast<std::uint8_t>(17 * x + 61 * y + 83 * c);
            }
        }
    }
    const auto copy = ScaleBitmap(source, 5, 3);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->bytes, source.bytes);
}

TEST(ScaleBitmap, EnlargingSharesOutputPixelsBetweenNeighbours)
{
    // Two pixels into three: the middle one covers half of each.
    const auto wide = ScaleBitmap(FromRows({{{10, 20, 30}, {51, 0, 255}}}), 3, 1);
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(At(*wide, 0, 0), (Rgb{10, 20, 30}));
    EXPECT_EQ(At(*wide, 1, 0), (Rgb{30, 10, 142}));
    EXPECT_EQ(At(*wide, 2, 0), (Rgb{51, 0, 255}));

    // Whole fractions keep a uniform area exact, in both directions at once.
    const auto big = ScaleBitmap(Uniform(1, 2, 77), 4, 6);
    ASSERT_TRUE(big.has_value());
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(At(*big, x, y), (Rgb{77, 77, 77})) << x << "," << y;
        }
    }

    // Rows keep their order: the top row of a two-row image stays on top.
    const auto tall = ScaleBitmap(FromRows({{{255, 0, 0}}, {{0, 0, 255}}}), 1, 4);
    ASSERT_TRUE(tall.has_value());
    EXPECT_EQ(At(*tall, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(*tall, 0, 3), (Rgb{0, 0, 255}));
}

}  // namespace
