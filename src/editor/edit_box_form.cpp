// The form's life: what a page is made of and in which order, the messages
// and the commands. Its parts live beside it: the layout
// (edit_box_layout.cpp), the texts into the controls and back
// (edit_box_texts.cpp), the couplings between controls
// (edit_box_couplings.cpp), the buttons (edit_box_buttons.cpp) and the
// colour and font pages (color_font_pages.cpp).
#include "edit_box_form.h"

#include "about_box.h"
#include "custom_window_box.h"
#include "editor_text.h"
#include "host_bridge.h"
#include "page_help.h"

namespace kv::editor {

EditorState& Editor() {
    static EditorState state;
    return state;
}

TEditBoxForm::TEditBoxForm(const PageSpec& page, std::vector<std::string> texts)
    : page_(page), texts_(std::move(texts)) {}

const std::string& TEditBoxForm::Param(int number) const {
    static const std::string empty;
    return number >= 1 && static_cast<size_t>(number) <= texts_.size()
               ? texts_[static_cast<size_t>(number - 1)]
               : empty;
}

void TEditBoxForm::SetResult(int number, std::string text) {
    if (number >= 1 && static_cast<size_t>(number) <= results_.size())
        results_[static_cast<size_t>(number - 1)] = std::move(text);
}

bool TEditBoxForm::OnCreate() {
    EditorState& editor = Editor();
    const std::optional<InterfaceAnswer> version = AskHost(6);
    const int hostVersion =
        HostVersionFromText(version ? std::optional<std::string>(version->text) : std::nullopt);
    editor.hostHasFileChooser = hostVersion >= kFileChooserVersion;
    editor.hostHasFileOptions = hostVersion >= kFileOptionsVersion;
    editor.objectButtonTarget = 1;
    results_.assign(texts_.size(), std::nullopt);
    helpContextId_ = page_.help;

    BuildHeader();
    switch (page_.hook) {
    case PageHook::Color:
        SetupColorPage();
        break;
    case PageHook::Font:
        SetupFontPage();
        break;
    case PageHook::None:
        maskPageMode_ = (page_.modes & kMaskPageMode) != 0;
        if (page_.iconPreview == IconPreview::Suspend) editor.iconPreviewSuspended = true;
        if (page_.iconPreview == IconPreview::Resume) editor.iconPreviewSuspended = false;
        LayoutRows(page_.rows);
        for (Field& field : fields_) ReadField(field);
        CoupleReadTexts();
        PrepareFileRequests();
        break;
    }
    BuildFooter(footerTop_);
    FitForm();
    return true;  // the first field in the tab order takes the focus
}

bool TEditBoxForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) ::BringWindowToTop(handle());
        return false;
    case WM_CTLCOLORSTATIC:
        result = ColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        return result != 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != kColorSwatch) return false;
        ::SetDCBrushColor(item->hDC, static_cast<COLORREF>(swatchColor_));
        ::FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        ::FrameRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

INT_PTR TEditBoxForm::ColorStatic(HDC dc, HWND control) {
    switch (::GetDlgCtrlID(control)) {
    case kActionName:
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::SetBkColor(dc, RGB(64, 64, 64));
        return reinterpret_cast<INT_PTR>(::GetStockObject(DKGRAY_BRUSH));
    case kHintLabel:
        ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_INFOBK));
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_INFOBK));
    case kIconPreview:
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_INFOBK));
    case kVersionLabel:
        ::SetTextColor(dc, RGB(128, 128, 128));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
    default:
        return 0;
    }
}

void TEditBoxForm::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDOK:
        if (page_.hook == PageHook::Color) {
            WriteColorPage();
        } else if (page_.hook == PageHook::Font) {
            WriteFontPage();
        } else {
            for (const Field& field : fields_) WriteField(field);
        }
        ::EndDialog(handle(), IDOK);
        return;
    case IDCANCEL:
        ::EndDialog(handle(), IDCANCEL);
        return;
    case kVersionLabel:
        if (code == STN_CLICKED) OpenMakerPage();
        return;
    case IDHELP:
        ShowPageHelp(handle(), helpContextId_, page_.action);
        return;
    case kFileSelBtn:
    case kAdvFileBtn:
        ChooseFile(id == kAdvFileBtn);
        return;
    case kObButton:
        ChooseObject();
        return;
    case kObjButton2:
        ChooseRectangle();
        return;
    case kEmbeddedBtn:
        ChooseEmbedded();
        return;
    case kFolderBtn:
        ChooseFolder();
        return;
    case kColorButton:
        ChooseColor();
        return;
    case kFontButton:
        ChooseFont();
        return;
    case kTrueButton:
    case kFalseButton:
        if (code == BN_CLICKED) PairClicked(id);
        return;
    case kEdit1:
    case kEdit1 + 2:
        if (code == EN_CHANGE) ColorTextChanged(id);
        return;
    default:
        if (id >= kCheckBox1 && id < kCheckBox1 + 4 && code == BN_CLICKED) {
            CheckBoxClicked(id);
            return;
        }
        if (id >= kComboBox1 && id < kComboBox1 + 4 && code == CBN_SELCHANGE) {
            ListChanged(id);
            return;
        }
        if (id >= kSpeedButton1 && id < kSpeedButton1 + 4 && code == BN_CLICKED)
            InsertVariable(id - kSpeedButton1 + 1);
        return;
    }
}

std::optional<std::vector<std::optional<std::string>>> EditActionTexts(
    int32_t action, std::vector<std::string> texts) {
    if (const BoxLayout* layout = FindWindowBox(action)) {
        TCustomWindowBox box(*layout, std::move(texts));
        if (box.RunModal(::GetActiveWindow()) != IDOK) return std::nullopt;
        return box.results();
    }
    const PageSpec* page = FindPage(action);
    if (page == nullptr) return std::nullopt;
    TEditBoxForm form(*page, std::move(texts));
    if (form.RunModal(::GetActiveWindow()) != IDOK) return std::nullopt;
    return form.results();
}

}  // namespace kv::editor
