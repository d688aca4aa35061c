#include "edit_pages.h"

#include <iterator>

namespace kv::editor {
namespace {

constexpr const char* kWindowCommandKeywords[] = {
    "Hide",      "Show",      "ShowNoActive", "Restore", "RestoreNoActive",
    "Maximized", "Minimized", "Normal",       "Close"};
constexpr const char* kWindowCommandCaptions[] = {"Hide Window",
                                                  "Show Window",
                                                  "Show, but do not activate a window",
                                                  "Restore window",
                                                  "Restore, but not activate a window",
                                                  "Maximize the window",
                                                  "Minimize window",
                                                  "Display window",
                                                  "Close the window"};
constexpr WordList kWindowCommands{kWindowCommandKeywords, kWindowCommandCaptions};

constexpr const char* kFileHashKinds[] = {"MD5", "CRC", "CRC32", "SHA1"};
constexpr WordList kFileHashList{kFileHashKinds, {}};

constexpr FileTexts kFileTextsA{"Select the file", "All files | *. *", "1", "False", "True"};

constexpr FieldSpec kShowMousePointer[] = {
    {FieldKind::ThreeState, 1, 1, "Show/hide mouse cursor:"},
};

constexpr FieldSpec kFindWindow[] = {
    {FieldKind::Text, 1, 1, "Window title:"},
    {FieldKind::Text, 2, 2, "Window class name (optional):"},
    {FieldKind::Variable, 3, 3, "Store the result in a variable:"},
};

constexpr FieldSpec kShowWindow[] = {
    {FieldKind::Text, 1, 1, "A handle (HWND) window:"},
    {FieldKind::KeywordList, 2, 2, "Operation with window:", &kWindowCommands, 0, 0, 275},
};

constexpr FieldSpec kSetOnMoveSize[] = {
    {FieldKind::SubroutineList, 1, 1, "Subroutine name:", nullptr, 0, 35, 275},
};

constexpr FieldSpec kGetFileHash[] = {
    {FieldKind::File, 1, 1, "File name:"},
    {FieldKind::Variable, 2, 2, "Store the result in a variable:"},
    {FieldKind::WordList, 3, 3, "Checksum type:", &kFileHashList, 0, 155, 145},
};

// The colour and font pages place their fields in their hooks.
constexpr FieldSpec kNoFields[] = {{FieldKind::Text, 0, 0, nullptr}};

constexpr PageSpec kPages[] = {
    {1, "qvShowMousePointer", 1, "True - show cursor, False - hide the mouse cursor.", 4,
     kShowMousePointer},
    {12, "qvColorBox", 3,
     "Display a standard color selection dialog and save the value of the selected color in a "
     "variable. More sm.fayl help.",
     18, std::span(kNoFields, 0), nullptr, PageHook::Color},
    {13, "qvFontBox", 2,
     "Display a standard font selection dialog. For details, see the help file.", 19,
     std::span(kNoFields, 0), nullptr, PageHook::Font},
    {18, "qvFindWindow", 3,
     "Find a window by its title and class name. Returns: the window handle (HWND), or \"0\" "
     "If the window was not found.",
     25, kFindWindow},
    {22, "qvShowWindow", 2, "Show/hide/expand/collapse/close the window.", 29, kShowWindow},
    {42, "qvSetOnMoveSize", 1,
     "Assign event subroutine to move and/or change the size of the main window. For more "
     "information, see. the help file.",
     54, kSetOnMoveSize},
    {52, "qvGetFileHash", 3,
     "Get the hash sum (MD5) or cyclic redundancy check (CRC or CRC32) of the file.", 68,
     kGetFileHash, &kFileTextsA},
};

}  // namespace

const PageSpec* FindPage(int32_t action) {
    for (const PageSpec& page : kPages)
        if (page.id == action) return &page;
    return nullptr;
}

}  // namespace kv::editor
