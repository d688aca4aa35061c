// The shape of a mask picture as rectangles: the picture's area without the
// pixels of its transparent colour. The rectangles come in the order a
// region's data needs them (bands top to bottom, left to right inside a
// band, no overlaps), so the region can be made in one call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

struct RunRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;   // exclusive
    int32_t bottom = 0;  // exclusive
    bool operator==(const RunRect&) const = default;
};

// A picture as rows of 32-bit pixels, top row first; `stride` counts pixels
// from one row to the next. Only the low 24 bits of a pixel are compared.
struct PixelRows {
    const uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    size_t stride = 0;
};

// The opaque runs of every row; consecutive rows with the same runs are
// merged into one band, as a region keeps them.
std::vector<RunRect> OpaqueBands(const PixelRows& rows, uint32_t transparent);

// Every maximal run of transparent pixels, one rectangle per run and row.
std::vector<RunRect> TransparentRuns(const PixelRows& rows, uint32_t transparent);

// A COLORREF (red in the low byte) as a 32-bit DIB pixel (blue in the low byte).
constexpr uint32_t DibPixelOfColor(uint32_t color) {
    return (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

}  // namespace kv
