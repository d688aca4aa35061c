#include "bmp_image.h"

namespace kv {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// The OS/2 1.x header, and the Windows headers: BITMAPINFOHEADER, the two
// with colour masks (52 and 56 bytes), BITMAPV4HEADER and BITMAPV5HEADER.
// OS/2 2.x headers (16 to 64 bytes) are no Windows format.
bool IsHeaderSize(uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
           size == 108 || size == 124;
}

struct Header {
    int64_t width = 0;
    int64_t height = 0;  // negative: rows top-down
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
};

bool FormatIsKnown(const Header& h, bool core) {
    if (core) return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 24;
    switch (h.compression) {
    case kBiRgb:
        return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
               h.bitCount == 24 || h.bitCount == 32;
    case kBiRle8:
        return h.bitCount == 8 && h.height > 0;  // coded pictures are stored bottom-up only
    case kBiRle4:
        return h.bitCount == 4 && h.height > 0;
    case kBiBitfields:
        return h.bitCount == 16 || h.bitCount == 32;
    default:
        return false;  // BI_JPEG, BI_PNG, CMYK and the rest are not drawn from a file
    }
}

// Windows documents the BI_BITFIELDS masks: the bits of each are
// contiguous and overlap no other mask's. A mask with no bit, or one with
// bits the pixel does not have, gives a colour the file cannot mean: refused.
bool MasksAreSound(const std::array<uint32_t, 3>& masks, uint32_t alpha, uint16_t bitCount) {
    const uint32_t pixelBits = bitCount == 32 ? 0xFFFFFFFFu : (uint32_t{1} << bitCount) - 1;
    uint32_t used = 0;
    const std::array<uint32_t, 4> all{masks[0], masks[1], masks[2], alpha};
    for (size_t i = 0; i < all.size(); ++i) {
        const uint32_t m = all[i];
        if (i == 3 && m == 0) break;  // no alpha channel
        const uint32_t lowest = m & (~m + 1);
        const bool contiguous = m != 0 && ((m + lowest) & m) == 0;
        if (!contiguous || (m & ~pixelBits) != 0 || (m & used) != 0) return false;
        used |= m;
    }
    return true;
}

}  // namespace

std::optional<BmpLayout> ReadBmpLayout(const uint8_t* data, size_t size) {
    if (data == nullptr || size < kFileHeaderSize + 4) return std::nullopt;
    if (data[0] != 'B' || data[1] != 'M') return std::nullopt;
    // A file that says it is longer than it is was cut short. Shorter is
    // fine: some writers leave bytes after the picture.
    if (U32(data + 2) > size) return std::nullopt;
    const size_t bitsOffset = U32(data + 10);
    const uint8_t* info = data + kFileHeaderSize;
    const uint32_t infoSize = U32(info);
    if (!IsHeaderSize(infoSize) || infoSize > size - kFileHeaderSize) return std::nullopt;
    const bool core = infoSize == kCoreHeaderSize;

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
    if (h.planes != 1 || h.width <= 0 || h.height == 0 || !FormatIsKnown(h, core))
        return std::nullopt;
    BmpLayout image;
    image.topDown = h.height < 0;
    const int64_t height = image.topDown ? -h.height : h.height;
    if (h.width > kMaxBitmapPixels || height > kMaxBitmapPixels ||
        h.width * height > kMaxBitmapPixels)
        return std::nullopt;
    image.width = static_cast<int32_t>(h.width);
    image.height = static_cast<int32_t>(height);
    image.bitCount = h.bitCount;
    image.compression = h.compression;

    // Colour masks follow a plain info header; the longer headers hold them.
    size_t tableAt = kFileHeaderSize + infoSize;
    if (h.compression == kBiBitfields) {
        const uint8_t* at = info + kInfoHeaderSize;
        if (infoSize == kInfoHeaderSize) {
            if (size - tableAt < 12) return std::nullopt;
            tableAt += 12;
        }
        const uint32_t alpha = infoSize >= 56 ? U32(info + 52) : 0;
        image.masks = {U32(at), U32(at + 4), U32(at + 8)};
        if (!MasksAreSound(image.masks, alpha, h.bitCount)) return std::nullopt;
    } else if (h.bitCount == 16) {
        image.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (h.bitCount == 32) {
        image.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }

    // The colour table: 2^bits entries unless the header counts fewer, and
    // never more. Above 8 bits a counted table only helps palette devices,
    // but it still lies between the header and the pixels.
    size_t colors = h.colorsUsed;
    if (h.bitCount <= 8) {
        const size_t full = size_t{1} << h.bitCount;
        if (core || colors == 0) colors = full;
        if (colors > full) return std::nullopt;
    }
    const size_t entrySize = core ? 3 : 4;
    if (tableAt > size || colors > (size - tableAt) / entrySize) return std::nullopt;
    const size_t tableEnd = tableAt + colors * entrySize;
    // The pixels start after the table, never inside it, and inside the file.
    if (bitsOffset < tableEnd || bitsOffset >= size) return std::nullopt;
    if (h.bitCount <= 8) {
        image.colors.resize(colors);
        for (size_t i = 0; i < colors; ++i) {
            const uint8_t* entry = data + tableAt + i * entrySize;  // blue, green, red
            image.colors[i] =
                uint32_t{entry[0]} | uint32_t{entry[1]} << 8 | uint32_t{entry[2]} << 16;
        }
    }

    image.bitsOffset = bitsOffset;
    const size_t available = size - bitsOffset;
    if (h.sizeImage > available) return std::nullopt;
    if (h.compression == kBiRle8 || h.compression == kBiRle4) {
        // Coded data must end with its end-of-bitmap code within this size.
        image.bitsSize = h.sizeImage != 0 ? h.sizeImage : available;
    } else {
        // Rows are padded to 4 bytes; the header's image size may be 0 here.
        const uint64_t stride = (static_cast<uint64_t>(image.width) * h.bitCount + 31) / 32 * 4;
        const uint64_t needed = stride * static_cast<uint64_t>(image.height);
        if (needed > available) return std::nullopt;
        image.bitsSize = static_cast<size_t>(needed);
    }
    return image;
}

}  // namespace kv
