// The window-position dialog's layouts as data: the controls of each
// configuration with their design places, and which parameter each field
// shows. Portable: the help build reads the help numbers from here too.
#pragma once

#include <cstdint>
#include <span>

#include "design_rect.h"

namespace kv::editor {

// Control identifiers of the dialog.
enum WindowBoxControl : int {
    kBoxEdit1 = 101,  // kBoxEdit1 .. kBoxEdit6
    kBoxModeList = 131,
    kBoxScreenBox = 151,  // "Relative to the screen"
    kBoxClientBox = 152,  // "Client area"
    kBoxHeading = 203,    // the first field's heading
    kBoxLeftLabel = 201,
    kBoxTopLabel = 204,
    kBoxWidthLabel = 205,
    kBoxPositionLabel = 206,
    kBoxSizeLabel = 207,
    kBoxHeightLabel = 208,
    kBoxLastLabel = 209,
    kBoxObjectButton = 221,    // the object chooser for Edit1
    kBoxVariableButton = 222,  // kBoxVariableButton + n - 2: Insert Variable for Edit n (2..6)
    kBoxEdit1Variable = 227,   // Insert Variable for Edit1
};

enum class BoxItemKind : uint8_t {
    Label,
    Heading,
    Edit,
    ObjectButton,
    VariableButton,
    Check,
    List
};

struct BoxItem {
    int id;
    BoxItemKind kind;
    const char* text;  // caption, or the hint of a button
    DesignRect at;
    int target = 0;  // buttons: the edit they fill
};

enum class BoxParamKind : uint8_t {
    Text,        // an edit, unchanged
    KeywordBox,  // a check box for a word: checked writes it, unchecked keeps what it could not
                 // show
    ModeList,    // the window mode: the first entry beginning with the text
};

struct BoxParam {
    uint8_t param;  // from 1
    int control;
    BoxParamKind kind = BoxParamKind::Text;
    const char* keyword = nullptr;
};

struct BoxLayout {
    int32_t id;
    const char* action;
    const char* description;
    int32_t help;
    std::span<const BoxItem> items;
    std::span<const BoxParam> params;
    int footerTop;
};

// The layout of an action, or nullptr when it does not use this dialog.
const BoxLayout* FindWindowBox(int32_t action);

}  // namespace kv::editor
