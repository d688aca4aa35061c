// The actions on the publication's own windows: object windows found
// through the host's variables and requests, on real windows.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "ansi_text.h"
#include "bmp_files.h"
#include "host_fixture.h"
#include "test_windows.h"

namespace kvtest {
namespace {

enum Action : int32_t {
    kSetCustomWindowPos = 33,
    kShowCustomWindow,
    kIsCustomWindow,
    kEnableCustomWindow,
    kDisableCustomWindow,
    kSetCustomWindowTransparent,
    kAnimateCustomWindow,
    kSetCustomWindowMask,
    kRefreshWindows,
    kShowInRectangle = 55,
};

class HostWindowTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start();
        panel_ = MakeTestWindow("Custom Window", 200, 150, 160, 120);
        ASSERT_TRUE(panel_);
        w_ = panel_.get();
        host_->Vars().Set("[Panel.WinHandle]", HandleText(w_));
        host_->Vars().Set("[Nothing.WinHandle]", "0");
    }
    void TearDown() override {
        panel_.reset();
        if (!folder_.empty()) {
            for (const std::string& f : files_) DeleteFileA(f.c_str());
            RemoveDirectoryA(folder_.c_str());
        }
        HostTest::TearDown();
    }
    bool Run(int32_t action, const std::vector<std::string>& params, int line) {
        host_->calls().clear();
        const bool result = host_->ExecAction(action, params);
        ExpectCleanCall(line);
        PumpMessages();
        return result;
    }
    std::string Var(const char* name) { return host_->Vars().Get(name); }
    bool NothingSet() { return host_->CallsOf("SetVar").empty(); }

    std::string Folder() {
        if (folder_.empty()) {
            char temp[MAX_PATH];
            GetTempPathA(MAX_PATH, temp);
            folder_ = std::string(temp) + "kelvane-mask-" + std::to_string(GetCurrentProcessId());
            CreateDirectoryA(folder_.c_str(), nullptr);
        }
        return folder_;
    }
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = Folder() + "\\" + name;
        WriteFileBytes(path, bytes);
        files_.push_back(path);
        return path;
    }

    kv::win::UniqueWindow panel_;
    HWND w_ = nullptr;
    std::string folder_;
    std::vector<std::string> files_;
};

TEST_F(HostWindowTest, UnknownObjectsStopEveryAction) {
    // An unknown object's handle variable is empty: the lookup fails.
    for (const auto& [action, params] : std::vector<std::pair<int32_t, std::vector<std::string>>>{
             {kSetCustomWindowPos, {"Ghost", "1", "1", "", "", "ScreenPos", "t"}},
             {kShowCustomWindow, {"Ghost", "Hide"}},
             {kEnableCustomWindow, {"Ghost"}},
             {kDisableCustomWindow, {"Ghost"}},
             {kSetCustomWindowTransparent, {"Ghost", "50"}},
             {kAnimateCustomWindow, {"Ghost", "Fade", "10", "False", "False"}},
             {kSetCustomWindowMask, {"none.bmp", "Ghost", "Black"}},
             {kShowInRectangle, {"Ghost", "DeskTop", "1", "1"}},
             {kAnimateCustomWindow, {"", "Fade", "10", "False", "False"}},
             {kIsCustomWindow, {"", "Visible", "[s]"}},
         }) {
        EXPECT_FALSE(Run(action, params, __LINE__)) << action;
        EXPECT_TRUE(NothingSet()) << action;
    }
    EXPECT_FALSE(Run(kIsCustomWindow, {"Ghost", "Visible", "[s]"}, __LINE__));
    EXPECT_EQ(Var("[s]"), "False");
    // An empty name is no object: nothing happens, and these say so.
    EXPECT_TRUE(Run(kSetCustomWindowPos, {"", "1", "1", "", "", "", ""}, __LINE__));
    EXPECT_TRUE(Run(kSetCustomWindowTransparent, {"", "50"}, __LINE__));
    // An object without a window.
    EXPECT_FALSE(Run(kSetCustomWindowPos, {"Nothing", "1", "1", "", "", "", ""}, __LINE__));
    EXPECT_TRUE(Run(kEnableCustomWindow, {"Nothing"}, __LINE__));
    EXPECT_TRUE(Run(kSetCustomWindowTransparent, {"Nothing", "50"}, __LINE__));
    EXPECT_EQ(WindowRect(w_).left, 200);
    EXPECT_TRUE(IsWindowVisible(w_));
}

TEST_F(HostWindowTest, PositionInPublicationOrScreenCoordinates) {
    host_->Vars().Set("[PubLeft]", "100");
    host_->Vars().Set("[PubTop]", "40");
    const SIZE frame{(WindowRect(w_).right - WindowRect(w_).left) - ClientSize(w_).cx,
                     (WindowRect(w_).bottom - WindowRect(w_).top) - ClientSize(w_).cy};
    EXPECT_TRUE(
        Run(kSetCustomWindowPos, {"Panel", "10", "20", "400", "", "PubPos", "Moved"}, __LINE__));
    RECT r = WindowRect(w_);
    EXPECT_EQ(r.left, 110);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 400 + frame.cx);
    EXPECT_EQ(ClientSize(w_).cy, 120);
    char title[32] = {};
    GetWindowTextA(w_, title, sizeof title);
    EXPECT_STREQ(title, "Moved");

    // Unreadable numbers keep the edge; any other frame word is the
    // publication's; an unreadable origin keeps the edge too.
    EXPECT_TRUE(Run(kSetCustomWindowPos, {"panel", "abc", "5", "", "50", "", ""}, __LINE__));
    r = WindowRect(w_);
    EXPECT_EQ(r.left, 110);
    EXPECT_EQ(r.top, 45);
    EXPECT_EQ(ClientSize(w_).cy, 50);
    EXPECT_EQ(ClientSize(w_).cx, 400);
    host_->Vars().Set("[PubTop]", "");
    EXPECT_TRUE(Run(kSetCustomWindowPos, {"Panel", "0", "0", "", "", "Elsewhere", ""}, __LINE__));
    EXPECT_EQ(WindowRect(w_).left, 100);
    EXPECT_EQ(WindowRect(w_).top, 45);

    host_->calls().clear();
    EXPECT_TRUE(Run(kSetCustomWindowPos, {"Panel", "-5", "7", "", "", "screenpos", ""}, __LINE__));
    EXPECT_EQ(WindowRect(w_).left, -5);
    EXPECT_EQ(WindowRect(w_).top, 7);
    EXPECT_EQ(host_->CallsOf("GetVar"), std::vector<std::string>{"[Panel.WinHandle]"});
}

TEST_F(HostWindowTest, ShowTestEnableAndFade) {
    ShowWindow(w_, SW_MAXIMIZE);
    EXPECT_TRUE(Run(kIsCustomWindow, {"Panel", "Maximized", "[s]"}, __LINE__));
    EXPECT_EQ(Var("[s]"), "True");
    EXPECT_TRUE(Run(kShowCustomWindow, {"Panel", "Normal"}, __LINE__));
    EXPECT_FALSE(IsZoomed(w_));
    EXPECT_TRUE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kShowCustomWindow, {"Panel", ""}, __LINE__));
    EXPECT_TRUE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kShowCustomWindow, {"Panel", "Whatever"}, __LINE__));
    EXPECT_FALSE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kIsCustomWindow, {"Panel", "Visible", "[s]"}, __LINE__));
    EXPECT_EQ(Var("[s]"), "False");

    EXPECT_TRUE(Run(kDisableCustomWindow, {"Panel"}, __LINE__));
    EXPECT_FALSE(IsWindowEnabled(w_));
    EXPECT_TRUE(Run(kEnableCustomWindow, {"Panel"}, __LINE__));
    EXPECT_TRUE(IsWindowEnabled(w_));

    EXPECT_TRUE(Run(kSetCustomWindowTransparent, {"Panel", "50"}, __LINE__));
    BYTE alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(w_, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 127);
    EXPECT_TRUE(Run(kSetCustomWindowTransparent, {"Panel", "x"}, __LINE__));  // ignored

    EXPECT_TRUE(Run(kShowCustomWindow, {"Panel", "Close"}, __LINE__));
    EXPECT_FALSE(IsWindow(w_));
    panel_.release();
    host_->Vars().Set("[s]", "old");
    EXPECT_FALSE(Run(kIsCustomWindow, {"Panel", "Present", "[s]"}, __LINE__));
    EXPECT_EQ(Var("[s]"), "old");
}

TEST_F(HostWindowTest, AnimationShowsAndHides) {
    ShowWindow(w_, SW_HIDE);
    EXPECT_TRUE(Run(kAnimateCustomWindow, {"Panel", "SlideLeft", "50", "True", "False"}, __LINE__));
    EXPECT_TRUE(IsWindowVisible(w_));
    // A word outside the list shows nothing, but hides.
    ShowWindow(w_, SW_HIDE);
    EXPECT_TRUE(Run(kAnimateCustomWindow, {"Panel", "Spin", "50", "True", "False"}, __LINE__));
    EXPECT_FALSE(IsWindowVisible(w_));
    ShowWindow(w_, SW_SHOWNA);
    EXPECT_TRUE(Run(kAnimateCustomWindow, {"Panel", "", "50", "False", "False"}, __LINE__));
    EXPECT_TRUE(Run(kAnimateCustomWindow, {"Panel", "Fade", "soon", "False", "False"}, __LINE__));
    EXPECT_TRUE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kAnimateCustomWindow, {"Panel", "Spin", "50", "no", "True"}, __LINE__));
    EXPECT_FALSE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kAnimateCustomWindow, {"Nothing", "Fade", "50", "True", "False"}, __LINE__));
}

TEST_F(HostWindowTest, ShowInRectangleReparentsTheWindow) {
    const HWND main = host_->MainWindow();
    // The host names its rectangle object's window.
    auto frame = MakeTestWindow("Rectangle", 0, 0, 50, 50);
    host_->SetObjectWindow("Rect1", frame.get());
    const SIZE size{WindowRect(w_).right - WindowRect(w_).left,
                    WindowRect(w_).bottom - WindowRect(w_).top};
    EXPECT_TRUE(Run(kShowInRectangle, {"Panel", "Rect1", "5", "6"}, __LINE__));
    EXPECT_EQ(host_->CallsOf("InterfaceAccess"), std::vector<std::string>{"7|Rect1"});
    EXPECT_EQ(GetAncestor(w_, GA_PARENT), frame.get());
    POINT origin{0, 0};
    ClientToScreen(frame.get(), &origin);
    EXPECT_EQ(WindowRect(w_).left, origin.x + 5);
    EXPECT_EQ(WindowRect(w_).top, origin.y + 6);
    EXPECT_EQ(WindowRect(w_).right - WindowRect(w_).left, size.cx);

    EXPECT_TRUE(Run(kShowInRectangle, {"Panel", "mainwindow", "x", "2"}, __LINE__));
    EXPECT_EQ(GetAncestor(w_, GA_PARENT), main);
    origin = {0, 0};
    ClientToScreen(main, &origin);
    EXPECT_EQ(WindowRect(w_).left, origin.x);
    EXPECT_EQ(WindowRect(w_).top, origin.y + 2);

    // Another text leaves the window where it is.
    EXPECT_TRUE(Run(kShowInRectangle, {"Panel", "Nowhere", "9", "9"}, __LINE__));
    EXPECT_EQ(GetAncestor(w_, GA_PARENT), main);

    EXPECT_TRUE(Run(kShowInRectangle, {"Panel", "DeskTop", "300", "310"}, __LINE__));
    EXPECT_EQ(GetAncestor(w_, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(WindowRect(w_).left, 300);
    EXPECT_EQ(WindowRect(w_).top, 310);

    // An unreadable answer from the host falls back to the words.
    host_->SetAnswer(7, "not a handle");
    EXPECT_TRUE(Run(kShowInRectangle, {"Panel", "MainWindow", "1", "1"}, __LINE__));
    EXPECT_EQ(GetAncestor(w_, GA_PARENT), main);
    SetParent(w_, nullptr);
}

// The pixels the system decodes from a .bmp file into a 32-bit top-down
// surface, 0x00RRGGBB, top row first.
std::vector<uint32_t> SystemPixels(const std::string& file, int width, int height) {
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = width;
    target.bmiHeader.biHeight = -height;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    kv::win::UniqueBitmap dib(
        CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0));
    kv::win::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dib || !dc) return {};
    const size_t offset = *reinterpret_cast<const uint32_t*>(file.data() + 10);
    std::vector<uint32_t> info((offset - 14 + 3) / 4);  // aligned, as the system wants it
    memcpy(info.data(), file.data() + 14, offset - 14);
    {
        kv::win::SelectObjectScope select(dc.get(), dib.get());
        if (SetDIBitsToDevice(dc.get(), 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height),
                              file.data() + offset, reinterpret_cast<BITMAPINFO*>(info.data()),
                              DIB_RGB_COLORS) != height)
            return {};
        GdiFlush();
    }
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                                 static_cast<const uint32_t*>(bits) + width * height);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

// Rows of `bits`-bit values (value(x, y), y counted from the top), stored
// bottom-up unless `topDown`, each padded to 4 bytes.
template <typename Value>
std::string Rows(int width, int height, int bits, bool topDown, Value value) {
    const size_t stride = (size_t(width) * size_t(bits) + 31) / 32 * 4;
    std::string rows(stride * size_t(height), '\0');
    for (int y = 0; y < height; ++y) {
        char* row = &rows[stride * size_t(topDown ? y : height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            const uint32_t v = value(x, y);
            if (bits < 8) {
                const int bit = x * bits;
                row[bit / 8] = char(uint8_t(row[bit / 8]) | v << (8 - bits - bit % 8));
            } else {
                for (int i = 0; i < bits / 8; ++i) row[x * bits / 8 + i] = char(v >> 8 * i);
            }
        }
    }
    return rows;
}

// The mask of a picture: the shape is checked against a region made the
// slow way, pixel run by pixel run, and placed over the client area.
class MaskTest : public HostWindowTest {
protected:
    static constexpr int kWidth = 40, kHeight = 30;
    static constexpr uint32_t kKey = 0xFF00FF;  // magenta, 0x00RRGGBB

    static std::vector<uint32_t> Picture() {
        std::vector<uint32_t> pixels(kWidth * kHeight, 0x336699);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if ((x - 20) * (x - 20) + (y - 15) * (y - 15) > 150 || (x % 7 == 3 && y > 20))
                    pixels[size_t(y * kWidth + x)] = kKey;
        return pixels;
    }
    // The picture's shape without the pixels of `key`, over the client area.
    static kv::win::UniqueRegion Expected(HWND window, const std::vector<uint32_t>& pixels,
                                          int width, int height, uint32_t key) {
        kv::win::UniqueRegion region(CreateRectRgn(0, 0, width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (pixels[size_t(y * width + x)] == key) {
                    kv::win::UniqueRegion dot(CreateRectRgn(x, y, x + 1, y + 1));
                    CombineRgn(region.get(), region.get(), dot.get(), RGN_DIFF);
                }
        const SIZE frame{
            (WindowRect(window).right - WindowRect(window).left) - ClientSize(window).cx,
            (WindowRect(window).bottom - WindowRect(window).top) - ClientSize(window).cy};
        OffsetRgn(region.get(), frame.cx / 2, frame.cy - frame.cx / 2);
        return region;
    }
    static bool HasShape(HWND window, const std::vector<uint32_t>& pixels, int width, int height,
                         uint32_t key) {
        kv::win::UniqueRegion actual(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(window, actual.get()) == ERROR) return false;
        return EqualRgn(actual.get(), Expected(window, pixels, width, height, key).get()) != 0;
    }
    static bool HasShape(HWND window) { return HasShape(window, Picture(), kWidth, kHeight, kKey); }
    std::string LastError() { return host_->Vars().Get("[LastError]"); }
};

TEST_F(MaskTest, PictureFromDiskShapesTheObjectWindow) {
    const std::string path = File("mask.bmp", Bmp24(kWidth, kHeight, Picture()));
    EXPECT_TRUE(Run(kSetCustomWindowMask, {path, "Panel", "Fuchsia"}, __LINE__));
    EXPECT_TRUE(HasShape(w_));
    EXPECT_TRUE(NothingSet());
    // The other colour texts name the same colour.
    SetWindowRgn(w_, nullptr, TRUE);
    EXPECT_TRUE(Run(kSetCustomWindowMask, {path, "Panel", "#FF00FF"}, __LINE__));
    EXPECT_TRUE(HasShape(w_));

    // Every format the system decodes rightly gives the shape the system's
    // own pixels give, for each colour in turn as the transparent one: the
    // pixels agree one by one. 13 wide: rows end inside a byte and padded.
    constexpr int w = 13, h = 7;
    const auto pick = [](int x, int y) { return uint32_t(x * 3 + y * 5 + x * y) % 4; };
    const std::vector<uint32_t> four = {0x336699, 0xFF00FF, 0x000000, 0xF0E0D0};
    const auto from = [&](std::vector<uint32_t> values) {
        return [=](int x, int y) { return values[pick(x, y)]; };
    };
    const auto top = [&](std::vector<uint32_t> values) {  // a fourth byte the file ignores
        return [=](int x, int y) { return values[pick(x, y)] | uint32_t(x + y) << 24; };
    };
    const std::vector<uint32_t> f555 = {0x7FFF, 0x0421, 0x4210, 0x03E0};
    const std::vector<uint32_t> f565 = {0xFFFF, 0x0821, 0xF800, 0x07E0};
    const std::vector<uint32_t> f101010 = {0x3FFFFFFF, 0x20080200, 0x3FF00000, 0x000FFC00};
    std::vector<uint32_t> sixteen;
    for (uint32_t i = 0; i < 16; ++i) sixteen.push_back(i * 0x100F11);
    const std::vector<std::pair<const char*, std::string>> files = {
        {"1 bit", BmpFile(w, h, 1, BI_RGB, {0x336699, 0xFF00FF},
                          Rows(w, h, 1, false, [&](int x, int y) { return pick(x, y) % 2; }))},
        {"4 bits", BmpFile(w, h, 4, BI_RGB, four, Rows(w, h, 4, false, pick))},
        {"8 bits", BmpFile(w, h, 8, BI_RGB, four, Rows(w, h, 8, false, pick))},
        {"8 bits top-down", BmpFile(w, -h, 8, BI_RGB, four, Rows(w, h, 8, true, pick))},
        {"8 bits, 124-byte header",
         BmpFile(w, h, 8, BI_RGB, four, Rows(w, h, 8, false, pick), 124)},
        {"OS/2 4 bits",
         BmpFile(w, h, 4, BI_RGB, sixteen,
                 Rows(w, h, 4, false, [&](int x, int y) { return pick(x, y) * 5; }), 12)},
        {"16 bits", BmpFile(w, h, 16, BI_RGB, {}, Rows(w, h, 16, false, from(f555)))},
        {"16 bits 5-6-5", BmpFile(w, h, 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F},
                                  Rows(w, h, 16, false, from(f565)))},
        {"16 bits 5-6-5, 108-byte header",
         BmpFile(w, -h, 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F},
                 Rows(w, h, 16, true, from(f565)), 108)},
        {"24 bits", BmpFile(w, h, 24, BI_RGB, {}, Rows(w, h, 24, false, from(four)))},
        {"32 bits", BmpFile(w, h, 32, BI_RGB, {}, Rows(w, h, 32, false, top(four)))},
        {"32 bits 10-10-10", BmpFile(w, h, 32, BI_BITFIELDS, {0x3FF00000, 0x000FFC00, 0x000003FF},
                                     Rows(w, h, 32, false, from(f101010)))},
    };
    for (const auto& [format, bytes] : files) {
        const std::vector<uint32_t> expected = SystemPixels(bytes, w, h);
        ASSERT_EQ(expected.size(), size_t(w * h)) << format;
        const std::string file = File("format.bmp", bytes);
        std::vector<uint32_t> colors(expected);
        std::sort(colors.begin(), colors.end());
        colors.erase(std::unique(colors.begin(), colors.end()), colors.end());
        for (uint32_t key : colors) {
            const std::string text = std::to_string(key >> 16) + "," +
                                     std::to_string(key >> 8 & 0xFF) + "," +
                                     std::to_string(key & 0xFF);
            EXPECT_TRUE(Run(kSetCustomWindowMask, {file, "Panel", text}, __LINE__)) << format;
            EXPECT_TRUE(HasShape(w_, expected, w, h, key)) << format << " without " << text;
        }
    }
}

TEST_F(MaskTest, EmbeddedPictureShapesTheMainWindowNamedInAnyCase) {
    File("kelvane-embedded-mask.bmp", Bmp24(kWidth, kHeight, Picture()));
    host_->SetFilesFolder(Folder());
    EXPECT_TRUE(Run(kSetCustomWindowMask, {"kelvane-embedded-mask.bmp", "mainWINDOW", "255,0,255"},
                    __LINE__));
    EXPECT_EQ(host_->CallsOf("StreamAccess"),
              std::vector<std::string>{"kelvane-embedded-mask.bmp"});
    EXPECT_TRUE(HasShape(host_->MainWindow()));
}

TEST_F(MaskTest, FailuresAreReportedAndLeaveTheWindowUnshaped) {
    constexpr auto failed = kv::AnsiText("Ошибка наложения маски");
    EXPECT_EQ(std::string(failed.c_str()),
              "\xCE\xF8\xE8\xE1\xEA\xE0 \xED\xE0\xEB\xEE\xE6\xE5\xED\xE8\xFF "
              "\xEC\xE0\xF1\xEA\xE8");
    const std::string good = File("good.bmp", Bmp24(kWidth, kHeight, Picture()));
    const auto unshaped = [&] {
        kv::win::UniqueRegion r(CreateRectRgn(0, 0, 0, 0));
        return GetWindowRgn(w_, r.get()) == ERROR;
    };

    // No such picture on disk or in the publication; not a colour.
    EXPECT_FALSE(Run(kSetCustomWindowMask, {Folder() + "\\none.bmp", "Panel", "Black"}, __LINE__));
    EXPECT_EQ(LastError(), failed.c_str());
    host_->Vars().Set("[LastError]", "");
    EXPECT_FALSE(Run(kSetCustomWindowMask, {good, "Panel", "Transparentish"}, __LINE__));
    EXPECT_EQ(LastError(), failed.c_str());

    // A file that is no bitmap, or a damaged one, is reported, not decoded.
    std::string damaged = Bmp24(kWidth, kHeight, Picture());
    damaged.resize(damaged.size() / 2);
    for (const std::string& bytes : {std::string("GIF89a not a bitmap"), damaged, std::string()}) {
        host_->Vars().Set("[LastError]", "");
        EXPECT_FALSE(
            Run(kSetCustomWindowMask, {File("bad.bmp", bytes), "Panel", "Black"}, __LINE__));
        EXPECT_EQ(LastError(), "Bitmap image is not valid");
    }
    EXPECT_TRUE(unshaped());

    // Damaged files the system would draw anyway are refused too, and the
    // shape the window has stays.
    EXPECT_TRUE(Run(kSetCustomWindowMask, {good, "Panel", "Fuchsia"}, __LINE__));
    ASSERT_TRUE(HasShape(w_));
    const std::vector<uint32_t> four = {0x336699, 0xFF00FF, 0x000000, 0xF0E0D0};
    const std::string rows =
        Rows(13, 7, 8, false, [](int x, int y) { return uint32_t(x + y) % 4; });
    std::string overlapped = BmpFile(13, 7, 8, BI_RGB, four, rows + std::string(1200, '\0'));
    overlapped[46] = 0;  // 256 colours: the pixels start inside the table
    std::string topBit = BmpFile(13, 7, 8, BI_RGB, four, rows);
    topBit[49] = char(0x80);  // 0x80000004 colours
    const auto rle = [&](const std::string& data) {
        return BmpFile(13, 7, 8, BI_RLE8, four, data);
    };
    for (const std::string& bytes : {
             overlapped,
             topBit,
             BmpFile(13, 7, 1, BI_RGB, {0, 0xFFFFFF, 0xFF},
                     Rows(13, 7, 1, false, [](int, int) { return 1u; })),  // 3 colours of 1 bit
             BmpFile(13, 7, 8, BI_RGB, {0, 0xFFFFFF}, rows),               // an index past them
             rle(std::string("\x0D\x01\x00\x00\x0D\x02", 6)),              // no end of bitmap
             rle(std::string("\x00\x05\x01\x02\x03", 5)),                  // an absolute run cut
             rle(std::string("\x0D\x01\x0D\x02\x00\x01", 6)),              // no end of line
             rle(std::string("\x0E\x01\x00\x01", 4)),                      // a run past the row
             rle(std::string("\x00\x02\x00\x07\x00\x01", 6)),              // a delta out of it
             BmpFile(13, 7, 16, BI_BITFIELDS, {0xF800, 0x0FE0, 0x001F},    // masks that overlap
                     Rows(13, 7, 16, false, [](int, int) { return 0u; })),
         }) {
        host_->Vars().Set("[LastError]", "");
        EXPECT_FALSE(
            Run(kSetCustomWindowMask, {File("bad.bmp", bytes), "Panel", "Black"}, __LINE__));
        EXPECT_EQ(LastError(), "Bitmap image is not valid");
        EXPECT_TRUE(HasShape(w_));
    }

    // No window to shape: false, and nothing said.
    host_->Vars().Set("[LastError]", "");
    EXPECT_FALSE(Run(kSetCustomWindowMask, {good, "Nothing", "Black"}, __LINE__));
    EXPECT_EQ(LastError(), "");
}

TEST_F(HostTest, RefreshRepaintsOnlyAfterTheStartMessage) {
    kvhost::StartOptions options;
    options.sendStartMessage = false;
    Start("", options);
    auto window = MakeTestWindow("Refresh", 10, 10, 60, 40);
    // Whether the action left the window waiting for a repaint. Tests in
    // other processes may repaint every window too, so a repaint counts as
    // missing when one attempt of a few sees none.
    const auto repaints = [&] {
        bool seen = true;
        for (int attempt = 0; attempt < 5 && seen; ++attempt) {
            UpdateWindow(window.get());
            ValidateRect(window.get(), nullptr);
            EXPECT_TRUE(host_->ExecAction(kRefreshWindows, {}));
            seen = GetUpdateRect(window.get(), nullptr, FALSE) != 0;
        }
        return seen;
    };
    EXPECT_FALSE(repaints());
    host_->SendMessage(1);
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    EXPECT_EQ(repaints(), version.dwMajorVersion > 5);
}

}  // namespace
}  // namespace kvtest
