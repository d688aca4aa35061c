// The mouse monitor driven by real input through the DLL's exports.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "desktop_fixture.h"

namespace kvtest {
namespace {

using kvhost::MouseButton;
using kvhost::SendMouseButton;
using kvhost::SendMouseClick;
using kvhost::SendMouseMove;
using kvhost::SendMouseWheel;

constexpr const char* kScript =
    "Exit\n"
    ":OnMouse\n"
    "SetVar \"[log]\" \"[log]<[qvMouseCode]>\"\n"
    "Return\n"
    ":Other\n"
    "SetVar \"[other]\" \"[other]<[qvMouseCode]>\"\n"
    "Return\n"
    ":Pump\n"
    "SetVar \"[log]\" \"[log]<[qvMouseCode]\"\n"
    "Wait \"200\"\n"
    "SetVar \"[log]\" \"[log]>\"\n"
    "Return\n"
    ":StopIt\n"
    "SetVar \"[log]\" \"[log]<[qvMouseCode]>\"\n"
    "qvDelMouseMonitor\n"
    "Return\n"
    ":Restart\n"
    "SetVar \"[log]\" \"[log]<[qvMouseCode]>\"\n"
    "qvSetMouseMonitor \"Local\" \"Other\" \"True\"\n"
    "Return\n";

const std::string kGoSub = "GoSub \"OnMouse\"";

// Monitor variables the host holds after a Stop: all seven empty.
constexpr const char* kMonitorVariables[] = {
    "[qvMouseCode]",         "[qvMouseMonitorID]",   "[qvMouseX]",  "[qvMouseY]",
    "[qvMouseWindowHandle]", "[qvMouseWindowTitle]", "[qvMWHDelta]"};

class MouseMonitorTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        Start(kScript);
    }
    // Clicks inside the target, a few pixels apart each time so no two
    // clicks make a double-click.
    POINT NextPoint() {
        step_ = (step_ + 1) % 20;
        return {230 + step_ * 6, 240 + (step_ % 3) * 5};
    }
    void Click(MouseButton button = MouseButton::Left) {
        const POINT p = NextPoint();
        ASSERT_TRUE(SendMouseClick(p.x, p.y, button));
    }
    void Monitor(const char* mode, const char* sub = "OnMouse", const char* run = "True") {
        ASSERT_TRUE(host_->ExecAction(2, {mode, sub, run}));
        host_->calls().clear();
    }

    TargetWindow target_{200, 200, 200, 150, "Kelvane target"};
    int step_ = 0;
};

TEST_F(MouseMonitorTest, LocalButtonsRunTheCodeLineThenTheSubroutine) {
    Monitor("Local");
    const std::string id = host_->Vars().Get("[qvMouseMonitorID]");
    EXPECT_NE(id, "");
    EXPECT_NE(id, "0");

    Click();
    Click(MouseButton::Right);
    Click(MouseButton::Middle);
    EXPECT_EQ(PumpForLines(12), (Lines{CodeLine("qvLBD"), kGoSub, CodeLine("qvLBU"), kGoSub,
                                       CodeLine("qvRBD"), kGoSub, CodeLine("qvRBU"), kGoSub,
                                       CodeLine("qvMBD"), kGoSub, CodeLine("qvMBU"), kGoSub}));
    EXPECT_EQ(host_->Vars().Get("[log]"), "<qvLBD><qvLBU><qvRBD><qvRBU><qvMBD><qvMBU>");
    EXPECT_EQ(target_.presses(), 1);  // the monitor only watches

    // Without PlayAction only the code line runs.
    EXPECT_TRUE(host_->ExecAction(3, {"playaction", "False"}));
    host_->calls().clear();
    Click();
    EXPECT_EQ(PumpForLines(2), (Lines{CodeLine("qvLBD"), CodeLine("qvLBU")}));
}

TEST_F(MouseMonitorTest, SettingsAnswerFalseOnlyForAnEmptyWordOrAFlagThatIsNoBoolean) {
    // Without a monitor the settings do nothing, and say true.
    EXPECT_TRUE(host_->ExecAction(3, {"GetInfo", "False"}));
    EXPECT_TRUE(host_->ExecAction(3, {"Unknown", "True"}));
    EXPECT_FALSE(host_->ExecAction(3, {"", "True"}));
    EXPECT_FALSE(host_->ExecAction(3, {"PlayAction", "1"}));
    EXPECT_FALSE(host_->ExecAction(3, {"PlayAction", ""}));
    // An empty mode word starts nothing.
    EXPECT_TRUE(host_->ExecAction(2, {"", "OnMouse", "True"}));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
    EXPECT_TRUE(host_->ExecAction(4, {}));

    // A misspelt word is local mode; an unknown subroutine runs nothing.
    Monitor("Globl", "NoSuchSub", "True");
    Click();
    EXPECT_EQ(PumpForLines(2), (Lines{CodeLine("qvLBD"), CodeLine("qvLBU")}));
}

TEST_F(MouseMonitorTest, WheelNotchesReachTheVariableBeforeTheCodeLineInLocalModeOnly) {
    Monitor("Local", "OnMouse", "False");
    const POINT p = NextPoint();
    ASSERT_TRUE(SendMouseMove(p.x, p.y));
    ASSERT_TRUE(SendMouseWheel(-1));
    ASSERT_TRUE(SendMouseWheel(2));
    PumpForLines(2);
    Lines calls;
    for (const auto& call : host_->calls())
        if (call.callback == "ScriptProcessor" || call.args.at(0) == "[qvMWHDelta]")
            calls.push_back(call.args.size() > 1 ? call.args[0] + "=" + call.args[1]
                                                 : call.args[0]);
    EXPECT_EQ(calls,
              (Lines{"[qvMWHDelta]=-1", CodeLine("qvMWH"), "[qvMWHDelta]=2", CodeLine("qvMWH")}));

    Monitor("global", "OnMouse", "False");
    ASSERT_TRUE(SendMouseWheel(-1));
    EXPECT_EQ(PumpForLines(1), Lines{CodeLine("qvMWH")});
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
}

TEST_F(MouseMonitorTest, PositionIsReportedOnlyWhileAsked) {
    Monitor("Local");
    for (int i = 0; i < 3; ++i) {
        const POINT p = NextPoint();
        ASSERT_TRUE(SendMouseMove(p.x, p.y));
    }
    host_->Wait(200);
    EXPECT_TRUE(host_->calls().empty());

    EXPECT_TRUE(host_->ExecAction(3, {"GetInfo", "true"}));
    ASSERT_TRUE(SendMouseMove(251, 262));
    ASSERT_TRUE(PumpUntil([&] { return host_->Vars().Get("[qvMouseWindowTitle]") != ""; }));
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(host_->Vars().Get("[qvMouseX]"), std::to_string(cursor.x));
    EXPECT_EQ(host_->Vars().Get("[qvMouseY]"), std::to_string(cursor.y));
    EXPECT_EQ(host_->Vars().Get("[qvMouseWindowHandle]"),
              std::to_string(reinterpret_cast<uintptr_t>(target_.get())));
    EXPECT_EQ(host_->Vars().Get("[qvMouseWindowTitle]"), "Kelvane target");
    EXPECT_TRUE(ScriptLines().empty());  // moves never run the subroutine

    host_->calls().clear();
    EXPECT_TRUE(host_->ExecAction(3, {"GetInfo", "False"}));
    EXPECT_EQ(host_->CallsOf("SetVar"), (Lines{"[qvMouseWindowHandle]|", "[qvMouseX]|",
                                               "[qvMouseY]|", "[qvMouseWindowTitle]|"}));
    ASSERT_TRUE(SendMouseMove(260, 262));
    host_->Wait(150);
    EXPECT_EQ(host_->Vars().Get("[qvMouseX]"), "");
}

TEST_F(MouseMonitorTest, OnlyGlobalModeSeesAnotherThreadsWindow) {
    // A window of a second thread stands for another program's window.
    std::atomic<HWND> other{nullptr};
    std::atomic<bool> quit{false};
    const HDESK desktop = GetThreadDesktop(GetCurrentThreadId());
    std::thread owner([&] {
        // On this thread's desktop: a new thread starts on the program's.
        SetThreadDesktop(desktop);
        TargetWindow window(450, 200, 150, 150, "other thread");
        other = window.get();
        while (!quit) kvhost::PumpMessages(10);
    });
    while (other.load() == nullptr) Sleep(5);
    kvhost::PumpMessages(100);

    Monitor("Local");
    EXPECT_TRUE(SendMouseClick(500, 260));
    host_->Wait(300);
    EXPECT_TRUE(ScriptLines().empty());

    Monitor("GLOBAL");
    EXPECT_TRUE(SendMouseClick(507, 266));
    EXPECT_EQ(PumpForLines(4), (Lines{CodeLine("qvLBD"), kGoSub, CodeLine("qvLBU"), kGoSub}));
    quit = true;
    owner.join();
}

TEST_F(MouseMonitorTest, DoubleClickPressIsReportedAsAPress) {
    TargetWindow dbl(200, 400, 150, 100, "double", true);
    Monitor("Local", "OnMouse", "False");
    ASSERT_TRUE(SendMouseClick(260, 450));
    ASSERT_TRUE(SendMouseClick(260, 450));
    EXPECT_EQ(PumpForLines(4),
              (Lines{CodeLine("qvLBD"), CodeLine("qvLBU"), CodeLine("qvLBD"), CodeLine("qvLBU")}));
}

TEST_F(MouseMonitorTest, HostThatPeeksBeforeTakingSeesEachEventOnce) {
    Monitor("Local", "OnMouse", "False");
    Click();
    Click(MouseButton::Right);
    // Each message is looked at first, then that same message taken.
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 600) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            Sleep(5);
            continue;
        }
        const UINT peeked = msg.message;
        if (PeekMessageA(&msg, nullptr, peeked, peeked, PM_REMOVE)) DispatchMessageA(&msg);
    }
    EXPECT_EQ(ScriptLines(),
              (Lines{CodeLine("qvLBD"), CodeLine("qvLBU"), CodeLine("qvRBD"), CodeLine("qvRBU")}));
}

TEST_F(MouseMonitorTest, SubroutineThatPumpsGetsNestedEventsInOrder) {
    Monitor("Local", "Pump", "True");
    Click();  // both notices queue before the first is handled
    PumpForLines(4, 400);
    EXPECT_EQ(host_->Vars().Get("[log]"), "<qvLBD<qvLBU>>");
}

TEST_F(MouseMonitorTest, SubroutineThatStopsTheMonitorEndsItsLines) {
    Monitor("Local", "StopIt", "True");
    Click();
    const Lines lines = PumpForLines(2, 300);
    EXPECT_EQ(lines, (Lines{CodeLine("qvLBD"), "GoSub \"StopIt\""}));
    EXPECT_EQ(host_->Vars().Get("[log]"), "<qvLBD>");
    for (const char* name : kMonitorVariables) EXPECT_EQ(host_->Vars().Get(name), "") << name;
}

TEST_F(MouseMonitorTest, SubroutineThatRestartsTheMonitorHandsOverCleanly) {
    Monitor("Local", "Restart", "True");
    Click();
    PumpForLines(2, 300);
    // The press restarted the monitor: the release, whichever hook saw it,
    // belongs to the new one.
    EXPECT_EQ(host_->Vars().Get("[log]"), "<qvLBD>");
    host_->Vars().Set("[other]", "");
    Click();
    ASSERT_TRUE(PumpUntil([&] { return host_->Vars().Get("[other]").size() >= 14; }));
    host_->Wait(150);
    EXPECT_EQ(host_->Vars().Get("[other]"), "<qvLBD><qvLBU>");
    EXPECT_EQ(host_->Vars().Get("[log]"), "<qvLBD>");
}

TEST_F(MouseMonitorTest, NoticesAlreadyPostedDieWithTheMonitor) {
    Monitor("Local");
    Click();
    Click();
    // Let the hook post its notices without handling them yet.
    MSG msg;
    for (int i = 0; i < 50; ++i) {
        while (PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(2);
    }
    EXPECT_TRUE(ScriptLines().empty());
    EXPECT_TRUE(host_->ExecAction(4, {}));
    host_->Wait(200);
    EXPECT_TRUE(ScriptLines().empty());
}

TEST_F(MouseMonitorTest, EndOfRunLeavesTheMonitorRunning) {
    Monitor("Local");
    host_->EndRun();
    Click();
    EXPECT_EQ(PumpForLines(4).size(), 4u);
}

TEST_F(MouseMonitorTest, GlobalModeNeverStallsInputWhileTheHostIsBusy) {
    Monitor("Global", "OnMouse", "False");
    // Another thread clicks while this one, the host's, takes no message.
    // The system waits for a low-level hook's answer before it lets an
    // event go on: with the hook on this thread every click would wait for
    // the time-out, and the hook would miss it.
    const HDESK desktop = GetThreadDesktop(GetCurrentThreadId());
    const HANDLE sent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD slowest = 0;
    std::thread other([&] {
        SetThreadDesktop(desktop);
        int x = 240;
        for (const MouseButton button :
             {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
            const DWORD start = GetTickCount();
            SendMouseClick(x += 20, 260, button);
            slowest = std::max(slowest, GetTickCount() - start);
        }
        SetEvent(sent);
    });
    const DWORD waited = WaitForSingleObject(sent, 3000);
    other.join();
    CloseHandle(sent);
    EXPECT_EQ(waited, WAIT_OBJECT_0) << "the clicks waited for the busy host";
    EXPECT_LT(slowest, 1000u);
    // Every event comes afterwards, in order.
    EXPECT_EQ(PumpForLines(6), (Lines{CodeLine("qvLBD"), CodeLine("qvLBU"), CodeLine("qvRBD"),
                                      CodeLine("qvRBU"), CodeLine("qvMBD"), CodeLine("qvMBU")}));
}

TEST_F(MouseMonitorTest, FailedStartStaysInactiveAndStopStillEmptiesTheVariables) {
    // A host that never gave its window: the local hook has no thread.
    host_ = std::make_unique<kvhost::TestHost>();
    std::string error;
    ASSERT_TRUE(host_->Load(PluginPath(), error)) << error;
    ASSERT_TRUE(host_->LoadScript(kScript, error));
    host_->RegisterPlugIn();
    host_->RegisterScriptProcessor();
    host_->RegisterInterfaceAccess();
    for (const char* name : kMonitorVariables) host_->Vars().Set(name, "x");
    host_->calls().clear();
    EXPECT_TRUE(host_->ExecAction(2, {"Local", "OnMouse", "True"}));
    EXPECT_EQ(host_->Vars().Get("[qvMouseMonitorID]"), "x");
    Click();
    host_->Wait(200);
    EXPECT_TRUE(ScriptLines().empty());
    EXPECT_TRUE(host_->ExecAction(4, {}));
    for (const char* name : kMonitorVariables) EXPECT_EQ(host_->Vars().Get(name), "") << name;
}

BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(MouseMonitorTest, StartAndStopCyclesLeaveNoWindowsOrObjectsBehind) {
    const int windows = ThreadWindowCount();
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(host_->ExecAction(2, {i % 2 ? "Global" : "Local", "OnMouse", "True"}));
        if (i % 2) {
            EXPECT_GE(ThreadWindowCount(), windows + 1);
        }
        ASSERT_TRUE(host_->ExecAction(4, {}));
    }
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
}

TEST_F(MouseMonitorTest, UnloadingWithAMonitorRunningLeavesTheHostTakingInput) {
    Monitor("Global");
    ASSERT_NE(FindWindowA("TPUtilWindow", nullptr), nullptr);
    host_.reset();  // frees the library, whose hook thread ends first
    EXPECT_EQ(FindWindowA("TPUtilWindow", nullptr), nullptr);
    WNDCLASSA info{};
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA("Kelvane.dll"), "TPUtilWindow", &info));
    EXPECT_EQ(GetModuleHandleA("Kelvane.dll"), nullptr);
    // Input after the unload reaches the host's windows; a hook left behind
    // would call into unmapped code.
    Click();
    kvhost::PumpMessages(1300);  // past the moment the re-arm would have come
    EXPECT_EQ(target_.presses(), 1);
    host_ = std::make_unique<kvhost::TestHost>();  // for TearDown
}

}  // namespace
}  // namespace kvtest
