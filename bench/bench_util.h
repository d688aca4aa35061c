// What every benchmark program needs: where it lives and a fine clock.
#pragma once

#include <windows.h>

#include <string>

namespace kvbench {

// The folder of the running program (the DLL sits beside it).
inline std::string ExeFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\'));
}

// Seconds on the performance counter.
inline double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

}  // namespace kvbench
