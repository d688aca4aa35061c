// The couplings between the controls of a page: check boxes that exclude
// or switch each other, the operation list that switches the destination
// off, the True/False pair that switches the second row, colour texts that
// drive the swatch, and the icon preview that follows its list.
#include <windows.h>

#include "color_text.h"
#include "edit_box_form.h"
#include "param_text.h"

namespace kv::editor {

// The couplings act on what was read.
void TEditBoxForm::CoupleReadTexts() {
    if (page_.modes & kFolderOperationMode)
        for (const Field& field : fields_)
            if (field.spec->kind == FieldKind::KeywordList) ListChanged(field.control);
    if (page_.modes & kFindOptionsMode) {
        CheckBoxClicked(kCheckBox1 + 2);
        CheckBoxClicked(kCheckBox1 + 1);
    }
    if (maskPageMode_ && EqualsNoCase(TextOf(Item(kEdit1 + 1)), "MainWindow"))
        ::SendMessageA(Item(kCheckBox1), BM_SETCHECK, BST_CHECKED, 0);
}

void TEditBoxForm::PairClicked(int id) {
    // The pair switches the second row's field on and off.
    const BOOL on = id == kTrueButton;
    if (const HWND edit = Item(kEdit1 + 1)) ::EnableWindow(edit, on);
    if (const HWND button = Item(kSpeedButton1 + 1)) ::EnableWindow(button, on);
}

void TEditBoxForm::ColorTextChanged(int id) {
    if (id == kEdit1 && colorPageMode_) {
        const std::string text = TextOf(Item(kEdit1));
        SetSwatch(ParseColorTextOrDefault(text, MakeRgb(192, 192, 192)));
        pageFontColor_ = text;
    } else if (id == kEdit1 + 2 && maskPageMode_) {
        SetSwatch(ParseColorTextOrDefault(TextOf(Item(kEdit1 + 2)), MakeRgb(255, 255, 255)));
    }
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

}  // namespace kv::editor
