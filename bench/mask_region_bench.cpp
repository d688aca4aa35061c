// Times the mask region of a picture made in one call from its opaque runs
// against the region made by subtracting each transparent run in turn.
//   mask_region_bench [WIDTH HEIGHT RUN]   (defaults 1024 768 16)
// Every row holds runs of RUN transparent and RUN opaque pixels, shifted by
// one pixel from the row above, so no two rows share a band.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "mask_region.h"
#include "mask_runs.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

template <typename F>
double Best(int rounds, F&& f) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        f();
        QueryPerformanceCounter(&b);
        if (Seconds(a, b) < best) best = Seconds(a, b);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int width = argc > 3 ? std::atoi(argv[1]) : 1024;
    const int height = argc > 3 ? std::atoi(argv[2]) : 768;
    const int run = argc > 3 ? std::atoi(argv[3]) : 16;
    if (width <= 0 || height <= 0 || run <= 0) return 2;
    constexpr uint32_t kKey = 0xFF00FF;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[size_t(y) * size_t(width) + size_t(x)] =
                ((x + y) / run) % 2 == 0 ? kKey : 0x336699u;
    const kv::PixelRows rows{pixels.data(), width, height, size_t(width)};
    const auto holes = kv::TransparentRuns(rows, kKey);

    kv::win::UniqueRegion fast;
    const double onePass =
        Best(5, [&] { fast = kv::actions::MaskRegionOfBitmap(rows, kv::DibPixelOfColor(kKey)); });
    kv::win::UniqueRegion slow;
    const double perRun = Best(1, [&] {
        slow.reset(CreateRectRgn(0, 0, width, height));
        for (const kv::RunRect& r : kv::TransparentRuns(rows, kKey)) {
            kv::win::UniqueRegion hole(CreateRectRgn(r.left, r.top, r.right, r.bottom));
            CombineRgn(slow.get(), slow.get(), hole.get(), RGN_DIFF);
        }
    });
    const bool equal = EqualRgn(fast.get(), slow.get()) != 0;
    std::printf(
        "mask region %dx%d, %u transparent runs: one pass %.2f ms, run by run %.1f ms, "
        "%.0fx faster, regions %s\n",
        width, height, unsigned(holes.size()), onePass * 1000, perRun * 1000, perRun / onePass,
        equal ? "equal" : "DIFFER");
    return equal ? 0 : 1;
}
