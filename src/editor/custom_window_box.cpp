// The window-position dialog's one engine: it builds the controls of a
// layout, shows the parameters, serves the choosers and writes back on OK.
#include "custom_window_box.h"

#include <algorithm>

#include "edit_box_form.h"
#include "host_bridge.h"
#include "page_help.h"
#include "param_text.h"

namespace kv::editor {
namespace {

constexpr int kClientWidth = 411;
constexpr int kFooterHeight = 140;
constexpr const char* kModes[] = {"Normal", "AlwaysOnTop"};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

TCustomWindowBox::TCustomWindowBox(const BoxLayout& layout, std::vector<std::string> texts)
    : layout_(layout), texts_(std::move(texts)) {}

bool TCustomWindowBox::OnCreate() {
    results_.assign(texts_.size(), std::nullopt);
    kept_.assign(texts_.size(), std::string());
    const std::string caption = std::string(layout_.action) + " Properties";
    ::SetWindowTextA(handle(), caption.c_str());

    LOGFONTA face{};
    ::GetObjectA(Font(), sizeof(face), &face);
    face.lfWeight = FW_BOLD;
    bold_.reset(::CreateFontIndirectA(&face));

    const int checkExtra = ::GetSystemMetrics(SM_CXMENUCHECK) + Scale(6);
    for (const BoxItem& item : layout_.items) {
        switch (item.kind) {
        case BoxItemKind::Label:
        case BoxItemKind::Heading: {
            const HWND label =
                AddControl("STATIC", item.text, WS_VISIBLE | SS_NOPREFIX, item.id, item.at);
            if (item.kind == BoxItemKind::Heading && bold_)
                ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
            FitCaption(label);
            break;
        }
        case BoxItemKind::Edit:
            ::SendMessageA(AddControl("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, item.id,
                                      item.at, WS_EX_CLIENTEDGE),
                           EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
            break;
        case BoxItemKind::ObjectButton:
            AddGlyphButton(item.id, item.text, "O", item.at);
            break;
        case BoxItemKind::VariableButton:
            AddGlyphButton(item.id, item.text, "[x]", item.at);
            break;
        case BoxItemKind::Check:
            FitCaption(AddControl("BUTTON", item.text, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                  item.id, item.at),
                       checkExtra);
            break;
        case BoxItemKind::List: {
            const HWND list =
                AddControl("COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                           item.id, item.at);
            for (const char* mode : kModes)
                ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode));
            break;
        }
        }
    }

    for (const BoxParam& param : layout_.params) {
        const size_t index = static_cast<size_t>(param.param - 1);
        if (index >= texts_.size()) continue;
        const std::string& text = texts_[index];
        const HWND control = Item(param.control);
        switch (param.kind) {
        case BoxParamKind::Text:
            ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            break;
        case BoxParamKind::KeywordBox:
            // The word reads ignoring case, as the actions read it.
            if (EqualsNoCase(text, param.keyword)) {
                ::SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
            } else {
                kept_[index] = text;
            }
            break;
        case BoxParamKind::ModeList: {
            int selected = -1;
            for (int i = 0; i < static_cast<int>(std::size(kModes)) && selected < 0; ++i)
                if (StartsWithNoCase(kModes[i], text)) selected = i;
            ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
            if (selected < 0) kept_[index] = text;
            break;
        }
        }
    }
    BuildFooter();
    const int width = WidthHoldingControls(kClientWidth);
    SetClientSize(width, layout_.footerTop + kFooterHeight);
    return true;
}

void TCustomWindowBox::BuildFooter() {
    const int top = layout_.footerTop;
    const HWND name =
        AddControl("STATIC", layout_.action, WS_VISIBLE | SS_CENTER | SS_NOPREFIX | SS_CENTERIMAGE,
                   kActionName, {11, top, 60, 20});
    FitCaption(name, Scale(31));  // wider than the name: centred, it keeps a margin
    AddControl("STATIC", layout_.description, WS_VISIBLE | SS_NOPREFIX, kHintLabel,
               {11, top + 26, 389, 64});
    AddControl("STATIC", "Kelvane 1.0b", WS_VISIBLE | SS_NOPREFIX, kVersionLabel,
               {11, top + 103, 75, 16});
    AddControl("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, IDOK,
               {172, top + 98, 72, 25});
    AddControl("BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
               {250, top + 98, 72, 25});
    AddControl("BUTTON", "Help", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDHELP,
               {328, top + 98, 72, 25});
}

void TCustomWindowBox::Choose(int edit, int32_t request) {
    const HWND field = Item(edit);
    if (field == nullptr) return;
    const std::optional<InterfaceAnswer> answer = AskHost(request, TextOf(field));
    if (!answer || !answer->result) return;
    // The whole field is replaced; the focus stays where it was.
    ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer->text.c_str()));
}

void TCustomWindowBox::Write() {
    for (const BoxParam& param : layout_.params) {
        const size_t index = static_cast<size_t>(param.param - 1);
        if (index >= results_.size()) continue;
        const HWND control = Item(param.control);
        switch (param.kind) {
        case BoxParamKind::Text:
            results_[index] = TextOf(control);
            break;
        case BoxParamKind::KeywordBox:
            results_[index] = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED
                                  ? std::string(param.keyword)
                                  : kept_[index];
            break;
        case BoxParamKind::ModeList:
            results_[index] =
                ::SendMessageA(control, CB_GETCURSEL, 0, 0) >= 0 ? TextOf(control) : kept_[index];
            break;
        }
    }
}

bool TCustomWindowBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) ::BringWindowToTop(handle());
        return false;
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        switch (::GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) {
        case kActionName:
            ::SetTextColor(dc, RGB(255, 255, 255));
            ::SetBkColor(dc, RGB(64, 64, 64));
            result = reinterpret_cast<INT_PTR>(::GetStockObject(DKGRAY_BRUSH));
            return true;
        case kHintLabel:
            ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
            ::SetBkColor(dc, ::GetSysColor(COLOR_INFOBK));
            result = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_INFOBK));
            return true;
        case kVersionLabel:
            ::SetTextColor(dc, RGB(128, 128, 128));
            ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
            result = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
            return true;
        default:
            return false;
        }
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
            Write();
            ::EndDialog(handle(), IDOK);
        } else if (id == IDCANCEL) {
            ::EndDialog(handle(), IDCANCEL);
        } else if (id == IDHELP) {
            ShowPageHelp(handle(), layout_.help, layout_.action);
        } else if (HIWORD(wParam) == BN_CLICKED) {
            for (const BoxItem& item : layout_.items) {
                if (item.id != id) continue;
                if (item.kind == BoxItemKind::ObjectButton) Choose(item.target, 1);
                if (item.kind == BoxItemKind::VariableButton) Choose(item.target, 14);
            }
        }
        return true;
    }
    default:
        return false;
    }
}

}  // namespace kv::editor
