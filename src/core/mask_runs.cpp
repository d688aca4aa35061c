#include "mask_runs.h"

namespace kv {
namespace {

constexpr uint32_t kColorBits = 0xFFFFFF;

// Appends the [left, right) runs of one row whose pixels are (or are not)
// the transparent colour, as pairs.
void RowRuns(const uint32_t* row, int32_t width, uint32_t key, bool opaque,
             std::vector<int32_t>& runs) {
    int32_t x = 0;
    while (x < width) {
        while (x < width && ((row[x] & kColorBits) == key) == opaque) ++x;
        if (x == width) break;
        const int32_t start = x;
        while (x < width && ((row[x] & kColorBits) == key) != opaque) ++x;
        runs.push_back(start);
        runs.push_back(x);
    }
}

void EmitBand(const std::vector<int32_t>& runs, int32_t top, int32_t bottom,
              std::vector<RunRect>& out) {
    for (size_t i = 0; i < runs.size(); i += 2) out.push_back({runs[i], top, runs[i + 1], bottom});
}

}  // namespace

std::vector<RunRect> OpaqueBands(const PixelRows& rows, uint32_t transparent) {
    std::vector<RunRect> out;
    if (rows.pixels == nullptr || rows.width <= 0 || rows.height <= 0) return out;
    const uint32_t key = transparent & kColorBits;
    std::vector<int32_t> band;
    std::vector<int32_t> row;
    int32_t bandTop = 0;
    for (int32_t y = 0; y < rows.height; ++y) {
        row.clear();
        RowRuns(rows.pixels + static_cast<size_t>(y) * rows.stride, rows.width, key, true, row);
        if (y > 0 && row == band) continue;  // the band grows by this row
        EmitBand(band, bandTop, y, out);
        band.swap(row);
        bandTop = y;
    }
    EmitBand(band, bandTop, rows.height, out);
    return out;
}

std::vector<RunRect> TransparentRuns(const PixelRows& rows, uint32_t transparent) {
    std::vector<RunRect> out;
    if (rows.pixels == nullptr || rows.width <= 0 || rows.height <= 0) return out;
    std::vector<int32_t> row;
    for (int32_t y = 0; y < rows.height; ++y) {
        row.clear();
        RowRuns(rows.pixels + static_cast<size_t>(y) * rows.stride, rows.width,
                transparent & kColorBits, false, row);
        EmitBand(row, y, y + 1, out);
    }
    return out;
}

}  // namespace kv
