// The tray icon and its balloons through the DLL's exports, against a
// stand-in shell that decodes what shell32 sends.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "desktop_fixture.h"
#include "tray_shell.h"

namespace kvtest {
namespace {

constexpr const char* kScript =
    "Exit\n"
    ":OnLeft\n"
    "SetVar \"[log]\" \"[log]L\"\n"
    "Return\n"
    ":OnRight\n"
    "SetVar \"[log]\" \"[log]R\"\n"
    "Return\n"
    ":OnClick\n"
    "SetVar \"[log]\" \"[log]C\"\n"
    "Return\n"
    ":OnClose\n"
    "SetVar \"[log]\" \"[log]X\"\n"
    "Return\n"
    ":DeleteIt\n"
    "SetVar \"[log]\" \"[log]D\"\n"
    "qvDeleteTrayIcon\n"
    "Return\n"
    ":ReplaceIt\n"
    "SetVar \"[log]\" \"[log]N\"\n"
    "qvTrayIcon \"\" \"new\" \"OnLeft\" \"\"\n"
    "Return\n";

constexpr uint32_t kIconColour = 0x2080C0;

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

class TrayIconTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        ASSERT_TRUE(shell_.FoundFirst()) << "another Shell_TrayWnd answers FindWindow first";
        Start(kScript);
        iconFile_ = TempPath("kelvane_tray.ico");
        ASSERT_TRUE(WriteIconFile(iconFile_, kIconColour));
    }
    void TearDown() override {
        DeleteFileA(iconFile_.c_str());
        DesktopTest::TearDown();
    }
    bool Icon(const std::string& file, const std::string& tip, const char* left = "OnLeft",
              const char* right = "OnRight") {
        return host_->ExecAction(14, {file, tip, left, right});
    }
    bool Balloon(const std::string& title, const std::string& text, const char* icon = "Warning",
                 const char* click = "OnClick", const char* close = "OnClose") {
        return host_->ExecAction(15, {title, text, icon, click, close});
    }
    // Plays shell events and pumps until the log has `expected`.
    void ExpectLog(const std::string& expected, int line) {
        PumpUntil([&] { return host_->Vars().Get("[log]") == expected; }, 3000);
        host_->Wait(50);
        EXPECT_EQ(host_->Vars().Get("[log]"), expected) << "line " << line;
    }

    TrayShell shell_;
    std::string iconFile_;
};

TEST_F(TrayIconTest, IconFromFileWithTipAndClickSubroutines) {
    ASSERT_TRUE(Icon(iconFile_, "Kelvane tip"));
    ASSERT_EQ(shell_.decodeError(), "");
    const ShellIcon* icon = shell_.only();
    ASSERT_NE(icon, nullptr);
    std::printf("shell32 record of %u bytes on this Wine\n", shell_.headerSize());
    EXPECT_EQ(icon->id, 10u);
    EXPECT_EQ(icon->callbackMessage, 10u);
    EXPECT_EQ(icon->tip, "Kelvane tip");
    EXPECT_EQ(icon->width, static_cast<UINT>(GetSystemMetrics(SM_CXICON)));
    if (icon->bpp == 32) {
        EXPECT_EQ(icon->Pixel(icon->width / 2, icon->height / 2), kIconColour);
    } else {
        std::printf("icon bitmap of %u bits a pixel: colour not compared\n", icon->bpp);
    }
    EXPECT_TRUE(IsWindow(icon->owner));

    shell_.Event(WM_LBUTTONUP);
    shell_.Event(WM_RBUTTONUP);
    shell_.Event(WM_LBUTTONDOWN);  // presses and moves run nothing
    shell_.Event(WM_MOUSEMOVE);
    ExpectLog("LR", __LINE__);
    // A double click: two releases around the double-click message.
    for (const UINT event :
         {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONUP}, UINT{WM_LBUTTONDBLCLK}, UINT{WM_LBUTTONUP}})
        shell_.Event(event);
    ExpectLog("LRLL", __LINE__);
}

TEST_F(TrayIconTest, ReplacingLeavesOneIconAndEveryIconIsVisible) {
    ASSERT_TRUE(Icon(iconFile_, "first"));
    const HWND firstOwner = shell_.only()->owner;
    // No such file, and a file that is no icon: the host's or the system's icon.
    ASSERT_TRUE(Icon(TempPath("kelvane_no_such.ico"), "second", "", "OnLeft"));
    ASSERT_NE(shell_.only(), nullptr);
    EXPECT_EQ(shell_.only()->tip, "second");
    EXPECT_GT(shell_.only()->width, 0u);
    EXPECT_FALSE(IsWindow(firstOwner));
    const std::string notIcon = TempPath("kelvane_not_icon.ico");
    HANDLE file =
        CreateFileA(notIcon.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "text", 4, &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(Icon(notIcon, std::string(200, 't')));
    DeleteFileA(notIcon.c_str());
    ASSERT_NE(shell_.only(), nullptr);
    EXPECT_GT(shell_.only()->width, 0u);
    EXPECT_EQ(shell_.only()->tip, std::string(127, 't'));
    for (const ShellRequest& request : shell_.requests()) EXPECT_TRUE(request.answer);

    shell_.Event(WM_RBUTTONUP);
    ExpectLog("R", __LINE__);
}

TEST_F(TrayIconTest, BalloonTextsAreCutAfterLineBreaksAndEventsRunTheirSubroutines) {
    ASSERT_TRUE(Icon(iconFile_, "tip"));
    shell_.requests().clear();
    const std::string text = "one|two" + std::string(300, 'x');
    ASSERT_TRUE(Balloon(std::string(100, 'T'), text, "wARNING"));
    const ShellIcon* icon = shell_.only();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->info, ("one\r\ntwo" + std::string(300, 'x')).substr(0, 255));
    EXPECT_EQ(icon->infoTitle, std::string(63, 'T'));
    EXPECT_EQ(icon->infoFlags, 2u);
    EXPECT_EQ(icon->timeout, 30000u);
    EXPECT_EQ(icon->version, 3u);
    EXPECT_EQ(icon->tip, "tip");
    ASSERT_EQ(shell_.requests().size(), 2u);
    EXPECT_EQ(shell_.requests()[0].message, DWORD{NIM_MODIFY});
    EXPECT_EQ(shell_.requests()[0].flags, UINT{NIF_INFO});
    EXPECT_EQ(shell_.requests()[1].message, DWORD{NIM_SETVERSION});

    shell_.Event(NIN_BALLOONUSERCLICK);
    shell_.Event(NIN_BALLOONTIMEOUT);
    ExpectLog("CX", __LINE__);
    // Another balloon with unknown words and subroutines clears both.
    ASSERT_TRUE(Balloon("t", "x", "Bogus", "NoSuchSub", ""));
    EXPECT_EQ(shell_.only()->infoFlags, 0u);
    ASSERT_TRUE(Balloon("t", "x", "PubIcon", "", ""));
    EXPECT_EQ(shell_.only()->infoFlags, 4u);
    shell_.Event(NIN_BALLOONUSERCLICK);
    shell_.Event(NIN_BALLOONTIMEOUT);
    shell_.Event(WM_LBUTTONUP);
    ExpectLog("CXL", __LINE__);
}

TEST_F(TrayIconTest, BalloonWithoutIconMakesASilentOne) {
    ASSERT_TRUE(Balloon("Title", "Text", "Information"));
    const ShellIcon* icon = shell_.only();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->tip, "");
    EXPECT_GT(icon->width, 0u);
    EXPECT_EQ(icon->info, "Text");
    shell_.Event(WM_LBUTTONUP);
    shell_.Event(WM_RBUTTONUP);
    shell_.Event(NIN_BALLOONUSERCLICK);
    ExpectLog("C", __LINE__);
}

TEST_F(TrayIconTest, BalloonReportsAShellThatRefusesTheVersion) {
    ASSERT_TRUE(Icon(iconFile_, "tip"));
    // The shell restarted and has not heard of the icon yet.
    shell_.Restart();
    EXPECT_FALSE(Balloon("t", "x"));
    ASSERT_TRUE(PumpUntil([&] { return shell_.only() != nullptr; }));
    EXPECT_TRUE(Balloon("t", "x"));
}

TEST_F(TrayIconTest, DeleteAndTheEndOfTheRun) {
    ASSERT_TRUE(host_->ExecAction(16, {}));  // no icon: nothing to do
    EXPECT_TRUE(shell_.requests().empty());
    ASSERT_TRUE(Icon(iconFile_, "tip"));
    const HWND owner = shell_.only()->owner;
    ASSERT_TRUE(host_->ExecAction(16, {}));
    EXPECT_TRUE(shell_.icons().empty());
    EXPECT_FALSE(IsWindow(owner));
    shell_.requests().clear();
    host_->EndRun();
    EXPECT_TRUE(shell_.requests().empty()) << "message 2 after a delete leaves the shell alone";

    ASSERT_TRUE(Balloon("t", "x"));
    ASSERT_EQ(shell_.icons().size(), 1u);
    host_->EndRun();
    EXPECT_TRUE(shell_.icons().empty());
    for (const ShellRequest& request : shell_.requests()) EXPECT_TRUE(request.answer);
}

TEST_F(TrayIconTest, SubroutinesThatDeleteOrReplaceTheirOwnIcon) {
    ASSERT_TRUE(Icon(iconFile_, "tip", "DeleteIt", "ReplaceIt"));
    shell_.Event(WM_RBUTTONUP);
    ExpectLog("N", __LINE__);
    ASSERT_NE(shell_.only(), nullptr);
    EXPECT_EQ(shell_.only()->tip, "new");
    shell_.Event(WM_LBUTTONUP);
    ExpectLog("NL", __LINE__);
    ASSERT_TRUE(Icon(iconFile_, "tip", "DeleteIt", ""));
    shell_.Event(WM_LBUTTONUP);
    shell_.Event(WM_LBUTTONUP);  // to a window that is gone
    ExpectLog("NLD", __LINE__);
    EXPECT_TRUE(shell_.icons().empty());
}

TEST_F(TrayIconTest, AShellRestartGetsTheIconBackWithTipAndVersion) {
    ASSERT_TRUE(Icon(iconFile_, "again"));
    ASSERT_TRUE(Balloon("t", "x"));
    shell_.Restart();
    ASSERT_TRUE(PumpUntil([&] { return shell_.only() != nullptr; }));
    const ShellIcon* icon = shell_.only();
    EXPECT_EQ(icon->tip, "again");
    EXPECT_EQ(icon->version, 3u);
    if (icon->bpp == 32) {
        EXPECT_EQ(icon->Pixel(1, 1), kIconColour);
    }
    shell_.Event(WM_LBUTTONUP);
    ExpectLog("L", __LINE__);
}

TEST_F(TrayIconTest, UnloadingRemovesTheIcon) {
    ASSERT_TRUE(Icon(iconFile_, "tip"));
    host_->Unload();
    EXPECT_TRUE(shell_.icons().empty()) << "no ghost icon after FreeLibrary";
}

TEST_F(TrayIconTest, AThousandCyclesLeaveNoObjectsBehind) {
    ASSERT_TRUE(Icon(iconFile_, "warm-up"));
    ASSERT_TRUE(host_->ExecAction(16, {}));
    const HANDLE process = GetCurrentProcess();
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(Icon(iconFile_, "cycle"));
        ASSERT_TRUE(Balloon("t", "x"));
        ASSERT_TRUE(host_->ExecAction(16, {}));
        host_->calls().clear();
        shell_.requests().clear();
    }
    EXPECT_TRUE(shell_.icons().empty());
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi + 2);
    EXPECT_LE(GetGuiResources(process, GR_USEROBJECTS), user + 2);
}

}  // namespace
}  // namespace kvtest
