#include "page_help.h"

#include "unique_resource.h"

namespace kv::editor {
namespace {

constexpr UINT kDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT kHelpContext = 0x000F;   // HH_HELP_CONTEXT
constexpr const char* kHelpFile = "Kelvane.chm";

HWND WINAPI SystemHtmlHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
    // Loaded once and kept: the help window lives on after the dialog.
    static win::UniqueModule library(::LoadLibraryA("hhctrl.ocx"));
    if (!library) return nullptr;
    const auto proc = reinterpret_cast<HtmlHelpProc>(
        reinterpret_cast<void*>(::GetProcAddress(library.get(), "HtmlHelpA")));
    return proc != nullptr ? proc(owner, file, command, data) : nullptr;
}

}  // namespace

HtmlHelpProc& HtmlHelpFunction() {
    static HtmlHelpProc function = &SystemHtmlHelp;
    return function;
}

std::string HelpFilePath() {
    HMODULE self = nullptr;
    if (!::GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCSTR>(&HelpFilePath), &self))
        return kHelpFile;
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return kHelpFile;
    std::string file(path, length);
    const size_t slash = file.find_last_of("\\/");
    file = (slash == std::string::npos ? std::string() : file.substr(0, slash + 1)) + kHelpFile;
    const DWORD attributes = ::GetFileAttributesA(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return kHelpFile;
    return file;
}

void ShowPageHelp(HWND owner, int32_t number, const char* action) {
    const HtmlHelpProc help = HtmlHelpFunction();
    if (help == nullptr) return;
    const std::string file = HelpFilePath();
    if (number != 0) {
        help(owner, file.c_str(), kHelpContext, static_cast<DWORD_PTR>(number));
    } else if (action != nullptr) {
        const std::string topic = file + "::/" + action + ".htm";
        help(owner, topic.c_str(), kDisplayTopic, 0);
    }
}

}  // namespace kv::editor
