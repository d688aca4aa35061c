// The properties dialog's mechanics that the pages of today do not all
// use: the memo with its message coding, the object, rectangle, embedded
// file and folder choosers, the option couplings and the icon preview.
// Pages made here for the purpose are run in the real dialog, with a
// host callback that answers requests from a table.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "common_dialogs.h"
#include "dialog_driver.h"
#include "edit_box_form.h"
#include "host_text.h"
#include "plugin_state.h"

namespace kv::editor {
namespace {

using kvhost::Click;
using kvhost::ControlText;
using kvhost::DialogDriver;
using kvhost::PressOK;
using kvhost::TypeText;

std::map<int32_t, std::pair<bool, std::string>> g_answers;
std::vector<std::string> g_requests;

HostBool KV_BORLAND AnswerRequest(int32_t request, TextSlot slot) {
    const std::string sent = *slot ? *slot : "";
    g_requests.push_back(std::to_string(request) + "|" + sent);
    const auto it = g_answers.find(request);
    if (it == g_answers.end()) return 0;
    SetHostText(slot, it->second.second);
    return it->second.first ? 1 : 0;
}

constexpr const char* kIconKeywords[] = {"None", "Information", "Warning", "Error", "PubIcon"};
constexpr const char* kIconCaptions[] = {"No icon", "Information", "Warning", "Error",
                                         "Application icon"};
constexpr WordList kIcons{kIconKeywords, kIconCaptions, true, true};

constexpr FieldSpec kMessageFields[] = {
    {FieldKind::Text, 1, 1, "Message title:"},
    {FieldKind::Memo, 2, 2, "Message text:"},
    {FieldKind::KeywordList, 3, 4, "Message icon:", &kIcons, 0, 0, 200},
};
constexpr PageSpec kMessagePage{
    90, "qvMessage",        4, "A message.", 0, kMessageFields, nullptr, PageHook::None, 0,
    0,  IconPreview::Resume};

constexpr FieldSpec kChooserFields[] = {
    {FieldKind::Object, 1, 1, "Object:", nullptr, 0, 0, 240},
    {FieldKind::Rectangle, 2, 2, "Rectangle:"},
};
constexpr PageSpec kChooserPage{91,      "qvChoosers",
                                2,       "Choosers.",
                                0,       kChooserFields,
                                nullptr, PageHook::None,
                                0,       kEmbeddedButton | kFolderButton};

constexpr FieldSpec kOptionFields[] = {
    {FieldKind::KeywordBox, 1, 3, nullptr, nullptr, 20, 150, 130, "Asynchronous", "Async"},
    {FieldKind::KeywordBox, 2, 3, nullptr, nullptr, 20, 175, 130, "Subfolders", "SubFolders"},
    {FieldKind::KeywordBox, 3, 3, nullptr, nullptr, 170, 150, 130, "Names", "NamesOnly"},
    {FieldKind::KeywordBox, 4, 3, nullptr, nullptr, 170, 175, 130, "No extensions", "NoExt"},
};
constexpr PageSpec kOptionPage{
    92, "qvOptions", 4, "Options.", 0, kOptionFields, nullptr, PageHook::None, kFindOptionsMode};

constexpr const char* kOperations[] = {"Copy", "Move", "Delete"};
constexpr WordList kOperationList{kOperations, {}};
constexpr FieldSpec kOperationFields[] = {
    {FieldKind::KeywordList, 1, 1, "Operation:", &kOperationList},
    {FieldKind::Text, 2, 2, "Destination:"},
    {FieldKind::KeywordBox, 3, 3, nullptr, nullptr, 20, 150, 100, "One", "One"},
    {FieldKind::KeywordBox, 4, 3, nullptr, nullptr, 130, 150, 100, "Two", "Two"},
    {FieldKind::KeywordBox, 5, 3, nullptr, nullptr, 20, 175, 100, "Undo", "Undo"},
};
constexpr PageSpec kOperationPage{93,
                                  "qvOperation",
                                  4,
                                  "Operation.",
                                  0,
                                  kOperationFields,
                                  nullptr,
                                  PageHook::None,
                                  kFolderOperationMode};

constexpr FieldSpec kMaskFields[] = {
    {FieldKind::Text, 1, 1, "Mask:"},
    {FieldKind::Object, 2, 2, "Object:"},
    {FieldKind::KeywordBox, 3, 3, nullptr, nullptr, 20, 150, 150, "The main window", "Main"},
};
constexpr PageSpec kMaskPage{
    94, "qvMask", 4, "Mask.", 0, kMaskFields, nullptr, PageHook::None, kMaskPageMode};

constexpr FieldSpec kUnlabelledFields[] = {
    {FieldKind::Text, 1, 1, ""},
    {FieldKind::Text, 2, 2, ""},
};
constexpr PageSpec kUnlabelledPage{95, "qvUnlabelled", 2, "No labels.", 0, kUnlabelledFields};

class EditorFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetState();
        g_answers.clear();
        g_requests.clear();
        State().HostInterfaceAccess = &AnswerRequest;
    }
    void TearDown() override { ResetState(); }

    // Runs a page over `texts` with the driver; the results after OK.
    std::vector<std::optional<std::string>> Run(const PageSpec& page,
                                                std::vector<std::string> texts,
                                                DialogDriver& driver, bool expectOk = true) {
        TEditBoxForm form(page, std::move(texts));
        const INT_PTR result = form.RunModal(nullptr);
        EXPECT_FALSE(driver.timedOut());
        EXPECT_EQ(result == IDOK, expectOk);
        return form.results();
    }

    static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }
    static bool Checked(HWND dialog, int id) {
        return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
};

// Works the queue as the dialog's own loop does, so that posted keys
// arrive before the step goes on.
void PumpDialog(HWND dialog) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

TEST_F(EditorFrameworkTest, MemoKeepsQuotesAndLineBreaksAndTakesEnter) {
    DialogDriver driver;
    g_answers[14] = {true, "[v]"};
    std::string shown, afterKeys;
    bool previewAtStart = true, previewAfter = false;
    driver.Then([&](HWND dialog) {
        shown = ControlText(dialog, kMemo1);
        previewAtStart = IsWindowVisible(GetDlgItem(dialog, kIconPreview));
        kvhost::SelectComboText(dialog, kComboBox1 + 3, "Warning");
        previewAfter = IsWindowVisible(GetDlgItem(dialog, kIconPreview)) &&
                       SendMessageA(GetDlgItem(dialog, kIconPreview), STM_GETICON, 0, 0) != 0;
        // Enter in the memo is a line break, not OK; Insert Variable goes in
        // at the memo's caret.
        const HWND memo = GetDlgItem(dialog, kMemo1);
        SetFocus(memo);
        SendMessageA(memo, EM_SETSEL, 0, 0);
        PostMessageA(memo, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(memo, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0x40000001));
        PumpDialog(dialog);
        SendMessageA(memo, EM_SETSEL, 0, 0);
        Click(dialog, kSpeedButton1 + 1);
        afterKeys = ControlText(dialog, kMemo1);
        PressOK(dialog);
    });
    const auto results = Run(kMessagePage, {"T", "He said [#34]hi[#34]|bye", "bogus"}, driver);
    EXPECT_EQ(shown, "He said \"hi\"\r\nbye");
    EXPECT_FALSE(previewAtStart);  // "No icon", the first entry, for an unknown keyword
    EXPECT_TRUE(previewAfter);
    EXPECT_EQ(afterKeys, "[v]\r\nHe said \"hi\"\r\nbye");
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[1], "[v]|He said [#34]hi[#34]|bye");
    EXPECT_EQ(results[2], "Warning");
}

TEST_F(EditorFrameworkTest, ObjectRectangleAndEmbeddedFileChoosers) {
    DialogDriver driver;
    g_answers[1] = {true, "Rect1"};
    g_answers[8] = {true, "Shape2"};
    g_answers[13] = {false, "ignored"};
    driver.Then([](HWND dialog) {
        Click(dialog, kObButton);
        Click(dialog, kObjButton2);
        Click(dialog, kEmbeddedBtn);
        PressOK(dialog);
    });
    const auto results = Run(kChooserPage, {"Obj", "Old"}, driver);
    EXPECT_EQ(results[0], "Rect1");
    EXPECT_EQ(results[1], "Shape2");
    EXPECT_EQ(g_requests, (std::vector<std::string>{"6|", "1|Obj", "8|Old", "13|Rect1"}));

    // Without the interface the buttons do nothing.
    State().HostInterfaceAccess = nullptr;
    driver.Then([](HWND dialog) {
        Click(dialog, kObButton);
        Click(dialog, kObjButton2);
        PressOK(dialog);
    });
    const auto alone = Run(kChooserPage, {"Obj", "Old"}, driver);
    EXPECT_EQ(alone[0], "Obj");
    EXPECT_EQ(alone[1], "Old");
}

BOOL CALLBACK FindTree(HWND window, LPARAM found) {
    if (kvhost::WindowClass(window) == WC_TREEVIEWA) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The text of the folder chooser's selected tree item.
std::string SelectedTreeText(HWND chooser) {
    HWND tree = nullptr;
    EnumChildWindows(chooser, &FindTree, reinterpret_cast<LPARAM>(&tree));
    if (tree == nullptr) return {};
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item == nullptr) return {};
    char text[MAX_PATH] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

// The chooser starts at the Windows folder, which no test changes. Wine's
// chooser walks its tree to the start folder comparing item IDs byte for
// byte, and a file-system item ID holds the folder's last-access time (to
// 2 s). Reading a folder's entries moves that time when the folder changed
// since it was last read, or a day ago; and the chooser reads every folder
// on the way as it walks. A folder just made in the shared temporary folder
// stopped the walk short of it whenever that time crossed an even second in
// between (one run in three under load). The Windows folder sits right
// under the drive, and reading it once first leaves nothing for the
// chooser's reads to move. Windows compares the IDs by name.
TEST_F(EditorFrameworkTest, FolderChooserStartsAtTheFolderAndFillsTheField) {
    char windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const std::string folder = windows;
    const std::string name = folder.substr(folder.find_last_of('\\') + 1);
    WIN32_FIND_DATAA entry{};
    const HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &entry);
    ASSERT_NE(listing, INVALID_HANDLE_VALUE);
    while (FindNextFileA(listing, &entry)) {
    }
    FindClose(listing);
    DialogDriver driver;
    std::string chooserTitle, selectedName;
    driver
        .Then([](HWND dialog) {
            Click(dialog, kFolderBtn);
            PressOK(dialog);
        })
        .Then([&](HWND chooser) {
            char text[256] = {};
            GetWindowTextA(chooser, text, sizeof(text));
            chooserTitle = text;
            // Windows' chooser may fill its tree and select the folder as it
            // goes: wait, as a person would, until the folder is the selection.
            for (int i = 0;
                 i < 500 && _stricmp(SelectedTreeText(chooser).c_str(), name.c_str()) != 0; ++i) {
                PumpDialog(chooser);
                Sleep(10);
            }
            selectedName = SelectedTreeText(chooser);
            PressOK(chooser);
        });
    const auto results = Run(kChooserPage, {folder, ""}, driver);
    ASSERT_TRUE(results[0].has_value());
    // The chooser reached the folder, and the field takes exactly that.
    EXPECT_EQ(_stricmp(results[0]->c_str(), folder.c_str()), 0) << *results[0];
    EXPECT_EQ(_stricmp(selectedName.c_str(), name.c_str()), 0) << selectedName;
    EXPECT_FALSE(chooserTitle.empty());
}

TEST_F(EditorFrameworkTest, FindOptionBoxesCoupleWhileLoadingAndWhenClicked) {
    DialogDriver driver;
    bool names = false, noExt = false, namesEnabled = false, noExtEnabled = false;
    bool namesAfterSub = true, noExtAfterSub = true;
    driver.Then([&](HWND dialog) {
        names = Checked(dialog, kCheckBox1 + 2);
        noExt = Checked(dialog, kCheckBox1 + 3);
        namesEnabled = Enabled(dialog, kCheckBox1 + 2);
        noExtEnabled = Enabled(dialog, kCheckBox1 + 3);
        Click(dialog, kCheckBox1 + 1);  // subfolders: the name boxes go grey
        namesAfterSub = Enabled(dialog, kCheckBox1 + 2);
        noExtAfterSub = Enabled(dialog, kCheckBox1 + 3);
        PressOK(dialog);
    });
    const auto results = Run(kOptionPage, {"async", "", "namesonly", "noext"}, driver);
    EXPECT_TRUE(names);
    EXPECT_TRUE(noExt);
    EXPECT_TRUE(namesEnabled);
    EXPECT_TRUE(noExtEnabled);
    EXPECT_FALSE(namesAfterSub);
    EXPECT_FALSE(noExtAfterSub);
    EXPECT_EQ(results[0], "Async");
    EXPECT_EQ(results[1], "SubFolders");

    // Nothing loaded for "NamesOnly": "No extensions" stays enabled, and
    // checking it checks "Only the names" too.
    bool namesAfterNoExt = false;
    driver.Then([&](HWND dialog) {
        Click(dialog, kCheckBox1 + 3);
        namesAfterNoExt = Checked(dialog, kCheckBox1 + 2);
        PressOK(dialog);
    });
    const auto second = Run(kOptionPage, {"", "", "", ""}, driver);
    EXPECT_TRUE(namesAfterNoExt);
    EXPECT_EQ(second[2], "NamesOnly");
    EXPECT_EQ(second[3], "NoExt");
}

TEST_F(EditorFrameworkTest, DeletingHasNoDestination) {
    DialogDriver driver;
    bool destination = true, undo = false, destinationAfter = false, undoAfter = true;
    driver.Then([&](HWND dialog) {
        destination = Enabled(dialog, kEdit1 + 1);
        undo = Enabled(dialog, kCheckBox1 + 2);
        kvhost::SelectComboText(dialog, kComboBox1, "Copy");
        destinationAfter = Enabled(dialog, kEdit1 + 1);
        undoAfter = Enabled(dialog, kCheckBox1 + 2);
        PressOK(dialog);
    });
    const auto results = Run(kOperationPage, {"delete", "D:\\x", "", "", ""}, driver);
    EXPECT_FALSE(destination);
    EXPECT_TRUE(undo);
    EXPECT_TRUE(destinationAfter);
    EXPECT_FALSE(undoAfter);
    EXPECT_EQ(results[0], "Copy");
}

TEST_F(EditorFrameworkTest, MainWindowBoxFillsAndClearsTheObjectField) {
    DialogDriver driver;
    std::string checkedText, uncheckedText;
    driver.Then([&](HWND dialog) {
        Click(dialog, kCheckBox1);
        checkedText = ControlText(dialog, kEdit1 + 1);
        Click(dialog, kCheckBox1);
        uncheckedText = ControlText(dialog, kEdit1 + 1);
        TypeText(dialog, kEdit1 + 1, "Other");
        Click(dialog, kCheckBox1);
        Click(dialog, kCheckBox1);
        PressOK(dialog);
    });
    const auto results = Run(kMaskPage, {"mask.bmp", "Obj", ""}, driver);
    EXPECT_EQ(checkedText, "MainWindow");
    EXPECT_EQ(uncheckedText, "");
    EXPECT_EQ(results[1], "");  // "Other" was replaced by checking, cleared by unchecking
    // The object button fills the second row on this page.
    EXPECT_TRUE(std::find(g_requests.begin(), g_requests.end(), "6|") != g_requests.end());
}

TEST_F(EditorFrameworkTest, UnsetLabelsShowTheRussianPlaceholdersOnEverySystem) {
    DialogDriver driver;
    std::wstring first, second;
    driver.Then([&](HWND dialog) {
        wchar_t text[64] = {};
        GetWindowTextW(GetDlgItem(dialog, kLabel1), text, 64);
        first = text;
        GetWindowTextW(GetDlgItem(dialog, kLabel1 + 1), text, 64);
        second = text;
        kvhost::PressCancel(dialog);
    });
    Run(kUnlabelledPage, {"", ""}, driver, false);
    EXPECT_EQ(first, L"\u041f\u0430\u0440\u0430\u043c\u0435\u0442\u0440 1:");  // "Параметр 1:"
    EXPECT_EQ(second, L"\u041f\u0430\u0440\u0430\u043c\u0435\u0442\u0440 2:");
}

TEST_F(EditorFrameworkTest, CancelWritesNothing) {
    DialogDriver driver;
    driver.Then([](HWND dialog) {
        TypeText(dialog, kEdit1, "changed");
        kvhost::PressCancel(dialog);
    });
    const auto results = Run(kMessagePage, {"T", "m", "None"}, driver, false);
    for (const auto& result : results) EXPECT_FALSE(result.has_value());
}

TEST_F(EditorFrameworkTest, ColourDialogKeepsTheCustomColours) {
    ResetDialogs();
    DialogDriver driver;
    // 712 is the dialog's "Add to Custom Colors" button.
    driver.Then([](HWND dialog) {
        TypeText(dialog, 706, "1");
        TypeText(dialog, 707, "2");
        TypeText(dialog, 708, "3");
        Click(dialog, 712);
        PressOK(dialog);
    });
    const auto chosen = ShowColorDialog(MakeRgb(192, 192, 192), "", "");
    EXPECT_FALSE(driver.timedOut());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, MakeRgb(1, 2, 3));
    EXPECT_EQ(Dialogs().lastColor, MakeRgb(1, 2, 3));
    EXPECT_EQ(Dialogs().customColors[0], RGB(1, 2, 3));

    // A cancelled dialog keeps the custom colours.
    driver.Then([](HWND dialog) { kvhost::PressCancel(dialog); });
    EXPECT_FALSE(ShowColorDialog(MakeRgb(9, 9, 9), "", "").has_value());
    EXPECT_EQ(Dialogs().customColors[0], RGB(1, 2, 3));
    ResetDialogs();
}

}  // namespace
}  // namespace kv::editor
