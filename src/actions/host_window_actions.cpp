#include "host_window_actions.h"

#include "animate_effects.h"
#include "handle_text.h"
#include "host_bridge.h"
#include "param_text.h"
#include "params.h"
#include "plugin_state.h"
#include "window_ops.h"

namespace kv::actions {
namespace {

// Object names longer than this are cut.
constexpr size_t kObjectNameLimit = 255;

// A coordinate given in the publication's frame, moved into the screen's:
// the number plus the value of the host's origin variable. Empty when
// either text is no number.
std::optional<int32_t> PublicationCoordinate(const std::string& text, const char* originVariable,
                                             bool publicationFrame) {
    int32_t value = 0;
    if (!ParseIntParam(text, value)) return std::nullopt;
    if (!publicationFrame) return value;
    int32_t origin = 0;
    if (!ParseIntParam(GetVar(originVariable), origin)) return std::nullopt;
    return WrappingSum(value, origin);
}

bool EnableObjectWindow(const std::string& object, bool enable) {
    const auto window = ObjectWindow(object);
    if (!window) return false;
    if (*window != nullptr) ::EnableWindow(*window, enable ? TRUE : FALSE);
    return true;
}

}  // namespace

std::optional<HWND> ObjectWindow(std::string_view object) {
    const std::string_view name = object.substr(0, kObjectNameLimit);
    uint32_t handle = 0;
    if (!ParseHandleText(GetVar("[" + std::string(name) + ".WinHandle]"), handle))
        return std::nullopt;
    return WindowOf(handle);
}

bool qvSetCustomWindowPos(std::string object, std::string left, std::string top,
                          std::string clientWidth, std::string clientHeight, std::string frame,
                          std::string title) {
    if (object.empty()) return true;
    const auto window = ObjectWindow(object);
    if (!window || *window == nullptr) return false;
    RECT outer{};
    ::GetWindowRect(*window, &outer);
    const SIZE border = FrameSize(*window);

    const bool publication = !EqualsNoCase(frame, "ScreenPos");
    const int32_t x =
        left.empty() ? outer.left
                     : PublicationCoordinate(left, "[PubLeft]", publication).value_or(outer.left);
    const int32_t y = top.empty()
                          ? outer.top
                          : PublicationCoordinate(top, "[PubTop]", publication).value_or(outer.top);
    int32_t width = outer.right - outer.left;
    int32_t height = outer.bottom - outer.top;
    int32_t value = 0;
    if (ParseIntParam(clientWidth, value)) width = WrappingSum(value, border.cx);
    if (ParseIntParam(clientHeight, value)) height = WrappingSum(value, border.cy);

    if (!title.empty()) ::SetWindowTextA(*window, title.c_str());
    ::MoveWindow(*window, x, y, width, height, TRUE);
    return true;
}

bool qvShowCustomWindow(std::string object, std::string word) {
    const auto window = ObjectWindow(object);
    if (!window) return false;
    ShowWindowByWord(*window, word);
    return true;
}

bool qvIsCustomWindow(std::string object, std::string word, std::string variable) {
    if (object.empty()) return false;
    const auto window = ObjectWindow(object);
    if (!window) {
        SetVarBool(variable, false);
        return false;
    }
    if (!::IsWindow(*window)) return false;
    TestWindowState(*window, word, variable);
    return true;
}

bool qvEnableCustomWindow(std::string object) { return EnableObjectWindow(object, true); }

bool qvDisableCustomWindow(std::string object) { return EnableObjectWindow(object, false); }

bool qvSetCustomWindowTransparent(std::string object, std::string opacity) {
    if (object.empty()) return true;
    const auto window = ObjectWindow(object);
    if (!window) return false;
    if (*window != nullptr) SetWindowOpacity(*window, opacity);
    return true;
}

bool qvAnimateCustomWindow(std::string object, std::string effect, std::string duration,
                           std::string show, std::string redraw) {
    if (object.empty()) return false;
    const auto window = ObjectWindow(object);
    if (!window) return false;
    if (*window == nullptr || !::IsWindow(*window)) return true;
    int32_t ms = 0;
    if (!ParseIntParam(duration, ms) || effect.empty()) return true;
    const uint32_t flags = AnimationFlags(effect, ParseBoolOrFalse(show));
    if (flags == 0) return true;
    ::AnimateWindow(*window, static_cast<DWORD>(ClampAnimationMs(ms)), flags);
    if (ParseBoolOrFalse(redraw)) RepaintAllWindows();
    return true;
}

bool qvRefreshWindows() {
    // Vista's desktop composition may leave stale pixels behind.
    if (State().WindowsMajorVersion > 5) RepaintAllWindows();
    return true;
}

bool qvShowInRectangle(std::string object, std::string target, std::string left, std::string top) {
    const auto window = ObjectWindow(object);
    if (!window) return false;

    // The host names the windows of its objects; the two words are ours.
    HWND parent = nullptr;
    int64_t answered = 0;
    if (const auto answer = AskHost(7, target);
        answer && ParseInt64Text(answer->text, answered) && answered != 0) {
        parent = WindowOf(static_cast<uint32_t>(answered));
    } else if (EqualsNoCase(target, "MainWindow")) {
        parent = State().HostWindow;
    } else if (!EqualsNoCase(target, "DeskTop")) {
        return true;
    }

    int32_t x = 0, y = 0;
    if (!ParseIntParam(left, x)) x = 0;
    if (!ParseIntParam(top, y)) y = 0;
    RECT outer{};
    ::GetWindowRect(*window, &outer);
    ::SetParent(*window, parent);
    ::MoveWindow(*window, x, y, outer.right - outer.left, outer.bottom - outer.top, TRUE);
    return true;
}

}  // namespace kv::actions
