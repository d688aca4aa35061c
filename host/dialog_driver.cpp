#include "dialog_driver.h"

#include <algorithm>

namespace kvhost {
namespace {

DialogDriver* g_driver = nullptr;
constexpr UINT_PTR kStepTimerId = 0x4B56;

BOOL CALLBACK CancelDialogs(HWND window, LPARAM cancelled) {
    if (IsDialogWindow(window) && IsWindowVisible(window)) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ++*reinterpret_cast<int*>(cancelled);
    }
    return TRUE;
}

}  // namespace

std::string WindowClass(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool IsDialogWindow(HWND window) { return WindowClass(window) == "#32770"; }

void UnmanagedWineWindows() {
    // Without a window manager Wine waits two seconds for every window it
    // hides unless its windows are unmanaged. The setting is read when a
    // program starts, so it helps every test program after the first.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
}

DialogDriver::DialogDriver(UINT safetyMilliseconds, UINT stepDelay)
    : safetyMilliseconds_(safetyMilliseconds), stepDelay_(stepDelay) {
    UnmanagedWineWindows();
    g_driver = this;
    hook_ = SetWindowsHookExA(WH_CBT, &CbtProc, nullptr, GetCurrentThreadId());
    safety_ = SetTimer(nullptr, 0, safetyMilliseconds_, &SafetyTimer);
}

DialogDriver::~DialogDriver() {
    if (safety_) KillTimer(nullptr, safety_);
    if (hook_) UnhookWindowsHookEx(hook_);
    g_driver = nullptr;
}

DialogDriver& DialogDriver::Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

LRESULT CALLBACK DialogDriver::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    DialogDriver* self = g_driver;
    if (self != nullptr && code == HCBT_DESTROYWND) {
        // A dialog counts once while it lives, however often it is
        // activated; its handle may come back for a new dialog.
        self->seen_.erase(reinterpret_cast<HWND>(wParam));
    }
    if (self != nullptr && code == HCBT_ACTIVATE) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (IsDialogWindow(window) && self->seen_.insert(window).second) {
            self->opened_.push_back(window);
            // The time limit counts from the newest dialog.
            self->safety_ =
                SetTimer(nullptr, self->safety_, self->safetyMilliseconds_, &SafetyTimer);
            if (!self->steps_.empty()) {
                self->due_.emplace_back(window, std::move(self->steps_.front()));
                self->steps_.pop_front();
                SetTimer(window, kStepTimerId, self->stepDelay_, &StepTimer);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogDriver::StepTimer(HWND window, UINT, UINT_PTR id, DWORD) {
    // A modal dialog is activated when it is made, but shown only once its
    // loop first finds the queue empty; on a busy machine the timer can come
    // first. The step waits (the timer fires again) until the user could
    // see the dialog.
    if (!IsWindowVisible(window)) return;
    KillTimer(window, id);
    DialogDriver* self = g_driver;
    if (self == nullptr) return;
    const auto it = std::find_if(self->due_.begin(), self->due_.end(),
                                 [&](const auto& entry) { return entry.first == window; });
    if (it == self->due_.end()) return;
    Step step = std::move(it->second);
    self->due_.erase(it);
    step(window);
}

void CALLBACK DialogDriver::SafetyTimer(HWND, UINT, UINT_PTR, DWORD) {
    int cancelled = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CancelDialogs, reinterpret_cast<LPARAM>(&cancelled));
    if (cancelled > 0 && g_driver != nullptr) g_driver->timedOut_ = true;
}

std::string ControlText(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    const int length = static_cast<int>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void TypeText(HWND dialog, int id, const std::string& text) {
    const HWND control = GetDlgItem(dialog, id);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_UPDATE), reinterpret_cast<LPARAM>(control));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(control));
}

void SelectComboText(HWND dialog, int id, const std::string& text) {
    const HWND control = GetDlgItem(dialog, id);
    const LRESULT index = SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
}

namespace {

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM out) {
    auto& faces = *reinterpret_cast<std::vector<std::string>*>(out);
    if ((type & TRUETYPE_FONTTYPE) && font->lfFaceName[0] != '@') faces.push_back(font->lfFaceName);
    return 1;
}

}  // namespace

// Tahoma where the system has it (each Wine has its own fonts), else the
// first TrueType face.
std::string TestFace() {
    std::vector<std::string> faces;
    HDC screen = GetDC(nullptr);
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(screen, &query, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    for (const std::string& face : faces)
        if (face == "Tahoma") return face;
    return faces.empty() ? "Tahoma" : faces.front();
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void PressOK(HWND dialog) { Click(dialog, IDOK); }
void PressCancel(HWND dialog) { Click(dialog, IDCANCEL); }

}  // namespace kvhost
