// The Help buttons of every dialog kind: what reaches HtmlHelpA (owner,
// file, command, topic) when the author presses Help.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "edit_box_form.h"
#include "page_help.h"

namespace kv::editor {
namespace {

using kvhost::Click;
using kvhost::DialogDriver;
using kvhost::PressCancel;

// What the Help buttons hand HtmlHelpA.
struct HelpCall {
    HWND owner;
    std::string file;
    UINT command;
    DWORD_PTR data;
};
std::vector<HelpCall> g_helpCalls;
HWND WINAPI RecordHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
    g_helpCalls.push_back({owner, file ? file : "", command, data});
    return nullptr;
}

TEST(PageHelpTest, HelpButtonsOpenTheirTopics) {
    struct Case {
        int32_t action;
        size_t params;
        UINT command;
        DWORD_PTR number;
        const char* topic;
    };
    const Case cases[] = {
        {1, 1, 0x0F, 4, nullptr},
        {15, 5, 0x0F, 21, nullptr},
        {23, 7, 0x0F, 30, nullptr},
        {28, 6, 0x0F, 36, nullptr},
        {32, 4, 0x0F, 40, nullptr},
        {33, 7, 0x0F, 42, nullptr},
        {55, 4, 0x0F, 52, nullptr},
        {54, 6, 0x0F, 70, nullptr},
        {12, 5, 0x0F, 18, nullptr},
        {56, 2, 0x00, 0, "::/qvGetFolderPath.htm"},
        {57, 5, 0x00, 0, "::/qvFolderOperation.htm"},
    };
    HtmlHelpProc saved = HtmlHelpFunction();
    HtmlHelpFunction() = &RecordHelp;
    DialogDriver driver;
    for (const Case& c : cases) {
        g_helpCalls.clear();
        HWND shown = nullptr;
        driver.Then([&](HWND d) {
            shown = d;
            Click(d, IDHELP);
            PressCancel(d);
        });
        EXPECT_FALSE(EditActionTexts(c.action, std::vector<std::string>(c.params)));
        ASSERT_EQ(g_helpCalls.size(), 1u) << c.action;
        const HelpCall& call = g_helpCalls.front();
        EXPECT_EQ(call.owner, shown) << c.action;
        EXPECT_EQ(call.command, c.command) << c.action;
        EXPECT_EQ(call.data, c.number) << c.action;
        // The file beside the plug-in when it is there, else its bare name.
        const std::string expectedFile = HelpFilePath() + (c.topic ? c.topic : "");
        EXPECT_EQ(call.file, expectedFile) << c.action;
        EXPECT_NE(call.file.find("Kelvane.chm"), std::string::npos);
    }
    HtmlHelpFunction() = saved;
}

TEST(PageHelpTest, HelpFileIsFoundBesideTheModule) {
    // Beside this program when it is there, else the bare name.
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string beside(path);
    beside = beside.substr(0, beside.find_last_of("\\/") + 1) + "Kelvane.chm";
    const bool present = GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(HelpFilePath(), present ? beside : std::string("Kelvane.chm"));
}

// The real viewer: a number the file maps opens a window, one it does not
// map opens nothing.
TEST(PageHelpTest, TheViewerKnowsTheNumbersOfTheBuiltFile) {
    const std::string file = HelpFilePath();
    ASSERT_NE(file, "Kelvane.chm") << "the build puts Kelvane.chm beside the programs";
    const HtmlHelpProc help = HtmlHelpFunction();
    const HWND known = help(nullptr, file.c_str(), 0x000F, 29);
    EXPECT_NE(known, nullptr);
    if (known != nullptr) DestroyWindow(known);
    EXPECT_EQ(help(nullptr, file.c_str(), 0x000F, 9999), nullptr);
    help(nullptr, nullptr, 0x0012, 0);  // HH_CLOSE_ALL
}

}  // namespace
}  // namespace kv::editor
