// Window regions made from mask pictures.
#pragma once

#include <windows.h>

#include <vector>

#include "mask_runs.h"
#include "unique_resource.h"

namespace kv::actions {

// One region from rectangles given in region order, built in one pass over
// them. An empty list gives an empty region; empty when the system fails.
win::UniqueRegion RegionOfRects(const std::vector<RunRect>& rects);

// The picture's area without the pixels of the transparent colour
// (0x00BBGGRR). A colour outside the RGB range matches no pixel.
win::UniqueRegion MaskRegionOfBitmap(const PixelRows& rows, uint32_t transparent);

}  // namespace kv::actions
