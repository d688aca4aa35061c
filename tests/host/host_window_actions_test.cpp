// The actions on the publication's own windows: object windows found
// through the host's variables and requests, on real windows.
#include <windows.h>

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
    kv::win::UniqueRegion Expected(HWND window) {
        const auto pixels = Picture();
        kv::win::UniqueRegion region(CreateRectRgn(0, 0, kWidth, kHeight));
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (pixels[size_t(y * kWidth + x)] == kKey) {
                    kv::win::UniqueRegion dot(CreateRectRgn(x, y, x + 1, y + 1));
                    CombineRgn(region.get(), region.get(), dot.get(), RGN_DIFF);
                }
        const SIZE frame{
            (WindowRect(window).right - WindowRect(window).left) - ClientSize(window).cx,
            (WindowRect(window).bottom - WindowRect(window).top) - ClientSize(window).cy};
        OffsetRgn(region.get(), frame.cx / 2, frame.cy - frame.cx / 2);
        return region;
    }
    bool HasShape(HWND window) {
        kv::win::UniqueRegion actual(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(window, actual.get()) == ERROR) return false;
        return EqualRgn(actual.get(), Expected(window).get()) != 0;
    }
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
