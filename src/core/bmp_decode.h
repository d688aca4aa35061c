// Windows bitmap files decoded into 32-bit pixel rows by our own reader,
// which refuses any file that is damaged or questionable rather than guess
// what it meant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "mask_runs.h"

namespace kv {

// A decoded picture: width * height pixels, top row first, blue in the low
// byte, the top byte 0.
struct BmpPixels {
    std::vector<uint32_t> pixels;
    int32_t width = 0;
    int32_t height = 0;
    PixelRows rows() const { return {pixels.data(), width, height, static_cast<size_t>(width)}; }
};

// Every format ReadBmpLayout knows. Empty when the layout is refused, a
// colour index lies beyond the colour table, or run-length data is damaged:
// cut short before its end-of-bitmap code, a run or delta that leaves its
// row or the picture, an unknown code.
std::optional<BmpPixels> DecodeBmp(const uint8_t* data, size_t size);

}  // namespace kv
