// Handle texts, animation words and mask shapes: the portable parts of the
// window actions.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "animate_effects.h"
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

}  // namespace
}  // namespace kv
