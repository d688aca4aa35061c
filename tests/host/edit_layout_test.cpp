// Every dialog at the screen's DPI and in the system's language: nothing
// clipped, overlapping or outside the client area, a screenshot for a
// person to look at, and no GDI object or window left behind after many
// openings. Run at 96 DPI with the other tests, and by dpi_layout.sh at
// 144 DPI and on a Russian system.
#include <windows.h>

#include "dialog_driver.h"
#include "edit_box_form.h"
#include "gdi_count.h"
#include "host_fixture.h"
#include "png_file.h"

namespace kvtest {
namespace {

using namespace kvhost;

// The pages and how many parameters each takes.
constexpr std::pair<int32_t, size_t> kPages[] = {
    {1, 1},  {2, 3},  {3, 2},  {5, 2},  {6, 1},  {7, 1},  {8, 1},  {9, 1},  {10, 1},
    {12, 5}, {13, 7}, {14, 4}, {15, 5}, {17, 1}, {18, 3}, {19, 2}, {20, 3}, {21, 2},
    {22, 2}, {24, 2}, {25, 3}, {26, 1}, {27, 1}, {29, 1}, {30, 1}, {31, 2}, {34, 2},
    {35, 3}, {36, 1}, {37, 1}, {38, 2}, {39, 5}, {40, 3}, {42, 1}, {43, 2}, {44, 3},
    {45, 2}, {46, 6}, {47, 3}, {48, 3}, {49, 1}, {50, 3}, {51, 2}, {52, 3}, {53, 4},
    {54, 6}, {55, 4}, {56, 2}, {57, 5}, {23, 7}, {28, 6}, {32, 4}, {33, 7}};

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<size_t*>(count);
    return TRUE;
}
BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<size_t*>(count);
    EnumChildWindows(window, &CountChild, count);
    return TRUE;
}
size_t ThreadWindows() {
    size_t count = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Control {
    HWND window;
    int id;
    RECT rect;  // in the dialog's client coordinates
};

std::vector<Control> VisibleControls(HWND dialog) {
    std::vector<Control> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        Control c{child, GetDlgCtrlID(child), {}};
        GetWindowRect(child, &c.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&c.rect), 2);
        controls.push_back(c);
    }
    return controls;
}

// The room a control's caption needs, or 0 when it draws no caption.
int CaptionWidthNeeded(HWND control) {
    const std::string kind = WindowClass(control);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    int extra = 0;
    if (kind == "Button") {
        const DWORD type = style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW || type == BS_GROUPBOX) return 0;
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON ||
            type == BS_RADIOBUTTON)
            extra = GetSystemMetrics(SM_CXMENUCHECK) + 3;
        else
            extra = 6;
    } else if (kind == "Static") {
        if ((style & SS_TYPEMASK) == SS_OWNERDRAW) return 0;
    } else {
        return 0;
    }
    const std::string text = ControlText(GetParent(control), GetDlgCtrlID(control));
    if (text.empty()) return 0;
    HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx + extra;
}

std::string ScreenshotFolder() {
    const std::string language = GetACP() == 1251 ? "ru" : "en";
    std::string folder = KV_SCREENSHOTS;
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + std::to_string(ScreenDpi()) + "dpi-" + language;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

class EditLayoutTest : public HostTest {
protected:
    void SetUp() override {
        // Seen at the screen's real DPI, not one scaled to 96 by the system.
        SetProcessDPIAware();
        HostTest::SetUp();
        Start(":SubA\nReturn\n:SubB\nReturn\n");
    }

    void CheckLayout(HWND dialog, const std::string& name) {
        RECT client{};
        GetClientRect(dialog, &client);
        const std::vector<Control> controls = VisibleControls(dialog);
        EXPECT_GT(controls.size(), name == "AboutBox" ? 3u : 5u) << name;
        for (const Control& c : controls) {
            EXPECT_TRUE(c.rect.left >= 0 && c.rect.top >= 0 && c.rect.right <= client.right &&
                        c.rect.bottom <= client.bottom)
                << name << ": control " << c.id << " leaves the client area";
            const int needed = c.id == kv::editor::kHintLabel ? 0 : CaptionWidthNeeded(c.window);
            EXPECT_LE(needed, c.rect.right - c.rect.left)
                << name << ": the caption of control " << c.id << " is clipped";
            if (c.id == kv::editor::kHintLabel) {
                // The description wraps: it must fit its box in height.
                HDC dc = GetDC(c.window);
                const HGDIOBJ old = SelectObject(
                    dc, reinterpret_cast<HGDIOBJ>(SendMessageA(c.window, WM_GETFONT, 0, 0)));
                RECT need{0, 0, c.rect.right - c.rect.left, 0};
                const std::string text = ControlText(dialog, c.id);
                DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK);
                SelectObject(dc, old);
                ReleaseDC(c.window, dc);
                EXPECT_LE(need.bottom, c.rect.bottom - c.rect.top) << name << ": description";
            }
        }
        for (size_t i = 0; i < controls.size(); ++i) {
            for (size_t j = i + 1; j < controls.size(); ++j) {
                RECT overlap{};
                EXPECT_FALSE(IntersectRect(&overlap, &controls[i].rect, &controls[j].rect))
                    << name << ": controls " << controls[i].id << " and " << controls[j].id
                    << " overlap";
            }
        }
    }
};

TEST_F(EditLayoutTest, EveryPageFitsItsCaptionsAndIsPhotographed) {
    // dpi_layout.sh sets the DPI in the registry; the screen must show it.
    DWORD asked = 0, size = sizeof(asked);
    if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", RRF_RT_REG_DWORD,
                     nullptr, &asked, &size) == ERROR_SUCCESS) {
        ASSERT_EQ(ScreenDpi(), static_cast<int>(asked)) << "the system did not take the DPI asked";
    }
    std::printf("screen: %d DPI, code page %u\n", ScreenDpi(), GetACP());
    const std::string folder = ScreenshotFolder();
    DialogDriver driver;
    for (const auto& [action, count] : kPages) {
        const std::string name = host_->registrations().empty() ? std::to_string(action) : [&] {
            for (const auto& r : host_->registrations())
                if (r.id == action) return r.name;
            return std::to_string(action);
        }();
        bool photographed = false;
        driver.Then([&](HWND dialog) {
            CheckLayout(dialog, name);
            photographed = SaveWindowPng(dialog, folder + "\\" + name + ".png");
            PressCancel(dialog);
        });
        std::vector<std::string> params(count);
        EXPECT_FALSE(host_->EditAction(action, params));
        EXPECT_TRUE(photographed) << name;
    }
    // The common dialogs of the actions, for the record.
    for (const auto& [action, file] : {std::pair{12, "ColorDialog"}, std::pair{13, "FontDialog"}}) {
        driver.Then([&, file = std::string(file)](HWND dialog) {
            SaveWindowPng(dialog, folder + "\\" + file + ".png");
            PressCancel(dialog);
        });
        host_->ExecAction(
            action, action == 12 ? std::vector<std::string>{"1,2,3", "", "", "", "[c]"}
                                 : std::vector<std::string>{"", "Arial", "10", "", "", "", ""});
    }
    // The about box.
    bool aboutPhotographed = false;
    driver.Then([&](HWND dialog) {
        CheckLayout(dialog, "AboutBox");
        aboutPhotographed = SaveWindowPng(dialog, folder + "\\AboutBox.png");
        Click(dialog, IDOK);
    });
    host_->About();
    EXPECT_TRUE(aboutPhotographed);
    EXPECT_FALSE(driver.timedOut());
    std::printf("screenshots in %s\n", folder.c_str());
}

// One dialog of each kind, opened a hundred times and more: a common
// dialog, or a properties page with one make of control (rows, lists,
// pairs, boxes, the memo and icon preview, the colour swatch, the extra
// rows, the couplings). Each kind is its own test, so they spread over the
// cores.
struct DialogKind {
    int32_t action;
    size_t count;  // parameters
    bool common;   // the colour or font dialog, opened by running the action
};
// How CTest's test names show the parameter.
void PrintTo(const DialogKind& kind, std::ostream* out) {
    *out << (kind.common ? "action " : "page ") << kind.action;
}

class EditLayoutLeakTest : public EditLayoutTest, public testing::WithParamInterface<DialogKind> {
protected:
    void Open(DialogDriver& driver) {
        const DialogKind& kind = GetParam();
        driver.Then([](HWND dialog) { PressCancel(dialog); });
        if (!kind.common) {
            std::vector<std::string> params(kind.count);
            host_->EditAction(kind.action, params);
        } else if (kind.action == 12) {
            host_->ExecAction(kind.action, {"1,2,3", "", "", "", "[c]"});
        } else {
            host_->ExecAction(kind.action, {"", "Arial", "10", "", "", "", ""});
        }
    }
};

TEST_P(EditLayoutLeakTest, HundredOpeningsLeaveNoGdiObjectOrWindow) {
    DialogDriver driver(10000, 10);
    FillWindowDcCache();  // once full, it stays full
    // What the first openings make lazily stays: made before the count.
    for (int i = 0; i < 5; ++i) Open(driver);
    // Wine still makes an object or two lazily now and then while other
    // programs run; what leaks keeps growing. So the last fifty openings
    // are counted: a leak of one object in ten openings shows.
    const auto open = [&] { Open(driver); };
    const size_t before = LowestGdiObjectsOver(50, open);
    const size_t windows = ThreadWindows();
    const size_t after = LowestGdiObjectsOver(50, open);
    constexpr size_t kWineSlack = 3;
    EXPECT_LE(after, before + kWineSlack);
    EXPECT_LE(ThreadWindows(), windows + kWineSlack);
    EXPECT_FALSE(driver.timedOut());
    EXPECT_GE(driver.opened().size(), 105u);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, EditLayoutLeakTest,
    testing::Values(DialogKind{12, 5, true}, DialogKind{13, 7, true}, DialogKind{1, 1, false},
                    DialogKind{15, 5, false}, DialogKind{18, 3, false}, DialogKind{22, 2, false},
                    DialogKind{40, 3, false}, DialogKind{42, 1, false}, DialogKind{46, 6, false},
                    DialogKind{52, 3, false}, DialogKind{54, 6, false}, DialogKind{57, 5, false},
                    DialogKind{23, 7, false}, DialogKind{32, 4, false}),
    [](const testing::TestParamInfo<DialogKind>& param) {
        const DialogKind& kind = param.param;
        if (kind.common) return std::string(kind.action == 12 ? "ColorDialog" : "FontDialog");
        return "Page" + std::to_string(kind.action);
    });

}  // namespace
}  // namespace kvtest
