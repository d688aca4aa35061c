// How the library's own threads end, so that an unload can wait for them.
// A thread's last act sets its done event in a call that returns straight
// into ExitThread: no code of this library runs after the signal, so the
// library may go as soon as the signal is seen, even while the loader lock
// (held by an unload) keeps the thread from ending.
#pragma once

#include <windows.h>

namespace kv {

// Sets `done` and ends the calling thread with exit code 0.
[[noreturn]] void SignalAndExitThread(HANDLE done);

// Waits for a thread's done event, or for its end should it never get
// there. At process exit the thread is already gone: no wait.
void WaitForThreadEnd(HANDLE done, HANDLE thread);

// Looks up the system's shutdown probe. Call it on the owner's thread before
// a thread starts: an unload must not need the loader.
void PrepareShutdownProbe();

// True once the process has begun to exit: its other threads are gone.
bool ProcessIsExiting();

}  // namespace kv
