// Handle texts, animation words, mask shapes and bitmap layouts: the
// portable parts of the window actions.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "animate_effects.h"
#include "bmp_image.h"
#include "handle_text.h"
#include "mask_runs.h"

namespace kv {
namespace {

TEST(HandleText, ReadsWhatWeWriteAndWhatScriptsWrite) {
    uint32_t h = 1;
    EXPECT_TRUE(ParseHandleText("0", h));
    EXPECT_EQ(h, 0u);
    EXPECT_TRUE(ParseHandleText("4294967294", h));  // top bit set, written unsigned
    EXPECT_EQ(h, 0xFFFFFFFEu);
    EXPECT_TRUE(ParseHandleText("$1A2B", h));
    EXPECT_EQ(h, 0x1A2Bu);
    EXPECT_TRUE(ParseHandleText("-2", h));
    EXPECT_EQ(h, 0xFFFFFFFEu);
    EXPECT_TRUE(ParseHandleText(" 123", h));
    EXPECT_EQ(h, 123u);
    h = 7;
    for (const char* bad : {"", "4294967296", "12 ", "abc", "1.5", "+", "-4294967295", " "}) {
        EXPECT_FALSE(ParseHandleText(bad, h)) << bad;
        EXPECT_EQ(h, 7u);
    }
}

TEST(HandleText, SixtyFourBitAnswers) {
    int64_t v = 0;
    EXPECT_TRUE(ParseInt64Text("8589934593", v));
    EXPECT_EQ(v, 8589934593);
    EXPECT_TRUE(ParseInt64Text(" -5 ", v));
    EXPECT_EQ(v, -5);
    for (const char* bad : {"", "x", "99999999999999999999", "1e3"})
        EXPECT_FALSE(ParseInt64Text(bad, v));
}

TEST(AnimateEffects, WordsSelectFlagsAndHidingAddsTheHideFlag) {
    EXPECT_EQ(AnimationFlags("SlideLeft", true), 0x40002u);
    EXPECT_EQ(AnimationFlags("slideright", true), 0x40001u);
    EXPECT_EQ(AnimationFlags("SLIDETOP", true), 0x40008u);
    EXPECT_EQ(AnimationFlags("SlideDown", true), 0x40004u);
    EXPECT_EQ(AnimationFlags("Center", true), 0x10u);
    EXPECT_EQ(AnimationFlags("fade", false), 0x90000u);
    EXPECT_EQ(AnimationFlags("Spin", true), 0u);
    EXPECT_EQ(AnimationFlags("Spin", false), 0x10000u);
    EXPECT_EQ(ClampAnimationMs(-1), 0);
    EXPECT_EQ(ClampAnimationMs(250), 250);
    EXPECT_EQ(ClampAnimationMs(10001), 10000);
}

// A picture of random colours, few enough that runs of both kinds form.
std::vector<uint32_t> RandomPicture(int32_t height, size_t stride, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(stride * static_cast<size_t>(height));
    for (auto& p : pixels)
        p = (random() % 3 == 0 ? 0x00FF00u : 0x123456u) | (random() & 0xFF000000u);
    // Repeat some rows so that bands form.
    for (int32_t y = 1; y < height; y += 3)
        std::memcpy(&pixels[static_cast<size_t>(y) * stride],
                    &pixels[static_cast<size_t>(y - 1) * stride], stride * 4);
    return pixels;
}

std::vector<int> Coverage(const std::vector<RunRect>& rects, int32_t width, int32_t height) {
    std::vector<int> cover(static_cast<size_t>(width * height));
    for (const RunRect& r : rects)
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x) ++cover[static_cast<size_t>(y * width + x)];
    return cover;
}

TEST(MaskRuns, OpaqueBandsCoverExactlyWhatTheTransparentRunsLeave) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const int32_t width = 1 + static_cast<int32_t>(seed * 7 % 40);
        const int32_t height = 1 + static_cast<int32_t>(seed * 5 % 30);
        const size_t stride = static_cast<size_t>(width) + seed % 3;
        const auto pixels = RandomPicture(height, stride, seed);
        const PixelRows rows{pixels.data(), width, height, stride};

        const auto bands = OpaqueBands(rows, 0xFF00FF00u);  // the top byte is ignored
        const auto holes = TransparentRuns(rows, 0x00FF00u);
        const auto opaque = Coverage(bands, width, height);
        const auto transparent = Coverage(holes, width, height);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                const size_t i = static_cast<size_t>(y * width + x);
                const bool key = (pixels[static_cast<size_t>(y) * stride + static_cast<size_t>(x)] &
                                  0xFFFFFF) == 0x00FF00u;
                ASSERT_EQ(opaque[i], key ? 0 : 1) << seed << " at " << x << "," << y;
                ASSERT_EQ(transparent[i], key ? 1 : 0) << seed << " at " << x << "," << y;
            }
        // Region order: bands top to bottom, left to right, no two equal
        // bands touching.
        for (size_t i = 1; i < bands.size(); ++i) {
            const RunRect& a = bands[i - 1];
            const RunRect& b = bands[i];
            if (a.top == b.top) {
                ASSERT_EQ(a.bottom, b.bottom);
                ASSERT_LT(a.right, b.left);  // maximal runs never touch
            } else {
                ASSERT_LE(a.bottom, b.top);
            }
        }
    }
}

TEST(MaskRuns, UniformPicturesAndEdges) {
    std::vector<uint32_t> pixels(6 * 4, 0xABCDEFu);
    const PixelRows rows{pixels.data(), 6, 4, 6};
    EXPECT_EQ(OpaqueBands(rows, 0), (std::vector<RunRect>{{0, 0, 6, 4}}));
    EXPECT_TRUE(OpaqueBands(rows, 0xABCDEF).empty());
    EXPECT_EQ(TransparentRuns(rows, 0xABCDEF).size(), 4u);
    EXPECT_TRUE(OpaqueBands({nullptr, 6, 4, 6}, 0).empty());
    EXPECT_TRUE(OpaqueBands({pixels.data(), 0, 4, 6}, 0).empty());
    EXPECT_EQ(DibPixelOfColor(0x00112233u), 0x00332211u);
}

// Builders of small .bmp files.
void Put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> 8 * i);
}

std::vector<uint8_t> Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                         uint32_t colors, size_t pixelBytes) {
    const size_t table = bits <= 8 ? (colors ? colors : 1u << bits) * 4 : 0;
    const size_t offset = 14 + 40 + table + (compression == 3 ? 12 : 0);
    std::vector<uint8_t> b(offset + pixelBytes, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<uint32_t>(b.size()), 4);
    Put(b, 10, static_cast<uint32_t>(offset), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<uint32_t>(width), 4);
    Put(b, 22, static_cast<uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, bits, 2);
    Put(b, 30, compression, 4);
    Put(b, 46, colors, 4);
    return b;
}

TEST(BmpLayout, ReadsTheCommonFormats) {
    // 3x2 at 24 bits: rows of 9 bytes padded to 12.
    auto b = Bmp(3, 2, 24, 0, 0, 24);
    auto image = ReadBmpLayout(b.data(), b.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->bitsOffset, 54u);
    EXPECT_EQ(image->bitsSize, 24u);
    EXPECT_EQ(image->info.size(), 40u);

    // Top-down rows keep their negative height in the header.
    b = Bmp(3, -2, 32, 0, 0, 24);
    image = ReadBmpLayout(b.data(), b.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(static_cast<int8_t>(image->info[11]), -1);

    // A palette of 2 used colours out of 256, and colour masks.
    b = Bmp(4, 1, 8, 0, 2, 4);
    b[54] = 0x11;  // first entry's blue
    image = ReadBmpLayout(b.data(), b.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->info.size(), 40u + 8u);
    EXPECT_EQ(image->info[40], 0x11);
    b = Bmp(2, 2, 16, 3, 0, 8);
    image = ReadBmpLayout(b.data(), b.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->info.size(), 52u);

    // Run-length data is taken as far as the file goes.
    b = Bmp(8, 8, 8, 1, 0, 10);
    image = ReadBmpLayout(b.data(), b.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bitsSize, 10u);
}

TEST(BmpLayout, OsTwoHeaderBecomesAWindowsHeader) {
    std::vector<uint8_t> b(14 + 12 + 2 * 3 + 4, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 10, 14 + 12 + 6, 4);
    Put(b, 14, 12, 4);
    Put(b, 18, 2, 2);  // width
    Put(b, 20, 1, 2);  // height
    Put(b, 22, 1, 2);
    Put(b, 24, 1, 2);  // one bit per pixel
    b[26 + 3] = 0xAA;  // second colour's blue
    b[26 + 5] = 0xCC;  // second colour's red
    const auto image = ReadBmpLayout(b.data(), b.size());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->info.size(), 48u);
    EXPECT_EQ(image->info[44], 0xAA);
    EXPECT_EQ(image->info[46], 0xCC);
    EXPECT_EQ(image->info[47], 0);
}

TEST(BmpLayout, RefusesDamagedFiles) {
    const auto good = Bmp(3, 2, 24, 0, 0, 24);
    auto refused = [](std::vector<uint8_t> b) { return !ReadBmpLayout(b.data(), b.size()); };
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.end() - 1)));  // truncated rows
    auto b = good;
    b[0] = 'P';
    EXPECT_TRUE(refused(b));
    b = good;
    Put(b, 14, 0x7FFFFFFF, 4);  // header size past the end
    EXPECT_TRUE(refused(b));
    b = good;
    Put(b, 10, 0xFFFFFFF0, 4);  // pixel offset past the end
    EXPECT_TRUE(refused(b));
    b = good;
    Put(b, 18, 0x7FFFFFFF, 4);  // too wide for the memory a picture may take
    EXPECT_TRUE(refused(b));
    b = good;
    Put(b, 22, 0x80000000u, 4);
    EXPECT_TRUE(refused(b));
    b = good;
    Put(b, 28, 7, 2);  // no such pixel size
    EXPECT_TRUE(refused(b));
    b = good;
    Put(b, 30, 4, 4);  // embedded JPEG
    EXPECT_TRUE(refused(b));
    b = Bmp(8, -8, 8, 1, 0, 10);  // coded pictures cannot be top-down
    EXPECT_TRUE(refused(b));
    b = Bmp(4, 1, 8, 0, 0, 4);
    b.resize(60);  // colour table cut short
    EXPECT_TRUE(refused(b));
}

}  // namespace
}  // namespace kv
