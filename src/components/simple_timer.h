// A system timer driven by one hidden window that all timers share. The
// window exists while at least one timer exists; ticks arrive inside the
// host's message loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace kv {

class TSimpleTimer {
public:
    using Callback = std::function<void(TSimpleTimer&)>;

    TSimpleTimer();  // 1000 ms, disabled, no callback
    ~TSimpleTimer();
    TSimpleTimer(const TSimpleTimer&) = delete;
    TSimpleTimer& operator=(const TSimpleTimer&) = delete;

    // Starting restarts a running timer; an interval of 0 never starts.
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    // A new non-zero interval restarts an enabled timer; 0 pauses it.
    void SetInterval(uint32_t milliseconds);
    uint32_t Interval() const { return interval_; }
    // An empty callback pauses an enabled timer.
    void SetOnTimer(Callback callback);
    // Stop after the first tick.
    void SetAutoDisable(bool value) { autoDisable_ = value; }
    bool AutoDisable() const { return autoDisable_; }

    // The id given to SetTimer: unique for the life of the process, so a
    // tick queued for a freed timer can never reach another one.
    UINT_PTR TimerId() const { return timerId_; }

    // Called by the shared window on each tick of this timer.
    void Tick();

private:
    void Start();
    void Kill();

    UINT_PTR timerId_;
    uint32_t interval_ = 1000;
    bool enabled_ = false;
    bool running_ = false;  // a system timer is set
    bool autoDisable_ = false;
    Callback onTimer_;
};

// The shared window and its counts, for tests: null and 0 while no timer
// exists.
HWND SimpleTimerWindow();
int SimpleTimerCount();
int ActiveSimpleTimerCount();

// At unload: kills every system timer and frees the shared window. Timers
// that still exist stay usable objects that no longer tick.
void ReleaseSimpleTimers();

}  // namespace kv
