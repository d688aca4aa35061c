// Windows bitmap files, checked before the system sees them: every size,
// offset and table in the file must lie inside the bytes read, so a damaged
// or hostile file is refused here instead of being decoded past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kv {

// Pictures larger than this many pixels are refused.
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 25;

struct DibImage {
    // A 40-byte BITMAPINFOHEADER followed by the colour masks or the colour
    // table the pixel format needs, ready to hand to the system.
    std::vector<uint8_t> info;
    size_t bitsOffset = 0;  // the pixel data within the file's bytes
    size_t bitsSize = 0;
    int32_t width = 0;
    int32_t height = 0;  // always positive; the header keeps the row order
};

// Reads the layout of a .bmp file (uncompressed 1, 4, 8, 16, 24 or 32 bits
// per pixel, run-length coded 4 and 8 bits, colour masks; OS/2 1.x and every
// Windows header version). Empty for anything else.
std::optional<DibImage> ReadBmpLayout(const uint8_t* data, size_t size);

}  // namespace kv
