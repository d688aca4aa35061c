#include "process_names.h"

#include <tlhelp32.h>

#include <cstring>

#include "host_bridge.h"
#include "unique_resource.h"
#include "window_ops.h"

namespace kv::actions {
namespace {

// The process functions are looked up once, at first use: old systems
// lack some of them.
struct ProcessApi {
    using EnumProcessesProc = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
    using ModuleNameProc = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
    using SnapshotProc = HANDLE(WINAPI*)(DWORD, DWORD);
    using WalkProc = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

    EnumProcessesProc enumProcesses = nullptr;
    ModuleNameProc moduleFileNameEx = nullptr;
    ModuleNameProc moduleBaseName = nullptr;
    SnapshotProc snapshot = nullptr;
    WalkProc first = nullptr;
    WalkProc next = nullptr;

    ProcessApi() {
        const HMODULE psapi = ::LoadLibraryA("PSAPI.dll");  // kept for the library's life
        if (psapi != nullptr) {
            enumProcesses = Find<EnumProcessesProc>(psapi, "EnumProcesses");
            moduleFileNameEx = Find<ModuleNameProc>(psapi, "GetModuleFileNameExA");
            moduleBaseName = Find<ModuleNameProc>(psapi, "GetModuleBaseNameA");
        }
        const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
        snapshot = Find<SnapshotProc>(kernel, "CreateToolhelp32Snapshot");
        first = Find<WalkProc>(kernel, "Process32First");
        next = Find<WalkProc>(kernel, "Process32Next");
    }
    template <typename P>
    static P Find(HMODULE module, const char* name) {
        if (module == nullptr) return nullptr;
        return reinterpret_cast<P>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    }
};

const ProcessApi& Api() {
    static const ProcessApi api;
    return api;
}

constexpr DWORD kPathBuffer = 260;

// The main module's path (or base name) read from the process itself.
std::string NameFromProcess(DWORD pid, bool fullPath) {
    const ProcessApi& api = Api();
    const auto read = fullPath ? api.moduleFileNameEx : api.moduleBaseName;
    if (read == nullptr) return {};
    const win::UniqueHandle process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) return {};
    char buffer[kPathBuffer] = {};
    const DWORD length = read(process.get(), nullptr, buffer, kPathBuffer - 1);
    return std::string(buffer, length < kPathBuffer ? length : 0);
}

struct SystemVersion {
    bool nt = false;
    DWORD major = 0;
    DWORD minor = 0;
};

SystemVersion QueryVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&info)) return {};
#pragma GCC diagnostic pop
    return {info.dwPlatformId == VER_PLATFORM_WIN32_NT, info.dwMajorVersion, info.dwMinorVersion};
}

// Windows NT 3.x and 4.0 have no process snapshot; they list process IDs.
std::string NameByProcessIds(DWORD pid, const SystemVersion& v) {
    const ProcessApi& api = Api();
    if (api.enumProcesses == nullptr) return {};
    DWORD ids[1025] = {};
    DWORD bytes = 0;
    if (!api.enumProcesses(ids, sizeof ids, &bytes)) return {};
    for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
        if (ids[i] != pid) continue;
        if (pid == 0) return "System Idle Process";
        if (pid == 2 && v.major == 4) return "System Process";
        const std::string name = NameFromProcess(pid, true);
        if (!name.empty()) return name;  // entries without a name are left out
    }
    return {};
}

std::string NameBySnapshot(DWORD pid, const SystemVersion& v) {
    const ProcessApi& api = Api();
    if (api.snapshot == nullptr || api.first == nullptr || api.next == nullptr) return {};
    const win::UniqueFileHandle snapshot(api.snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return {};
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    static_assert(sizeof(PROCESSENTRY32) == 296);
    for (BOOL more = api.first(snapshot.get(), &entry); more;
         more = api.next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID != pid) continue;
        if (pid == 0) return "System Idle Process";
        const std::string reported(entry.szExeFile, strnlen(entry.szExeFile, MAX_PATH));
        if (!v.nt) return reported;
        const std::string name = NameFromProcess(pid, true);
        return name.empty() ? reported : name;
    }
    return {};
}

}  // namespace

std::string ExeNameOfProcess(DWORD pid) {
    const SystemVersion v = QueryVersion();
    const bool oldNt =
        v.nt && (v.major == 4 || (v.major == 3 && (v.minor == 1 || v.minor == 5 || v.minor == 51)));
    return oldNt ? NameByProcessIds(pid, v) : NameBySnapshot(pid, v);
}

bool qvGetExeNameByHandle(std::string handle, std::string variable) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window) || variable.empty()) return true;
    std::string name;
    if (::IsWindow(window)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        name = ExeNameOfProcess(pid);
    }
    SetVar(variable, name);
    return true;
}

}  // namespace kv::actions
