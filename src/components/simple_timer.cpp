#include "simple_timer.h"

#include <algorithm>
#include <memory>
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

std::unique_ptr<TSimpleTimerHandler>& Handler() {
    static std::unique_ptr<TSimpleTimerHandler> handler;
    return handler;
}

UINT_PTR NextTimerId() {
    static UINT_PTR next = 0x4B560000;  // away from small ids others may use
    return ++next;
}

}  // namespace

TSimpleTimer::TSimpleTimer() : timerId_(NextTimerId()) {
    auto& handler = Handler();
    if (!handler) handler = std::make_unique<TSimpleTimerHandler>();
    handler->Timers().push_back(this);
}

TSimpleTimer::~TSimpleTimer() {
    SetEnabled(false);
    auto& handler = Handler();
    if (!handler) return;
    auto& timers = handler->Timers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
    if (timers.empty()) handler.reset();
}

void TSimpleTimer::Start() {
    Kill();
    if (interval_ == 0) return;
    auto& handler = Handler();
    if (!handler || handler->Window() == nullptr) return;
    if (SetTimer(handler->Window(), timerId_, interval_, nullptr) != 0) {
        running_ = true;
        enabled_ = true;
        ++handler->ActiveCount;
    }
}

void TSimpleTimer::Kill() {
    if (!running_) return;
    running_ = false;
    auto& handler = Handler();
    if (handler && KillTimer(handler->Window(), timerId_) && handler->ActiveCount > 0)
        --handler->ActiveCount;
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

HWND SimpleTimerWindow() { return Handler() ? Handler()->Window() : nullptr; }
int SimpleTimerCount() { return Handler() ? static_cast<int>(Handler()->Timers().size()) : 0; }
int ActiveSimpleTimerCount() { return Handler() ? Handler()->ActiveCount : 0; }

void ReleaseSimpleTimers() { Handler().reset(); }

}  // namespace kv
