// Message windows and simple timers, linked directly and run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "message_window.h"
#include "simple_timer.h"

namespace kv {
namespace {

void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    MSG msg;
    while (static_cast<int32_t>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

class Recorder final : public MessageHandler {
public:
    void HandleMessage(HWND window, MessageRecord& message) override {
        if (message.Msg == WM_APP) {
            seen.push_back(message);
            message.Result = 42;
            return;
        }
        if (message.Msg == WM_APP + 1) throw std::runtime_error("handler failed");
        DefaultMessage(window, message);
    }
    std::vector<MessageRecord> seen;
};

TEST(MessageWindow, HiddenToolWindowOfItsOwnClassHandsEveryMessageToItsHandler) {
    Recorder recorder;
    const HWND window = AllocateMessageWindow(recorder);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(LiveMessageWindows(), 1);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, "TPUtilWindow");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_POPUP, DWORD{WS_POPUP});
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & WS_EX_TOOLWINDOW,
              DWORD{WS_EX_TOOLWINDOW});
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetWindowTextLengthA(window), 0);

    EXPECT_EQ(SendMessageA(window, WM_APP, 7, -3), 42);
    ASSERT_TRUE(PostMessageA(window, WM_APP, 8, 9));
    Pump(50);
    ASSERT_EQ(recorder.seen.size(), 2u);
    EXPECT_EQ(recorder.seen[0].WParam, 7u);
    EXPECT_EQ(recorder.seen[0].LParam, -3);
    EXPECT_EQ(recorder.seen[1].WParam, 8u);
    EXPECT_EQ(recorder.seen[0].Result, 0);  // the handler sees Result start at 0

    // Default processing answers what the handler leaves alone.
    EXPECT_TRUE(SetWindowTextA(window, "abc"));
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 3);
    // A handler that throws answers 0 and the failure stays inside.
    EXPECT_EQ(SendMessageA(window, WM_APP + 1, 0, 0), 0);

    // Gone with its queued messages.
    ASSERT_TRUE(PostMessageA(window, WM_APP, 10, 0));
    DeallocateMessageWindow(window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(LiveMessageWindows(), 0);
    Pump(50);
    EXPECT_EQ(recorder.seen.size(), 2u);
    DeallocateMessageWindow(window);  // twice is harmless
    DeallocateMessageWindow(nullptr);

    // Destroyed behind its owner's back: forgotten, and a later deallocation
    // touches nothing.
    const HWND other = AllocateMessageWindow(recorder);
    ASSERT_TRUE(DestroyWindow(other));
    EXPECT_EQ(LiveMessageWindows(), 0);
    DeallocateMessageWindow(other);
}

TEST(MessageWindow, ClassOfThatNameWithAnotherProcedureIsTakenOver) {
    ReleaseMessageWindows();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TPUtilWindow";
    ASSERT_NE(RegisterClassA(&wc), 0);
    Recorder recorder;
    const HWND window = AllocateMessageWindow(recorder);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(window, WM_APP, 1, 2), 42);
    ReleaseMessageWindows();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "TPUtilWindow", &wc));
}

TEST(SimpleTimer, TicksAtItsIntervalAndAutoDisableFiresOnce) {
    TSimpleTimer timer;
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.Enabled());
    int ticks = 0;
    timer.SetOnTimer([&](TSimpleTimer& t) {
        EXPECT_EQ(&t, &timer);
        ++ticks;
    });
    timer.SetInterval(40);
    timer.SetEnabled(true);
    EXPECT_EQ(ActiveSimpleTimerCount(), 1);
    Pump(420);
    timer.SetEnabled(false);
    EXPECT_EQ(ActiveSimpleTimerCount(), 0);
    // Ten ticks at most; Wine's timers may run late under load, never early.
    EXPECT_GE(ticks, 3);
    EXPECT_LE(ticks, 11);
    const int stopped = ticks;
    Pump(120);
    EXPECT_EQ(ticks, stopped);

    ticks = 0;
    timer.SetAutoDisable(true);
    timer.SetEnabled(true);
    Pump(250);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(ActiveSimpleTimerCount(), 0);
}

TEST(SimpleTimer, ZeroIntervalOrNoCallbackPausesWithoutDisabling) {
    TSimpleTimer timer;
    int ticks = 0;
    timer.SetInterval(0);
    timer.SetEnabled(true);  // an interval of 0 never starts
    EXPECT_FALSE(timer.Enabled());
    timer.SetInterval(30);
    timer.SetOnTimer([&](TSimpleTimer&) { ++ticks; });
    timer.SetEnabled(true);
    timer.SetInterval(0);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(ActiveSimpleTimerCount(), 0);
    Pump(150);
    EXPECT_EQ(ticks, 0);
    timer.SetInterval(30);  // an enabled timer starts again
    Pump(150);
    EXPECT_GT(ticks, 0);
    timer.SetOnTimer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(ActiveSimpleTimerCount(), 0);
}

TEST(SimpleTimer, TimersShareOneWindowThatGoesWithTheLast) {
    EXPECT_EQ(SimpleTimerWindow(), nullptr);
    auto first = std::make_unique<TSimpleTimer>();
    const HWND window = SimpleTimerWindow();
    ASSERT_NE(window, nullptr);
    auto second = std::make_unique<TSimpleTimer>();
    EXPECT_EQ(SimpleTimerWindow(), window);
    EXPECT_EQ(SimpleTimerCount(), 2);
    EXPECT_NE(first->TimerId(), second->TimerId());
    first.reset();
    EXPECT_TRUE(IsWindow(window));
    second.reset();
    EXPECT_EQ(SimpleTimerCount(), 0);
    EXPECT_EQ(SimpleTimerWindow(), nullptr);
    EXPECT_FALSE(IsWindow(window));
}

TEST(SimpleTimer, TimerFreedInItsOwnCallbackTakesTheWindowWithIt) {
    auto timer = std::make_unique<TSimpleTimer>();
    int ticks = 0;
    timer->SetInterval(20);
    timer->SetOnTimer([&](TSimpleTimer&) {
        ++ticks;
        timer.reset();
    });
    timer->SetEnabled(true);
    Pump(200);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
    EXPECT_EQ(SimpleTimerWindow(), nullptr);
}

TEST(SimpleTimer, TickQueuedForAFreedTimerIsDropped) {
    TSimpleTimer keeper;  // keeps the shared window
    int ticks = 0;
    keeper.SetOnTimer([&](TSimpleTimer&) { ++ticks; });
    const HWND window = SimpleTimerWindow();
    UINT_PTR freedId = 0;
    {
        TSimpleTimer gone;
        gone.SetOnTimer([&](TSimpleTimer&) { ++ticks; });
        freedId = gone.TimerId();
    }
    // A stale id, an id nobody had, and an address: none is followed.
    ASSERT_TRUE(PostMessageA(window, WM_TIMER, freedId, 0));
    ASSERT_TRUE(PostMessageA(window, WM_TIMER, 0x12345678, 0));
    ASSERT_TRUE(PostMessageA(window, WM_TIMER, reinterpret_cast<WPARAM>(&keeper), 0));
    Pump(60);
    EXPECT_EQ(ticks, 0);
    ASSERT_TRUE(PostMessageA(window, WM_TIMER, keeper.TimerId(), 0));
    Pump(60);
    EXPECT_EQ(ticks, 1);
}

TEST(SimpleTimer, ReleaseAtUnloadStopsEveryTimer) {
    TSimpleTimer timer;
    int ticks = 0;
    timer.SetInterval(20);
    timer.SetOnTimer([&](TSimpleTimer&) { ++ticks; });
    timer.SetEnabled(true);
    const HWND window = SimpleTimerWindow();
    ReleaseSimpleTimers();
    EXPECT_FALSE(IsWindow(window));
    Pump(100);
    EXPECT_EQ(ticks, 0);
}  // the timer outlives the release harmlessly

}  // namespace
}  // namespace kv
