#include "other_program.h"

#include <windows.h>

namespace kvtest {

int RunOtherProgram(const std::string& script, const std::string& dll) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder = exe;
    folder.erase(folder.find_last_of("\\/") + 1);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path =
        std::string(temp) + "kelvane_other_" + std::to_string(GetCurrentProcessId()) + ".nbs";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    DWORD written = 0;
    WriteFile(file, script.data(), static_cast<DWORD>(script.size()), &written, nullptr);
    CloseHandle(file);

    std::string command = "\"" + folder + "kelvane-host.exe\" ";
    if (!dll.empty()) command += "--dll \"" + dll + "\" ";
    command += "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        DeleteFileA(path.c_str());
        return -1;
    }
    // The other program may send this thread messages (clipboard notices,
    // shell requests) and wait for the answers.
    const DWORD end = GetTickCount() + 60000;
    for (;;) {
        const auto left = static_cast<int32_t>(end - GetTickCount());
        if (left <= 0) break;
        const DWORD woken = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE,
                                                      static_cast<DWORD>(left), QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) break;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(path.c_str());
    return code == STILL_ACTIVE ? -1 : static_cast<int>(code);
}

}  // namespace kvtest
