// Fuzzes the bitmap reader: no crash, no undefined behaviour, no read past
// the bytes given. A decoded picture has its size's worth of pixels, each
// with a zero top byte; bytes after a picture change nothing; and the mask
// runs of a small picture cover it exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bmp_decode.h"
#include "bmp_image.h"
#include "mask_runs.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

int64_t Area(const std::vector<kv::RunRect>& rects) {
    int64_t area = 0;
    for (const kv::RunRect& r : rects)
        area += int64_t{r.right - r.left} * int64_t{r.bottom - r.top};
    return area;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so that a read past them is caught.
    const std::vector<uint8_t> bytes(data, data + size);
    const auto picture = kv::DecodeBmp(bytes.data(), bytes.size());
    if (!picture) return 0;

    const auto layout = kv::ReadBmpLayout(bytes.data(), bytes.size());
    Check(layout.has_value());
    Check(layout->bitsOffset < size && layout->bitsSize <= size - layout->bitsOffset);
    const int64_t pixels = int64_t{picture->width} * picture->height;
    Check(picture->width > 0 && picture->height > 0 && pixels <= kv::kMaxBitmapPixels);
    Check(picture->pixels.size() == static_cast<size_t>(pixels));
    for (uint32_t p : picture->pixels) Check(p >> 24 == 0);

    std::vector<uint8_t> longer(bytes);
    longer.insert(longer.end(), {0, 0, 1, 0, 0xFF});
    const auto again = kv::DecodeBmp(longer.data(), longer.size());
    Check(again.has_value() && again->pixels == picture->pixels);

    if (pixels <= 4096) {
        const kv::PixelRows rows = picture->rows();
        const uint32_t key = picture->pixels[picture->pixels.size() / 2];
        Check(Area(kv::OpaqueBands(rows, key)) + Area(kv::TransparentRuns(rows, key)) == pixels);
    }
    return 0;
}
