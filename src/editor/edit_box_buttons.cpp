// The buttons and couplings of the properties dialog: Insert Variable,
// the host's choosers (objects, rectangles, embedded files, files,
// subroutines), the folder chooser, the check boxes and lists that act on
// each other, and the icon preview.
#include <windows.h>

#include "edit_box_form.h"
#include "folder_chooser.h"
#include "host_bridge.h"
#include "param_text.h"

namespace kv::editor {
namespace {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) lines.emplace_back(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

}  // namespace

void TEditBoxForm::InsertVariable(int row) {
    // The second row's button serves the memo while it is shown.
    const bool memo = row == 2 && Item(kMemo1) != nullptr && ::IsWindowVisible(Item(kMemo1));
    const HWND edit = memo ? Item(kMemo1) : Item(kEdit1 + row - 1);
    if (edit == nullptr) return;
    const std::optional<InterfaceAnswer> answer = AskHost(14, TextOf(edit));
    if (!answer || !answer->result) return;
    bool replace = false;
    for (const Field& field : fields_)
        if (field.control == kEdit1 + row - 1)
            replace =
                field.spec->kind == FieldKind::Variable || field.spec->kind == FieldKind::Color;
    if (page_.hook == PageHook::Color && row == 4) replace = true;
    if (memo) replace = false;
    if (replace) {
        ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer->text.c_str()));
    } else {
        ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(answer->text.c_str()));
    }
    ::SetFocus(edit);
}

void TEditBoxForm::ChooseFile(bool withOptions) {
    const EditorState& editor = Editor();
    if (!(withOptions ? editor.hostHasFileOptions : editor.hostHasFileChooser)) return;
    const std::optional<InterfaceAnswer> answer = AskHost(
        withOptions ? 16 : 15, withOptions ? editor.fileOptionsRequest : editor.fileSelectRequest);
    if (!answer || !answer->result) return;
    ::SendMessageA(Item(kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer->text.c_str()));
}

void TEditBoxForm::ChooseObject() {
    const int target = Editor().objectButtonTarget;
    const HWND edit = target == 1 ? Item(kEdit1) : target == 2 ? Item(kEdit1 + 1) : nullptr;
    const std::optional<InterfaceAnswer> answer = AskHost(1, edit ? TextOf(edit) : std::string());
    if (!answer || !answer->result || edit == nullptr) return;
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer->text.c_str()));
    ::SetFocus(edit);
}

void TEditBoxForm::ChooseRectangle() {
    const HWND edit = Item(kEdit1 + 1);
    const std::optional<InterfaceAnswer> answer = AskHost(8, edit ? TextOf(edit) : std::string());
    if (!answer || !answer->result || edit == nullptr) return;
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer->text.c_str()));
    ::SetFocus(edit);
}

void TEditBoxForm::ChooseEmbedded() {
    const HWND edit = Item(kEdit1);
    const std::optional<InterfaceAnswer> answer = AskHost(13, edit ? TextOf(edit) : std::string());
    if (!answer || !answer->result || edit == nullptr) return;
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer->text.c_str()));
}

void TEditBoxForm::ChooseFolder() {
    const HWND edit = Item(kEdit1);
    std::string folder = edit ? TextOf(edit) : std::string();
    BrowseForFolder(handle(), "Library folder location qvMouseHook.dll", "", folder, false, false,
                    false);
    if (!folder.empty() && edit != nullptr)
        ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
}

void TEditBoxForm::SetCheck(int id, bool checked) {
    const HWND box = Item(id);
    if (box == nullptr) return;
    const bool now = ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (now == checked) return;
    ::SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    CheckBoxClicked(id);
}

void TEditBoxForm::CheckBoxClicked(int id) {
    auto checked = [&](int box) {
        return ::SendMessageA(Item(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    auto enabled = [&](int box) { return Item(box) != nullptr && ::IsWindowEnabled(Item(box)); };
    auto enable = [&](int box, bool on) {
        if (const HWND window = Item(box)) ::EnableWindow(window, on);
    };
    const int box1 = kCheckBox1, box2 = kCheckBox1 + 1, box3 = kCheckBox1 + 2,
              box4 = kCheckBox1 + 3;
    if (colorPageMode_ && (id == box1 || id == box2) && checked(id)) {
        // "R,G,B" and "HTML" exclude each other.
        SetCheck(id == box1 ? box2 : box1, false);
    }
    if (maskPageMode_ && id == box1) {
        const HWND edit = Item(kEdit1 + 1);
        if (checked(box1)) {
            ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("MainWindow"));
        } else if (EqualsNoCase(TextOf(edit), "MainWindow")) {
            ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        }
    }
    if (page_.modes & kFindOptionsMode) {
        if (id == box2) {
            enable(box3, !checked(box2));
            enable(box4, enabled(box3) ? checked(box3) : false);
        } else if (id == box3) {
            enable(box4, checked(box3));
            if (!checked(box3)) SetCheck(box4, false);
        } else if (id == box4 && !checked(box3)) {
            SetCheck(box3, checked(box4));
        }
    }
}

void TEditBoxForm::ListChanged(int id) {
    const auto selected = static_cast<int>(::SendMessageA(Item(id), CB_GETCURSEL, 0, 0));
    for (const Field& field : fields_) {
        if (field.control != id) continue;
        if (field.spec->list != nullptr && field.spec->list->iconPreview &&
            !Editor().iconPreviewSuspended)
            DefineImage();
    }
    bool operationList = false;
    for (const Field& field : fields_)
        if (field.control == id && field.spec->kind == FieldKind::KeywordList) operationList = true;
    if ((page_.modes & kFolderOperationMode) && operationList) {
        // The third entry (deleting) has no destination.
        const bool deleting = selected == 2;
        if (const HWND box = Item(kCheckBox1 + 2)) ::EnableWindow(box, deleting);
        if (const HWND edit = Item(kEdit1 + 1)) {
            if (deleting) ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
            ::EnableWindow(edit, !deleting);
        }
        if (const HWND button = Item(kSpeedButton1 + 1)) ::EnableWindow(button, !deleting);
    }
}

void TEditBoxForm::DefineImage() {
    const HWND preview = Item(kIconPreview);
    if (preview == nullptr) return;
    int list = 0;
    for (const Field& field : fields_)
        if (field.spec->list != nullptr && field.spec->list->iconPreview) list = field.control;
    const auto selected = static_cast<int>(::SendMessageA(Item(list), CB_GETCURSEL, 0, 0));
    if (selected < 0) return;
    static const LPCSTR kIcons[] = {IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_APPLICATION};
    if (selected >= 1 && selected <= 4) {
        // System icons are shared: nothing to release.
        const HICON icon = ::LoadIconA(nullptr, kIcons[selected - 1]);
        ::SendMessageA(preview, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        ::ShowWindow(preview, SW_SHOWNA);
    } else {
        ::ShowWindow(preview, SW_HIDE);
    }
}

bool TEditBoxForm::GetSubroutineList(int control) {
    const std::optional<InterfaceAnswer> answer = AskHost(5);
    if (!answer) return false;
    const HWND combo = Item(control);
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : SplitLines(answer->text))
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    return true;
}

}  // namespace kv::editor
