#include "search_thread.h"

#include <stdexcept>

#include "find_file.h"

namespace kv {
namespace {

using SetEventProc = BOOL(WINAPI*)(HANDLE);
using ExitThreadProc = void(WINAPI*)(DWORD);

// Sets `event` with a call whose return address is ExitThread, so that when
// SetEvent returns the thread ends without coming back here. The stack for
// SetEvent: return address (ExitThread), its argument; below that what
// ExitThread sees after SetEvent's "ret 4": a return address it never uses
// and the exit code 0.
[[noreturn]] void SignalAndExit(HANDLE event, SetEventProc setEvent, ExitThreadProc exitThread) {
    __asm__ volatile(
        "pushl $0\n\t"
        "pushl $0\n\t"
        "pushl %0\n\t"
        "pushl %1\n\t"
        "jmp *%2"
        :
        : "r"(event), "r"(exitThread), "r"(setEvent)
        : "memory");
    __builtin_unreachable();
}

}  // namespace

TSearchThread::TSearchThread(TFindFile& owner, int priority)
    : FindOwner(owner),
      started_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      done_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (!started_ || !done_) throw std::runtime_error("Thread creation error");
    thread_.reset(::CreateThread(nullptr, 0, &Run, this, CREATE_SUSPENDED, nullptr));
    if (!thread_) throw std::runtime_error("Thread creation error");
    ::SetThreadPriority(thread_.get(), priority);
    ::ResumeThread(thread_.get());
    // Once it runs, an unload can wait for it: a thread that has not yet
    // started needs the loader lock that the unload holds.
    const HANDLE waits[] = {started_.get(), thread_.get()};
    ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

TSearchThread::~TSearchThread() {
    if (ProcessIsExiting()) return;  // the worker was ended with the process
    // The done event, or the thread's own end should it never get there.
    const HANDLE waits[] = {done_.get(), thread_.get()};
    ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

DWORD WINAPI TSearchThread::Run(void* param) {
    auto* self = static_cast<TSearchThread*>(param);
    // Everything the last act needs, taken before the owner may free us.
    const HANDLE done = self->done_.get();
    const SetEventProc setEvent = &::SetEvent;
    const ExitThreadProc exitThread = &::ExitThread;
    ::SetEvent(self->started_.get());
    bool ok = false;
    try {
        ok = self->FindOwner.SearchAll();
    } catch (...) {
        ok = false;
    }
    self->failed_ = !ok;
    ::PostMessageA(self->FindOwner.WindowHandle(), TFindFile::kSearchDone, 0, 0);
    SignalAndExit(done, setEvent, exitThread);
}

}  // namespace kv
