#include "bmp_decode.h"

#include <bit>

#include "bmp_image.h"

namespace kv {
namespace {

// A colour field of a 16- or 32-bit pixel, widened to 8 bits. A wider field
// keeps its top 8 bits; a narrower one repeats its bits below themselves, so
// that all ones is full intensity (5 bits abcde give abcdeabc), as the 5-5-5
// and 5-6-5 pixels are shown.
class Field {
public:
    explicit Field(uint32_t mask)
        : shift_(std::countr_zero(mask)),
          width_(std::popcount(mask)),
          mask_(width_ >= 32 ? 0xFFFFFFFFu : (uint32_t{1} << width_) - 1) {}
    uint32_t operator()(uint32_t pixel) const {
        const uint32_t v = pixel >> shift_ & mask_;
        if (width_ >= 8) return v >> (width_ - 8);
        uint32_t out = 0;
        for (int at = 8 - width_;; at -= width_) {
            out |= at >= 0 ? v << at : v >> -at;
            if (at <= 0) break;
        }
        return out & 0xFF;
    }

private:
    int shift_;
    int width_;
    uint32_t mask_;
};

// A colour index beyond the colour table: Windows shows such pixels black,
// but the index or the table is damaged, and a mask made from a colour the
// file never gave would be no shape its author drew. Refused (false).
bool PutIndex(const BmpLayout& l, uint32_t index, uint32_t& pixel) {
    if (index >= l.colors.size()) return false;
    pixel = l.colors[index];
    return true;
}

bool DecodeRows(const BmpLayout& l, const uint8_t* bits, std::vector<uint32_t>& out) {
    const size_t width = static_cast<size_t>(l.width);
    const size_t stride = (width * l.bitCount + 31) / 32 * 4;
    const Field red(l.masks[0]), green(l.masks[1]), blue(l.masks[2]);
    for (size_t r = 0; r < static_cast<size_t>(l.height); ++r) {
        const uint8_t* row = bits + r * stride;
        const size_t y = l.topDown ? r : static_cast<size_t>(l.height) - 1 - r;
        uint32_t* line = out.data() + y * width;
        for (size_t x = 0; x < width; ++x) {
            switch (l.bitCount) {
            case 1:
            case 4:
            case 8: {
                const size_t bit = x * l.bitCount;
                const unsigned shift = 8 - l.bitCount - bit % 8;
                const uint32_t index = row[bit / 8] >> shift & ((1u << l.bitCount) - 1);
                if (!PutIndex(l, index, line[x])) return false;
                break;
            }
            case 24: {
                const uint8_t* p = row + x * 3;
                line[x] = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
                break;
            }
            default: {
                const uint8_t* p = row + x * (l.bitCount / 8);
                uint32_t v = uint32_t{p[0]} | uint32_t{p[1]} << 8;
                if (l.bitCount == 32) v |= uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
                line[x] = red(v) << 16 | green(v) << 8 | blue(v);
                break;
            }
            }
        }
    }
    return true;
}

// Run-length coded rows, as Microsoft documents BI_RLE8 and BI_RLE4
// ("Bitmap Compression"): runs of one index (RLE4: two alternating ones),
// absolute runs of 3 to 255 indices padded to a 16-bit boundary, and the
// escapes end of line, end of bitmap and delta. The rows are bottom-up.
//
// The data must end with its end-of-bitmap code; data that stops before
// it was cut short. No run may pass its row's end (a row continues on the
// next only through an end of line or a delta) and no delta may leave the
// picture. Pixels the data skips (delta, early end of line or of bitmap)
// are left as Windows leaves them when it draws such a picture: untouched,
// which on the fresh 32-bit surface a mask is read from is black.
bool DecodeRle(const BmpLayout& l, const uint8_t* data, size_t size, std::vector<uint32_t>& out) {
    const bool four = l.compression == kBiRle4;
    const size_t width = static_cast<size_t>(l.width);
    const size_t height = static_cast<size_t>(l.height);
    size_t x = 0;
    size_t y = 0;  // counted from the bottom row
    size_t at = 0;
    // Room for `count` pixels on the current row.
    const auto fits = [&](size_t count) { return y < height && count <= width - x; };
    const auto put = [&](uint32_t index) {
        return PutIndex(l, index, out[(height - 1 - y) * width + x++]);
    };
    for (;;) {
        if (size - at < 2) return false;  // no end-of-bitmap code
        const uint8_t count = data[at];
        const uint8_t code = data[at + 1];
        at += 2;
        if (count != 0) {
            if (!fits(count)) return false;
            for (size_t i = 0; i < count; ++i) {
                const uint32_t index = four ? (i % 2 == 0 ? code >> 4 : code & 0xFu) : code;
                if (!put(index)) return false;
            }
            continue;
        }
        switch (code) {
        case 0:  // end of line
            if (y >= height) return false;
            x = 0;
            ++y;
            break;
        case 1:  // end of bitmap
            return true;
        case 2:  // delta: right and up
            if (size - at < 2) return false;
            x += data[at];
            y += data[at + 1];
            at += 2;
            if (x > width || y >= height) return false;
            break;
        default: {  // absolute run
            const size_t bytes = four ? (code + 1u) / 2 : code;
            const size_t padded = (bytes + 1) & ~size_t{1};
            if (size - at < padded || !fits(code)) return false;
            for (size_t i = 0; i < code; ++i) {
                const uint8_t byte = data[at + (four ? i / 2 : i)];
                const uint32_t index = four ? (i % 2 == 0 ? byte >> 4 : byte & 0xFu) : byte;
                if (!put(index)) return false;
            }
            at += padded;
            break;
        }
        }
    }
}

}  // namespace

std::optional<BmpPixels> DecodeBmp(const uint8_t* data, size_t size) {
    const auto layout = ReadBmpLayout(data, size);
    if (!layout) return std::nullopt;
    BmpPixels picture;
    picture.width = layout->width;
    picture.height = layout->height;
    picture.pixels.assign(static_cast<size_t>(layout->width) * static_cast<size_t>(layout->height),
                          0);
    const uint8_t* bits = data + layout->bitsOffset;
    const bool decoded = layout->compression == kBiRle8 || layout->compression == kBiRle4
                             ? DecodeRle(*layout, bits, layout->bitsSize, picture.pixels)
                             : DecodeRows(*layout, bits, picture.pixels);
    if (!decoded) return std::nullopt;
    return picture;
}

}  // namespace kv
