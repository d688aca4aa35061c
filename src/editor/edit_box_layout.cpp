// Where the controls of a page go: the design's rows of label and field at
// 96 DPI, the footer below them, and the form's size round both.
#include <algorithm>

#include "ansi_text.h"
#include "edit_box_form.h"

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

}  // namespace

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
    for (Field& field : fields_) BuildField(field);
    if (page_.extras & kEmbeddedButton)
        AddGlyphButton(kEmbeddedBtn, "Select the file attachment", "E", {249, 5, 23, 23});
    if (page_.extras & kFolderButton)
        AddGlyphButton(kFolderBtn, "Select a folder", "F", {265, 34, 23, 23});
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

void TEditBoxForm::FitForm() {
    // A label longer than the design's width (the object rows' on a large
    // font) widens the form rather than leaving it.
    const int width = WidthHoldingControls(kClientWidth);
    SetClientSize(width, footerTop_ + kFooterHeight);
}

}  // namespace kv::editor
