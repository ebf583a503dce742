// How long the launcher's pictures take to fit their controls: the six help cards and two
// faces per button are scaled once when the launcher opens.
#include "app/scale_bitmap.h"

#include <benchmark/benchmark.h>

namespace {

SDibImage Gradient(int width, int height)
{
    SDibImage image = SDibImage::Blank(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = image.Pixel(x, y);
            pixel[0] = static_cast<std::uint8_t>(x);
            pixel[1] = static_cast<std::uint8_t>(y);
            pixel[2] = static_cast<std::uint8_t>(x + y);
        }
    }
    return image;
}

void Scale(benchmark::State& state)
{
    const SDibImage source = Gradient(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto width = static_cast<std::uint16_t>(state.range(2));
    const auto height = static_cast<std::uint16_t>(state.range(3));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScaleBitmap(source, width, height));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

}  // namespace

// A help card into the picture area, the banner into its control, a face into a button,
// and a face enlarged to twice its size.
BENCHMARK(Scale)->Args({790, 650, 405, 325})->Args({640, 124, 616, 117})->Args({231, 54, 178, 43})->Args({231, 54, 462, 108});

BENCHMARK_MAIN();
