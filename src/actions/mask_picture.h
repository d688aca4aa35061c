// Mask pictures: Windows bitmaps read from disk or from the publication's
// embedded files, decoded into 32-bit pixel rows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mask_runs.h"
#include "unique_resource.h"

namespace kv::actions {

// The bytes of a picture: the file of that name when one exists on disk,
// else the embedded file the host serves under that name. Empty when
// neither exists (or the picture is too large to be a mask).
std::optional<std::vector<uint8_t>> ReadPictureBytes(const std::string& name);

// A decoded picture, top row first, blue in the low byte of each pixel.
class PicturePixels {
public:
    PixelRows rows() const { return {pixels_, width_, height_, static_cast<size_t>(width_)}; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

private:
    friend std::optional<PicturePixels> DecodeBitmap(const std::vector<uint8_t>& bytes);
    win::UniqueBitmap dib_;
    const uint32_t* pixels_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

// Empty when the bytes are no Windows bitmap the system can draw.
std::optional<PicturePixels> DecodeBitmap(const std::vector<uint8_t>& bytes);

}  // namespace kv::actions
