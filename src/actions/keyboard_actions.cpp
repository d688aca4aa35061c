#include "keyboard_actions.h"

#include <windows.h>

#include "ansi_text.h"
#include "desktop_words.h"
#include "host_bridge.h"
#include "param_text.h"
#include "window_ops.h"

namespace kv::actions {
namespace {

constexpr AnsiText kUnknownLayout{"Неизвестно..."};
constexpr const char* kBadLayoutNumber = "Mistake left.";
constexpr size_t kMaxVariableName = 255;
// A window that answers slowly holds the host this long at most; one the
// system sees as hung is not waited for at all.
constexpr UINT kRequestTimeout = 5000;

}  // namespace

bool qvKBChangeLayout(std::string window, std::string layout) {
    HWND target = nullptr;
    if (!ReadWindowHandle(window, target)) target = GetActiveWindow();
    int32_t number = 0;
    const auto hkl = ParseIntParam(layout, number) ? LayoutOfNumber(number) : std::nullopt;
    if (!hkl) {
        ReportError(kBadLayoutNumber);
        return true;
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(target, WM_INPUTLANGCHANGEREQUEST, 1, static_cast<LPARAM>(*hkl),
                        SMTO_ABORTIFHUNG, kRequestTimeout, &answer);
    return true;
}

bool qvKBGetLayout(std::string variable) {
    const DWORD thread = GetWindowThreadProcessId(GetActiveWindow(), nullptr);
    const auto layout =
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetKeyboardLayout(thread)));
    const auto number = NumberOfLayout(layout);
    if (!number) {
        ReportError(kUnknownLayout.c_str());
        return true;
    }
    if (variable.size() > kMaxVariableName) variable.resize(kMaxVariableName);
    SetVar("[" + variable + "]", FormatSigned(*number));
    return true;
}

}  // namespace kv::actions
