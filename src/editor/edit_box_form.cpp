#include "edit_box_form.h"

#include <algorithm>
#include <iterator>

#include "about_box.h"
#include "ansi_text.h"
#include "color_text.h"
#include "common_dialogs.h"
#include "custom_window_box.h"
#include "editor_text.h"
#include "font_text.h"
#include "host_bridge.h"
#include "page_help.h"
#include "param_text.h"
#include "params.h"
#include "plugin_state.h"

namespace kv::editor {
namespace {

// The design: four rows of label and field, the footer below the last.
constexpr int kLabelTop[] = {12, 73, 133, 193, 253, 312};
constexpr int kFieldTop[] = {35, 95, 155, 215, 275, 335};
constexpr int kFooterTop[] = {85, 140, 195, 260};
constexpr int kClientWidth = 342;
constexpr int kFooterHeight = 135;
constexpr int kFieldLeft = 15;
constexpr int kFieldWidth = 275;
constexpr int kFileFieldWidth = 220;
constexpr int kButtonLeft = 295;
constexpr int kEditHeight = 21;
constexpr int kListHeight = 200;  // with the drop-down part

// The labels' design captions, in Windows-1251 whatever the system's code
// page: they are shown through the wide-character API.
constexpr AnsiText kPlaceholder1("Параметр 1:");
constexpr AnsiText kPlaceholder2("Параметр 2:");
constexpr AnsiText kPlaceholder3("Параметр 3:");
constexpr AnsiText kPlaceholder4("Параметр 4:");
constexpr const char* kPlaceholders[] = {kPlaceholder1.c_str(), kPlaceholder2.c_str(),
                                         kPlaceholder3.c_str(), kPlaceholder4.c_str()};

constexpr const char* kInsertVariableHint = "Insert Variable";
constexpr const char* kInsertVariableGlyph = "[x]";

int RowIndex(int row) { return std::clamp(row, 1, 6) - 1; }

// The words of an options text ("Async + SubFolders"), spaces removed.
bool HasOptionWord(std::string_view text, std::string_view word) {
    std::string compact;
    for (char c : text)
        if (c != ' ') compact += c;
    size_t start = 0;
    while (start <= compact.size()) {
        size_t end = compact.find('+', start);
        if (end == std::string::npos) end = compact.size();
        if (EqualsNoCase(std::string_view(compact).substr(start, end - start), word)) return true;
        start = end + 1;
    }
    return false;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

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
        LayoutRows(page_.rows);
        break;
    }
    BuildFooter(footerTop_);
    // A label longer than the design's width (the object rows' on a large
    // font) widens the form rather than leaving it.
    const int width = WidthHoldingControls(kClientWidth);
    SetClientSize(width, footerTop_ + kFooterHeight);
    return true;  // the first field in the tab order takes the focus
}

void TEditBoxForm::BuildHeader() {
    // The mouse monitor's settings page has always been named in the singular.
    const std::string caption =
        std::string(page_.action) + (page_.id == 3 ? " Property" : " Properties");
    ::SetWindowTextA(handle(), caption.c_str());
}

void TEditBoxForm::LayoutRows(int rows) {
    footerTop_ = page_.footerTop ? page_.footerTop : kFooterTop[std::clamp(rows, 1, 4) - 1];
    footerTop_ += page_.footerShift;
    fields_.clear();
    for (const FieldSpec& spec : page_.fields) fields_.push_back({&spec, 0, {}, {}});
    // Reading order: the fields by row, so Tab walks them top to bottom.
    std::stable_sort(fields_.begin(), fields_.end(),
                     [](const Field& a, const Field& b) { return a.spec->row < b.spec->row; });
    maskPageMode_ = (page_.modes & kMaskPageMode) != 0;
    if (page_.iconPreview == IconPreview::Suspend) Editor().iconPreviewSuspended = true;
    if (page_.iconPreview == IconPreview::Resume) Editor().iconPreviewSuspended = false;
    for (Field& field : fields_) BuildField(field);
    if (page_.extras & kEmbeddedButton)
        AddGlyphButton(kEmbeddedBtn, "Select the file attachment", "E", {249, 5, 23, 23});
    if (page_.extras & kFolderButton)
        AddGlyphButton(kFolderBtn, "Select a folder", "F", {265, 34, 23, 23});
    for (Field& field : fields_) ReadField(field);
    // The couplings act on what was read.
    if (page_.modes & kFolderOperationMode)
        for (const Field& field : fields_)
            if (field.spec->kind == FieldKind::KeywordList) ListChanged(field.control);
    if (page_.modes & kFindOptionsMode) {
        CheckBoxClicked(kCheckBox1 + 2);
        CheckBoxClicked(kCheckBox1 + 1);
    }
    if (maskPageMode_ && EqualsNoCase(TextOf(Item(kEdit1 + 1)), "MainWindow"))
        ::SendMessageA(Item(kCheckBox1), BM_SETCHECK, BST_CHECKED, 0);
    if (page_.file != nullptr) {
        EditorState& editor = Editor();
        const std::string file = TextOf(Item(kEdit1));
        const FileTexts& t = *page_.file;
        editor.fileSelectRequest = BuildFileSelectRequest(t.title, file, t.filter, t.filterIndex);
        editor.fileOptionsRequest = BuildFileOptionsRequest(file, t.filter, t.fourth, t.fifth);
    }
}

void TEditBoxForm::BuildField(Field& field) {
    const FieldSpec& spec = *field.spec;
    const int row = RowIndex(spec.row);
    const int top = spec.top ? spec.top : kFieldTop[row];
    const int left = spec.left ? spec.left : kFieldLeft;
    if (spec.label != nullptr) {
        const HWND label =
            AddControl("STATIC", spec.label, WS_VISIBLE | SS_NOPREFIX, kLabel1 + row,
                       {kFieldLeft, spec.labelTop ? spec.labelTop : kLabelTop[row], 120, 16});
        FitCaption(label);
    }
    const int id = kEdit1 + row;
    switch (spec.kind) {
    case FieldKind::Text:
    case FieldKind::Variable:
    case FieldKind::Object:
    case FieldKind::Rectangle:
    case FieldKind::File: {
        const int width = spec.width
                              ? spec.width
                              : (spec.kind == FieldKind::File ? kFileFieldWidth : kFieldWidth);
        const HWND edit = AddControl("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, id,
                                     {left, top, width, kEditHeight}, WS_EX_CLIENTEDGE);
        ::SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
        field.control = id;
        if (spec.kind == FieldKind::File) {
            AddGlyphButton(kFileSelBtn, "Select the file", "...", {239, top, 23, kEditHeight});
            AddGlyphButton(kAdvFileBtn, "Additional options", "+", {268, top, 23, kEditHeight});
        }
        if (spec.kind == FieldKind::Object) {
            AddGlyphButton(kObButton, "Select an object from the list", "O",
                           {kButtonLeft, top - 1, 23, 23});
            if (spec.row <= 2) Editor().objectButtonTarget = spec.row;
        } else if (spec.kind == FieldKind::Rectangle) {
            AddGlyphButton(kObjButton2, "Select the rectangle object", "R",
                           {kButtonLeft, top - 1, 23, 23});
        } else {
            AddGlyphButton(kSpeedButton1 + row, kInsertVariableHint, kInsertVariableGlyph,
                           {kButtonLeft, top - 1, 23, 23});
        }
        break;
    }
    case FieldKind::Color: {
        const HWND edit = AddControl("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, id,
                                     {left, top, 82, kEditHeight}, WS_EX_CLIENTEDGE);
        ::SendMessageA(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
        AddControl("STATIC", "", WS_VISIBLE | SS_OWNERDRAW, kColorSwatch,
                   {left + 85, top, 23, kEditHeight});
        AddGlyphButton(kColorButton, "Select a color", "...", {left + 110, top - 1, 23, 23});
        AddGlyphButton(kSpeedButton1 + row, kInsertVariableHint, kInsertVariableGlyph,
                       {left + 135, top - 1, 23, 23});
        field.control = id;
        break;
    }
    case FieldKind::Memo:
        AddControl("EDIT", "",
                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                       ES_AUTOHSCROLL | ES_WANTRETURN,
                   kMemo1, {left, top, spec.width ? spec.width : kFieldWidth, 63},
                   WS_EX_CLIENTEDGE);
        ::SendMessageA(Item(kMemo1), EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
        AddGlyphButton(kSpeedButton1 + row, kInsertVariableHint, kInsertVariableGlyph,
                       {kButtonLeft, top - 1, 23, 23});
        field.control = kMemo1;
        break;
    case FieldKind::KeywordList:
    case FieldKind::WordList:
    case FieldKind::SubroutineList: {
        const bool editable = spec.kind == FieldKind::SubroutineList && !spec.fixedList;
        const int combo = kComboBox1 + row;
        const int width = spec.width ? spec.width : kFieldWidth;
        AddControl("COMBOBOX", "",
                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                       (editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST),
                   combo, {left, top, width, kListHeight});
        field.control = combo;
        if (spec.list != nullptr && spec.list->iconPreview)
            AddControl("STATIC", "", SS_ICON | SS_CENTERIMAGE, kIconPreview,
                       {left + width + 6, top - 1, 23, 23});
        break;
    }
    case FieldKind::ThreeState:
    case FieldKind::TwoState: {
        const int pairTop = spec.top ? spec.top : kFieldTop[row] - 2;
        const HWND yes =
            AddControl("BUTTON", "True", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                       kTrueButton, {left + 5, pairTop, 70, 20});
        const HWND no = AddControl("BUTTON", "False", WS_VISIBLE | BS_AUTORADIOBUTTON, kFalseButton,
                                   {left + 85, pairTop, 70, 20});
        FitCaption(yes, ::GetSystemMetrics(SM_CXMENUCHECK) + Scale(6));
        FitCaption(no, ::GetSystemMetrics(SM_CXMENUCHECK) + Scale(6));
        ::SendMessageA(no, BM_SETCHECK, BST_CHECKED, 0);  // the design state
        field.control = kTrueButton;
        break;
    }
    case FieldKind::FlagBox:
    case FieldKind::KeywordBox:
    case FieldKind::OptionWord: {
        int box = kCheckBox1;
        while (Item(box) != nullptr) ++box;
        const HWND check = AddControl(
            "BUTTON", spec.caption ? spec.caption : "", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
            box, {left, spec.top ? spec.top : top, spec.width ? spec.width : 120, 20});
        FitCaption(check, ::GetSystemMetrics(SM_CXMENUCHECK) + Scale(6));
        field.control = box;
        break;
    }
    }
}

void TEditBoxForm::ReadField(Field& field) {
    const FieldSpec& spec = *field.spec;
    const std::string& text = Param(spec.param);
    const HWND control = Item(field.control);
    switch (spec.kind) {
    case FieldKind::Text:
    case FieldKind::Variable:
    case FieldKind::Object:
    case FieldKind::Rectangle:
    case FieldKind::File:
        ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        break;
    case FieldKind::Color:
        ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SetSwatch(ParseColorTextOrDefault(text, MakeRgb(255, 255, 255)));
        break;
    case FieldKind::Memo: {
        const std::string message = DecodeMessageText(text);
        ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(message.c_str()));
        break;
    }
    case FieldKind::KeywordList:
    case FieldKind::WordList:
    case FieldKind::SubroutineList: {
        field.items.clear();
        if (spec.kind == FieldKind::SubroutineList) {
            GetSubroutineList(field.control);
            const auto count = static_cast<int>(::SendMessageA(control, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                std::string item(static_cast<size_t>(::SendMessageA(control, CB_GETLBTEXTLEN,
                                                                    static_cast<WPARAM>(i), 0)) +
                                     1,
                                 '\0');
                ::SendMessageA(control, CB_GETLBTEXT, static_cast<WPARAM>(i),
                               reinterpret_cast<LPARAM>(item.data()));
                item.resize(item.find('\0'));
                field.items.push_back(std::move(item));
            }
        } else {
            const WordList& list = *spec.list;
            for (size_t i = 0; i < list.keywords.size(); ++i) {
                field.items.emplace_back(list.keywords[i]);
                const char* shown = list.captions.empty() ? list.keywords[i] : list.captions[i];
                ::SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown));
            }
        }
        int selected = -1;
        for (size_t i = 0; i < field.items.size() && selected < 0; ++i) {
            // Keyword lists match whole keywords; word and subroutine lists
            // the first entry that begins with the text (so an empty text
            // selects the first entry).
            const bool match = spec.kind == FieldKind::KeywordList
                                   ? EqualsNoCase(field.items[i], text)
                                   : StartsWithNoCase(field.items[i], text);
            if (match) selected = static_cast<int>(i);
        }
        // An empty text may take the first entry; a text the list cannot
        // show leaves it empty and is kept.
        if (selected < 0 && spec.list != nullptr && spec.list->firstWhenNotFound && text.empty() &&
            !field.items.empty())
            selected = 0;
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        if (spec.list != nullptr && spec.list->iconPreview) DefineImage();
        break;
    }
    case FieldKind::ThreeState: {
        bool value = false;
        if (!ParseBoolParam(text, value)) {
            ::SendMessageA(Item(kFalseButton), BM_SETCHECK, BST_UNCHECKED, 0);
            field.raw = text;
        } else if (value) {
            ::SendMessageA(Item(kTrueButton), BM_SETCHECK, BST_CHECKED, 0);
            ::SendMessageA(Item(kFalseButton), BM_SETCHECK, BST_UNCHECKED, 0);
        }
        break;
    }
    case FieldKind::TwoState: {
        // Empty reads as False; a text that is neither (a variable) shows
        // nothing and is kept until the author picks a side.
        bool value = false;
        if (!text.empty() && !ParseBoolParam(text, value)) {
            ::SendMessageA(Item(kFalseButton), BM_SETCHECK, BST_UNCHECKED, 0);
            field.raw = text;
        } else if (value) {
            ::SendMessageA(Item(kTrueButton), BM_SETCHECK, BST_CHECKED, 0);
            ::SendMessageA(Item(kFalseButton), BM_SETCHECK, BST_UNCHECKED, 0);
        }
        break;
    }
    case FieldKind::OptionWord:
        if (HasOptionWord(text, spec.keyword) &&
            (spec.needsWord == nullptr || HasOptionWord(text, spec.needsWord)))
            ::SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
        break;
    case FieldKind::FlagBox:
    case FieldKind::KeywordBox: {
        const bool checked = spec.kind == FieldKind::FlagBox
                                 ? ParseBoolOrFalse(text)
                                 : EqualsNoCase(text, spec.keyword ? spec.keyword : "");
        if (checked) {
            SetCheck(field.control, true);
        } else {
            field.raw = text;
        }
        break;
    }
    }
}

void TEditBoxForm::WriteField(const Field& field) {
    const FieldSpec& spec = *field.spec;
    const HWND control = Item(field.control);
    switch (spec.kind) {
    case FieldKind::Text:
    case FieldKind::Variable:
    case FieldKind::Object:
    case FieldKind::Rectangle:
    case FieldKind::File:
    case FieldKind::Color:
        // A field the operation switched off has nothing to say.
        SetResult(spec.param, (page_.modes & kFolderOperationMode) && !::IsWindowEnabled(control)
                                  ? std::string()
                                  : TextOf(control));
        break;
    case FieldKind::OptionWord: {
        // The checked words of all the boxes of this parameter, in order;
        // a box its couplings switched off does not count.
        std::string words;
        for (const Field& other : fields_) {
            if (other.spec->kind != FieldKind::OptionWord || other.spec->param != spec.param)
                continue;
            const HWND box = Item(other.control);
            if (::SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED || !::IsWindowEnabled(box))
                continue;
            if (!words.empty()) words += '+';
            words += other.spec->keyword;
        }
        SetResult(spec.param, std::move(words));
        break;
    }
    case FieldKind::Memo:
        SetResult(spec.param, EncodeMessageText(TextOf(control)));
        break;
    case FieldKind::KeywordList: {
        const auto selected = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
        if (selected >= 0 && static_cast<size_t>(selected) < field.items.size())
            SetResult(spec.param, field.items[static_cast<size_t>(selected)]);
        break;
    }
    case FieldKind::WordList:
    case FieldKind::SubroutineList: {
        std::string text = TextOf(control);
        if (!text.empty()) SetResult(spec.param, std::move(text));
        break;
    }
    case FieldKind::ThreeState:
        if (::SendMessageA(Item(kTrueButton), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            SetResult(spec.param, "True");
        } else if (::SendMessageA(Item(kFalseButton), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            SetResult(spec.param, "False");
        } else {
            SetResult(spec.param, field.raw);
        }
        break;
    case FieldKind::TwoState:
        if (::SendMessageA(Item(kTrueButton), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            SetResult(spec.param, "True");
        } else if (::SendMessageA(Item(kFalseButton), BM_GETCHECK, 0, 0) == BST_CHECKED ||
                   field.raw.empty()) {
            SetResult(spec.param, "False");
        } else {
            SetResult(spec.param, field.raw);
        }
        break;
    case FieldKind::FlagBox:
        if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            SetResult(spec.param, "True");
        } else {
            SetResult(spec.param, field.raw.empty() ? "False" : field.raw);
        }
        break;
    case FieldKind::KeywordBox:
        if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            SetResult(spec.param, spec.keyword ? spec.keyword : "");
        } else {
            SetResult(spec.param, spec.keepRawUnchecked ? field.raw : std::string());
        }
        break;
    }
}

void TEditBoxForm::BuildFooter(int top) {
    const HWND name =
        AddControl("STATIC", page_.action, WS_VISIBLE | SS_CENTER | SS_NOPREFIX | SS_CENTERIMAGE,
                   kActionName, {10, top, 60, 20});
    FitCaption(name, Scale(31));  // wider than the name: centred, it keeps a margin
    AddControl("STATIC", page_.description, WS_VISIBLE | SS_NOPREFIX, kHintLabel,
               {10, top + 26, 322, 64});
    AddControl("STATIC", "Kelvane 1.0b", WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY, kVersionLabel,
               {10, top + 103, 75, 16});
    AddControl("BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, IDOK,
               {104, top + 98, 72, 25});
    AddControl("BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
               {182, top + 98, 72, 25});
    AddControl("BUTTON", "Help", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDHELP,
               {260, top + 98, 72, 25});
    // Placeholders for labels a page leaves unset (none of the pages here).
    for (int row = 0; row < 4; ++row) {
        if (const HWND label = Item(kLabel1 + row); label != nullptr && TextOf(label).empty())
            SetTextW1251(kLabel1 + row, kPlaceholders[row]);
    }
}

TEditBoxForm::Field* TEditBoxForm::FieldOnRow(int row) {
    for (Field& field : fields_)
        if (field.spec->row == row && field.control == kEdit1 + row - 1) return &field;
    return nullptr;
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
        if (code == BN_CLICKED) {
            // The pair switches the second row's field on and off.
            const BOOL on = id == kTrueButton;
            if (const HWND edit = Item(kEdit1 + 1)) ::EnableWindow(edit, on);
            if (const HWND button = Item(kSpeedButton1 + 1)) ::EnableWindow(button, on);
        }
        return;
    case kEdit1:
        if (code == EN_CHANGE && colorPageMode_) {
            const std::string text = TextOf(Item(kEdit1));
            SetSwatch(ParseColorTextOrDefault(text, MakeRgb(192, 192, 192)));
            pageFontColor_ = text;
        }
        return;
    case kEdit1 + 2:
        if (code == EN_CHANGE && maskPageMode_)
            SetSwatch(ParseColorTextOrDefault(TextOf(Item(kEdit1 + 2)), MakeRgb(255, 255, 255)));
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
