// The properties dialogs as the host's script editor uses them: the test
// host calls nbEditAction, the driver works the dialog like an author
// (typing, choosing, clicking, keys) and presses OK or Cancel, and the
// parameter texts and the host requests are read back.
#include <windows.h>

#include <commctrl.h>

#include <map>

#include "dialog_driver.h"
#include "edit_box_form.h"
#include "host_fixture.h"

namespace kvtest {
namespace {

using namespace kvhost;

using namespace kv::editor;

constexpr int32_t kShowMousePointer = 1;
constexpr int32_t kColorBox = 12;
constexpr int32_t kFontBox = 13;
constexpr int32_t kFindWindow = 18;
constexpr int32_t kShowWindow = 22;
constexpr int32_t kSetOnMoveSize = 42;
constexpr int32_t kGetFileHash = 52;

bool Checked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Focuses a control of the dialog and posts a key press to it, as the
// keyboard would (the dialog's own loop sees it).
void PressKey(HWND dialog, int id, WPARAM key) {
    const HWND window = GetDlgItem(dialog, id);
    SetFocus(window);
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0x40000001));
}

class EditActionTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start(":SubA\nReturn\n:SubB\nReturn\n");
    }

    // Runs nbEditAction; the texts are updated in place.
    bool Edit(DialogDriver& driver, int32_t action, std::vector<std::string>& params, int line) {
        const bool result = host_->EditAction(action, params);
        ExpectCleanCall(line);
        EXPECT_FALSE(driver.timedOut()) << "called from line " << line;
        EXPECT_EQ(driver.pendingSteps(), 0u) << "called from line " << line;
        return result;
    }

    size_t Requests(const std::string& number) {
        size_t count = 0;
        for (const std::string& call : host_->CallsOf("InterfaceAccess"))
            if (call.rfind(number + "|", 0) == 0) ++count;
        return count;
    }
};

TEST_F(EditActionTest, NumbersWithoutAPageShowNothing) {
    DialogDriver driver;
    for (int32_t number : {0, 4, 11, 16, 41, 58, -1, 1000}) {
        std::vector<std::string> params = {"a", "b"};
        EXPECT_FALSE(Edit(driver, number, params, __LINE__)) << number;
        EXPECT_EQ(params, (std::vector<std::string>{"a", "b"}));
    }
    EXPECT_TRUE(driver.opened().empty());
    // A missing array shows nothing either.
    EXPECT_FALSE(host_->EditActionRaw(kFindWindow, nullptr, 2));
    EXPECT_TRUE(driver.opened().empty());
}

TEST_F(EditActionTest, TextRowsShowWriteAndCancel) {
    DialogDriver driver;
    std::vector<std::string> params = {"Notepad", "", "[hwnd]"};
    std::string caption, name, shown;
    driver.Then([&](HWND dialog) {
        char text[128] = {};
        GetWindowTextA(dialog, text, sizeof(text));
        caption = text;
        name = ControlText(dialog, kActionName);
        shown = ControlText(dialog, kEdit1) + "|" + ControlText(dialog, kEdit1 + 1) + "|" +
                ControlText(dialog, kEdit1 + 2);
        TypeText(dialog, kEdit1 + 1, "Notepad2");
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kFindWindow, params, __LINE__));
    EXPECT_EQ(caption, "qvFindWindow Properties");
    EXPECT_EQ(name, "qvFindWindow");
    EXPECT_EQ(shown, "Notepad||[hwnd]");
    EXPECT_EQ(params, (std::vector<std::string>{"Notepad", "Notepad2", "[hwnd]"}));

    // Cancel, Esc and the close box write nothing after edits.
    const std::vector<std::string> before = params;
    auto editThen = [](std::function<void(HWND)> close) {
        return [close](HWND dialog) {
            TypeText(dialog, kEdit1, "changed");
            TypeText(dialog, kEdit1 + 2, "[other]");
            close(dialog);
        };
    };
    driver.Then(editThen([](HWND dialog) { PressCancel(dialog); }));
    EXPECT_FALSE(Edit(driver, kFindWindow, params, __LINE__));
    driver.Then(editThen([](HWND dialog) { PressKey(dialog, kEdit1, VK_ESCAPE); }));
    EXPECT_FALSE(Edit(driver, kFindWindow, params, __LINE__));
    driver.Then(editThen([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_FALSE(Edit(driver, kFindWindow, params, __LINE__));
    EXPECT_EQ(params, before);

    // Enter presses OK.
    driver.Then([](HWND dialog) {
        TypeText(dialog, kEdit1, "Calc");
        PressKey(dialog, kEdit1 + 1, VK_RETURN);
    });
    EXPECT_TRUE(Edit(driver, kFindWindow, params, __LINE__));
    EXPECT_EQ(params[0], "Calc");
    EXPECT_GE(driver.opened().size(), 5u);
}

TEST_F(EditActionTest, LongAndHighBytesTextsRoundTrip) {
    DialogDriver driver;
    std::string high;
    for (int c = 0x20; c < 0x100; ++c) high += static_cast<char>(c);
    std::string longText(40000, 'x');
    for (size_t i = 0; i < longText.size(); i += 97) longText[i] = static_cast<char>('a' + i % 26);
    std::vector<std::string> params = {longText, high, "[v]"};
    std::string shownLong;
    driver.Then([&](HWND dialog) {
        shownLong = ControlText(dialog, kEdit1);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kFindWindow, params, __LINE__));
    EXPECT_EQ(shownLong.size(), longText.size());
    EXPECT_EQ(params[0], longText);
    EXPECT_EQ(params[1], high);
}

TEST_F(EditActionTest, OnlyTheElementsUpToTheHighIndexAreTouched) {
    DialogDriver driver;
    char* texts[3] = {kvhost::GlobalText("one"), kvhost::GlobalText("two"),
                      kvhost::GlobalText("three")};
    char* const third = texts[2];
    std::string shownThird = "unset";
    driver.Then([&](HWND dialog) {
        shownThird = ControlText(dialog, kEdit1 + 2);
        TypeText(dialog, kEdit1 + 2, "[x]");
        PressOK(dialog);
    });
    EXPECT_TRUE(host_->EditActionRaw(kFindWindow, texts, 1));
    EXPECT_FALSE(driver.timedOut());
    EXPECT_EQ(shownThird, "");
    EXPECT_EQ(texts[2], third);
    EXPECT_STREQ(texts[2], "three");
    EXPECT_STREQ(texts[0], "one");
    for (char* text : texts) GlobalFree(text);
}

TEST_F(EditActionTest, ThreeStatePairKeepsWhatItCannotShow) {
    DialogDriver driver;
    struct Case {
        const char* text;
        bool yes, no;
        const char* written;
    };
    for (const Case& c : {Case{"[Var]", false, false, "[Var]"}, Case{"true", true, false, "True"},
                          Case{"FALSE", false, true, "False"}, Case{"", false, false, ""},
                          Case{"1", false, false, "1"}}) {
        std::vector<std::string> params = {c.text};
        bool yes = false, no = false;
        driver.Then([&](HWND dialog) {
            yes = Checked(dialog, kTrueButton);
            no = Checked(dialog, kFalseButton);
            PressOK(dialog);
        });
        EXPECT_TRUE(Edit(driver, kShowMousePointer, params, __LINE__));
        EXPECT_EQ(yes, c.yes) << c.text;
        EXPECT_EQ(no, c.no) << c.text;
        EXPECT_EQ(params[0], c.written) << c.text;
    }
    std::vector<std::string> params = {"[Var]"};
    driver.Then([](HWND dialog) {
        Click(dialog, kFalseButton);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kShowMousePointer, params, __LINE__));
    EXPECT_EQ(params[0], "False");
}

TEST_F(EditActionTest, SubroutineListSelectsByPrefix) {
    DialogDriver driver;
    struct Case {
        const char* text;
        const char* shown;
        const char* written;
    };
    for (const Case& c : {Case{"Sub", "SubA", "SubA"}, Case{"", "SubA", "SubA"},
                          Case{"subb", "SubB", "SubB"}, Case{"Gone", "", "Gone"}}) {
        std::vector<std::string> params = {c.text};
        std::string shown;
        driver.Then([&](HWND dialog) {
            shown = ControlText(dialog, kComboBox1);
            PressOK(dialog);
        });
        EXPECT_TRUE(Edit(driver, kSetOnMoveSize, params, __LINE__));
        EXPECT_EQ(shown, c.shown) << c.text;
        EXPECT_EQ(params[0], c.written) << c.text;
    }
    EXPECT_GE(Requests("5"), 4u);
    // A name typed into the editable list is written as typed.
    std::vector<std::string> params = {"SubA"};
    driver.Then([](HWND dialog) {
        SetWindowTextA(GetDlgItem(dialog, kComboBox1), "Later");
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kSetOnMoveSize, params, __LINE__));
    EXPECT_EQ(params[0], "Later");
}

TEST_F(EditActionTest, KeywordAndWordLists) {
    DialogDriver driver;
    std::vector<std::string> params = {"123", "restorenoactive"};
    std::string shown;
    driver.Then([&](HWND dialog) {
        shown = ControlText(dialog, kComboBox1 + 1);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kShowWindow, params, __LINE__));
    EXPECT_EQ(shown, "Restore, but not activate a window");
    EXPECT_EQ(params[1], "RestoreNoActive");

    params[1] = "bogus";
    driver.Then([&](HWND dialog) {
        shown = ControlText(dialog, kComboBox1 + 1);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kShowWindow, params, __LINE__));
    EXPECT_EQ(shown, "");
    EXPECT_EQ(params[1], "bogus");
    driver.Then([](HWND dialog) {
        SelectComboText(dialog, kComboBox1 + 1, "Close the window");
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kShowWindow, params, __LINE__));
    EXPECT_EQ(params[1], "Close");

    // The hash kinds: the first beginning with the text.
    for (const auto& [text, written] : {std::pair{"", "MD5"}, std::pair{"crc", "CRC"},
                                        std::pair{"CRC3", "CRC32"}, std::pair{"x", "x"}}) {
        std::vector<std::string> hash = {"C:\\a.txt", "[h]", text};
        driver.Then([](HWND dialog) { PressOK(dialog); });
        EXPECT_TRUE(Edit(driver, kGetFileHash, hash, __LINE__));
        EXPECT_EQ(hash[2], written) << text;
    }
}

TEST_F(EditActionTest, InsertVariableInsertsOrReplaces) {
    DialogDriver driver;
    host_->SetAnswer(14, "[picked]");
    std::vector<std::string> params = {"ab", "", "[old]"};
    driver.Then([](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, kEdit1), EM_SETSEL, 1, 1);
        Click(dialog, kSpeedButton1);
        Click(dialog, kSpeedButton1 + 2);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kFindWindow, params, __LINE__));
    EXPECT_EQ(params[0], "a[picked]b");
    EXPECT_EQ(params[2], "[picked]");
    const auto calls = host_->CallsOf("InterfaceAccess");
    EXPECT_NE(std::find(calls.begin(), calls.end(), "14|ab"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "14|[old]"), calls.end());

    // Refused: the field stays as it was.
    host_->SetAnswer(14, "[no]", false);
    params = {"ab", "", "[old]"};
    driver.Then([](HWND dialog) {
        Click(dialog, kSpeedButton1);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kFindWindow, params, __LINE__));
    EXPECT_EQ(params[0], "ab");
}

TEST_F(EditActionTest, FileButtonsFollowTheHostVersion) {
    DialogDriver driver;
    host_->SetAnswer(6, "552.0");
    host_->SetAnswer(15, "C:\\chosen.txt");
    host_->SetAnswer(16, "C:\\options.txt");
    std::vector<std::string> params = {"C:\\start.txt", "[h]", "MD5"};
    std::string afterSelect;
    driver.Then([&](HWND dialog) {
        Click(dialog, kFileSelBtn);
        afterSelect = ControlText(dialog, kEdit1);
        Click(dialog, kAdvFileBtn);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kGetFileHash, params, __LINE__));
    EXPECT_EQ(afterSelect, "C:\\chosen.txt");
    EXPECT_EQ(params[0], "C:\\options.txt");
    const auto calls = host_->CallsOf("InterfaceAccess");
    EXPECT_NE(std::find(calls.begin(), calls.end(),
                        "15|Select the file\rC:\\start.txt\r\rAll files | *. *\r1"),
              calls.end());
    EXPECT_NE(
        std::find(calls.begin(), calls.end(), "16|C:\\start.txt\r\rAll files | *. *\rFalse\rTrue"),
        calls.end());

    // Older hosts: the buttons are there and do nothing. A version text
    // without a number counts as an old host and the dialog still opens.
    for (const char* version : {"549.9", "551", "abc.1"}) {
        host_->SetAnswer(6, version);
        host_->calls().clear();
        params[0] = "C:\\start.txt";
        bool visible = false;
        driver.Then([&](HWND dialog) {
            visible = IsWindowVisible(GetDlgItem(dialog, kFileSelBtn)) &&
                      IsWindowVisible(GetDlgItem(dialog, kAdvFileBtn));
            Click(dialog, kFileSelBtn);
            Click(dialog, kAdvFileBtn);
            PressOK(dialog);
        });
        EXPECT_TRUE(Edit(driver, kGetFileHash, params, __LINE__)) << version;
        EXPECT_TRUE(visible);
        const bool options = std::string(version) == "551";
        EXPECT_EQ(Requests("15"), options ? 1u : 0u) << version;
        EXPECT_EQ(Requests("16"), 0u) << version;
    }
}

TEST_F(EditActionTest, KeyboardFocusAndTabOrder) {
    DialogDriver driver;
    std::vector<int> order;
    driver.Then([&](HWND dialog) {
        // Another program may hold the foreground; the dialog then gets
        // its focus back, on the same control, when it is activated.
        if (GetFocus() == nullptr) SetForegroundWindow(dialog);
        HWND control = GetFocus();
        for (int i = 0; i < 12 && control != nullptr; ++i) {
            order.push_back(GetDlgCtrlID(control));
            control = GetNextDlgTabItem(dialog, control, FALSE);
        }
        PressCancel(dialog);
    });
    std::vector<std::string> params = {"", "", ""};
    EXPECT_FALSE(Edit(driver, kFindWindow, params, __LINE__));
    const std::vector<int> expected = {
        kEdit1,   kSpeedButton1, kEdit1 + 1, kSpeedButton1 + 1, kEdit1 + 2, kSpeedButton1 + 2, IDOK,
        IDCANCEL, IDHELP,        kEdit1,     kSpeedButton1,     kEdit1 + 1};
    EXPECT_EQ(order, expected);
}

struct TooltipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<TooltipSearch*>(search);
    if (WindowClass(window) == "tooltips_class32" && GetWindow(window, GW_OWNER) == s->owner) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

// The tooltip texts of the dialog's controls, by control identifier.
std::map<int, std::string> TooltipTexts(HWND dialog) {
    TooltipSearch search{dialog, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindTooltip, reinterpret_cast<LPARAM>(&search));
    std::map<int, std::string> texts;
    if (search.found == nullptr) return texts;
    const auto count = static_cast<UINT>(SendMessageA(search.found, TTM_GETTOOLCOUNT, 0, 0));
    for (UINT i = 0; i < count; ++i) {
        char text[256] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.lpszText = text;
        if (SendMessageA(search.found, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)))
            texts[GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId))] = text;
    }
    return texts;
}

TEST_F(EditActionTest, GlyphButtonsCarryTheirHints) {
    DialogDriver driver;
    std::string insert, file, options, color;
    std::map<int, std::string> tips;
    driver.Then([&](HWND dialog) {
        insert = ControlText(dialog, kSpeedButton1);
        file = ControlText(dialog, kFileSelBtn);
        options = ControlText(dialog, kAdvFileBtn);
        tips = TooltipTexts(dialog);
        PressCancel(dialog);
    });
    std::vector<std::string> params = {"", "", ""};
    Edit(driver, kGetFileHash, params, __LINE__);
    driver.Then([&](HWND dialog) {
        color = ControlText(dialog, kColorButton);
        PressCancel(dialog);
    });
    std::vector<std::string> colorParams(5);
    Edit(driver, kColorBox, colorParams, __LINE__);
    EXPECT_EQ(insert, "Insert Variable");
    EXPECT_EQ(file, "Select the file");
    EXPECT_EQ(options, "Additional options");
    EXPECT_EQ(color, "Select a color");
    EXPECT_EQ(tips, (std::map<int, std::string>{{kSpeedButton1, "Insert Variable"},
                                                {kSpeedButton1 + 1, "Insert Variable"},
                                                {kFileSelBtn, "Select the file"},
                                                {kAdvFileBtn, "Additional options"}}));
}

TEST_F(EditActionTest, ColourPage) {
    DialogDriver driver;
    std::vector<std::string> params = {"Red", "100", "abc", "html", "[c]"};
    std::string shown;
    bool rgb = true, html = false;
    driver.Then([&](HWND dialog) {
        shown = ControlText(dialog, kEdit1) + "|" + ControlText(dialog, kEdit1 + 1) + "|" +
                ControlText(dialog, kEdit1 + 2) + "|" + ControlText(dialog, kEdit1 + 3);
        rgb = Checked(dialog, kCheckBox1);
        html = Checked(dialog, kCheckBox1 + 1);
        Click(dialog, kCheckBox1);  // "R,G,B" unchecks "HTML"
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kColorBox, params, __LINE__));
    EXPECT_EQ(shown, "Red|100|abc|[c]");
    EXPECT_FALSE(rgb);
    EXPECT_TRUE(html);
    EXPECT_EQ(params, (std::vector<std::string>{"Red", "100", "abc", "R,G,B", "[c]"}));

    // A form that is neither is kept; the host's colour chooser answers in
    // decimal and the preset becomes the colour's name.
    host_->SetAnswer(10, "255");
    params = {"1,2,3", "", "", "Neo", "[c]"};
    driver.Then([](HWND dialog) {
        Click(dialog, kColorButton);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kColorBox, params, __LINE__));
    EXPECT_EQ(params[0], "Red");
    EXPECT_EQ(params[3], "Neo");
    const auto calls = host_->CallsOf("InterfaceAccess");
    EXPECT_NE(std::find(calls.begin(), calls.end(), "10|197121"), calls.end());  // 1,2,3

    // A non-integer answer changes nothing.
    host_->SetAnswer(10, "Blue");
    params = {"Lime", "", "", "", "[c]"};
    driver.Then([](HWND dialog) {
        Click(dialog, kColorButton);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kColorBox, params, __LINE__));
    EXPECT_EQ(params[0], "Lime");
}

TEST_F(EditActionTest, FontPageDefaultsAndTheNestedFontDialog) {
    DialogDriver driver;
    std::vector<std::string> params(7);
    std::string sample;
    driver.Then([&](HWND dialog) {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(
                       SendMessageA(GetDlgItem(dialog, kFontSample), WM_GETFONT, 0, 0)),
                   sizeof(font), &font);
        sample = font.lfFaceName;
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kFontBox, params, __LINE__));
    EXPECT_EQ(sample, "Arial");
    EXPECT_EQ(params, (std::vector<std::string>{"Black", "Arial", "9", "Normal", "DEFAULT_CHARSET",
                                                "", ""}));

    // The Font button opens the font dialog over the page; its choice is
    // what OK writes.
    const std::string face = TestFace();
    params = {"Blue", face, "12", "bold", "", "10", "20"};
    std::string presetSize;
    driver
        .Then([](HWND dialog) {
            Click(dialog, kFontButton);
            PressOK(dialog);
        })
        .Then([&](HWND fontDialog) {
            presetSize = ControlText(fontDialog, 0x472);
            PressOK(fontDialog);
        });
    EXPECT_TRUE(Edit(driver, kFontBox, params, __LINE__));
    EXPECT_GE(driver.opened().size(), 3u);
    EXPECT_EQ(params[0], "Blue");
    EXPECT_EQ(params[1], face);
    EXPECT_EQ(params[2], presetSize);
    EXPECT_EQ(params[3], "Bold");
    EXPECT_FALSE(params[4].empty());
    EXPECT_EQ(params[5], "10");
    EXPECT_EQ(params[6], "20");
}

TEST_F(EditActionTest, ColourButtonWithoutTheInterfaceDoesNothing) {
    host_ = std::make_unique<kvhost::TestHost>();
    std::string error;
    ASSERT_TRUE(host_->Load(PluginPath(), error)) << error;
    kvhost::StartOptions options;
    options.registerInterfaceAccess = false;
    Start("", options);
    DialogDriver driver;
    std::vector<std::string> params = {"Lime", "", "", "", "[c]"};
    driver.Then([](HWND dialog) {
        Click(dialog, kColorButton);
        Click(dialog, kSpeedButton1);
        PressOK(dialog);
    });
    EXPECT_TRUE(Edit(driver, kColorBox, params, __LINE__));
    EXPECT_EQ(params[0], "Lime");
    EXPECT_TRUE(host_->CallsOf("InterfaceAccess").empty());
}

}  // namespace
}  // namespace kvtest
