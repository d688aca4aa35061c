// The buttons of the properties dialog: Insert Variable, the host's
// choosers (objects, rectangles, embedded files, files, subroutines) and
// the folder chooser.
#include <windows.h>

#include "edit_box_form.h"
#include "editor_text.h"
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

// The requests the file buttons send, from the file text as read.
void TEditBoxForm::PrepareFileRequests() {
    if (page_.file == nullptr) return;
    EditorState& editor = Editor();
    const std::string file = TextOf(Item(kEdit1));
    const FileTexts& t = *page_.file;
    editor.fileSelectRequest = BuildFileSelectRequest(t.title, file, t.filter, t.filterIndex);
    editor.fileOptionsRequest = BuildFileOptionsRequest(file, t.filter, t.fourth, t.fifth);
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
