// The parameter texts into the controls and back. A text a control cannot
// show (a variable where True or False belongs, a word no list entry
// matches) leaves the control empty and goes back unchanged unless the
// author picks something else.
#include <windows.h>

#include "color_text.h"
#include "edit_box_form.h"
#include "editor_text.h"
#include "param_text.h"
#include "params.h"

namespace kv::editor {
namespace {

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

}  // namespace kv::editor
