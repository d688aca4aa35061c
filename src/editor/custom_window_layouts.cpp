// The four layouts of the window-position dialog, as rows: every control
// with its design place and text, then which parameter each field shows.
#include "custom_window_layouts.h"

namespace kv::editor {
namespace {

using K = BoxItemKind;

constexpr const char* kInsertVariable = "Insert Variable";
constexpr const char* kHandle = "Window handle (HWND):";
constexpr const char* kStore = "Store the result in a variable:";

// The position and size fields at their design places; `dy` moves the
// whole group (its headings at 75 + dy).
#define KV_SIZE_FIELDS(dy, left, top, width, height)                                           \
    {kBoxPositionLabel, K::Heading, left, {15, 75 + (dy), 150, 16}},                           \
        {kBoxSizeLabel, K::Heading, width, {220, 75 + (dy), 150, 16}},                         \
        {kBoxLeftLabel, K::Label, "Left:", {15, 103 + (dy), 48, 16}},                          \
        {kBoxEdit1 + 1, K::Edit, nullptr, {65, 100 + (dy), 80, 21}},                           \
        {kBoxVariableButton,                                                                   \
         K::VariableButton,                                                                    \
         kInsertVariable,                                                                      \
         {150, 99 + (dy), 23, 23},                                                             \
         kBoxEdit1 + 1},                                                                       \
        {kBoxWidthLabel, K::Label, "Width:", {220, 103 + (dy), 58, 16}},                       \
        {kBoxEdit1 + 3, K::Edit, nullptr, {280, 100 + (dy), 80, 21}},                          \
        {kBoxVariableButton + 2,                                                               \
         K::VariableButton,                                                                    \
         kInsertVariable,                                                                      \
         {365, 99 + (dy), 23, 23},                                                             \
         kBoxEdit1 + 3},                                                                       \
        {kBoxTopLabel, K::Label, top, {15, 137 + (dy), 48, 16}},                               \
        {kBoxEdit1 + 2, K::Edit, nullptr, {65, 135 + (dy), 80, 21}},                           \
        {kBoxVariableButton + 1,                                                               \
         K::VariableButton,                                                                    \
         kInsertVariable,                                                                      \
         {150, 134 + (dy), 23, 23},                                                            \
         kBoxEdit1 + 2},                                                                       \
        {kBoxHeightLabel, K::Label, height, {220, 138 + (dy), 58, 16}},                        \
        {kBoxEdit1 + 4, K::Edit, nullptr, {280, 135 + (dy), 80, 21}}, {                        \
        kBoxVariableButton + 3, K::VariableButton, kInsertVariable, {365, 134 + (dy), 23, 23}, \
            kBoxEdit1 + 4                                                                      \
    }

constexpr BoxItem kCustomWindowItems[] = {
    {kBoxHeading,
     K::Label,
     "The name of the object (the same as when creating a window):",
     {16, 12, 300, 16}},
    {kBoxEdit1, K::Edit, nullptr, {15, 35, 275, 21}},
    {kBoxObjectButton,
     K::ObjectButton,
     "Select an object from the list",
     {295, 34, 23, 23},
     kBoxEdit1},
    KV_SIZE_FIELDS(0, "Window position:", "Top:", "Window size:", "Height:"),
    {kBoxScreenBox, K::Check, "Relative to the screen", {15, 170, 154, 20}},
    {kBoxLastLabel, K::Label, "New window title (empty-not to change):", {15, 200, 250, 16}},
    {kBoxEdit1 + 5, K::Edit, nullptr, {15, 220, 345, 21}},
    {kBoxVariableButton + 4, K::VariableButton, kInsertVariable, {365, 218, 23, 23}, kBoxEdit1 + 5},
};

constexpr BoxItem kWindowPosItems[] = {
    {kBoxHeading, K::Label, kHandle, {16, 12, 200, 16}},
    {kBoxEdit1, K::Edit, nullptr, {15, 35, 275, 21}},
    {kBoxEdit1Variable, K::VariableButton, kInsertVariable, {295, 34, 23, 23}, kBoxEdit1},
    KV_SIZE_FIELDS(0, "Window position:", "Top:", "Window size:", "Height:"),
    {kBoxClientBox, K::Check, "Client area", {241, 170, 140, 20}},
    {kBoxLastLabel, K::Label, "Window mode:", {15, 200, 250, 16}},
    {kBoxModeList, K::List, nullptr, {15, 220, 117, 120}},
};

constexpr BoxItem kWindowRectangleItems[] = {
    {kBoxHeading, K::Label, kHandle, {16, 12, 200, 16}},
    {kBoxEdit1, K::Edit, nullptr, {15, 35, 275, 21}},
    {kBoxEdit1Variable, K::VariableButton, kInsertVariable, {295, 34, 23, 23}, kBoxEdit1},
    {kBoxLastLabel, K::Label, kStore, {15, 75, 250, 16}},
    KV_SIZE_FIELDS(30, "Window position:", "Top:", "Window size:", "Height:"),
    {kBoxClientBox, K::Check, "Client area", {241, 200, 140, 20}},
};

constexpr BoxItem kDesktopRectangleItems[] = {
    {kBoxHeading, K::Label, kStore, {16, 12, 250, 16}},
    KV_SIZE_FIELDS(-40, "Coordinates:", "Top:", "Size:", "Height:"),
};

#undef KV_SIZE_FIELDS

constexpr BoxParam kCustomWindowParams[] = {
    {1, kBoxEdit1},     {2, kBoxEdit1 + 1},
    {3, kBoxEdit1 + 2}, {4, kBoxEdit1 + 3},
    {5, kBoxEdit1 + 4}, {6, kBoxScreenBox, BoxParamKind::KeywordBox, "ScreenPos"},
    {7, kBoxEdit1 + 5},
};

constexpr BoxParam kWindowPosParams[] = {
    {1, kBoxEdit1},
    {2, kBoxEdit1 + 1},
    {3, kBoxEdit1 + 2},
    {4, kBoxEdit1 + 3},
    {5, kBoxEdit1 + 4},
    {6, kBoxModeList, BoxParamKind::ModeList},
    {7, kBoxClientBox, BoxParamKind::KeywordBox, "ClientSize"},
};

constexpr BoxParam kWindowRectangleParams[] = {
    {1, kBoxEdit1},     {2, kBoxEdit1 + 1},
    {3, kBoxEdit1 + 2}, {4, kBoxEdit1 + 3},
    {5, kBoxEdit1 + 4}, {6, kBoxClientBox, BoxParamKind::KeywordBox, "ClientSize"},
};

constexpr BoxParam kDesktopRectangleParams[] = {
    {1, kBoxEdit1 + 1},
    {2, kBoxEdit1 + 2},
    {3, kBoxEdit1 + 3},
    {4, kBoxEdit1 + 4},
};

constexpr BoxLayout kLayouts[] = {
    {23, "qvSetWindowPos", "Set the position and size of the external window.", 30, kWindowPosItems,
     kWindowPosParams, 270},
    {28, "qvGetWindowRectangle", "Get the parameters of the window rectangle (position and size).",
     36, kWindowRectangleItems, kWindowRectangleParams, 225},
    {32, "qvGetDesktopRectangle",
     "Get the coordinates of the desktop, not a hidden task bar, and store the result in a "
     "variable.",
     40, kDesktopRectangleItems, kDesktopRectangleParams, 135},
    {33, "qvSetCustomWindowPos",
     "Set new position and / or size of the outer window NeoBook (CustomWindow).", 42,
     kCustomWindowItems, kCustomWindowParams, 270},
};

}  // namespace

const BoxLayout* FindWindowBox(int32_t action) {
    for (const BoxLayout& layout : kLayouts)
        if (layout.id == action) return &layout;
    return nullptr;
}

}  // namespace kv::editor
