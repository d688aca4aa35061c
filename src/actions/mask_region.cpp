#include "mask_region.h"

#include <cstring>

namespace kv::actions {

namespace {

// Rectangles handed to the system in one call. Some systems add them one
// at a time, each addition copying the region so far, so the calls stay
// small and their regions are merged pairwise, like a merge sort: every
// rectangle is copied about log(count / kChunk) times.
constexpr size_t kChunk = 32;

win::UniqueRegion RegionOfChunk(const RunRect* rects, size_t count) {
    static_assert(sizeof(RECT) == sizeof(RunRect));
    const size_t rectBytes = count * sizeof(RECT);
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rectBytes);
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->nRgnSize = static_cast<DWORD>(rectBytes);
    RECT bounds{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
    for (size_t i = 0; i < count; ++i) {
        if (rects[i].left < bounds.left) bounds.left = rects[i].left;
        if (rects[i].right > bounds.right) bounds.right = rects[i].right;
        if (rects[i].bottom > bounds.bottom) bounds.bottom = rects[i].bottom;
    }
    header->rcBound = bounds;
    std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects, rectBytes);
    return win::UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                               reinterpret_cast<const RGNDATA*>(data.data())));
}

// `into` becomes the union of both; false when the system fails.
bool Merge(win::UniqueRegion& into, const win::UniqueRegion& other) {
    return ::CombineRgn(into.get(), into.get(), other.get(), RGN_OR) != ERROR;
}

}  // namespace

win::UniqueRegion RegionOfRects(const std::vector<RunRect>& rects) {
    if (rects.empty()) return win::UniqueRegion(::CreateRectRgn(0, 0, 0, 0));
    // Pending regions, each made of 2^level chunks; equal levels merge.
    struct Pending {
        win::UniqueRegion region;
        int level = 0;
    };
    std::vector<Pending> pending;
    for (size_t at = 0; at < rects.size(); at += kChunk) {
        const size_t count = rects.size() - at < kChunk ? rects.size() - at : kChunk;
        Pending next{RegionOfChunk(rects.data() + at, count), 0};
        if (!next.region) return {};
        while (!pending.empty() && pending.back().level == next.level) {
            if (!Merge(pending.back().region, next.region)) return {};
            next.region = std::move(pending.back().region);
            ++next.level;
            pending.pop_back();
        }
        pending.push_back(std::move(next));
    }
    win::UniqueRegion result = std::move(pending.back().region);
    for (size_t i = pending.size() - 1; i-- > 0;) {
        if (!Merge(pending[i].region, result)) return {};
        result = std::move(pending[i].region);
    }
    return result;
}

win::UniqueRegion MaskRegionOfBitmap(const PixelRows& rows, uint32_t transparent) {
    if (transparent > 0xFFFFFFu)
        return win::UniqueRegion(::CreateRectRgn(0, 0, rows.width, rows.height));
    return RegionOfRects(OpaqueBands(rows, DibPixelOfColor(transparent)));
}

}  // namespace kv::actions
