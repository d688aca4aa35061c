// Mask pictures: decoding every bitmap format into pixels, and the one-pass
// region against the region made by subtracting each transparent run.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "mask_picture.h"
#include "mask_region.h"

namespace kv::actions {
namespace {

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = static_cast<uint8_t>(v >> 8 * i);
}

// A .bmp with a 40-byte header, the given table (colours or masks) and rows.
std::vector<uint8_t> Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                         const std::vector<uint32_t>& table, const std::vector<uint8_t>& rows) {
    const size_t offset = 54 + table.size() * 4;
    std::vector<uint8_t> b(offset);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 10, uint32_t(offset), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, uint32_t(width), 4);
    Put(b, 22, uint32_t(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, bits, 2);
    Put(b, 30, compression, 4);
    Put(b, 34, uint32_t(rows.size()), 4);
    if (bits <= 8) Put(b, 46, uint32_t(table.size()), 4);
    for (size_t i = 0; i < table.size(); ++i) Put(b, 54 + i * 4, table[i], 4);
    b.insert(b.end(), rows.begin(), rows.end());
    Put(b, 2, uint32_t(b.size()), 4);
    return b;
}

std::vector<uint32_t> Pixels(const PicturePixels& p) {
    std::vector<uint32_t> out;
    const PixelRows rows = p.rows();
    for (int32_t y = 0; y < rows.height; ++y)
        for (int32_t x = 0; x < rows.width; ++x)
            out.push_back(rows.pixels[size_t(y) * rows.stride + size_t(x)] & 0xFFFFFF);
    return out;
}

using Colors = std::vector<uint32_t>;

TEST(MaskPicture, EveryBitmapFormatDecodesToItsColours) {
    const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;
    // 8 bits with a palette, bottom-up: the last row in the file is the top.
    auto p = DecodeBitmap(Bmp(2, 2, 8, BI_RGB, {red, green, blue}, {2, 0, 0, 0, 1, 1, 0, 0}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixels(*p), (Colors{green, green, blue, red}));

    // 32 bits, top-down.
    p = DecodeBitmap(Bmp(2, -1, 32, BI_RGB, {}, {0xFF, 0, 0, 0, 0, 0, 0xFF, 0}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixels(*p), (Colors{blue, red}));

    // 32 bits with colour masks.
    p = DecodeBitmap(
        Bmp(1, 1, 32, BI_BITFIELDS, {0xFF0000, 0x00FF00, 0x0000FF}, {0x33, 0x22, 0x11, 0}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixels(*p), (Colors{0x112233}));

    // 24 bits, rows padded to four bytes.
    p = DecodeBitmap(Bmp(1, 2, 24, BI_RGB, {}, {1, 2, 3, 0, 4, 5, 6, 0}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixels(*p), (Colors{0x060504, 0x030201}));

    // 4 bits run-length coded: 3 pixels of colours 1,0,1 then end of picture.
    p = DecodeBitmap(Bmp(3, 1, 4, BI_RLE4, {red, green}, {3, 0x10, 0, 1}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixels(*p), (Colors{green, red, green}));

    // 8 bits run-length coded: the bottom row 4 pixels of colour 1, the top
    // row 2 of colour 0 and 2 of colour 1.
    p = DecodeBitmap(Bmp(4, 2, 8, BI_RLE8, {red, blue}, {4, 1, 0, 0, 2, 0, 2, 1, 0, 1}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixels(*p), (Colors{red, red, blue, blue, blue, blue, blue, blue}));

    // 1 bit.
    p = DecodeBitmap(Bmp(3, 1, 1, BI_RGB, {0, 0xFFFFFF}, {0xA0, 0, 0, 0}));
    ASSERT_TRUE(p);
    EXPECT_EQ(Pixels(*p), (Colors{0xFFFFFF, 0, 0xFFFFFF}));

    EXPECT_FALSE(DecodeBitmap({}));
    EXPECT_FALSE(DecodeBitmap(std::vector<uint8_t>(100, 'B')));
}

// The region made the slow way: the whole picture, minus each transparent
// run in turn.
win::UniqueRegion RunByRun(const PixelRows& rows, uint32_t transparent) {
    win::UniqueRegion region(CreateRectRgn(0, 0, rows.width, rows.height));
    for (const RunRect& r : TransparentRuns(rows, DibPixelOfColor(transparent))) {
        win::UniqueRegion hole(CreateRectRgn(r.left, r.top, r.right, r.bottom));
        CombineRgn(region.get(), region.get(), hole.get(), RGN_DIFF);
    }
    return region;
}

TEST(MaskRegion, OnePassEqualsRunByRun) {
    std::mt19937 random(7);
    for (const auto& [width, height, density] : std::vector<std::tuple<int, int, int>>{
             {1, 1, 2}, {3, 300, 2}, {97, 61, 3}, {256, 192, 5}, {640, 40, 2}}) {
        std::vector<uint32_t> pixels(size_t(width) * size_t(height));
        for (size_t i = 0; i < pixels.size(); ++i) {
            const bool repeat = i >= size_t(width) && random() % 4 != 0;  // some bands
            pixels[i] = repeat ? pixels[i - size_t(width)]
                               : (random() % unsigned(density) == 0 ? 0x00FF00u : 0x804020u);
        }
        const PixelRows rows{pixels.data(), width, height, size_t(width)};
        // COLORREF green is the same bytes in both orders.
        const win::UniqueRegion fast = MaskRegionOfBitmap(rows, 0x00FF00);
        ASSERT_TRUE(fast);
        EXPECT_TRUE(EqualRgn(fast.get(), RunByRun(rows, 0x00FF00).get())) << width << "x" << height;
    }
}

TEST(MaskRegion, ColourOrderAndColoursNoPixelHas) {
    // Red in a COLORREF is the low byte; in a pixel the third.
    std::vector<uint32_t> pixels = {0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF};
    const PixelRows rows{pixels.data(), 4, 1, 4};
    win::UniqueRegion expected(CreateRectRgn(1, 0, 2, 1));
    win::UniqueRegion right(CreateRectRgn(3, 0, 4, 1));
    CombineRgn(expected.get(), expected.get(), right.get(), RGN_OR);
    EXPECT_TRUE(EqualRgn(MaskRegionOfBitmap(rows, RGB(255, 0, 0)).get(), expected.get()));

    // A special colour value matches no pixel: the whole picture stays.
    win::UniqueRegion whole(CreateRectRgn(0, 0, 4, 1));
    EXPECT_TRUE(EqualRgn(MaskRegionOfBitmap(rows, 0x1FFFFFFF).get(), whole.get()));
    // Every pixel transparent: an empty region.
    std::vector<uint32_t> blank(6, 0x123456);
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(MaskRegionOfBitmap({blank.data(), 3, 2, 3}, 0x563412).get(), &box),
              NULLREGION);
}

}  // namespace
}  // namespace kv::actions
