// The main of every Windows test program, in place of GoogleTest's.
//
// On Windows, GoogleTest keeps each thread's scoped traces and failure
// reporter with a watcher thread, started the first time that thread pushes
// a trace or reports a failure. Windows ends a process cleanly whatever its
// threads are doing; Wine does not: a process that ends while one of its
// threads is still starting can die of a segmentation fault after main has
// returned, and a test that passed fails. So the main thread's watcher is
// started here, and the tests run only once it runs.
#include <windows.h>

#include <atomic>

#include <gtest/gtest.h>

namespace {

// Both constant-initialised: a thread started before main is counted too.
std::atomic<int> threadsAttached{0};
std::atomic<HANDLE> attachSignal{nullptr};

// Called in every new thread once it is set up, before its own code runs.
void NTAPI OnThreadEvent(PVOID, DWORD reason, PVOID) {
    if (reason != DLL_THREAD_ATTACH) return;
    ++threadsAttached;
    if (HANDLE signal = attachSignal.load()) SetEvent(signal);
}

}  // namespace

// The runtime calls every callback placed between its .CRT$XLA and .CRT$XLZ.
extern "C" __attribute__((used, section(".CRT$XLK")))
const PIMAGE_TLS_CALLBACK kvTestThreadCallback = OnThreadEvent;

int main(int argc, char** argv) {
    attachSignal = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    testing::InitGoogleTest(&argc, argv);
    // The first trace of this thread starts its watcher.
    { const testing::ScopedTrace startWatcher(__FILE__, __LINE__, "start"); }
    while (threadsAttached.load() == 0) WaitForSingleObject(attachSignal.load(), INFINITE);
    return RUN_ALL_TESTS();
}
