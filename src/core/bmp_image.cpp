#include "bmp_image.h"

#include <cstring>

namespace kv {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> 8 * i);
}

struct Header {
    int32_t width = 0;
    int32_t height = 0;  // negative: rows top-down
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
};

bool FormatIsKnown(const Header& h) {
    switch (h.compression) {
    case kBiRgb:
        return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
               h.bitCount == 24 || h.bitCount == 32;
    case kBiRle8:
        return h.bitCount == 8 && h.height > 0;  // coded pictures are stored bottom-up
    case kBiRle4:
        return h.bitCount == 4 && h.height > 0;
    case kBiBitfields:
        return h.bitCount == 16 || h.bitCount == 32;
    default:
        return false;
    }
}

}  // namespace

std::optional<DibImage> ReadBmpLayout(const uint8_t* data, size_t size) {
    if (data == nullptr || size < kFileHeaderSize + kCoreHeaderSize) return std::nullopt;
    if (data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const size_t dataOffset = U32(data + 10);
    const uint8_t* info = data + kFileHeaderSize;
    const size_t infoSize = U32(info);
    if (infoSize < kCoreHeaderSize || infoSize > size - kFileHeaderSize) return std::nullopt;
    const bool core = infoSize == kCoreHeaderSize;
    if (!core && infoSize < kInfoHeaderSize) return std::nullopt;

    Header h;
    if (core) {
        h.width = U16(info + 4);
        h.height = U16(info + 6);
        h.planes = U16(info + 8);
        h.bitCount = U16(info + 10);
    } else {
        h.width = static_cast<int32_t>(U32(info + 4));
        h.height = static_cast<int32_t>(U32(info + 8));
        h.planes = U16(info + 12);
        h.bitCount = U16(info + 14);
        h.compression = U32(info + 16);
        h.sizeImage = U32(info + 20);
        h.colorsUsed = U32(info + 32);
    }
    if (h.planes != 1 || h.width <= 0 || h.height == 0 || h.height == INT32_MIN)
        return std::nullopt;
    if (!FormatIsKnown(h)) return std::nullopt;
    const int64_t width = h.width;
    const int64_t height = h.height < 0 ? -int64_t{h.height} : h.height;
    if (width * height > kMaxBitmapPixels) return std::nullopt;

    // Colour masks follow a plain info header; later headers hold them.
    size_t tableAt = kFileHeaderSize + infoSize;
    std::vector<uint8_t> masks;
    if (h.compression == kBiBitfields) {
        const size_t at = infoSize == kInfoHeaderSize ? tableAt : kFileHeaderSize + kInfoHeaderSize;
        if (at + 12 > size) return std::nullopt;
        masks.assign(data + at, data + at + 12);
        if (infoSize == kInfoHeaderSize) tableAt += 12;
    }
    size_t colors = 0;
    if (h.bitCount <= 8) {
        const size_t full = size_t{1} << h.bitCount;
        colors = h.colorsUsed == 0 || h.colorsUsed > full ? full : h.colorsUsed;
        if (core) colors = full;
    }
    const size_t entrySize = core ? 3 : 4;
    if (tableAt > size || colors * entrySize > size - tableAt) return std::nullopt;

    DibImage image;
    image.width = h.width;
    image.height = static_cast<int32_t>(height);
    image.bitsOffset = dataOffset != 0 ? dataOffset : tableAt + colors * entrySize;
    if (image.bitsOffset >= size) return std::nullopt;
    const size_t available = size - image.bitsOffset;
    if (h.compression == kBiRle8 || h.compression == kBiRle4) {
        image.bitsSize = h.sizeImage != 0 && h.sizeImage <= available ? h.sizeImage : available;
    } else {
        const uint64_t stride = (static_cast<uint64_t>(width) * h.bitCount + 31) / 32 * 4;
        const uint64_t needed = stride * static_cast<uint64_t>(height);
        if (needed > available) return std::nullopt;
        image.bitsSize = static_cast<size_t>(needed);
    }

    image.info.assign(kInfoHeaderSize + masks.size() + colors * 4, 0);
    Put32(image.info, 0, kInfoHeaderSize);
    Put32(image.info, 4, static_cast<uint32_t>(h.width));
    Put32(image.info, 8, static_cast<uint32_t>(h.height));
    Put16(image.info, 12, 1);
    Put16(image.info, 14, h.bitCount);
    Put32(image.info, 16, h.compression);
    Put32(image.info, 20, static_cast<uint32_t>(image.bitsSize));
    Put32(image.info, 32, static_cast<uint32_t>(colors));
    size_t at = kInfoHeaderSize;
    if (!masks.empty()) {
        std::memcpy(image.info.data() + at, masks.data(), masks.size());
        at += masks.size();
    }
    for (size_t i = 0; i < colors; ++i, at += 4) {
        std::memcpy(image.info.data() + at, data + tableAt + i * entrySize, 3);  // blue, green, red
    }
    return image;
}

}  // namespace kv
