// The actions on any top-level window, on real windows, observed through
// Win32.
#include <windows.h>

#include <algorithm>
#include <cctype>

#include "host_fixture.h"
#include "test_windows.h"

namespace kvtest {
namespace {

enum Action : int32_t {
    kFindWindow = 18,
    kGetWindowHandle,
    kGetWindowTitle,
    kSetWindowTitle,
    kShowWindow,
    kSetWindowPos,
    kSetWindowTransparent,
    kIsWindow,
    kEnableWindow,
    kDisableWindow,
    kGetWindowRectangle,
    kGetForegroundWindow,
    kSetForegroundWindow,
    kGetExeNameByHandle,
    kGetDesktopRectangle,
};

class WindowTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start();
        window_ = MakeTestWindow(Title(), 120, 130, 200, 100);
        ASSERT_TRUE(window_);
        w_ = window_.get();
        h_ = HandleText(w_);
    }
    void TearDown() override {
        window_.reset();
        HostTest::TearDown();
    }
    static std::string Title() {
        return std::string("Kelvane Window ") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }
    bool Run(int32_t action, const std::vector<std::string>& params, int line) {
        const bool result = host_->ExecAction(action, params);
        ExpectCleanCall(line);
        PumpMessages();
        return result;
    }
    std::string Var(const char* name) { return host_->Vars().Get(name); }
    void Set(const char* name, const char* value) { host_->Vars().Set(name, value); }

    kv::win::UniqueWindow window_;
    HWND w_ = nullptr;
    std::string h_;
};

TEST_F(WindowTest, FindWindowByExactTitleAndOptionalClass) {
    EXPECT_TRUE(Run(kFindWindow, {Title(), kTestWindowClass, "[w]"}, __LINE__));
    EXPECT_EQ(Var("[w]"), h_);
    EXPECT_TRUE(Run(kFindWindow, {Title(), "", "[w2]"}, __LINE__));
    EXPECT_EQ(Var("[w2]"), h_);
    // Another class, a part of the title, an empty title: no window.
    for (const auto& [title, cls] : std::vector<std::pair<std::string, std::string>>{
             {Title(), "Button"}, {"Kelvane Window", ""}, {"", kTestWindowClass}}) {
        Set("[w]", "old");
        EXPECT_TRUE(Run(kFindWindow, {title, cls, "[w]"}, __LINE__));
        EXPECT_EQ(Var("[w]"), "0") << title << "/" << cls;
    }
}

TEST_F(WindowTest, HandleByPartOfTheTitleIsCaseSensitive) {
    EXPECT_TRUE(Run(kGetWindowHandle, {"Window HandleByPart", "[w]"}, __LINE__));
    EXPECT_EQ(Var("[w]"), h_);
    EXPECT_TRUE(Run(kGetWindowHandle, {"window handlebypart", "[w]"}, __LINE__));
    EXPECT_EQ(Var("[w]"), "0");
    EXPECT_TRUE(Run(kGetWindowHandle, {"", "[w]"}, __LINE__));
    EXPECT_EQ(Var("[w]"), "0");
}

TEST_F(WindowTest, TitleAndClassAreReadAndSet) {
    EXPECT_TRUE(Run(kGetWindowTitle, {h_, "[class]", "[title]"}, __LINE__));
    EXPECT_EQ(Var("[class]"), kTestWindowClass);
    EXPECT_EQ(Var("[title]"), Title());

    // "$"-hex handles are read too.
    char hex[16];
    wsprintfA(hex, "$%X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(w_)));
    EXPECT_TRUE(Run(kSetWindowTitle, {hex, "Renamed"}, __LINE__));
    EXPECT_TRUE(Run(kSetWindowTitle, {h_, ""}, __LINE__));  // empty: no change
    char title[64] = {};
    GetWindowTextA(w_, title, sizeof title);
    EXPECT_STREQ(title, "Renamed");

    // Long titles are cut to 254 characters, never written past a buffer.
    SetWindowTextA(w_, std::string(400, 'x').c_str());
    EXPECT_TRUE(Run(kGetWindowTitle, {h_, "[class]", "[title]"}, __LINE__));
    EXPECT_EQ(Var("[title]"), std::string(254, 'x'));

    // Handle 0 sets nothing; a dead handle gives empty texts.
    Set("[class]", "old");
    EXPECT_TRUE(Run(kGetWindowTitle, {"0", "[class]", "[title]"}, __LINE__));
    EXPECT_EQ(Var("[class]"), "old");
    EXPECT_TRUE(Run(kGetWindowTitle, {HandleText(DeadWindow()), "[class]", "[title]"}, __LINE__));
    EXPECT_EQ(Var("[class]"), "");
    EXPECT_EQ(Var("[title]"), "");
    EXPECT_FALSE(Run(kGetWindowTitle, {"abc", "[class]", "[title]"}, __LINE__));
    EXPECT_FALSE(Run(kSetWindowTitle, {"1.5", "x"}, __LINE__));
}

TEST_F(WindowTest, ShowWordsDriveTheWindowState) {
    EXPECT_TRUE(Run(kShowWindow, {h_, "maximized"}, __LINE__));
    EXPECT_TRUE(IsZoomed(w_));
    EXPECT_TRUE(Run(kShowWindow, {h_, "Restore"}, __LINE__));
    EXPECT_FALSE(IsZoomed(w_));
    EXPECT_TRUE(Run(kShowWindow, {h_, "MINIMIZED"}, __LINE__));
    EXPECT_TRUE(IsIconic(w_));
    EXPECT_TRUE(Run(kShowWindow, {h_, "Normal"}, __LINE__));
    EXPECT_FALSE(IsIconic(w_));
    EXPECT_TRUE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kShowWindow, {h_, "Hide"}, __LINE__));
    EXPECT_FALSE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kShowWindow, {h_, "ShowNoActive"}, __LINE__));
    EXPECT_TRUE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kShowWindow, {h_, ""}, __LINE__));  // empty: nothing
    EXPECT_TRUE(IsWindowVisible(w_));
    EXPECT_TRUE(Run(kShowWindow, {h_, "Sideways"}, __LINE__));  // unknown: hides
    EXPECT_FALSE(IsWindowVisible(w_));
    EXPECT_FALSE(Run(kShowWindow, {"1x", "Show"}, __LINE__));
    EXPECT_FALSE(IsWindowVisible(w_));

    // The broadcast handle is no window: nothing is closed.
    EXPECT_TRUE(Run(kShowWindow, {"65535", "Close"}, __LINE__));
    EXPECT_TRUE(IsWindow(w_));
    EXPECT_TRUE(Run(kShowWindow, {h_, "close"}, __LINE__));
    EXPECT_FALSE(IsWindow(w_));
    window_.release();
}

TEST_F(WindowTest, PlaceAndSizeTheWindowOrItsClientArea) {
    EXPECT_TRUE(Run(kSetWindowPos, {h_, "50", "60", "300", "250", "", ""}, __LINE__));
    RECT r = WindowRect(w_);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 250);

    // Client size, position left alone.
    EXPECT_TRUE(Run(kSetWindowPos, {h_, "", "", "300", "200", "Normal", "ClientSize"}, __LINE__));
    r = WindowRect(w_);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(ClientSize(w_).cx, 300);
    EXPECT_EQ(ClientSize(w_).cy, 200);

    // Only the left edge: the top stays; unreadable sizes keep the size.
    const LONG width = WindowRect(w_).right - WindowRect(w_).left;
    EXPECT_TRUE(Run(kSetWindowPos, {h_, "70", "", "abc", "100", "", ""}, __LINE__));
    r = WindowRect(w_);
    EXPECT_EQ(r.left, 70);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, width);

    // Topmost on, then off again with any other word.
    EXPECT_TRUE(Run(kSetWindowPos, {h_, "", "", "", "", "alwaysontop", ""}, __LINE__));
    EXPECT_TRUE(GetWindowLongA(w_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(Run(kSetWindowPos, {h_, "", "", "", "", "Normal", ""}, __LINE__));
    EXPECT_FALSE(GetWindowLongA(w_, GWL_EXSTYLE) & WS_EX_TOPMOST);

    EXPECT_TRUE(Run(kSetWindowPos, {"", "1", "1", "", "", "", ""}, __LINE__));
    EXPECT_FALSE(Run(kSetWindowPos, {"0", "1", "1", "", "", "", ""}, __LINE__));
    EXPECT_FALSE(Run(kSetWindowPos, {"zz", "1", "1", "", "", "", ""}, __LINE__));
    EXPECT_EQ(WindowRect(w_).left, 70);
}

TEST_F(WindowTest, TransparencyInPercentOfOpacity) {
    const auto alpha = [&] {
        BYTE a = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        return GetLayeredWindowAttributes(w_, &key, &a, &flags) ? int(a) : -1;
    };
    const auto layered = [&] { return (GetWindowLongA(w_, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; };
    EXPECT_TRUE(Run(kSetWindowTransparent, {h_, "50"}, __LINE__));
    EXPECT_TRUE(layered());
    EXPECT_EQ(alpha(), 127);
    EXPECT_TRUE(Run(kSetWindowTransparent, {h_, "150"}, __LINE__));
    EXPECT_EQ(alpha(), 255);
    EXPECT_TRUE(Run(kSetWindowTransparent, {h_, "-1"}, __LINE__));
    EXPECT_EQ(alpha(), 255);
    EXPECT_TRUE(Run(kSetWindowTransparent, {h_, "0"}, __LINE__));
    EXPECT_EQ(alpha(), 0);
    EXPECT_TRUE(Run(kSetWindowTransparent, {h_, ""}, __LINE__));  // opaque again
    EXPECT_FALSE(layered());
    EXPECT_FALSE(Run(kSetWindowTransparent, {h_, "half"}, __LINE__));
    EXPECT_FALSE(Run(kSetWindowTransparent, {"?", "50"}, __LINE__));
    EXPECT_FALSE(Run(kSetWindowTransparent, {"?", ""}, __LINE__));
    EXPECT_FALSE(layered());
}

TEST_F(WindowTest, StateTestsAndEnabling) {
    const auto test = [&](const char* word) {
        Set("[s]", "old");
        EXPECT_TRUE(Run(kIsWindow, {h_, word, "[s]"}, __LINE__)) << word;
        return Var("[s]");
    };
    EXPECT_EQ(test("Present"), "True");
    EXPECT_EQ(test("visible"), "True");
    EXPECT_EQ(test("Enabled"), "True");
    EXPECT_EQ(test("Maximized"), "False");
    EXPECT_EQ(test("Minimized"), "False");
    EXPECT_EQ(test("Show"), "False");  // not a state test
    EXPECT_EQ(test(""), "False");

    EXPECT_TRUE(Run(kDisableWindow, {h_}, __LINE__));
    EXPECT_FALSE(IsWindowEnabled(w_));
    EXPECT_EQ(test("ENABLED"), "False");
    EXPECT_TRUE(Run(kEnableWindow, {h_}, __LINE__));
    EXPECT_TRUE(IsWindowEnabled(w_));
    EXPECT_TRUE(Run(kEnableWindow, {"0"}, __LINE__));
    EXPECT_FALSE(Run(kDisableWindow, {"x"}, __LINE__));
    EXPECT_FALSE(Run(kEnableWindow, {""}, __LINE__));
    ShowWindow(w_, SW_MAXIMIZE);
    EXPECT_EQ(test("Maximized"), "True");

    // A dead handle leaves the variable alone; an unreadable one says False.
    Set("[s]", "old");
    EXPECT_FALSE(Run(kIsWindow, {HandleText(DeadWindow()), "Present", "[s]"}, __LINE__));
    EXPECT_FALSE(Run(kIsWindow, {"0", "Present", "[s]"}, __LINE__));
    EXPECT_EQ(Var("[s]"), "old");
    EXPECT_FALSE(Run(kIsWindow, {"handle", "Present", "[s]"}, __LINE__));
    EXPECT_EQ(Var("[s]"), "False");

    // A handle with its top bit set, as the plug-in writes it, is read as
    // that handle, not refused as out of range.
    const HWND high = reinterpret_cast<HWND>(uintptr_t{0xFFFFFFF0u});
    Set("[s]", "old");
    EXPECT_EQ(Run(kIsWindow, {"4294967280", "Present", "[s]"}, __LINE__), IsWindow(high) != 0);
    EXPECT_EQ(Var("[s]"), IsWindow(high) ? "True" : "old");
}

TEST_F(WindowTest, RectangleOfTheWindowOrItsClientArea) {
    MoveWindow(w_, -30, -20, 250, 150, TRUE);  // partly off the screen
    const SIZE client = ClientSize(w_);
    EXPECT_TRUE(Run(kGetWindowRectangle, {h_, "[l]", "[t]", "[w]", "[h]", ""}, __LINE__));
    EXPECT_EQ(Var("[l]"), "-30");
    EXPECT_EQ(Var("[t]"), "-20");
    EXPECT_EQ(Var("[w]"), "250");
    EXPECT_EQ(Var("[h]"), "150");
    EXPECT_TRUE(Run(kGetWindowRectangle, {h_, "[l]", "[t]", "[w]", "[h]", "clientsize"}, __LINE__));
    EXPECT_EQ(Var("[l]"), "-30");
    EXPECT_EQ(Var("[w]"), std::to_string(client.cx));
    EXPECT_EQ(Var("[h]"), std::to_string(client.cy));

    Set("[l]", "old");
    EXPECT_TRUE(Run(kGetWindowRectangle, {"", "[l]", "[t]", "[w]", "[h]", ""}, __LINE__));
    for (const std::string& bad : {std::string("0"), std::string("-"), HandleText(DeadWindow())})
        EXPECT_FALSE(Run(kGetWindowRectangle, {bad, "[l]", "[t]", "[w]", "[h]", ""}, __LINE__));
    EXPECT_EQ(Var("[l]"), "old");
}

TEST_F(WindowTest, ForegroundWindowIsReadAndSet) {
    // Tests in other processes may take the foreground at any moment, so
    // a reading counts only when the foreground held still around it.
    EXPECT_TRUE(Run(kSetForegroundWindow, {h_}, __LINE__));
    bool read = false;
    for (int attempt = 0; attempt < 5 && !read; ++attempt) {
        const HWND before = GetForegroundWindow();
        EXPECT_TRUE(Run(kGetForegroundWindow, {"[f]"}, __LINE__));
        if (GetForegroundWindow() != before) continue;
        EXPECT_EQ(Var("[f]"), HandleText(before));
        read = true;
    }
    EXPECT_TRUE(read);
    host_->calls().clear();
    EXPECT_TRUE(Run(kGetForegroundWindow, {""}, __LINE__));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());

    // A refusal is reported with the system's error code.
    EXPECT_FALSE(Run(kSetForegroundWindow, {HandleText(DeadWindow())}, __LINE__));
    EXPECT_EQ(Var("[LastError]"), std::to_string(ERROR_INVALID_WINDOW_HANDLE));
    host_->calls().clear();
    EXPECT_FALSE(Run(kSetForegroundWindow, {"0"}, __LINE__));
    EXPECT_FALSE(Run(kSetForegroundWindow, {"one"}, __LINE__));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
}

TEST_F(WindowTest, ExecutableOfTheWindowsProcess) {
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    EXPECT_TRUE(Run(kGetExeNameByHandle, {h_, "[exe]"}, __LINE__));
    std::string exe = Var("[exe]"), expected = own;
    for (std::string* s : {&exe, &expected})
        std::transform(s->begin(), s->end(), s->begin(), [](char c) { return char(tolower(c)); });
    EXPECT_EQ(exe, expected);

    Set("[exe]", "old");
    EXPECT_TRUE(Run(kGetExeNameByHandle, {HandleText(DeadWindow()), "[exe]"}, __LINE__));
    EXPECT_EQ(Var("[exe]"), "");
    Set("[exe]", "old");
    EXPECT_TRUE(Run(kGetExeNameByHandle, {"what", "[exe]"}, __LINE__));
    EXPECT_EQ(Var("[exe]"), "old");
    host_->calls().clear();
    EXPECT_TRUE(Run(kGetExeNameByHandle, {h_, ""}, __LINE__));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
}

TEST_F(WindowTest, DesktopAreaLeftFreeByTheTaskbar) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const auto area = [&] {
        EXPECT_TRUE(Run(kGetDesktopRectangle, {"[l]", "[t]", "[w]", "[h]"}, __LINE__));
        return Var("[l]") + "," + Var("[t]") + "," + Var("[w]") + "," + Var("[h]");
    };
    const auto text = [](LONG l, LONG t, LONG w, LONG h) {
        return std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(w) + "," +
               std::to_string(h);
    };
    const LONG width = desktop.right - desktop.left;
    const LONG height = desktop.bottom - desktop.top;
    if (FindWindowA("Shell_TrayWnd", "") == nullptr) {
        EXPECT_EQ(area(), text(desktop.left, desktop.top, width, height));
    } else {
        std::puts("this system has a taskbar already: the whole-desktop case is not checked");
    }

    // A taskbar along the bottom edge, in front of every other window.
    auto bar =
        MakeTestWindow("", desktop.left, desktop.bottom - 40, 10, 10, "Shell_TrayWnd", WS_POPUP);
    ASSERT_TRUE(bar);
    SetWindowPos(bar.get(), HWND_TOPMOST, desktop.left, desktop.bottom - 40, width, 40,
                 SWP_NOACTIVATE);
    const HWND found = FindWindowA("Shell_TrayWnd", "");
    const RECT r = WindowRect(found);
    EXPECT_EQ(found, bar.get()) << "another taskbar is in front";
    EXPECT_EQ(area(), text(desktop.left, desktop.top, width, r.top - desktop.top));
}

}  // namespace
}  // namespace kvtest
