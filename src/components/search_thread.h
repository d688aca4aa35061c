// The worker of a threaded search. It runs the owner's walk, posts the
// completion message to the owner's window, and ends as thread_end.h says,
// so that an unload can wait for it.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "unique_resource.h"

namespace kv {

class TFindFile;

class TSearchThread {
public:
    // Starts the worker at `priority` and returns once it runs. Throws when
    // the thread cannot be made.
    TSearchThread(TFindFile& owner, int priority);
    // Waits for the done signal (or, at process exit, for nothing).
    ~TSearchThread();
    TSearchThread(const TSearchThread&) = delete;
    TSearchThread& operator=(const TSearchThread&) = delete;

    // The walk failed (an invalid mask, or anything thrown). Read after the end.
    bool Failed() const { return failed_.load(); }

private:
    static DWORD WINAPI Run(void* self);

    TFindFile& FindOwner;
    win::UniqueHandle started_;
    win::UniqueHandle done_;
    win::UniqueHandle thread_;
    std::atomic<bool> failed_{false};
};

}  // namespace kv
