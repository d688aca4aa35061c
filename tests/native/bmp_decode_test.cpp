// Our own bitmap reader: every format decoded pixel by pixel, and damaged
// or questionable files refused, on small files written here.
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "bmp_decode.h"
#include "bmp_image.h"

namespace kv {
namespace {

using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

void Put(Bytes& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> 8 * i);
}

// A .bmp file as a writer would make it; the fields are changed afterwards
// to damage it.
struct Bmp {
    Bmp(int32_t w, int32_t h, uint16_t b, uint32_t coding = kBiRgb)
        : width(w), height(h), bits(b), compression(coding) {}
    Bmp& Header(uint32_t size) { return header = size, *this; }
    Bmp& Colors(Pixels table) { return colors = std::move(table), *this; }
    Bmp& Masks(Pixels m) { return masks = std::move(m), *this; }
    Bmp& Data(Bytes d) { return data = std::move(d), *this; }
    Bmp& Used(uint32_t count) { return colorsUsed = count, *this; }

    int32_t width;
    int32_t height;
    uint16_t bits;
    uint32_t compression;
    uint32_t header = 40;  // 12 (OS/2 1.x), 40, 52, 56, 108 or 124
    Pixels colors;         // the colour table, 0x00RRGGBB
    Pixels masks;          // red, green, blue (alpha): after a 40-byte header, else in it
    Bytes data;            // the rows or the coded data
    std::optional<uint32_t> colorsUsed;  // else the table's length

    Bytes File() const {
        const bool core = header == 12;
        const size_t entry = core ? 3 : 4;
        const size_t afterHeader = header == 40 && compression == kBiBitfields ? 12 : 0;
        const size_t offset = 14 + header + afterHeader + colors.size() * entry;
        Bytes b(offset, 0);
        b[0] = 'B';
        b[1] = 'M';
        Put(b, 10, static_cast<uint32_t>(offset), 4);
        Put(b, 14, header, 4);
        if (core) {
            Put(b, 18, static_cast<uint32_t>(width), 2);
            Put(b, 20, static_cast<uint32_t>(height), 2);
            Put(b, 22, 1, 2);
            Put(b, 24, bits, 2);
        } else {
            Put(b, 18, static_cast<uint32_t>(width), 4);
            Put(b, 22, static_cast<uint32_t>(height), 4);
            Put(b, 26, 1, 2);
            Put(b, 28, bits, 2);
            Put(b, 30, compression, 4);
            Put(b, 34, static_cast<uint32_t>(data.size()), 4);
            Put(b, 46, colorsUsed.value_or(static_cast<uint32_t>(colors.size())), 4);
        }
        for (size_t i = 0; i < masks.size(); ++i) Put(b, 54 + i * 4, masks[i], 4);
        for (size_t i = 0; i < colors.size(); ++i)
            Put(b, offset - (colors.size() - i) * entry, colors[i], 3);
        b.insert(b.end(), data.begin(), data.end());
        Put(b, 2, static_cast<uint32_t>(b.size()), 4);
        return b;
    }
};

std::optional<Pixels> Decode(const Bytes& b) {
    const auto picture = DecodeBmp(b.data(), b.size());
    if (!picture) return std::nullopt;
    EXPECT_EQ(picture->pixels.size(),
              static_cast<size_t>(picture->width) * static_cast<size_t>(picture->height));
    return picture->pixels;
}

// A table whose entry 0 is not black, so that skipped pixels show.
Pixels Palette(size_t n) {
    Pixels p(n);
    for (size_t i = 0; i < n; ++i) p[i] = 0xC00000u | static_cast<uint32_t>(i);
    return p;
}

constexpr uint32_t kA = 0x123456, kB = 0xA0B0C0, kC = 0x0F0E0D;

TEST(BmpDecode, EveryUncompressedFormatPixelByPixel) {
    // 1 bit, 9 wide (two bytes a row, padded to 4), bottom-up.
    auto b = Bmp(9, 2, 1).Colors({kA, kB}).Data({0x80, 0x80, 0, 0, 0x55, 0x00, 0, 0});
    EXPECT_EQ(Decode(b.File()), (Pixels{kA, kB, kA, kB, kA, kB, kA, kB, kA,  //
                                        kB, kA, kA, kA, kA, kA, kA, kA, kB}));
    // 4 bits, top-down, a table of 3 counted colours.
    b = Bmp(3, -2, 4).Colors({kA, kB, kC}).Data({0x21, 0x00, 0, 0, 0x02, 0x10, 0, 0});
    EXPECT_EQ(Decode(b.File()), (Pixels{kC, kB, kA, kA, kC, kB}));
    // 8 bits, no count: the full table of 256.
    b = Bmp(2, 1, 8).Colors(Palette(256)).Used(0).Data({255, 7, 0, 0});
    EXPECT_EQ(Decode(b.File()), (Pixels{0xC000FF, 0xC00007}));
    // 24 bits, rows padded.
    b = Bmp(1, 2, 24).Data({1, 2, 3, 0, 4, 5, 6, 0});
    EXPECT_EQ(Decode(b.File()), (Pixels{0x060504, 0x030201}));
    // 32 bits: the fourth byte is no colour.
    b = Bmp(2, 1, 32).Data({1, 2, 3, 0xFF, 4, 5, 6, 7});
    EXPECT_EQ(Decode(b.File()), (Pixels{0x030201, 0x060504}));
    // 16 bits are 5-5-5, each field widened by repeating its top bits; a
    // table a 16-bit file may carry lies before the pixels.
    b = Bmp(4, 1, 16).Colors({kA, kB}).Data({0xFF, 0x7F, 0x00, 0x7C, 1, 0, 0x21, 0x04});
    EXPECT_EQ(Decode(b.File()), (Pixels{0xFFFFFF, 0xFF0000, 0x000008, 0x080808}));
}

TEST(BmpDecode, ColourMasksInEveryHeader) {
    // 5-6-5 after a 40-byte header.
    auto b = Bmp(4, 1, 16, kBiBitfields).Masks({0xF800, 0x07E0, 0x001F});
    b.Data({0x00, 0xF8, 0xE0, 0x07, 0x20, 0x00, 0x1F, 0x00});
    const Pixels expected = {0xFF0000, 0x00FF00, 0x000400, 0x0000FF};
    EXPECT_EQ(Decode(b.File()), expected);
    // The same masks held by the 52, 56, 108 and 124-byte headers.
    for (uint32_t header : {52u, 56u, 108u, 124u})
        EXPECT_EQ(Decode(b.Header(header).File()), expected) << header;
    // The longer headers' masks are ignored without BI_BITFIELDS.
    b.compression = kBiRgb;
    EXPECT_EQ(Decode(b.File()), (Pixels{0xF70000, 0x08FF00, 0x000800, 0x0000FF}));
    // 32 bits of 10-10-10 at odd places; 2-bit fields fill all 8 bits.
    b = Bmp(2, -1, 32, kBiBitfields).Header(124);
    b.Masks({0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000});
    b.Data({0x00, 0x02, 0xF0, 0xFF, 0xFF, 0x03, 0x00, 0x00});
    EXPECT_EQ(Decode(b.File()), (Pixels{0xFF0080, 0x0000FF}));
    b = Bmp(3, 1, 16, kBiBitfields).Masks({0x30, 0x0C, 0x03}).Data({0x3F, 0, 6, 0, 1, 0, 0, 0});
    EXPECT_EQ(Decode(b.File()), (Pixels{0xFFFFFF, 0x0055AA, 0x000055}));
}

TEST(BmpDecode, OsTwoCoreHeader) {
    auto b = Bmp(2, 1, 1).Header(12).Colors({kA, kB}).Data({0x40, 0, 0, 0});
    EXPECT_EQ(Decode(b.File()), (Pixels{kA, kB}));
    b = Bmp(1, 2, 24).Header(12).Data({1, 2, 3, 0, 4, 5, 6, 0});
    EXPECT_EQ(Decode(b.File()), (Pixels{0x060504, 0x030201}));
}

TEST(BmpDecode, RunLengthCodes) {
    // Microsoft's own example of RLE8, 20 x 3: runs, an absolute run, a
    // delta, an end of line and the end of the bitmap. Skipped pixels stay
    // black; colour 0 is not black here.
    auto b = Bmp(20, 3, 8, kBiRle8).Colors(Palette(256));
    b.Data({3, 4, 5, 6, 0, 3,    0x45, 0x56, 0x67, 0,    2, 0x78,  //
            0, 2, 5, 1, 2, 0x78, 0,    0,    9,    0x1E, 0, 1});
    Pixels expected(60, 0);
    for (size_t x = 0; x < 9; ++x) expected[x] = 0xC0001E;
    expected[38] = expected[39] = 0xC00078;
    const uint8_t bottom[] = {4, 4, 4, 6, 6, 6, 6, 6, 0x45, 0x56, 0x67, 0x78, 0x78};
    for (size_t x = 0; x < 13; ++x) expected[40 + x] = 0xC00000u | bottom[x];
    EXPECT_EQ(Decode(b.File()), expected);

    // RLE4: a run alternates two indices; an odd absolute run is padded to
    // whole bytes and then to 16 bits; the last row needs no end of line.
    b = Bmp(8, 2, 4, kBiRle4).Colors(Palette(16));
    b.Data({3, 0x04, 0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 0, 2, 2, 0, 2, 0xAB, 0, 1});
    expected = {0, 0, 0xC0000A, 0xC0000B, 0, 0, 0, 0};
    for (uint32_t i : {0u, 4u, 0u, 1u, 2u, 3u, 4u, 5u}) expected.push_back(0xC00000 | i);
    EXPECT_EQ(Decode(b.File()), expected);

    // A literal run of 255 pixels: 255 bytes and one of padding, then a run.
    b = Bmp(256, 1, 8, kBiRle8).Colors(Palette(256)).Data({0, 255});
    for (int i = 0; i < 255; ++i) b.data.push_back(static_cast<uint8_t>(i));
    b.data.insert(b.data.end(), {0, 1, 9, 0, 1});
    expected.clear();
    for (uint32_t i = 0; i < 255; ++i) expected.push_back(0xC00000 | i);
    expected.push_back(0xC00009);
    EXPECT_EQ(Decode(b.File()), expected);

    // An end of line after the last row, then the end; nothing at all.
    b = Bmp(2, 1, 8, kBiRle8).Colors({kA, kB}).Data({2, 1, 0, 0, 0, 1});
    EXPECT_EQ(Decode(b.File()), (Pixels{kB, kB}));
    EXPECT_EQ(Decode(b.Data({0, 1}).File()), (Pixels{0, 0}));
}

TEST(BmpDecode, RefusesDamagedFiles) {
    const auto refused = [](const Bytes& b) { return !DecodeBmp(b.data(), b.size()); };
    const Bytes g = Bmp(3, 2, 24).Data(Bytes(24, 0)).File();
    ASSERT_FALSE(refused(g));
    EXPECT_TRUE(refused({}));
    const auto with = [&](size_t at, uint32_t v, int bytes, Bytes b) {
        Put(b, at, v, bytes);
        return b;
    };
    // Sizes and offsets outside the file; a picture cut short.
    EXPECT_TRUE(refused(Bytes(g.begin(), g.end() - 1)));
    EXPECT_TRUE(refused(with(0, 'P', 1, g)));
    EXPECT_TRUE(refused(with(2, static_cast<uint32_t>(g.size() + 1), 4, g)));  // file size
    EXPECT_TRUE(refused(with(10, 0xFFFFFFF0, 4, g)));                          // pixel offset
    EXPECT_TRUE(refused(with(10, 0, 4, g)));
    EXPECT_TRUE(refused(with(34, 25, 4, g)));  // image size past the end
    for (uint32_t header : {16u, 64u, 66u, 0x7FFFFFFFu})
        EXPECT_TRUE(refused(with(14, header, 4, g)));
    // Sizes of nothing, absurd sizes, planes, pixel sizes and compressions.
    EXPECT_TRUE(refused(with(18, 0, 4, g)));
    EXPECT_TRUE(refused(with(18, 0xFFFFFFFD, 4, g)));  // negative width
    EXPECT_TRUE(refused(with(22, 0, 4, g)));
    EXPECT_TRUE(refused(with(22, 0x80000000u, 4, g)));
    EXPECT_TRUE(refused(with(18, 0x10000, 4, with(22, 0x10000, 4, g))));
    EXPECT_TRUE(refused(with(26, 2, 2, g)));
    for (uint32_t bits : {0u, 2u, 7u, 64u}) EXPECT_TRUE(refused(with(28, bits, 2, g)));
    for (uint32_t coding : {1u, 2u, 3u, 4u, 5u, 6u, 11u})
        EXPECT_TRUE(refused(with(30, coding, 4, g)));
    EXPECT_TRUE(refused(Bmp(1, 1, 32).Header(12).Data(Bytes(4, 0)).File()));

    // A colour table the pixels overlap: the offset falls inside the table
    // the header implies (16 of 256 entries written; an OS/2 table short).
    EXPECT_TRUE(refused(Bmp(1, 1, 8).Colors(Palette(16)).Used(0).Data(Bytes(2000, 0)).File()));
    EXPECT_TRUE(refused(Bmp(1, 1, 4).Header(12).Colors(Palette(8)).Data(Bytes(64, 0)).File()));
    // More colours than the pixel size can index; counts with the top bit set.
    EXPECT_TRUE(refused(Bmp(1, 1, 1).Colors(Palette(3)).Data(Bytes(4, 0)).File()));
    EXPECT_TRUE(refused(Bmp(1, 1, 8).Colors(Palette(257)).Data(Bytes(4, 0)).File()));
    EXPECT_TRUE(refused(Bmp(1, 1, 1).Colors(Palette(2)).Used(0x80000002).Data(Bytes(4, 0)).File()));
    EXPECT_TRUE(refused(Bmp(1, 1, 24).Used(0x80000000).Data(Bytes(4, 0)).File()));
    // An index beyond the table, uncompressed and coded.
    EXPECT_TRUE(refused(Bmp(1, 1, 8).Colors(Palette(2)).Data({2, 0, 0, 0}).File()));
    EXPECT_TRUE(refused(Bmp(1, 1, 4, kBiRle4).Colors(Palette(2)).Data({1, 0x20, 0, 1}).File()));

    // Masks with no bit, gaps, shared bits, bits the pixel lacks.
    for (const Pixels& masks : std::vector<Pixels>{{0xF800, 0x07E0, 0},
                                                   {0xF000, 0x0F00, 0x00F0, 0xF000},
                                                   {0xF800, 0x07E0, 0x001E0},
                                                   {0xF0F0, 0x0F00, 0x000F},
                                                   {0xFC00, 0x07E0, 0x001F},
                                                   {0x1F0000, 0x07E0, 0x001F}}) {
        auto m = Bmp(1, 1, 16, kBiBitfields).Header(masks.size() == 4 ? 56 : 40).Masks(masks);
        EXPECT_TRUE(refused(m.Data(Bytes(4, 0)).File())) << std::hex << masks[0] << " " << masks[2];
    }

    // Damaged run-length data; the good one first.
    auto rle = Bmp(4, 2, 8, kBiRle8).Colors(Palette(4)).Data({4, 1, 0, 0, 4, 2, 0, 1});
    ASSERT_FALSE(refused(rle.File()));
    for (const Bytes& data : std::vector<Bytes>{
             {4, 1, 0, 0, 4, 2},              // cut short: no end of bitmap
             {4, 1, 0, 0, 4},                 // cut inside a pair
             {0, 3, 1, 2},                    // inside an absolute run
             {0, 3, 1, 2, 3},                 // before its padding
             {0, 2, 1},                       // inside a delta
             {4, 1, 4, 2, 0, 1},              // a line without its end of line
             {5, 1, 0, 1},                    // a run past the row's end
             {2, 1, 0, 3, 1, 2, 3, 0, 0, 1},  // an absolute run past it
             {0, 2, 5, 0, 0, 1},              // a delta off the right edge
             {0, 2, 0, 2, 0, 1},              // a delta above the top
             {0, 0, 0, 0, 0, 0, 0, 1},        // a line above the top
             {0, 0, 0, 0, 1, 1, 0, 1},        // a run above the top
         }) {
        rle.data = data;
        EXPECT_TRUE(refused(rle.File())) << testing::PrintToString(data);
    }
    // Coded pictures are bottom-up only, and the coding fits the pixel size.
    rle.data = {0, 1};
    rle.height = -2;
    EXPECT_TRUE(refused(rle.File()));
    rle.height = 2;
    rle.bits = 4;
    EXPECT_TRUE(refused(rle.File()));
}

}  // namespace
}  // namespace kv
