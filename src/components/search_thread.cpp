#include "search_thread.h"

#include <stdexcept>

#include "find_file.h"
#include "thread_end.h"

namespace kv {

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

TSearchThread::~TSearchThread() { WaitForThreadEnd(done_.get(), thread_.get()); }

DWORD WINAPI TSearchThread::Run(void* param) {
    auto* self = static_cast<TSearchThread*>(param);
    // Taken before the owner may free us.
    const HANDLE done = self->done_.get();
    ::SetEvent(self->started_.get());
    bool ok = false;
    try {
        ok = self->FindOwner.SearchAll();
    } catch (...) {
        ok = false;
    }
    self->failed_ = !ok;
    ::PostMessageA(self->FindOwner.WindowHandle(), TFindFile::kSearchDone, 0, 0);
    SignalAndExitThread(done);
}

}  // namespace kv
