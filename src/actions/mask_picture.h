// Mask pictures: Windows bitmaps read from disk or from the publication's
// embedded files, decoded into 32-bit pixel rows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bmp_decode.h"
#include "mask_runs.h"

namespace kv::actions {

// The bytes of a picture: the file of that name when one exists on disk,
// else the embedded file the host serves under that name. Empty when
// neither exists (or the picture is too large to be a mask).
std::optional<std::vector<uint8_t>> ReadPictureBytes(const std::string& name);

// A picture decoded by our own reader, top row first, blue in the low byte
// of each pixel.
class PicturePixels {
public:
    PixelRows rows() const { return picture_.rows(); }
    int32_t width() const { return picture_.width; }
    int32_t height() const { return picture_.height; }

private:
    friend std::optional<PicturePixels> DecodeBitmap(const std::vector<uint8_t>& bytes);
    BmpPixels picture_;
};

// Empty when the bytes are no Windows bitmap, a damaged or questionable one
// (see DecodeBmp), or one too large for the memory left: the system's
// decoder never sees the file.
std::optional<PicturePixels> DecodeBitmap(const std::vector<uint8_t>& bytes);

}  // namespace kv::actions
