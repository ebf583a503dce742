#pragma once
// Area-averaging scaling of 24-bit images, used to fit the launcher's pictures (button faces,
// help cards, banner) to the size of the controls that show them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A 24-bit device-independent image: rows from the bottom of the picture up, each pixel as
// blue, green, red, each row padded with zero bytes to a multiple of four bytes.
struct SDibImage {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint8_t> bytes;

    static SDibImage Blank(int width, int height);
    static int RowStride(int width) { return (width * 3 + 3) / 4 * 4; }
    // The pixel in column x of row y, counted from the bottom row.
    std::uint8_t* Pixel(int x, int yFromBottom) { return bytes.data() + Offset(x, yFromBottom); }
    const std::uint8_t* Pixel(int x, int yFromBottom) const { return bytes.data() + Offset(x, yFromBottom); }
    // True when the sizes are positive and the buffer holds every row.
    bool IsValid() const;

private:
    std::size_t Offset(int x, int yFromBottom) const
    {
        return static_cast<std::size_t>(yFromBottom) * static_cast<std::size_t>(RowStride(nWidth)) +
               static_cast<std::size_t>(x) * 3;
    }
};

// Scales the image to width by height pixels; each output pixel is the average of the source
// area it covers, per channel, with fractions in 1/4096 and the sum truncated (so a uniform
// area may come out one step darker). Returns nothing when one dimension grows while the
// other shrinks, when a size is zero or when the source is not a valid image.
std::optional<SDibImage> ScaleBitmap(const SDibImage& source, std::uint16_t width, std::uint16_t height);
