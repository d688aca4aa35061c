// Every action's properties page through nbEditAction: the texts each page
// shows (caption, labels, description, fields, lists, boxes), what OK
// writes when nothing is touched and when the author changes a control,
// and that Cancel writes nothing. The expected texts are written out here
// by hand, page by page.
#include <windows.h>

#include <functional>
#include <map>

#include "about_box.h"
#include "custom_window_box.h"
#include "dialog_driver.h"
#include "edit_box_form.h"
#include "host_fixture.h"

namespace kvtest {
namespace {

using namespace kvhost;
using namespace kv::editor;

using Texts = std::vector<std::string>;

constexpr const char* kStore = "Store the result in a variable:";
constexpr const char* kObjectName = "Name of the object (the same as when you create a window):";

// Control identifiers by row: label, edit and list of row n (from 1).
constexpr int L(int row) { return kLabel1 + row - 1; }
constexpr int E(int row) { return kEdit1 + row - 1; }
constexpr int C(int row) { return kComboBox1 + row - 1; }
constexpr int B(int box) { return kCheckBox1 + box - 1; }

struct PageCase {
    int32_t action;
    const char* caption;
    const char* description;
    std::map<int, std::string> shown;  // control → its text (label, edit, list, box caption)
    std::map<int, bool> checked;       // box or pair button → its state
    Texts in;
    Texts out;                           // after OK with nothing touched
    std::function<void(HWND)> change{};  // an author's change, then OK ...
    Texts changed{};                     // ... gives these texts
};

bool Checked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class EditPagesTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start(":SubA\nReturn\n:SubB\nReturn\n");
    }

    void Run(const PageCase& c, int line) {
        SCOPED_TRACE("action " + std::to_string(c.action) + ", case at line " +
                     std::to_string(line));
        DialogDriver driver;
        // Untouched OK: what the page shows and writes.
        std::map<int, std::string> shown;
        std::map<int, bool> checked;
        std::string caption, name, hint;
        driver.Then([&](HWND dialog) {
            char text[256] = {};
            GetWindowTextA(dialog, text, sizeof(text));
            caption = text;
            name = ControlText(dialog, kActionName);
            hint = ControlText(dialog, kHintLabel);
            for (const auto& [id, expected] : c.shown) {
                shown[id] = GetDlgItem(dialog, id) ? ControlText(dialog, id) : "<missing>";
            }
            for (const auto& [id, expected] : c.checked) checked[id] = Checked(dialog, id);
            PressOK(dialog);
        });
        Texts params = c.in;
        EXPECT_TRUE(host_->EditAction(c.action, params));
        ExpectCleanCall(line);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(name, ActionOf(c.caption));
        EXPECT_EQ(hint, c.description);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(checked, c.checked);
        EXPECT_EQ(params, c.out);

        // Cancel and the close box write nothing, whatever was changed.
        for (int close = 0; close < 2; ++close) {
            driver.Then([&, close](HWND dialog) {
                if (c.change) c.change(dialog);
                if (close == 0) {
                    PressCancel(dialog);
                } else {
                    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                }
            });
            params = c.in;
            EXPECT_FALSE(host_->EditAction(c.action, params));
            EXPECT_EQ(params, c.in);
        }

        if (c.change) {
            driver.Then([&](HWND dialog) {
                c.change(dialog);
                PressOK(dialog);
            });
            params = c.in;
            EXPECT_TRUE(host_->EditAction(c.action, params));
            EXPECT_EQ(params, c.changed);
        }
        EXPECT_FALSE(driver.timedOut());
        EXPECT_EQ(driver.pendingSteps(), 0u);
    }

    static std::string ActionOf(const std::string& caption) {
        return caption.substr(0, caption.find(' '));
    }
};

void Select(HWND dialog, int id, const char* text) { SelectComboText(dialog, id, text); }

TEST_F(EditPagesTest, MouseKeyboardAndSystemPages) {
    const PageCase cases[] = {
        {2,
         "qvSetMouseMonitor Properties",
         "Set the monitor mouse.",
         {{L(1), "Monitor Type:"},
          {C(1), "Global"},
          {B(1), "Allow the subroutine"},
          {L(2), "Subprogramme for mouse events:"},
          {C(2), "SubB"}},
         {{B(1), true}},
         {"global", "SubB", "True"},
         {"Global", "SubB", "True"},
         [](HWND d) { Click(d, B(1)); },
         {"Global", "SubB", "False"}},
        // A variable in the flag stays unless the box is checked.
        {2,
         "qvSetMouseMonitor Properties",
         "Set the monitor mouse.",
         {{C(1), "Local"}, {C(2), "SubA"}},
         {{B(1), false}},
         {"", "", "[allow]"},
         {"Local", "SubA", "[allow]"},
         [](HWND d) { Click(d, B(1)); },
         {"Local", "SubA", "True"}},
        {3,
         "qvConfigMouseMonitor Property",
         "Configuring monitor mouse.",
         {{L(1), "Property:"}, {C(1), "Finding more information"}, {L(2), "Enable / Disable:"}},
         {{kTrueButton, true}, {kFalseButton, false}},
         {"getinfo", "true"},
         {"GetInfo", "True"},
         [](HWND d) {
             Select(d, C(1), "Implementation of the subprogramme");
             Click(d, kFalseButton);
         },
         {"PlayAction", "False"}},
        {5,
         "qvKBChangeLayout Properties",
         "Change the keyboard layout for the currently active window.",
         {{L(1), "Window handle (HWND):"},
          {E(1), "[h]"},
          {L(2), "Change the layout to:"},
          {C(2), "English (United States)"}},
         {},
         {"[h]", "2"},
         {"[h]", "2"},
         [](HWND d) { Select(d, C(2), "Russian"); },
         {"[h]", "1"}},
        {5,
         "qvKBChangeLayout Properties",
         "Change the keyboard layout for the currently active window.",
         {{C(2), ""}},
         {},
         {"[h]", "ru"},
         {"[h]", "ru"}},
        {6,
         "qvKBGetLayout Properties",
         "Get current keyboard layout of the active window, and store the result in a variable. "
         "For more information, see. the help file.",
         {{L(1), kStore}, {E(1), "[layout]"}},
         {},
         {"[layout]"},
         {"[layout]"},
         [](HWND d) { TypeText(d, E(1), "[kb]"); },
         {"[kb]"}},
        {7,
         "qvShowIcon Properties",
         "Show / Hide an application icon on the \"Taskbar\". True - show, False - hide.",
         {{L(1), "Show/hide the application icon:"}},
         {{kTrueButton, false}, {kFalseButton, true}},
         {"false"},
         {"False"},
         [](HWND d) { Click(d, kTrueButton); },
         {"True"}},
        {8,
         "qvShowTaskBar Properties",
         "Show / Hide \"Taskbar\". True - show, False - hide.",
         {{L(1), "Show / Hide \"Taskbar\":"}},
         {{kTrueButton, false}, {kFalseButton, false}},
         {"[v]"},
         {"[v]"}},
        {9,
         "qvScreenSaverStatus Properties",
         "Determine the State of the screen saver.  Returns: True-False, Or Off.",
         {{L(1), kStore}, {E(1), ""}},
         {},
         {""},
         {""}},
        {10,
         "qvScreenSaverOn Properties",
         "Enable / Disable screen saver. True - enable, False - disable.",
         {{L(1), "Enable / Disable screen saver:"}},
         {{kTrueButton, true}},
         {"TRUE"},
         {"True"}},
        {14,
         "qvTrayIcon Properties",
         "Create an application icon in the system tray.",
         {{L(1), "Icon file (optional):"},
          {E(1), "C:\\a.ico"},
          {L(2), "Help text:"},
          {E(2), "Tip"},
          {L(3), "Subroutine OnLeftClick:"},
          {C(3), "SubB"},
          {L(4), "Subroutine OnRightClick:"},
          {C(4), ""}},
         {},
         {"C:\\a.ico", "Tip", "subb", "Nope"},
         {"C:\\a.ico", "Tip", "SubB", "Nope"},
         [](HWND d) { Select(d, C(4), "SubA"); },
         {"C:\\a.ico", "Tip", "SubB", "SubA"}},
        {17,
         "qvExitWindows Properties",
         "Shutdown: computer shutdown / reboot / logoff. More sm.fayl help.",
         {{L(1), "Shut down Windows:"}, {C(1), "Turning off the computer and power supply"}},
         {},
         {"poweroff"},
         {"PowerOff"},
         [](HWND d) { Select(d, C(1), "Shutdown when system hangs"); },
         {"ForceIfhung"}},
        {49,
         "qvClearIECache Properties",
         "Clear the Internet Explorer temporary folder.",
         {{B(1), "Only files \"cookie\""}},
         {{B(1), true}},
         {"COOKIE"},
         {"cookie"},
         [](HWND d) { Click(d, B(1)); },
         {""}},
        {49,
         "qvClearIECache Properties",
         "Clear the Internet Explorer temporary folder.",
         {},
         {{B(1), false}},
         {"[which]"},
         {"[which]"},
         [](HWND d) { Click(d, B(1)); },
         {"cookie"}},
        {50,
         "qvConvertString Properties",
         "Change the encoding of the string.",
         {{L(1), "Type conversion:"},
          {C(1), "KoiToWin"},
          {L(2), "The original string:"},
          {E(2), "s"},
          {L(3), kStore},
          {E(3), "[v]"}},
         {},
         {"koi", "s", "[v]"},
         {"KoiToWin", "s", "[v]"},
         [](HWND d) { Select(d, C(1), "ColorToHTML"); },
         {"ColorToHTML", "s", "[v]"}},
        {51,
         "qvClipboardMonitor Properties",
         "Enable / disable the observation of changes in the contents of the clipboard.",
         {{L(1), "Enable/disable the monitor Clipboard:"},
          {L(2), "Subroutine OnChangeClipboard:"},
          {C(2), "SubB"}},
         {{kTrueButton, false}, {kFalseButton, false}},
         {"[on]", "subb"},
         {"[on]", "SubB"},
         [](HWND d) { Click(d, kTrueButton); },
         {"True", "SubB"}},
        {51,
         "qvClipboardMonitor Properties",
         "Enable / disable the observation of changes in the contents of the clipboard.",
         {{C(2), "SubA"}},
         {{kFalseButton, true}},
         {"", ""},
         {"False", "SubA"}},
        {53,
         "qvGetStringHash Properties",
         "Get the hash sum (MD5 or CRC32) line.",
         {{L(1), "String:"},
          {E(1), "abc"},
          {L(2), kStore},
          {L(3), "Checksum type:"},
          {C(3), "CRC32"},
          {B(1), "INT-format"}},
         {{B(1), true}},
         {"abc", "[h]", "crc", "int"},
         {"abc", "[h]", "CRC32", "Int"},
         [](HWND d) { Click(d, B(1)); },
         {"abc", "[h]", "CRC32", ""}},
        // A variable in the format box is kept unless the box is checked.
        {53,
         "qvGetStringHash Properties",
         "Get the hash sum (MD5 or CRC32) line.",
         {{C(3), "MD5"}},
         {{B(1), false}},
         {"abc", "[h]", "", "[fmt]"},
         {"abc", "[h]", "MD5", "[fmt]"}},
        {56,
         "qvGetFolderPath Properties",
         "Get the path to the Windows system folder.",
         {{L(1), "Special Folder Windows:"}, {C(1), "RECENT"}, {L(2), kStore}, {E(2), "[p]"}},
         {},
         {"recent", "[p]"},
         {"RECENT", "[p]"},
         [](HWND d) { Select(d, C(1), "COOKIES"); },
         {"COOKIES", "[p]"}},
    };
    for (const PageCase& c : cases) Run(c, __LINE__);
}

TEST_F(EditPagesTest, WindowPages) {
    const PageCase cases[] = {
        {19,
         "qvGetWindowHandle Properties",
         "Get a handle (HWND) of the window title.",
         {{L(1), "Window title:"}, {E(1), "Notepad"}, {L(2), kStore}, {E(2), "[h]"}},
         {},
         {"Notepad", "[h]"},
         {"Notepad", "[h]"},
         [](HWND d) { TypeText(d, E(1), "Calc"); },
         {"Calc", "[h]"}},
        {20,
         "qvGetWindowTitle Properties",
         "Get the name of the class and / or window title.",
         {{L(1), "Window handle (HWND):"},
          {L(2), "Variable for the name of the window class:"},
          {L(3), "Variable to window title:"},
          {E(3), "[t]"}},
         {},
         {"[h]", "[c]", "[t]"},
         {"[h]", "[c]", "[t]"}},
        {21,
         "qvSetWindowTitle Properties",
         "Set a new text in the title bar of a window.",
         {{L(1), "A handle (HWND) window:"}, {L(2), "New window title:"}, {E(2), "Title"}},
         {},
         {"[h]", "Title"},
         {"[h]", "Title"},
         [](HWND d) { TypeText(d, E(2), "New"); },
         {"[h]", "New"}},
        {24,
         "qvSetWindowTransparent Properties",
         "Make a window transparent (W2k and above): 0 - completely transparent, 100 - opaque.",
         {{L(1), "Window handle (HWND):"}, {L(2), "Opacity (0-100)%:"}, {E(2), "50"}},
         {},
         {"[h]", "50"},
         {"[h]", "50"}},
        {25,
         "qvIsWindow Properties",
         "Determine the state of the window (visibility, minimize, maximize, etc.).",
         {{L(1), "A handle (HWND) window:"},
          {L(2), "Check item:"},
          {C(2), "Present"},
          {L(3), kStore}},
         {},
         {"[h]", "", "[r]"},
         {"[h]", "Present", "[r]"},
         [](HWND d) { Select(d, C(2), "Maximized"); },
         {"[h]", "Maximized", "[r]"}},
        {25,
         "qvIsWindow Properties",
         "Determine the state of the window (visibility, minimize, maximize, etc.).",
         {{C(2), "Minimized"}},
         {},
         {"[h]", "min", "[r]"},
         {"[h]", "Minimized", "[r]"}},
        {26,
         "qvEnableWindow Properties",
         "Moving the inactive window. The active window responds to mouse and keyboard events.",
         {{L(1), "Window handle (HWND):"}, {E(1), "123"}},
         {},
         {"123"},
         {"123"}},
        {27,
         "qvDisableWindow Properties",
         "Make an inactive window. Inactive window does not respond to mouse and keyboard events.",
         {{L(1), "Window handle (HWND):"}},
         {},
         {"123"},
         {"123"}},
        {29,
         "qvGetForegroundWindow Properties",
         "Get the top handle (HWND) of the window system.",
         {{L(1), kStore}},
         {},
         {"[w]"},
         {"[w]"}},
        {30,
         "qvSetForegroundWindow Properties",
         "Make the top of the system and activate specified window.",
         {{L(1), "A handle (HWND) window:"}},
         {},
         {"[w]"},
         {"[w]"}},
        {31,
         "qvGetExeNameByHandle Properties",
         "Get the fully qualified file name (path) of the annex to the window handle.",
         {{L(1), "A handle (HWND) window:"}, {L(2), kStore}},
         {},
         {"[w]", "[exe]"},
         {"[w]", "[exe]"}},
        {34,
         "qvShowCustomWindow Properties",
         "Hide / Show / Minimize / Maximize / Close an external window (CustomWindow) NeoBook.",
         {{L(1), kObjectName},
          {E(1), "CW1"},
          {L(2), "The action of the window:"},
          {C(2), "Maximize the window"}},
         {},
         {"CW1", "maximized"},
         {"CW1", "Maximized"},
         [](HWND d) { Select(d, C(2), "Close the window"); },
         {"CW1", "Close"}},
        {35,
         "qvIsCustomWindow Properties",
         "Determine the status of the external window NeoBook (visibility, minimized, maximized, "
         "etc.).",
         {{L(1), kObjectName}, {L(2), "Check item:"}, {C(2), "Visible"}, {L(3), kStore}},
         {},
         {"CW1", "Vis", "[r]"},
         {"CW1", "Visible", "[r]"}},
        {36,
         "qvEnableCustomWindow Properties",
         "Make active inactive external NeoBook window. Active window responds to mouse and "
         "keyboard events.",
         {{L(1), kObjectName}, {E(1), "CW1"}},
         {},
         {"CW1"},
         {"CW1"}},
        {37,
         "qvDisableCustomWindow Properties",
         "Make an external window is inactive NeoBook. Inactive window does not respond to mouse "
         "and keyboard events.",
         {{L(1), kObjectName}},
         {},
         {"CW1"},
         {"CW1"}},
        {38,
         "qvSetCustomWindowTransparent Properties",
         "Make an external window NeoBook (CustomWindow) transparent (Win2k and up): 0 - fully "
         "transparent, 100 - opaque.",
         {{L(1), kObjectName}, {L(2), "Opacity (0-100)%:"}},
         {},
         {"CW1", "40"},
         {"CW1", "40"}},
        {39,
         "qvAnimateCustomWindow Properties",
         "Show / Hide the animation effect exterior window (CustomWindow) NeoBook.",
         {{L(1), kObjectName},
          {L(2), "The animation effect:"},
          {C(2), "Fade"},
          {L(3), "Duration (in milliseconds):"},
          {E(3), "500"},
          {L(4), "Show/hide the window:"},
          {B(1), "Redrawing"}},
         {{kTrueButton, false}, {kFalseButton, false}, {B(1), true}},
         {"CW1", "fade", "500", "[show]", "True"},
         {"CW1", "Fade", "500", "[show]", "True"},
         [](HWND d) { Click(d, kTrueButton); },
         {"CW1", "Fade", "500", "True", "True"}},
        {39,
         "qvAnimateCustomWindow Properties",
         "Show / Hide the animation effect exterior window (CustomWindow) NeoBook.",
         {{C(2), "SlideLeft"}},
         {{kFalseButton, true}, {B(1), false}},
         {"CW1", "", "", "", ""},
         {"CW1", "SlideLeft", "", "False", "False"}},
        {55,
         "qvShowInRectangle Properties",
         "External display screen (Custom Window) in the object rectangle. More sm.fayl help.",
         {{L(1), kObjectName},
          {L(2), "Rectangle object (to display the window):"},
          {E(2), "Rect1"},
          {L(3), "The relative coordinate of the left:"},
          {L(4), "The relative coordinate of the top:"},
          {E(4), "5"}},
         {},
         {"CW1", "Rect1", "0", "5"},
         {"CW1", "Rect1", "0", "5"}},
    };
    for (const PageCase& c : cases) Run(c, __LINE__);
}

TEST_F(EditPagesTest, FileAndFolderPages) {
    const PageCase cases[] = {
        {43,
         "qvFolderSize Properties",
         "Determine the size in bytes of the directory (folder).",
         {{L(1), "Name of the directory (folder):"}, {L(2), kStore}},
         {},
         {"C:\\x", "[s]"},
         {"C:\\x", "[s]"}},
        {44,
         "qvDeleteFolder Properties",
         "Delete folder.",
         {{L(1), "To remove a folder:"}, {B(1), "To cart"}, {B(2), "Confirmation"}},
         {{B(1), false}, {B(2), true}},
         {"C:\\x", "", "confirm"},
         {"C:\\x", "", "Confirm"},
         [](HWND d) { Click(d, B(1)); },
         {"C:\\x", "Undo", "Confirm"}},
        {44,
         "qvDeleteFolder Properties",
         "Delete folder.",
         {},
         {{B(1), true}, {B(2), false}},
         {"C:\\x", "Undo", "[c]"},
         {"C:\\x", "Undo", "[c]"},
         [](HWND d) { Click(d, B(1)); },
         {"C:\\x", "", "[c]"}},
        {45,
         "qvOpenWithDefault Properties",
         "Open the file in the program adopted by the \"defaults\" on the user's computer.",
         {{L(1), "File name:"}, {E(1), "a.txt"}, {B(1), "The editor"}},
         {{B(1), true}},
         {"a.txt", "edit"},
         {"a.txt", "Edit"},
         [](HWND d) { Click(d, B(1)); },
         {"a.txt", ""}},
        {46,
         "qvCreateLink Properties",
         "Create Shortcut. You can create a shortcut to any folder, the label name is specified "
         "with the full path.",
         {{L(1), "Object Name:"},
          {L(2), "Shortcut name:"},
          {L(3), "Comment (optional):"},
          {L(4), "Startup parameters (optional):"},
          {L(5), "Working directory (optional):"},
          {E(5), "C:\\"},
          {L(6), "Window (optional):"},
          {C(6), "Minimized to an icon"}},
         {},
         {"C:\\a", "C:\\l.lnk", "c", "p", "C:\\", "minimized"},
         {"C:\\a", "C:\\l.lnk", "c", "p", "C:\\", "Minimized"},
         [](HWND d) {
             TypeText(d, E(5), "D:\\");
             Select(d, C(6), "Maximized to full screen");
         },
         {"C:\\a", "C:\\l.lnk", "c", "p", "D:\\", "Maximized"}},
        {47,
         "qvFileGetAtrribute Properties",
         "Get the status of the specified attribute of the file and store it in a variable (the "
         "return value: TRUE = yes, FALSE = no).",
         {{L(1), "File name:"}, {L(2), "File attribute:"}, {C(2), "Directory"}, {L(3), kStore}},
         {},
         {"a", "directory", "[v]"},
         {"a", "Directory", "[v]"},
         [](HWND d) { Select(d, C(2), "Read-only"); },
         {"a", "ReadOnly", "[v]"}},
        {48,
         "qvFileSetAtrribute Properties",
         "Install / Remove the specified attribute of the file or folder. TRUE = Set, FALSE = "
         "Capture.",
         {{L(1), "File name:"}, {L(2), "File attribute:"}, {C(2), "Read-only"}},
         {{kTrueButton, false}, {kFalseButton, true}},
         {"a", "readonly", "false"},
         {"a", "ReadOnly", "False"},
         [](HWND d) { Click(d, kTrueButton); },
         {"a", "ReadOnly", "True"}},
        // Directories are not an attribute that can be set.
        {48,
         "qvFileSetAtrribute Properties",
         "Install / Remove the specified attribute of the file or folder. TRUE = Set, FALSE = "
         "Capture.",
         {{C(2), ""}},
         {},
         {"a", "Directory", "[on]"},
         {"a", "Directory", "[on]"}},
    };
    for (const PageCase& c : cases) Run(c, __LINE__);
}

TEST_F(EditPagesTest, BalloonAndMaskPages) {
    const PageCase cases[] = {
        {15,
         "qvTrayBalloon Properties",
         "Display a message in the system tray.",
         {{L(1), "Message title:"},
          {E(1), "Hi"},
          {L(2), "Message text:"},
          {kMemo1, "Say \"hi\"\r\nBye"},
          {L(3), "Message icon:"},
          {C(3), "Warning"},
          {L(4), "Subroutine OnClick:"},
          {C(4), "SubB"},
          {L(5), "Subroutine OnClose:"},
          {C(5), ""}},
         {},
         {"Hi", "Say [#34]hi[#34]|Bye", "warning", "SubB", "Gone"},
         {"Hi", "Say [#34]hi[#34]|Bye", "Warning", "SubB", "Gone"},
         [](HWND d) {
             TypeText(d, kMemo1, "A \"b\"\r\nc");
             Select(d, C(3), "Application icon");
         },
         {"Hi", "A [#34]b[#34]|c", "PubIcon", "SubB", "Gone"}},
        // An empty icon takes the first entry; a variable is kept.
        {15,
         "qvTrayBalloon Properties",
         "Display a message in the system tray.",
         {{C(3), "No icon"}, {C(4), "SubA"}},
         {},
         {"", "", "", "", ""},
         {"", "", "None", "SubA", "SubA"}},
        {15,
         "qvTrayBalloon Properties",
         "Display a message in the system tray.",
         {{C(3), ""}},
         {},
         {"T", "M", "[icon]", "SubA", "SubB"},
         {"T", "M", "[icon]", "SubA", "SubB"},
         [](HWND d) { Select(d, C(3), "Error"); },
         {"T", "M", "Error", "SubA", "SubB"}},
        {40,
         "qvSetCustomWindowMask Properties",
         "Apply the black and white mask on an external window (CustomWindow) NeoBook. "
         "Transparent color - white, opaque - black.",
         {{L(1), "Mask file (BMP):"},
          {E(1), "C:\\m.bmp"},
          {L(2), kObjectName},
          {E(2), "mainwindow"},
          {B(1), "The main window"},
          {L(3), "Transparent color:"},
          {E(3), "[c]"}},
         {{B(1), true}},
         {"C:\\m.bmp", "mainwindow", "[c]"},
         {"C:\\m.bmp", "mainwindow", "[c]"},
         [](HWND d) { Click(d, B(1)); },
         {"C:\\m.bmp", "", "[c]"}},
        {40,
         "qvSetCustomWindowMask Properties",
         "Apply the black and white mask on an external window (CustomWindow) NeoBook. "
         "Transparent color - white, opaque - black.",
         {{E(2), "CW1"}},
         {{B(1), false}},
         {"", "CW1", "255"},
         {"", "CW1", "255"},
         [](HWND d) { Click(d, B(1)); },
         {"", "MainWindow", "255"}},
    };
    for (const PageCase& c : cases) Run(c, __LINE__);
}

TEST_F(EditPagesTest, FindFilesAndFolderOperationCouplings) {
    const PageCase cases[] = {
        {54,
         "qvFindFiles Properties",
         "Find the file (s) in this external folder.",
         {{L(1), "Mask for the desired files:"},
          {L(2), "The initial folder search:"},
          {L(3), "Subroutine after the search:"},
          {C(3), "SubA"},
          {L(4), kStore},
          {E(4), "[r]"},
          {L(5), "Mode:"},
          {C(5), "Resume"},
          {B(1), "Asynchronous search"},
          {B(2), "Search in subfolders"},
          {B(3), "Only the names"},
          {B(4), "No extensions"}},
         {{B(1), true}, {B(2), false}, {B(3), true}, {B(4), true}},
         {"*.txt", "C:\\", "Async + NamesOnly + NoExt", "SubA", "[r]", "resume"},
         {"*.txt", "C:\\", "Async+NamesOnly+NoExt", "SubA", "[r]", "Resume"},
         [](HWND d) {
             Click(d, B(2));
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, B(3))));
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, B(4))));
         },
         {"*.txt", "C:\\", "Async+SubFolders", "SubA", "[r]", "Resume"}},
        // "No extensions" only with "Only the names".
        {54,
         "qvFindFiles Properties",
         "Find the file (s) in this external folder.",
         {{C(5), "Find"}},
         {{B(1), false}, {B(2), true}, {B(3), false}, {B(4), false}},
         {"", "", "noext+subfolders", "", "", ""},
         {"", "", "SubFolders", "SubA", "", "Find"}},
        {57,
         "qvFolderOperation Properties",
         "Copy/move/delete folder.",
         {{L(1), "Source folder:"},
          {L(2), "Destination folder:"},
          {E(2), "C:\\b"},
          {L(3), "Type of operation:"},
          {C(3), "Copying"},
          {L(4), "Subroutine at the end of the operation:"},
          {C(4), "SubB"},
          {B(1), "Only files"},
          {B(2), "Confirmation"},
          {B(3), "Delete Recycle Bin"},
          {B(4), "The progress of"}},
         {{B(1), true}, {B(2), false}, {B(3), true}, {B(4), true}},
         {"C:\\a", "C:\\b", "copy", "FilesOnly + Undo+Progress", "SubB"},
         {"C:\\a", "C:\\b", "Copy", "FilesOnly+Progress", "SubB"},
         [](HWND d) {
             Select(d, C(3), "Removal");
             EXPECT_EQ(ControlText(d, E(2)), "");
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, E(2))));
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, B(3))));
         },
         {"C:\\a", "", "Delete", "FilesOnly+Undo+Progress", "SubB"}},
        {57,
         "qvFolderOperation Properties",
         "Copy/move/delete folder.",
         {{E(2), ""}, {C(3), "Removal"}},
         {{B(3), true}},
         {"C:\\a", "C:\\b", "Delete", "undo", ""},
         {"C:\\a", "", "Delete", "Undo", "SubA"},
         [](HWND d) { Select(d, C(3), "Movement"); },
         {"C:\\a", "", "Move", "", "SubA"}},
    };
    for (const PageCase& c : cases) Run(c, __LINE__);
}

TEST_F(EditPagesTest, WindowPositionDialogInItsFourLayouts) {
    constexpr const char* kMissing = "<missing>";
    const std::map<int, std::string> sizeLabels = {{kBoxPositionLabel, "Window position:"},
                                                   {kBoxSizeLabel, "Window size:"},
                                                   {kBoxLeftLabel, "Left:"},
                                                   {kBoxTopLabel, "Top:"},
                                                   {kBoxWidthLabel, "Width:"},
                                                   {kBoxHeightLabel, "Height:"}};
    auto with = [&](std::map<int, std::string> more) {
        more.insert(sizeLabels.begin(), sizeLabels.end());
        return more;
    };
    const char* const customDescription =
        "Set new position and / or size of the outer window NeoBook (CustomWindow).";
    const char* const posDescription = "Set the position and size of the external window.";
    const PageCase cases[] = {
        {33,
         "qvSetCustomWindowPos Properties",
         customDescription,
         with({{kBoxHeading, "The name of the object (the same as when creating a window):"},
               {kBoxEdit1, "CW1"},
               {kBoxEdit1 + 1, "10"},
               {kBoxEdit1 + 4, "200"},
               {kBoxScreenBox, "Relative to the screen"},
               {kBoxLastLabel, "New window title (empty-not to change):"},
               {kBoxEdit1 + 5, "Title"},
               {kBoxModeList, kMissing},
               {kBoxClientBox, kMissing}}),
         {{kBoxScreenBox, true}},
         {"CW1", "10", "20", "300", "200", "screenpos", "Title"},
         {"CW1", "10", "20", "300", "200", "ScreenPos", "Title"},
         [](HWND d) {
             Click(d, kBoxScreenBox);
             TypeText(d, kBoxEdit1 + 3, "[w]");
         },
         {"CW1", "10", "20", "[w]", "200", "", "Title"}},
        // A variable in the screen flag is kept unless the box is checked.
        {33,
         "qvSetCustomWindowPos Properties",
         customDescription,
         {},
         {{kBoxScreenBox, false}},
         {"CW1", "", "", "", "", "[pos]", ""},
         {"CW1", "", "", "", "", "[pos]", ""},
         [](HWND d) { Click(d, kBoxScreenBox); },
         {"CW1", "", "", "", "", "ScreenPos", ""}},
        {23,
         "qvSetWindowPos Properties",
         posDescription,
         with({{kBoxHeading, "Window handle (HWND):"},
               {kBoxEdit1, "[h]"},
               {kBoxClientBox, "Client area"},
               {kBoxLastLabel, "Window mode:"},
               {kBoxModeList, "AlwaysOnTop"},
               {kBoxScreenBox, kMissing},
               {kBoxEdit1 + 5, kMissing},
               {kBoxObjectButton, kMissing}}),
         {{kBoxClientBox, true}},
         {"[h]", "1", "2", "3", "4", "always", "clientsize"},
         {"[h]", "1", "2", "3", "4", "AlwaysOnTop", "ClientSize"},
         [](HWND d) {
             SelectComboText(d, kBoxModeList, "Normal");
             Click(d, kBoxClientBox);
         },
         {"[h]", "1", "2", "3", "4", "Normal", ""}},
        // A mode the list cannot show is kept; an empty one takes "Normal".
        {23,
         "qvSetWindowPos Properties",
         posDescription,
         {{kBoxModeList, ""}},
         {{kBoxClientBox, false}},
         {"[h]", "", "", "", "", "[mode]", "[c]"},
         {"[h]", "", "", "", "", "[mode]", "[c]"},
         [](HWND d) { Click(d, kBoxClientBox); },
         {"[h]", "", "", "", "", "[mode]", "ClientSize"}},
        {23,
         "qvSetWindowPos Properties",
         posDescription,
         {{kBoxModeList, "Normal"}},
         {},
         {"[h]", "", "", "", "", "", ""},
         {"[h]", "", "", "", "", "Normal", ""}},
        {28,
         "qvGetWindowRectangle Properties",
         "Get the parameters of the window rectangle (position and size).",
         with({{kBoxHeading, "Window handle (HWND):"},
               {kBoxLastLabel, "Store the result in a variable:"},
               {kBoxEdit1 + 2, "[t]"},
               {kBoxClientBox, "Client area"},
               {kBoxEdit1 + 5, kMissing}}),
         {{kBoxClientBox, true}},
         {"[h]", "[l]", "[t]", "[w]", "[hh]", "CLIENTSIZE"},
         {"[h]", "[l]", "[t]", "[w]", "[hh]", "ClientSize"},
         [](HWND d) { Click(d, kBoxClientBox); },
         {"[h]", "[l]", "[t]", "[w]", "[hh]", ""}},
        {32,
         "qvGetDesktopRectangle Properties",
         "Get the coordinates of the desktop, not a hidden task bar, and store the result in a "
         "variable.",
         {{kBoxHeading, "Store the result in a variable:"},
          {kBoxPositionLabel, "Coordinates:"},
          {kBoxSizeLabel, "Size:"},
          {kBoxEdit1, kMissing},
          {kBoxEdit1 + 1, "[l]"},
          {kBoxEdit1 + 2, "[t]"},
          {kBoxEdit1 + 3, "[w]"},
          {kBoxEdit1 + 4, "[h]"},
          {kBoxLastLabel, kMissing},
          {kBoxScreenBox, kMissing}},
         {},
         {"[l]", "[t]", "[w]", "[h]"},
         {"[l]", "[t]", "[w]", "[h]"},
         [](HWND d) { TypeText(d, kBoxEdit1 + 4, "[height]"); },
         {"[l]", "[t]", "[w]", "[height]"}},
    };
    for (const PageCase& c : cases) Run(c, __LINE__);
}

TEST_F(EditPagesTest, WindowPositionChoosersReplaceTheWholeField) {
    DialogDriver driver;
    host_->SetAnswer(1, "CW2");
    host_->SetAnswer(14, "[v]");
    Texts params = {"CW1", "1", "2", "3", "4", "", "Old"};
    driver.Then([](HWND d) {
        SendMessageA(GetDlgItem(d, kBoxEdit1), EM_SETSEL, 1, 1);
        Click(d, kBoxObjectButton);
        for (int button = kBoxVariableButton; button < kBoxVariableButton + 5; ++button)
            Click(d, button);
        PressOK(d);
    });
    EXPECT_TRUE(host_->EditAction(33, params));
    EXPECT_EQ(params, (Texts{"CW2", "[v]", "[v]", "[v]", "[v]", "", "[v]"}));
    const auto calls = host_->CallsOf("InterfaceAccess");
    for (const char* call : {"1|CW1", "14|1", "14|4", "14|Old"})
        EXPECT_NE(std::find(calls.begin(), calls.end(), call), calls.end()) << call;

    // The handle pages ask for a variable for the first field; a refusal
    // changes nothing.
    host_->SetAnswer(14, "[no]", false);
    params = {"[h]", "", "", "", "", ""};
    driver.Then([](HWND d) {
        Click(d, kBoxEdit1Variable);
        PressOK(d);
    });
    EXPECT_TRUE(host_->EditAction(28, params));
    EXPECT_EQ(params[0], "[h]");
    EXPECT_FALSE(driver.timedOut());
}

// The host's about command shows the box over its window; the author line
// begins with the author the plug-in reported.
TEST_F(EditPagesTest, AboutBoxThroughTheHost) {
    DialogDriver driver;
    std::string title, author;
    for (int close = 0; close < 2; ++close) {
        driver.Then([&, close](HWND dialog) {
            title = ControlText(dialog, kv::editor::kAboutTitle);
            author = ControlText(dialog, kv::editor::kAboutAuthor);
            if (close == 0) {
                Click(dialog, IDOK);
            } else {
                PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        });
        host_->About();
        ExpectCleanCall(__LINE__);
        EXPECT_EQ(title, "Kelvane Plugin v1.0 beta");
        ASSERT_FALSE(host_->pluginAuthor.empty());
        EXPECT_EQ(author.rfind(host_->pluginAuthor, 0), 0u) << author;
    }
    EXPECT_FALSE(driver.timedOut());
    EXPECT_EQ(driver.opened().size(), 2u);
}

// Cyrillic texts pass through every kind of field byte for byte.
TEST_F(EditPagesTest, CyrillicTextsRoundTrip) {
    const std::string word = "\xcf\xf0\xe8\xe2\xe5\xf2 \xec\xe8\xf0";  // Windows-1251
    const PageCase c{46,
                     "qvCreateLink Properties",
                     "Create Shortcut. You can create a shortcut to any folder, the label name "
                     "is specified with the full path.",
                     {{E(1), word}, {E(5), word}},
                     {},
                     {word, word, word, word, word, word},
                     {word, word, word, word, word, word}};
    Run(c, __LINE__);
}

}  // namespace
}  // namespace kvtest
