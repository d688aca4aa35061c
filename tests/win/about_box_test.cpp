// The about box: its texts and owner, the fade on OK and on the close box
// (sampled at every step the fade lets messages through), the link to
// the maker's page through the shell, and no handle left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about_box.h"
#include "dialog_driver.h"
#include "edit_box_form.h"
#include "gdi_count.h"

namespace kv::editor {
namespace {

using kvhost::ControlText;
using kvhost::DialogDriver;
using kvhost::GdiObjects;

// Samples the dialog's alpha each time the queue is worked: the message
// posts itself again, so every pump of the fade takes one sample.
constexpr UINT kSample = WM_APP + 7;
HWND g_sampled = nullptr;
std::vector<int> g_alphas;
LRESULT CALLBACK SamplerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kSample) return DefWindowProcA(window, message, wParam, lParam);
    if (IsWindow(g_sampled) && (GetWindowLongPtrA(g_sampled, GWL_EXSTYLE) & WS_EX_LAYERED)) {
        BYTE alpha = 0;
        DWORD flags = 0;
        if (GetLayeredWindowAttributes(g_sampled, nullptr, &alpha, &flags) && (flags & LWA_ALPHA))
            g_alphas.push_back(alpha);
    }
    if (IsWindow(g_sampled)) PostMessageA(window, kSample, 0, 0);
    return 0;
}

HWND MakeSampler() {
    WNDCLASSA kind{};
    kind.lpfnWndProc = &SamplerProc;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = "KelvaneAlphaSampler";
    RegisterClassA(&kind);
    return CreateWindowA("KelvaneAlphaSampler", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         kind.hInstance, nullptr);
}

struct ShellCall {
    HWND owner;
    std::string verb, file;
    bool noParameters, noFolder;
    INT show;
};
std::vector<ShellCall> g_shellCalls;
HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                             INT show) {
    g_shellCalls.push_back({owner, verb ? verb : "", file ? file : "", parameters == nullptr,
                            folder == nullptr, show});
    return reinterpret_cast<HINSTANCE>(42);
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<size_t*>(count);
    return TRUE;
}
size_t ThreadWindows() {
    size_t count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(AboutBoxTest, TextsOwnerAndTheFadeOnOkAndOnTheCloseBox) {
    const HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                     200, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(owner);
    SetActiveWindow(owner);
    const HWND sampler = MakeSampler();
    for (int close = 0; close < 2; ++close) {
        DialogDriver driver;
        std::string caption, title, author, ok;
        HWND shownOwner = nullptr;
        driver.Then([&, close](HWND dialog) {
            char text[128] = {};
            GetWindowTextA(dialog, text, sizeof(text));
            caption = text;
            title = ControlText(dialog, kAboutTitle);
            author = ControlText(dialog, kAboutAuthor);
            ok = ControlText(dialog, IDOK);
            shownOwner = GetWindow(dialog, GW_OWNER);
            g_sampled = dialog;
            g_alphas.clear();
            PostMessageA(sampler, kSample, 0, 0);
            if (close == 0) {
                kvhost::Click(dialog, IDOK);
            } else {
                PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        });
        // Owned by the window active at the call (another program may hold
        // the foreground while the tests run in parallel).
        const HWND active = GetActiveWindow();
        ShowAboutBox("The Kelvane developers");
        g_sampled = nullptr;
        EXPECT_FALSE(driver.timedOut());
        EXPECT_EQ(caption, "About plugin ...");
        EXPECT_EQ(title, "Kelvane Plugin v1.0 beta");
        EXPECT_EQ(author.rfind("The Kelvane developers", 0), 0u) << author;
        EXPECT_EQ(ok, "OK");
        EXPECT_EQ(shownOwner, active);
        // The alpha only falls, step by step, down to 0.
        ASSERT_GE(g_alphas.size(), 100u) << (close ? "close box" : "OK");
        for (size_t i = 1; i < g_alphas.size(); ++i) EXPECT_LE(g_alphas[i], g_alphas[i - 1]);
        EXPECT_EQ(g_alphas.back(), 0);
        EXPECT_GE(g_alphas.front(), 250);
    }
    DestroyWindow(sampler);
    DestroyWindow(owner);
}

TEST(AboutBoxTest, LinksOpenTheMakersPageThroughTheShell) {
    const ShellExecuteProc saved = ShellExecuteFunction();
    ShellExecuteFunction() = &RecordShell;
    g_shellCalls.clear();
    DialogDriver driver;
    driver.Then([](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kAboutTitle, STN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, kAboutTitle)));
        kvhost::Click(dialog, IDOK);
    });
    ShowAboutBox("a");
    // The properties dialogs' version label is the same link.
    driver.Then([](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kVersionLabel, STN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, kVersionLabel)));
        kvhost::PressCancel(dialog);
    });
    EXPECT_FALSE(EditActionTexts(26, {"1"}));
    ShellExecuteFunction() = saved;
    ASSERT_EQ(g_shellCalls.size(), 2u);
    for (const ShellCall& call : g_shellCalls) {
        EXPECT_EQ(call.owner, nullptr);
        EXPECT_EQ(call.verb, "open");
        EXPECT_EQ(call.file, "https://kelvane.org/");  // scheme, host and separators kept
        EXPECT_TRUE(call.noParameters);
        EXPECT_TRUE(call.noFolder);
        EXPECT_EQ(call.show, SW_SHOWNORMAL);
    }
    EXPECT_FALSE(driver.timedOut());
}

TEST(AboutBoxTest, TwoHundredOpeningsLeaveNoGdiObjectOrWindow) {
    DialogDriver driver(10000, 5);
    auto cycle = [&] {
        driver.Then([](HWND dialog) { kvhost::Click(dialog, IDOK); });
        ShowAboutBox("The Kelvane developers");
    };
    // What Wine makes lazily for the first boxes is made before the count.
    for (int i = 0; i < 20; ++i) cycle();
    kvhost::FillWindowDcCache();
    const size_t gdi = kvhost::LowestGdiObjectsOver(20, cycle);
    const size_t windows = ThreadWindows();
    std::string trail;
    size_t last = gdi;
    for (int i = 0; i < 9; ++i) {
        last = kvhost::LowestGdiObjectsOver(20, cycle);
        trail += " " + std::to_string(last);
    }
    EXPECT_LE(last, gdi + 3) << "from " << gdi << ":" << trail;
    EXPECT_LE(ThreadWindows(), windows + 3);
    EXPECT_FALSE(driver.timedOut());
    EXPECT_GE(driver.opened().size(), 220u);
}

}  // namespace
}  // namespace kv::editor
