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

constexpr const char* kMonitorPropertyKeywords[] = {"PlayAction", "GetInfo"};
constexpr const char* kMonitorPropertyCaptions[] = {"Implementation of the subprogramme",
                                                    "Finding more information"};
constexpr WordList kMonitorProperties{kMonitorPropertyKeywords, kMonitorPropertyCaptions};

constexpr const char* kShutdownKeywords[] = {"LogOff",   "Reboot",      "ShutDown",  "Force",
                                             "PowerOff", "ForceIfhung", "ExitDialog"};
constexpr const char* kShutdownCaptions[] = {"Logout",
                                             "Restart the computer",
                                             "Safety shutdown system",
                                             "Force shutdown",
                                             "Turning off the computer and power supply",
                                             "Shutdown when system hangs",
                                             "Standard shutdown dialog"};
constexpr WordList kShutdownList{kShutdownKeywords, kShutdownCaptions};

constexpr const char* kShowStateKeywords[] = {"Normal", "Minimized", "Maximized"};
constexpr const char* kShowStateCaptions[] = {"The window to normal size", "Minimized to an icon",
                                              "Maximized to full screen"};
constexpr WordList kShowStates{kShowStateKeywords, kShowStateCaptions};

constexpr const char* kAttributeKeywords[] = {"Hidden", "ReadOnly", "System", "Archive",
                                              "Directory"};
constexpr const char* kAttributeCaptions[] = {"Hidden", "Read-only", "System", "Archive",
                                              "Directory"};
constexpr WordList kAttributes{kAttributeKeywords, kAttributeCaptions};
constexpr WordList kSettableAttributes{std::span(kAttributeKeywords, 4),
                                       std::span(kAttributeCaptions, 4)};

constexpr const char* kBalloonIconKeywords[] = {"None", "Information", "Warning", "Error",
                                                "PubIcon"};
constexpr const char* kBalloonIconCaptions[] = {"No icon", "Information", "Warning", "Error",
                                                "Application icon"};
constexpr WordList kBalloonIcons{kBalloonIconKeywords, kBalloonIconCaptions, true, true};

constexpr const char* kSpecialFolderKeywords[] = {"DESKTOP", "SENDTO",   "FAVORITES", "STARTUP",
                                                  "RECENT",  "PERSONAL", "HISTORY",   "COOKIES"};
constexpr WordList kSpecialFolders{kSpecialFolderKeywords, {}};

constexpr const char* kFolderOperationKeywords[] = {"Copy", "Move", "Delete"};
constexpr const char* kFolderOperationCaptions[] = {"Copying", "Movement", "Removal"};
constexpr WordList kFolderOperations{kFolderOperationKeywords, kFolderOperationCaptions};

constexpr const char* kLayoutNumbers[] = {"1", "2"};
constexpr const char* kLayoutCaptions[] = {"Russian", "English (United States)"};
constexpr WordList kLayouts{kLayoutNumbers, kLayoutCaptions};

constexpr const char* kMonitorTypes[] = {"Local", "Global"};
constexpr WordList kMonitorTypeList{kMonitorTypes, {}};

constexpr const char* kWindowStates[] = {"Present", "Visible", "Enabled", "Minimized", "Maximized"};
constexpr WordList kWindowStateList{kWindowStates, {}};

constexpr const char* kEffects[] = {"SlideLeft", "SlideRight", "SlideTop",
                                    "SlideDown", "Center",     "Fade"};
constexpr WordList kEffectList{kEffects, {}};

constexpr const char* kConversions[] = {"AnsiToUtf8", "Utf8ToAnsi", "WinToKoi",   "KoiToWin",
                                        "StrToAscii", "AsciiToStr", "DosToWin",   "WinToDos",
                                        "ColorToNeo", "ColorToRGB", "ColorToHTML"};
constexpr WordList kConversionList{kConversions, {}};

constexpr const char* kStringHashKinds[] = {"MD5", "CRC32"};
constexpr WordList kStringHashList{kStringHashKinds, {}};

constexpr const char* kFindModes[] = {"Find", "Abort", "Suspend", "Resume"};
constexpr WordList kFindModeList{kFindModes, {}};

constexpr const char* kFileHashKinds[] = {"MD5", "CRC", "CRC32", "SHA1"};
constexpr WordList kFileHashList{kFileHashKinds, {}};

constexpr FileTexts kFileTextsA{"Select the file", "All files | *. *", "1", "False", "True"};
constexpr FileTexts kFileTextsB{"Select the file", "All files | *. *", "1", "True", "False"};
constexpr FileTexts kIconFileTexts{"Select the icon file", "Icon files (ico) | *. Ico *", "1",
                                   "False", "True"};
constexpr FileTexts kMaskFileTexts{"Select the file mask", "BMP (.bmp) | *. *", "1", "False",
                                   "True"};

constexpr const char* kHandle = "Window handle (HWND):";
constexpr const char* kHandleA = "A handle (HWND) window:";
constexpr const char* kStore = "Store the result in a variable:";
constexpr const char* kObjectName = "Name of the object (the same as when you create a window):";

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

constexpr FieldSpec kSetMouseMonitor[] = {
    {FieldKind::WordList, 1, 1, "Monitor Type:", &kMonitorTypeList, 0, 35, 90},
    {FieldKind::FlagBox, 3, 1, nullptr, nullptr, 140, 35, 165, "Allow the subroutine"},
    {FieldKind::SubroutineList, 2, 2, "Subprogramme for mouse events:", nullptr, 0, 0, 290},
};

constexpr FieldSpec kConfigMouseMonitor[] = {
    {FieldKind::KeywordList, 1, 1, "Property:", &kMonitorProperties, 0, 35, 275},
    {FieldKind::ThreeState, 2, 2, "Enable / Disable:", nullptr, 0, 95},
};

constexpr FieldSpec kKBChangeLayout[] = {
    {FieldKind::Text, 1, 1, kHandle},
    {FieldKind::KeywordList, 2, 2, "Change the layout to:", &kLayouts, 0, 0, 275},
};

constexpr FieldSpec kOneVariable[] = {{FieldKind::Variable, 1, 1, kStore}};
constexpr FieldSpec kShowIcon[] = {
    {FieldKind::ThreeState, 1, 1, "Show/hide the application icon:"}};
constexpr FieldSpec kShowTaskBar[] = {{FieldKind::ThreeState, 1, 1, "Show / Hide \"Taskbar\":"}};
constexpr FieldSpec kScreenSaverOn[] = {
    {FieldKind::ThreeState, 1, 1, "Enable / Disable screen saver:"}};

constexpr FieldSpec kTrayIcon[] = {
    {FieldKind::File, 1, 1, "Icon file (optional):"},
    {FieldKind::Text, 2, 2, "Help text:"},
    {FieldKind::SubroutineList, 3, 3, "Subroutine OnLeftClick:", nullptr, 0, 155, 275},
    {FieldKind::SubroutineList, 4, 4, "Subroutine OnRightClick:", nullptr, 0, 215, 275},
};

constexpr FieldSpec kTrayBalloon[] = {
    {FieldKind::Text, 1, 1, "Message title:"},
    {FieldKind::Memo, 2, 2, "Message text:", nullptr, 0, 95, 275},
    {.kind = FieldKind::KeywordList,
     .param = 3,
     .row = 3,
     .label = "Message icon:",
     .list = &kBalloonIcons,
     .top = 190,
     .width = 240,
     .labelTop = 170},
    {.kind = FieldKind::SubroutineList,
     .param = 4,
     .row = 4,
     .label = "Subroutine OnClick:",
     .top = 245,
     .width = 275,
     .fixedList = true,
     .labelTop = 225},
    {.kind = FieldKind::SubroutineList,
     .param = 5,
     .row = 5,
     .label = "Subroutine OnClose:",
     .top = 300,
     .width = 275,
     .fixedList = true,
     .labelTop = 280},
};

constexpr FieldSpec kExitWindows[] = {
    {FieldKind::KeywordList, 1, 1, "Shut down Windows:", &kShutdownList, 0, 35, 310},
};

constexpr FieldSpec kGetWindowHandle[] = {
    {FieldKind::Text, 1, 1, "Window title:"},
    {FieldKind::Variable, 2, 2, kStore},
};

constexpr FieldSpec kGetWindowTitle[] = {
    {FieldKind::Text, 1, 1, kHandle},
    {FieldKind::Text, 2, 2, "Variable for the name of the window class:"},
    {FieldKind::Text, 3, 3, "Variable to window title:"},
};

constexpr FieldSpec kSetWindowTitle[] = {
    {FieldKind::Text, 1, 1, kHandleA},
    {FieldKind::Text, 2, 2, "New window title:"},
};

constexpr FieldSpec kSetWindowTransparent[] = {
    {FieldKind::Text, 1, 1, kHandle},
    {FieldKind::Text, 2, 2, "Opacity (0-100)%:"},
};

constexpr FieldSpec kIsWindow[] = {
    {FieldKind::Text, 1, 1, kHandleA},
    {FieldKind::WordList, 2, 2, "Check item:", &kWindowStateList},
    {FieldKind::Variable, 3, 3, kStore},
};

constexpr FieldSpec kOneHandle[] = {{FieldKind::Text, 1, 1, kHandle}};
constexpr FieldSpec kOneHandleA[] = {{FieldKind::Text, 1, 1, kHandleA}};

constexpr FieldSpec kGetExeNameByHandle[] = {
    {FieldKind::Text, 1, 1, kHandleA},
    {FieldKind::Variable, 2, 2, kStore},
};

constexpr FieldSpec kShowCustomWindow[] = {
    {FieldKind::Object, 1, 1, kObjectName},
    {FieldKind::KeywordList, 2, 2, "The action of the window:", &kWindowCommands, 0, 0, 275},
};

constexpr FieldSpec kIsCustomWindow[] = {
    {FieldKind::Object, 1, 1, kObjectName},
    {FieldKind::WordList, 2, 2, "Check item:", &kWindowStateList},
    {FieldKind::Variable, 3, 3, kStore},
};

constexpr FieldSpec kOneObject[] = {{FieldKind::Object, 1, 1, kObjectName}};

constexpr FieldSpec kSetCustomWindowTransparent[] = {
    {FieldKind::Object, 1, 1, kObjectName},
    {FieldKind::Text, 2, 2, "Opacity (0-100)%:"},
};

constexpr FieldSpec kAnimateCustomWindow[] = {
    {FieldKind::Object, 1, 1, kObjectName},
    {FieldKind::WordList, 2, 2, "The animation effect:", &kEffectList},
    {FieldKind::Text, 3, 3, "Duration (in milliseconds):"},
    {FieldKind::TwoState, 4, 4, "Show/hide the window:", nullptr, 0, 214},
    {FieldKind::FlagBox, 5, 4, nullptr, nullptr, 190, 211, 150, "Redrawing"},
};

constexpr FieldSpec kSetCustomWindowMask[] = {
    {FieldKind::File, 1, 1, "Mask file (BMP):"},
    {FieldKind::Object, 2, 2, kObjectName},
    {FieldKind::FlagBox, 0, 2, nullptr, nullptr, 20, 122, 150, "The main window"},
    {.kind = FieldKind::Color,
     .param = 3,
     .row = 3,
     .label = "Transparent color:",
     .top = 181,
     .labelTop = 158},
};

constexpr FieldSpec kFolderSize[] = {
    {FieldKind::Text, 1, 1, "Name of the directory (folder):"},
    {FieldKind::Variable, 2, 2, kStore},
};

constexpr FieldSpec kDeleteFolder[] = {
    {FieldKind::Text, 1, 1, "To remove a folder:"},
    {FieldKind::KeywordBox, 2, 1, nullptr, nullptr, 20, 65, 0, "To cart", "Undo"},
    {FieldKind::KeywordBox, 3, 1, nullptr, nullptr, 160, 65, 0, "Confirmation", "Confirm"},
};

constexpr FieldSpec kOpenWithDefault[] = {
    {FieldKind::File, 1, 1, "File name:"},
    {FieldKind::KeywordBox, 2, 1, nullptr, nullptr, 20, 60, 0, "The editor", "Edit"},
};

constexpr FieldSpec kCreateLink[] = {
    {FieldKind::Text, 1, 1, "Object Name:"},
    {FieldKind::Text, 2, 2, "Shortcut name:"},
    {FieldKind::Text, 3, 3, "Comment (optional):"},
    {FieldKind::Text, 4, 4, "Startup parameters (optional):"},
    {FieldKind::Text, 5, 5, "Working directory (optional):"},
    {FieldKind::KeywordList, 6, 6, "Window (optional):", &kShowStates, 0, 335, 275},
};

constexpr FieldSpec kFileGetAttribute[] = {
    {FieldKind::File, 1, 1, "File name:"},
    {FieldKind::KeywordList, 2, 2, "File attribute:", &kAttributes, 0, 0, 220},
    {FieldKind::Variable, 3, 3, kStore},
};

constexpr FieldSpec kFileSetAttribute[] = {
    {FieldKind::File, 1, 1, "File name:"},
    {FieldKind::KeywordList, 2, 2, "File attribute:", &kSettableAttributes, 0, 0, 220},
    {FieldKind::ThreeState, 3, 3, nullptr, nullptr, 0, 130},
};

constexpr FieldSpec kClearIECache[] = {
    {FieldKind::KeywordBox, 1, 1, nullptr, nullptr, 20, 15, 150, "Only files \"cookie\"", "cookie"},
};

constexpr FieldSpec kConvertString[] = {
    {FieldKind::WordList, 1, 1, "Type conversion:", &kConversionList, 0, 35, 275},
    {FieldKind::Text, 2, 2, "The original string:"},
    {FieldKind::Variable, 3, 3, kStore},
};

constexpr FieldSpec kClipboardMonitor[] = {
    {FieldKind::TwoState, 1, 1, "Enable/disable the monitor Clipboard:"},
    {FieldKind::SubroutineList, 2, 2, "Subroutine OnChangeClipboard:", nullptr, 0, 0, 275},
};

constexpr FieldSpec kGetStringHash[] = {
    {FieldKind::Text, 1, 1, "String:"},
    {FieldKind::Variable, 2, 2, kStore},
    {FieldKind::WordList, 3, 3, "Checksum type:", &kStringHashList, 0, 155, 145},
    {FieldKind::KeywordBox, 4, 3, nullptr, nullptr, 190, 155, 0, "INT-format", "Int"},
};

constexpr FieldSpec kFindFiles[] = {
    {FieldKind::Text, 1, 1, "Mask for the desired files:"},
    {FieldKind::Text, 2, 2, "The initial folder search:"},
    {FieldKind::SubroutineList, 4, 3, "Subroutine after the search:", nullptr, 0, 155, 275},
    {FieldKind::Variable, 5, 4, kStore},
    {FieldKind::OptionWord, 3, 4, nullptr, nullptr, 20, 245, 130, "Asynchronous search", "Async"},
    {FieldKind::OptionWord, 3, 4, nullptr, nullptr, 20, 270, 130, "Search in subfolders",
     "SubFolders"},
    {FieldKind::OptionWord, 3, 4, nullptr, nullptr, 170, 245, 0, "Only the names", "NamesOnly"},
    {.kind = FieldKind::OptionWord,
     .param = 3,
     .row = 4,
     .left = 170,
     .top = 270,
     .caption = "No extensions",
     .keyword = "NoExt",
     .needsWord = "NamesOnly"},
    {.kind = FieldKind::WordList,
     .param = 6,
     .row = 5,
     .label = "Mode:",
     .list = &kFindModeList,
     .top = 325,
     .width = 135,
     .labelTop = 305},
};

constexpr FieldSpec kShowInRectangle[] = {
    {FieldKind::Object, 1, 1, kObjectName},
    {FieldKind::Rectangle, 2, 2, "Rectangle object (to display the window):"},
    {FieldKind::Text, 3, 3, "The relative coordinate of the left:"},
    {FieldKind::Text, 4, 4, "The relative coordinate of the top:"},
};

constexpr FieldSpec kGetFolderPath[] = {
    {FieldKind::KeywordList, 1, 1, "Special Folder Windows:", &kSpecialFolders, 0, 35, 275},
    {FieldKind::Variable, 2, 2, kStore},
};

constexpr FieldSpec kFolderOperation[] = {
    {FieldKind::Text, 1, 1, "Source folder:"},
    {FieldKind::Text, 2, 2, "Destination folder:"},
    {FieldKind::KeywordList, 3, 3, "Type of operation:", &kFolderOperations, 0, 155, 275},
    {FieldKind::OptionWord, 4, 3, nullptr, nullptr, 20, 180, 130, "Only files", "FilesOnly"},
    {FieldKind::OptionWord, 4, 3, nullptr, nullptr, 20, 205, 130, "Confirmation", "Confirm"},
    {FieldKind::OptionWord, 4, 3, nullptr, nullptr, 165, 180, 130, "Delete Recycle Bin", "Undo"},
    {FieldKind::OptionWord, 4, 3, nullptr, nullptr, 165, 205, 0, "The progress of", "Progress"},
    {.kind = FieldKind::SubroutineList,
     .param = 5,
     .row = 4,
     .label = "Subroutine at the end of the operation:",
     .top = 267,
     .width = 275,
     .labelTop = 245},
};

// The colour and font pages place their fields in their hooks.
constexpr FieldSpec kNoFields[] = {{FieldKind::Text, 0, 0, nullptr}};

constexpr PageSpec kPages[] = {
    {1, "qvShowMousePointer", 1, "True - show cursor, False - hide the mouse cursor.", 4,
     kShowMousePointer},
    {2, "qvSetMouseMonitor", 2, "Set the monitor mouse.", 5, kSetMouseMonitor},
    {3, "qvConfigMouseMonitor", 2, "Configuring monitor mouse.", 6, kConfigMouseMonitor},
    {5, "qvKBChangeLayout", 2, "Change the keyboard layout for the currently active window.", 8,
     kKBChangeLayout},
    {6, "qvKBGetLayout", 1,
     "Get current keyboard layout of the active window, and store the result in a variable. For "
     "more information, see. the help file.",
     9, kOneVariable},
    {7, "qvShowIcon", 1,
     "Show / Hide an application icon on the \"Taskbar\". True - show, False - hide.", 11,
     kShowIcon},
    {8, "qvShowTaskBar", 1, "Show / Hide \"Taskbar\". True - show, False - hide.", 12,
     kShowTaskBar},
    {9, "qvScreenSaverStatus", 1,
     "Determine the State of the screen saver.  Returns: True-False, Or Off.", 14, kOneVariable},
    {10, "qvScreenSaverOn", 1, "Enable / Disable screen saver. True - enable, False - disable.", 15,
     kScreenSaverOn},
    {12, "qvColorBox", 3,
     "Display a standard color selection dialog and save the value of the selected color in a "
     "variable. More sm.fayl help.",
     18, std::span(kNoFields, 0), nullptr, PageHook::Color},
    {13, "qvFontBox", 2,
     "Display a standard font selection dialog. For details, see the help file.", 19,
     std::span(kNoFields, 0), nullptr, PageHook::Font},
    {14, "qvTrayIcon", 4, "Create an application icon in the system tray.", 20, kTrayIcon,
     &kIconFileTexts},
    {15, "qvTrayBalloon", 4, "Display a message in the system tray.", 21, kTrayBalloon, nullptr,
     PageHook::None, 0, 0, IconPreview::Resume, 355},
    {17, "qvExitWindows", 1, "Shutdown: computer shutdown / reboot / logoff. More sm.fayl help.",
     23, kExitWindows, nullptr, PageHook::None, 0, 0, IconPreview::Suspend},
    {18, "qvFindWindow", 3,
     "Find a window by its title and class name. Returns: the window handle (HWND), or \"0\" "
     "If the window was not found.",
     25, kFindWindow},
    {19, "qvGetWindowHandle", 2, "Get a handle (HWND) of the window title.", 26, kGetWindowHandle},
    {20, "qvGetWindowTitle", 3, "Get the name of the class and / or window title.", 27,
     kGetWindowTitle},
    {21, "qvSetWindowTitle", 2, "Set a new text in the title bar of a window.", 28,
     kSetWindowTitle},
    {22, "qvShowWindow", 2, "Show/hide/expand/collapse/close the window.", 29, kShowWindow},
    {24, "qvSetWindowTransparent", 2,
     "Make a window transparent (W2k and above): 0 - completely transparent, 100 - opaque.", 31,
     kSetWindowTransparent},
    {25, "qvIsWindow", 3,
     "Determine the state of the window (visibility, minimize, maximize, etc.).", 33, kIsWindow},
    {26, "qvEnableWindow", 1,
     "Moving the inactive window. The active window responds to mouse and keyboard events.", 34,
     kOneHandle},
    {27, "qvDisableWindow", 1,
     "Make an inactive window. Inactive window does not respond to mouse and keyboard events.", 35,
     kOneHandle},
    {29, "qvGetForegroundWindow", 1, "Get the top handle (HWND) of the window system.", 37,
     kOneVariable},
    {30, "qvSetForegroundWindow", 1, "Make the top of the system and activate specified window.",
     38, kOneHandleA},
    {31, "qvGetExeNameByHandle", 2,
     "Get the fully qualified file name (path) of the annex to the window handle.", 39,
     kGetExeNameByHandle},
    {34, "qvShowCustomWindow", 2,
     "Hide / Show / Minimize / Maximize / Close an external window (CustomWindow) NeoBook.", 43,
     kShowCustomWindow},
    {35, "qvIsCustomWindow", 3,
     "Determine the status of the external window NeoBook (visibility, minimized, maximized, "
     "etc.).",
     44, kIsCustomWindow},
    {36, "qvEnableCustomWindow", 1,
     "Make active inactive external NeoBook window. Active window responds to mouse and keyboard "
     "events.",
     45, kOneObject},
    {37, "qvDisableCustomWindow", 1,
     "Make an external window is inactive NeoBook. Inactive window does not respond to mouse and "
     "keyboard events.",
     46, kOneObject},
    {38, "qvSetCustomWindowTransparent", 2,
     "Make an external window NeoBook (CustomWindow) transparent (Win2k and up): 0 - fully "
     "transparent, 100 - opaque.",
     47, kSetCustomWindowTransparent},
    {39, "qvAnimateCustomWindow", 4,
     "Show / Hide the animation effect exterior window (CustomWindow) NeoBook.", 49,
     kAnimateCustomWindow},
    {40, "qvSetCustomWindowMask", 3,
     "Apply the black and white mask on an external window (CustomWindow) NeoBook. Transparent "
     "color - white, opaque - black.",
     50, kSetCustomWindowMask, &kMaskFileTexts, PageHook::None, kMaskPageMode, 0, IconPreview::Keep,
     220},
    {42, "qvSetOnMoveSize", 1,
     "Assign event subroutine to move and/or change the size of the main window. For more "
     "information, see. the help file.",
     54, kSetOnMoveSize},
    {43, "qvFolderSize", 2, "Determine the size in bytes of the directory (folder).", 56,
     kFolderSize},
    {44, "qvDeleteFolder", 1, "Delete folder.", 57, kDeleteFolder, nullptr, PageHook::None, 0, 0,
     IconPreview::Keep, 0, 10},
    {45, "qvOpenWithDefault", 1,
     "Open the file in the program adopted by the \"defaults\" on the user's computer.", 58,
     kOpenWithDefault, &kFileTextsA},
    {46, "qvCreateLink", 4,
     "Create Shortcut. You can create a shortcut to any folder, the label name is specified with "
     "the full path.",
     59, kCreateLink, nullptr, PageHook::None, 0, 0, IconPreview::Keep, 380},
    {47, "qvFileGetAtrribute", 3,
     "Get the status of the specified attribute of the file and store it in a variable (the return "
     "value: TRUE = yes, FALSE = no).",
     60, kFileGetAttribute, &kFileTextsB},
    {48, "qvFileSetAtrribute", 3,
     "Install / Remove the specified attribute of the file or folder. TRUE = Set, FALSE = Capture.",
     61, kFileSetAttribute, &kFileTextsB, PageHook::None, 0, 0, IconPreview::Keep, 0, -20},
    {49, "qvClearIECache", 1, "Clear the Internet Explorer temporary folder.", 62, kClearIECache,
     nullptr, PageHook::None, 0, 0, IconPreview::Keep, 0, -30},
    {50, "qvConvertString", 3, "Change the encoding of the string.", 64, kConvertString},
    {51, "qvClipboardMonitor", 2,
     "Enable / disable the observation of changes in the contents of the clipboard.", 66,
     kClipboardMonitor},
    {52, "qvGetFileHash", 3,
     "Get the hash sum (MD5) or cyclic redundancy check (CRC or CRC32) of the file.", 68,
     kGetFileHash, &kFileTextsA},
    {53, "qvGetStringHash", 3, "Get the hash sum (MD5 or CRC32) line.", 69, kGetStringHash},
    {54, "qvFindFiles", 4, "Find the file (s) in this external folder.", 70, kFindFiles, nullptr,
     PageHook::None, kFindOptionsMode, 0, IconPreview::Keep, 360},
    {55, "qvShowInRectangle", 4,
     "External display screen (Custom Window) in the object rectangle. More sm.fayl help.", 52,
     kShowInRectangle},
    {56, "qvGetFolderPath", 2, "Get the path to the Windows system folder.", 0, kGetFolderPath,
     nullptr, PageHook::None, 0, 0, IconPreview::Suspend},
    {57, "qvFolderOperation", 4, "Copy/move/delete folder.", 0, kFolderOperation, nullptr,
     PageHook::None, kFolderOperationMode, 0, IconPreview::Keep, 322},
};

}  // namespace

const PageSpec* FindPage(int32_t action) {
    for (const PageSpec& page : kPages)
        if (page.id == action) return &page;
    return nullptr;
}

}  // namespace kv::editor
