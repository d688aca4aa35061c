// Windows bitmap files, checked before a pixel is decoded: every size,
// offset and table in the file must lie inside the bytes read and agree
// with each other, so a damaged or hostile file is refused here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kv {

// Pictures larger than this many pixels are refused.
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 25;

inline constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;  // always positive
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = kBiRgb;  // kBiRgb, kBiRle8, kBiRle4 or kBiBitfields
    // Red, green and blue masks of a 16- or 32-bit pixel (the 5-5-5 and
    // 8-8-8 defaults when the file gives none).
    std::array<uint32_t, 3> masks{};
    // The colour table of a picture of up to 8 bits per pixel, each entry as
    // a pixel (blue in the low byte).
    std::vector<uint32_t> colors;
    size_t bitsOffset = 0;  // the pixel data within the file's bytes
    size_t bitsSize = 0;    // uncompressed: exactly the rows; coded: the data
};

// Reads the layout of a .bmp file: uncompressed 1, 4, 8, 16, 24 or 32 bits
// per pixel, run-length coded 4 and 8 bits, colour masks for 16 and 32
// bits; the OS/2 1.x header and every Windows header (40, 52, 56, 108 and
// 124 bytes). Empty for anything else, and for any file whose parts do not
// fit together.
std::optional<BmpLayout> ReadBmpLayout(const uint8_t* data, size_t size);

}  // namespace kv
