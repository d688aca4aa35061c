#include "simple_timer.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "message_window.h"

namespace kv {
namespace {

// The one window behind every timer; it lives while timers exist.
class TSimpleTimerHandler final : public MessageHandler {
public:
    TSimpleTimerHandler() : window_(AllocateMessageWindow(*this)) {}
    ~TSimpleTimerHandler() {
        for (TSimpleTimer* timer : timers_)
            if (window_ != nullptr) KillTimer(window_, timer->TimerId());
        DeallocateMessageWindow(window_);
    }
    TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
    TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;

    HWND Window() const { return window_; }
    std::vector<TSimpleTimer*>& Timers() { return timers_; }
    int ActiveCount = 0;

    void HandleMessage(HWND window, MessageRecord& message) override {
        if (message.Msg != WM_TIMER) return DefaultMessage(window, message);
        // Only live timers are followed: a tick queued before its timer was
        // freed finds no match and is dropped.
        const auto it = std::find_if(timers_.begin(), timers_.end(), [&](TSimpleTimer* t) {
            return t->TimerId() == message.WParam;
        });
        if (it != timers_.end()) (*it)->Tick();  // may free the timer and this handler
    }

private:
    HWND window_;
    std::vector<TSimpleTimer*> timers_;
};

// Released with the last timer or at unload, never by a static destructor.
TSimpleTimerHandler* g_handler = nullptr;

UINT_PTR NextTimerId() {
    static UINT_PTR next = 0x4B560000;  // away from small ids others may use
    return ++next;
}

}  // namespace

TSimpleTimer::TSimpleTimer() : timerId_(NextTimerId()) {
    if (g_handler == nullptr) g_handler = new TSimpleTimerHandler();
    g_handler->Timers().push_back(this);
}

TSimpleTimer::~TSimpleTimer() {
    SetEnabled(false);
    if (g_handler == nullptr) return;
    auto& timers = g_handler->Timers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
    if (timers.empty()) delete std::exchange(g_handler, nullptr);
}

void TSimpleTimer::Start() {
    Kill();
    if (interval_ == 0) return;
    if (g_handler == nullptr || g_handler->Window() == nullptr) return;
    if (SetTimer(g_handler->Window(), timerId_, interval_, nullptr) != 0) {
        running_ = true;
        enabled_ = true;
        ++g_handler->ActiveCount;
    }
}

void TSimpleTimer::Kill() {
    if (!running_) return;
    running_ = false;
    if (g_handler != nullptr && KillTimer(g_handler->Window(), timerId_) &&
        g_handler->ActiveCount > 0)
        --g_handler->ActiveCount;
}

void TSimpleTimer::SetEnabled(bool enabled) {
    if (enabled) return Start();
    enabled_ = false;
    Kill();
}

void TSimpleTimer::SetInterval(uint32_t milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (!enabled_) return;
    if (interval_ != 0)
        Start();
    else
        Kill();  // stays enabled: a later interval starts it again
}

void TSimpleTimer::SetOnTimer(Callback callback) {
    onTimer_ = std::move(callback);
    if (!onTimer_ && enabled_) Kill();
}

void TSimpleTimer::Tick() {
    if (autoDisable_) SetEnabled(false);
    if (!onTimer_) return;
    // The callback may free this timer: run a copy and touch nothing after.
    const Callback callback = onTimer_;
    callback(*this);
}

HWND SimpleTimerWindow() { return g_handler ? g_handler->Window() : nullptr; }
int SimpleTimerCount() { return g_handler ? static_cast<int>(g_handler->Timers().size()) : 0; }
int ActiveSimpleTimerCount() { return g_handler ? g_handler->ActiveCount : 0; }

void ReleaseSimpleTimers() { delete std::exchange(g_handler, nullptr); }

}  // namespace kv
