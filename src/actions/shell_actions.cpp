#include "shell_actions.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <utility>

#include "host_bridge.h"
#include "param_text.h"
#include "plugin_state.h"
#include "shell_paths.h"
#include "unique_resource.h"
#include "window_words.h"

namespace kv {
namespace {

constexpr std::array<std::pair<std::string_view, int>, 11> kSpecialFolders = {{
    {"DESKTOP", CSIDL_DESKTOP},
    {"INTERNET", CSIDL_INTERNET},
    {"FAVORITES", CSIDL_FAVORITES},
    {"STARTUP", CSIDL_STARTUP},
    {"RECENT", CSIDL_RECENT},
    {"PERSONAL", CSIDL_PERSONAL},
    {"STARTMENU", CSIDL_STARTMENU},
    {"COOKIES", CSIDL_COOKIES},
    {"HISTORY", CSIDL_HISTORY},
    {"APPDATA", CSIDL_APPDATA},
    {"SENDTO", CSIDL_SENDTO},
}};

// COM for the calling thread, released only when this call initialised it.
class ComScope {
public:
    ComScope() : result_(::CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    // A thread already in the multithreaded apartment can use COM as well.
    bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

// Writes the shortcut `file` (a full path, as IPersistFile::Save wants it).
// A property the link refuses does not stop the shortcut: it is written
// with the others, and the first refusal is returned after the save.
HRESULT WriteShortcut(const std::string& target, const std::wstring& file,
                      const std::string& description, const std::string& arguments,
                      const std::string& workingFolder, int showCommand) {
    win::ComPtr<IShellLinkA> link;
    HRESULT hr =
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                           IID_IShellLinkA, reinterpret_cast<void**>(link.put()));
    if (FAILED(hr)) return hr;
    HRESULT refused = S_OK;
    const auto set = [&refused](HRESULT result) {
        if (FAILED(result) && SUCCEEDED(refused)) refused = result;
    };
    set(link->SetPath(target.c_str()));
    set(link->SetArguments(arguments.c_str()));
    set(link->SetWorkingDirectory(workingFolder.c_str()));
    set(link->SetDescription(description.c_str()));
    set(link->SetIconLocation("", 0));
    set(link->SetShowCmd(showCommand));
    win::ComPtr<IPersistFile> persist;
    hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(persist.put()));
    if (FAILED(hr)) return hr;
    if (FAILED(hr = persist->Save(file.c_str(), FALSE))) return hr;
    // A save that reports success must have left the file behind.
    if (::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
    return refused;
}

}  // namespace

std::string ShortcutFileName(std::string name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || !EqualsNoCase(std::string_view(name).substr(dot), ".lnk"))
        name += ".lnk";
    return name;
}

int ShortcutShowCommand(std::string_view word) {
    if (IsWindowWord(word, TStyles::Maximized)) return SW_SHOWMAXIMIZED;
    if (IsWindowWord(word, TStyles::Minimized)) return SW_SHOWMINNOACTIVE;
    return SW_SHOWNORMAL;
}

int SpecialFolderNumber(std::string_view name) {
    for (const auto& [folder, number] : kSpecialFolders) {
        if (EqualsNoCase(name, folder)) return number;
    }
    return -1;
}

namespace actions {

bool qvOpenWithDefault(std::string file, std::string verb) {
    const DWORD attributes = ::GetFileAttributesA(file.c_str());
    if (file.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ReportError("File not found!");
        return false;
    }
    const char* shellVerb = EqualsNoCase(verb, "Edit") ? "edit" : nullptr;
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, shellVerb, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;
    ReportError(FormatSigned(static_cast<int32_t>(result)));
    return false;
}

bool qvCreateLink(std::string target, std::string shortcut, std::string description,
                  std::string arguments, std::string workingFolder, std::string windowState) {
    const auto fail = [](const std::string& name, DWORD reason) {
        ReportError("Cannot create shortcut \"" + name + "\". " + SystemReason(reason));
        return false;
    };
    if (shortcut.empty()) return fail(shortcut, ERROR_INVALID_NAME);
    const std::string name = ShortcutFileName(std::move(shortcut));
    if (target.empty()) return fail(name, ERROR_INVALID_PARAMETER);
    const std::wstring file = FullPath(WideFromAnsi(name));
    if (file.empty()) return fail(name, ERROR_FILENAME_EXCED_RANGE);
    const ComScope com;
    if (!com.usable()) return fail(name, static_cast<DWORD>(com.result()));
    const HRESULT hr = WriteShortcut(target, file, description, arguments, workingFolder,
                                     ShortcutShowCommand(windowState));
    if (FAILED(hr)) return fail(name, static_cast<DWORD>(hr));
    return true;
}

bool qvGetFolderPath(std::string name, std::string variable) {
    if (name.empty() || variable.empty()) return true;
    std::string path;
    if (const int number = SpecialFolderNumber(name); number >= 0) {
        char buffer[MAX_PATH + 1] = {};
        if (::SHGetFolderPathA(State().HostWindow, number, nullptr, SHGFP_TYPE_CURRENT, buffer) ==
            S_OK)
            path = buffer;
    }
    SetVar(variable, path);
    return true;
}

}  // namespace actions
}  // namespace kv
