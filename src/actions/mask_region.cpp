#include "mask_region.h"

#include <cstring>

namespace kv::actions {

win::UniqueRegion RegionOfRects(const std::vector<RunRect>& rects) {
    if (rects.empty()) return win::UniqueRegion(::CreateRectRgn(0, 0, 0, 0));
    static_assert(sizeof(RECT) == sizeof(RunRect));
    const size_t rectBytes = rects.size() * sizeof(RECT);
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rectBytes);
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->nRgnSize = static_cast<DWORD>(rectBytes);
    RECT bounds{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
    for (const RunRect& r : rects) {
        if (r.left < bounds.left) bounds.left = r.left;
        if (r.right > bounds.right) bounds.right = r.right;
        if (r.bottom > bounds.bottom) bounds.bottom = r.bottom;
    }
    header->rcBound = bounds;
    std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects.data(), rectBytes);
    return win::UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                               reinterpret_cast<const RGNDATA*>(data.data())));
}

win::UniqueRegion MaskRegionOfBitmap(const PixelRows& rows, uint32_t transparent) {
    if (transparent > 0xFFFFFFu)
        return win::UniqueRegion(::CreateRectRgn(0, 0, rows.width, rows.height));
    return RegionOfRects(OpaqueBands(rows, DibPixelOfColor(transparent)));
}

}  // namespace kv::actions
