#include "dialog_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>

#include "contain.h"

namespace kv::editor {
namespace {

// An empty dialog template: no menu, the standard dialog class, no title,
// no controls. Everything else is made in code.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WORD title;
};

HFONT CreateMessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return ::CreateFontIndirectA(&metrics.lfMessageFont);
    return nullptr;
}

int ScreenDpi() {
    const win::WindowDC screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

INT_PTR DialogWindow::RunModal(HWND owner) {
    dpi_ = ScreenDpi();
    font_.reset(CreateMessageFont());
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    EmptyTemplate form{};
    form.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
    form.header.cx = 100;
    form.header.cy = 50;
    const INT_PTR result =
        ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), &form.header, owner, &Procedure,
                                  reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    tooltip_ = nullptr;
    font_.reset();
    return result;
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<DialogWindow*>(lParam);
        self->window_ = window;
        bool failed = true;
        Contain(
            "nbEditAction",
            [&] {
                // The controls did not exist when the system chose the
                // default focus, so the first one in the tab order gets it
                // here, the way the dialog manager gives it (an edit's text
                // selected).
                if (self->OnCreate()) {
                    if (const HWND first = ::GetNextDlgTabItem(window, nullptr, FALSE))
                        ::SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first),
                                       TRUE);
                }
                failed = false;
                return 0;
            },
            0);
        if (failed) ::EndDialog(window, IDCANCEL);
        return FALSE;
    }
    auto* self = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    bool failed = true;
    const INT_PTR answer = Contain(
        "nbEditAction",
        [&]() -> INT_PTR {
            INT_PTR result = 0;
            bool handled = false;
            if (message == WM_DRAWITEM) {
                const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (item->CtlType == ODT_BUTTON && self->GlyphOf(static_cast<int>(wParam))) {
                    self->DrawGlyphButton(*item);
                    failed = false;
                    return TRUE;
                }
            }
            handled = self->OnMessage(message, wParam, lParam, result);
            failed = false;
            if (!handled) return FALSE;
            return result;
        },
        INT_PTR{0});
    if (failed) ::EndDialog(window, IDCANCEL);
    return answer;
}

bool DialogWindow::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

HWND DialogWindow::AddControl(const char* className, const std::string& text, DWORD style, int id,
                              const DesignRect& at, DWORD exStyle) {
    const HWND control = ::CreateWindowExA(
        exStyle, className, "", style | WS_CHILD, Scale(at.left), Scale(at.top), Scale(at.width),
        Scale(at.height), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        ::GetModuleHandleA(nullptr), nullptr);
    if (control == nullptr) return nullptr;
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // Long texts go in after creation: creation texts are cut near 32 K.
    if (!text.empty())
        ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return control;
}

HWND DialogWindow::AddGlyphButton(int id, const char* hint, const char* glyph,
                                  const DesignRect& at) {
    const HWND button =
        AddControl("BUTTON", hint, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW, id, at);
    if (button == nullptr) return nullptr;
    glyphs_.push_back({id, glyph});
    if (tooltip_ == nullptr) {
        tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    }
    if (tooltip_ != nullptr) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = const_cast<char*>(hint);
        ::SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return button;
}

void DialogWindow::SetGlyph(int id, const char* glyph) {
    for (Glyph& g : glyphs_)
        if (g.id == id) g.text = glyph;
    ::InvalidateRect(Item(id), nullptr, TRUE);
}

const char* DialogWindow::GlyphOf(int id) const {
    for (const Glyph& g : glyphs_)
        if (g.id == id) return g.text.c_str();
    return nullptr;
}

void DialogWindow::DrawGlyphButton(const DRAWITEMSTRUCT& item) {
    RECT rect = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    ::DrawFrameControl(item.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const char* glyph = GlyphOf(static_cast<int>(item.CtlID));
    const HGDIOBJ old = ::SelectObject(item.hDC, font_.get());
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC,
                   ::GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    if (pushed) ::OffsetRect(&rect, 1, 1);
    ::DrawTextA(item.hDC, glyph ? glyph : "", -1, &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(item.hDC, old);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(item.hDC, &focus);
    }
}

void DialogWindow::MoveControl(int id, const DesignRect& at) {
    ::MoveWindow(Item(id), Scale(at.left), Scale(at.top), Scale(at.width), Scale(at.height), TRUE);
}

void DialogWindow::FitCaption(HWND control, int extra) {
    if (control == nullptr) return;
    const std::string text = TextOf(control);
    if (text.empty()) return;
    const win::WindowDC dc(control);
    if (!dc) return;
    const HGDIOBJ old = ::SelectObject(dc.get(), font_.get());
    SIZE size{};
    ::GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc.get(), old);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    const int needed = size.cx + extra + Scale(4);
    if (rect.right - rect.left < needed)
        ::SetWindowPos(control, nullptr, 0, 0, needed, rect.bottom - rect.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::SetClientSize(int width, int height) {
    RECT rect{0, 0, Scale(width), Scale(height)};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    const int outerWidth = rect.right - rect.left;
    const int outerHeight = rect.bottom - rect.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (::GetMonitorInfoA(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor))
        area = monitor.rcWork;
    const int left = static_cast<int>(area.left) +
                     std::max(0, static_cast<int>(area.right - area.left) - outerWidth) / 2;
    const int top = static_cast<int>(area.top) +
                    std::max(0, static_cast<int>(area.bottom - area.top) - outerHeight) / 2;
    ::SetWindowPos(window_, nullptr, left, top, outerWidth, outerHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::SetTextW1251(int id, const char* cp1251) {
    wchar_t wide[256] = {};
    if (::MultiByteToWideChar(1251, 0, cp1251, -1, wide, 255) > 0) ::SetWindowTextW(Item(id), wide);
}

std::string DialogWindow::TextOf(HWND control) {
    const auto length = static_cast<size_t>(::SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    const auto got = static_cast<size_t>(
        ::SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(got, length));
    return text;
}

int DialogWindow::WidthHoldingControls(int minimum) const {
    int width = minimum;
    for (HWND child = ::GetWindow(handle(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&rect), 2);
        width = std::max(width, ::MulDiv(rect.right, 96, Scale(96)) + 10);
    }
    return width;
}

int DialogWindow::LeftAfterLabels(HWND first, HWND second, int labelsLeft, int minimum) const {
    RECT a{}, b{};
    ::GetWindowRect(first, &a);
    ::GetWindowRect(second, &b);
    const int labelsWidth = std::max(a.right - a.left, b.right - b.left);
    // Back to design pixels.
    return std::max(minimum, labelsLeft + ::MulDiv(labelsWidth, 96, Scale(96)) + 2);
}

}  // namespace kv::editor
