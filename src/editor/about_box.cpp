#include "about_box.h"

#include <shellapi.h>

#include "url_text.h"

namespace kv::editor {
namespace {

constexpr const char* kTitle = "Kelvane Plugin v1.0 beta";
constexpr COLORREF kLinkColor = RGB(0, 0, 255);

}  // namespace

ShellExecuteProc& ShellExecuteFunction() {
    static ShellExecuteProc function = &::ShellExecuteA;
    return function;
}

void OpenMakerPage() {
    const std::string address = EncodeWebAddress(kMakerPage);
    if (const ShellExecuteProc shell = ShellExecuteFunction())
        shell(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool TAboutBoxForm::OnCreate() {
    ::SetWindowTextA(handle(), "About plugin ...");
    const HWND icon = AddControl("STATIC", "", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, kAboutIcon,
                                 {10, 10, 32, 32});
    // A shared system icon: nothing to release.
    ::SendMessageA(icon, STM_SETICON,
                   reinterpret_cast<WPARAM>(::LoadIconA(nullptr, IDI_APPLICATION)), 0);

    const HWND title = AddControl("STATIC", kTitle, WS_VISIBLE | SS_RIGHT | SS_NOTIFY | SS_NOPREFIX,
                                  kAboutTitle, {50, 10, 180, 30});
    LOGFONTA face{};
    ::GetObjectA(Font(), sizeof(face), &face);
    face.lfWeight = FW_BOLD;
    bold_.reset(::CreateFontIndirectA(&face));
    if (bold_) ::SendMessageA(title, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
    AddControl("STATIC", author_, WS_VISIBLE | SS_NOPREFIX, kAboutAuthor, {10, 78, 160, 36});
    AddControl("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {176, 89, 54, 24});
    // Wider than the classic box: the bold title and the author line fit on
    // one line at every DPI.
    SetClientSize(240, 122);
    return true;
}

void TAboutBoxForm::FadeAndClose(INT_PTR code) {
    if (closing_) return;  // a second close while fading
    closing_ = true;
    const HWND window = handle();
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
    if (!(exStyle & WS_EX_LAYERED)) {
        ::SetWindowLongPtrA(window, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle | WS_EX_LAYERED));
        ::SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
    }
    // Down to transparent, letting other windows paint between the steps.
    // A bounded number of messages per step: a message that posts itself
    // again cannot hold the fade up.
    constexpr int kMessagesPerStep = 32;
    for (int alpha = 255; alpha >= 0; --alpha) {
        ::SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
        MSG msg;
        for (int n = 0; n < kMessagesPerStep && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
             ++n) {
            if (msg.message == WM_QUIT) {
                // Handed on to the loop that owns it; the fade ends here.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                alpha = 0;
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!::IsWindow(window)) return;
    }
    ::EndDialog(window, code);
}

bool TAboutBoxForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) ::BringWindowToTop(handle());
        return false;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            FadeAndClose(LOWORD(wParam));
        } else if (LOWORD(wParam) == kAboutTitle && HIWORD(wParam) == STN_CLICKED) {
            OpenMakerPage();
        }
        return true;
    case WM_SETCURSOR: {
        // The link turns blue under the mouse and back when it leaves.
        const bool over = reinterpret_cast<HWND>(wParam) == Item(kAboutTitle);
        if (over != hover_) {
            hover_ = over;
            ::InvalidateRect(Item(kAboutTitle), nullptr, TRUE);
        }
        if (!over) return false;
        ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) != Item(kAboutTitle)) return false;
        ::SetTextColor(reinterpret_cast<HDC>(wParam),
                       hover_ ? kLinkColor : ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
        return true;
    default:
        return false;
    }
}

void ShowAboutBox(const std::string& author) {
    TAboutBoxForm box(author);
    box.RunModal(::GetActiveWindow());
}

}  // namespace kv::editor
