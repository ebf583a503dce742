#include "app/scale_bitmap.h"

#include <algorithm>

namespace {

constexpr std::uint64_t kOne = 4096;  // a whole pixel, as a fraction
constexpr int kShift = 24;            // two fractions multiplied: 4096 * 4096 = 1 << 24

// For one pixel of the finer grid along an axis: the pixel of the coarser grid it starts in,
// and the fractions of its overlap with that pixel and with the next one.
struct SAxisStep {
    int nCoarse = 0;
    std::uint64_t nCurrent = 0;
    std::uint64_t nNext = 0;
};

// One step per pixel of the finer grid (fine cells over the same length as coarse cells).
// A fraction is the overlap length divided by the output pixel's length; with both grids
// spanning fine * coarse units, that is the overlap in those units times 4096 over the
// source length, truncated.
std::vector<SAxisStep> AxisSteps(int fine, int coarse, int source)
{
    std::vector<SAxisStep> steps(static_cast<std::size_t>(fine));
    const std::int64_t nFine = fine;
    const std::int64_t nCoarse = coarse;
    for (std::int64_t i = 0; i < nFine; ++i) {
        const std::int64_t start = i * nCoarse;
        const std::int64_t end = (i + 1) * nCoarse;
        const std::int64_t k = start / nFine;
        const std::int64_t split = std::min(end, (k + 1) * nFine);
        SAxisStep& step = steps[static_cast<std::size_t>(i)];
        step.nCoarse = static_cast<int>(k);
        step.nCurrent = static_cast<std::uint64_t>((split - start) * static_cast<std::int64_t>(kOne) / source);
        step.nNext = static_cast<std::uint64_t>((end - split) * static_cast<std::int64_t>(kOne) / source);
    }
    return steps;
}

// Every source pixel adds its weighted value to the one to four output pixels it overlaps.
SDibImage Shrink(const SDibImage& source, int width, int height)
{
    const std::vector<SAxisStep> columns = AxisSteps(source.nWidth, width, source.nWidth);
    const std::vector<SAxisStep> rows = AxisSteps(source.nHeight, height, source.nHeight);
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(width) * height * 3, 0);
    auto addTo = [&](int x, int y, const std::uint8_t* pixel, std::uint64_t weight) {
        std::uint64_t* sum = sums.data() + (static_cast<std::size_t>(y) * width + x) * 3;
        for (int c = 0; c < 3; ++c) {
            sum[c] += pixel[c] * weight;
        }
    };
    for (int y = 0; y < source.nHeight; ++y) {
        const SAxisStep& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < source.nWidth; ++x) {
            const SAxisStep& column = columns[static_cast<std::size_t>(x)];
            const std::uint8_t* pixel = source.Pixel(x, y);
            addTo(column.nCoarse, row.nCoarse, pixel, column.nCurrent * row.nCurrent);
            if (column.nNext != 0) {
                addTo(column.nCoarse + 1, row.nCoarse, pixel, column.nNext * row.nCurrent);
            }
            if (row.nNext != 0) {
                addTo(column.nCoarse, row.nCoarse + 1, pixel, column.nCurrent * row.nNext);
                if (column.nNext != 0) {
                    addTo(column.nCoarse + 1, row.nCoarse + 1, pixel, column.nNext * row.nNext);
                }
            }
        }
    }
    SDibImage result = SDibImage::Blank(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint64_t* sum = sums.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            std::uint8_t* out = result.Pixel(x, y);
            for (int c = 0; c < 3; ++c) {
                out[c] = static_cast<std::uint8_t>(sum[c] >> kShift);
            }
        }
    }
    return result;
}

// Every output pixel sums the at most two by two source pixels it overlaps.
SDibImage Enlarge(const SDibImage& source, int width, int height)
{
    const std::vector<SAxisStep> columns = AxisSteps(width, source.nWidth, source.nWidth);
    const std::vector<SAxisStep> rows = AxisSteps(height, source.nHeight, source.nHeight);
    SDibImage result = SDibImage::Blank(width, height);
    for (int y = 0; y < height; ++y) {
        const SAxisStep& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x) {
            const SAxisStep& column = columns[static_cast<std::size_t>(x)];
            std::uint64_t sum[3] = {0, 0, 0};
            auto add = [&](int sx, int sy, std::uint64_t weight) {
                const std::uint8_t* pixel = source.Pixel(sx, sy);
                for (int c = 0; c < 3; ++c) {
                    sum[c] += pixel[c] * weight;
                }
            };
            add(column.nCoarse, row.nCoarse, column.nCurrent * row.nCurrent);
            if (column.nNext != 0) {
                add(column.nCoarse + 1, row.nCoarse, column.nNext * row.nCurrent);
            }
            if (row.nNext != 0) {
                add(column.nCoarse, row.nCoarse + 1, column.nCurrent * row.nNext);
                if (column.nNext != 0) {
                    add(column.nCoarse + 1, row.nCoarse + 1, column.nNext * row.nNext);
                }
            }
            std::uint8_t* out = result.Pixel(x, y);
            for (int c = 0; c < 3; ++c) {
                out[c] = static_cast<std::uint8_t>(sum[c] >> kShift);
            }
        }
    }
    return result;
}

}  // namespace

SDibImage SDibImage::Blank(int width, int height)
{
    SDibImage image;
    image.nWidth = width;
    image.nHeight = height;
    image.bytes.assign(static_cast<std::size_t>(RowStride(width)) * static_cast<std::size_t>(height), 0);
    return image;
}

bool SDibImage::IsValid() const
{
    return nWidth > 0 && nHeight > 0 &&
           bytes.size() >= static_cast<std::size_t>(RowStride(nWidth)) * static_cast<std::size_t>(nHeight);
}

std::optional<SDibImage> ScaleBitmap(const SDibImage& source, std::uint16_t width, std::uint16_t height)
{
    if (!source.IsValid() || width == 0 || height == 0) {
        return std::nullopt;
    }
    const bool narrower = width < source.nWidth;
    const bool wider = width > source.nWidth;
    const bool lower = height < source.nHeight;
    const bool taller = height > source.nHeight;
    if ((narrower && taller) || (wider && lower)) {
        return std::nullopt;
    }
    if (wider || taller) {
        return Enlarge(source, width, height);
    }
    return Shrink(source, width, height);
}
