// The colour and font dialogs, worked through the real common dialogs:
// the driver types into them and presses OK or Cancel from inside their
// modal loops, then the variables are read back.
#include <windows.h>

#include "dialog_driver.h"
#include "host_fixture.h"

namespace kvtest {
namespace {

using namespace kvhost;

constexpr int32_t kColorBox = 12;
constexpr int32_t kFontBox = 13;
// The colour dialog's R, G and B edits; the font dialog's face, style and
// size combo boxes.
constexpr int kRedEdit = 706, kGreenEdit = 707, kBlueEdit = 708;
constexpr int kFaceCombo = 0x470, kSizeCombo = 0x472;

class DialogActionsTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start();
        face_ = TestFace();
    }
    std::string face_;

    // Runs qvColorBox into "[c]" (which starts as "old") with the driver.
    std::string ColorBox(DialogDriver& driver, const std::string& color, const std::string& form,
                         const std::string& left = "", const std::string& top = "") {
        host_->Vars().Set("[c]", "old");
        EXPECT_TRUE(host_->ExecAction(kColorBox, {color, left, top, form, "[c]"}));
        ExpectCleanCall(__LINE__);
        EXPECT_FALSE(driver.timedOut());
        EXPECT_EQ(driver.pendingSteps(), 0u);
        return host_->Vars().Get("[c]");
    }

    std::vector<std::string> FontBox(DialogDriver& driver, std::vector<std::string> params) {
        for (const char* name :
             {"[qvFontColor]", "[qvFontName]", "[qvFontSize]", "[qvFontStyle]", "[qvFontCharset]"})
            host_->Vars().Set(name, "old");
        EXPECT_TRUE(host_->ExecAction(kFontBox, params));
        ExpectCleanCall(__LINE__);
        EXPECT_FALSE(driver.timedOut());
        EXPECT_EQ(driver.pendingSteps(), 0u);
        return {host_->Vars().Get("[qvFontColor]"), host_->Vars().Get("[qvFontName]"),
                host_->Vars().Get("[qvFontSize]"), host_->Vars().Get("[qvFontStyle]"),
                host_->Vars().Get("[qvFontCharset]")};
    }

    static DialogDriver::Step ChooseRgb(const char* r, const char* g, const char* b) {
        return [=](HWND dialog) {
            TypeText(dialog, kRedEdit, r);
            TypeText(dialog, kGreenEdit, g);
            TypeText(dialog, kBlueEdit, b);
            PressOK(dialog);
        };
    }
};

TEST_F(DialogActionsTest, ColorBoxStoresTheChosenColourInTheAskedForm) {
    DialogDriver driver;
    driver.Then(ChooseRgb("255", "0", "0"));
    EXPECT_EQ(ColorBox(driver, "Black", "HTML"), "#FF0000");
    driver.Then(ChooseRgb("255", "0", "0"));
    EXPECT_EQ(ColorBox(driver, "Black", ""), "Red");
    driver.Then(ChooseRgb("255", "0", "0"));
    EXPECT_EQ(ColorBox(driver, "Black", "r,g,b"), "255,0,0");
    driver.Then(ChooseRgb("1", "2", "3"));
    EXPECT_EQ(ColorBox(driver, "Black", "Neo"), "1,2,3");
    EXPECT_GE(driver.opened().size(), 4u);
}

TEST_F(DialogActionsTest, ColorBoxCancelStoresEmptyAndEmptyVariableShowsNothing) {
    DialogDriver driver;
    driver.Then([](HWND dialog) {
        TypeText(dialog, kRedEdit, "10");
        PressCancel(dialog);
    });
    EXPECT_EQ(ColorBox(driver, "Red", "HTML"), "");
    EXPECT_TRUE(host_->ExecAction(kColorBox, {"Red", "", "", "", ""}));
    // A dialog here would have had no step and been cancelled by the driver.
    EXPECT_FALSE(driver.timedOut());
    EXPECT_TRUE(host_->CallsOf("SetVar").size() == 1u);
}

TEST_F(DialogActionsTest, ColorBoxStartsFromThePresetOrTheLastColour) {
    DialogDriver driver;
    std::string shown;
    auto readThenOk = [&](HWND dialog) {
        shown = ControlText(dialog, kRedEdit) + "," + ControlText(dialog, kGreenEdit) + "," +
                ControlText(dialog, kBlueEdit);
        PressOK(dialog);
    };
    driver.Then(readThenOk);
    EXPECT_EQ(ColorBox(driver, " 255 , 128 , 0 ", "HTML"), "#FF8000");
    EXPECT_EQ(shown, "255,128,0");
    driver.Then(ChooseRgb("9", "8", "7"));
    ColorBox(driver, "Red", "");
    // Unreadable: the last confirmed colour; a cancel keeps it too.
    driver.Then([&](HWND dialog) { readThenOk(dialog); });
    EXPECT_EQ(ColorBox(driver, "no colour", "r,g,b"), "9,8,7");
    EXPECT_EQ(shown, "9,8,7");
    // A system colour opens on the scheme's colour.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    driver.Then(readThenOk);
    ColorBox(driver, "BtnFace", "");
    EXPECT_EQ(shown, std::to_string(GetRValue(face)) + "," + std::to_string(GetGValue(face)) + "," +
                         std::to_string(GetBValue(face)));
}

TEST_F(DialogActionsTest, ColorBoxOpensTheCustomSectionOffTheBasicGrid) {
    DialogDriver driver;
    auto widthOf = [&](const std::string& color) {
        int width = 0;
        driver.Then([&](HWND dialog) {
            RECT rect{};
            GetWindowRect(dialog, &rect);
            width = rect.right - rect.left;
            PressCancel(dialog);
        });
        ColorBox(driver, color, "");
        return width;
    };
    const int basic = widthOf("192,192,192");
    const int custom = widthOf("1,2,3");
    EXPECT_GT(basic, 0);
    EXPECT_GT(custom, basic);
    EXPECT_EQ(widthOf("#40A0FF"), basic);
}

TEST_F(DialogActionsTest, DialogsArePlacedOrCentred) {
    DialogDriver driver;
    RECT rect{};
    auto place = [&](HWND dialog) {
        GetWindowRect(dialog, &rect);
        PressCancel(dialog);
    };
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    driver.Then(place);
    ColorBox(driver, "Red", "", "100", "abc");
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, (screenHeight - (rect.bottom - rect.top)) / 2);
    driver.Then(place);
    ColorBox(driver, "Red", "", "x", "$20");
    EXPECT_EQ(rect.left, (screenWidth - (rect.right - rect.left)) / 2);
    EXPECT_EQ(rect.top, 32);

    driver.Then(place);
    FontBox(driver, {"", face_, "10", "", "", "100", "abc"});
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, (screenHeight - (rect.bottom - rect.top)) / 2);
}

TEST_F(DialogActionsTest, FontBoxFillsTheFiveVariables) {
    DialogDriver driver;
    // Cancel empties all five.
    driver.Then([](HWND dialog) { PressCancel(dialog); });
    EXPECT_EQ(FontBox(driver, {"Red", face_, "12", "", "", "", ""}),
              std::vector<std::string>(5, ""));

    std::string face;
    driver.Then([&](HWND dialog) {
        face = ControlText(dialog, kFaceCombo);
        PressOK(dialog);
    });
    const auto chosen = FontBox(driver, {"Red", face_, "12", " bold ", "", "", ""});
    EXPECT_EQ(face, face_);
    EXPECT_EQ(chosen[0], "Red");
    EXPECT_EQ(chosen[1], face_);
    EXPECT_EQ(chosen[2], "12");
    EXPECT_EQ(chosen[3], "Bold");
    EXPECT_FALSE(chosen[4].empty());

    // An empty name reopens the last confirmed choice, whatever else is given.
    driver.Then([&](HWND dialog) {
        face = ControlText(dialog, kFaceCombo);
        PressOK(dialog);
    });
    EXPECT_EQ(FontBox(driver, {"Blue", "", "30", "", "", "", ""}), chosen);
    EXPECT_EQ(face, face_);
}

TEST_F(DialogActionsTest, FontBoxSizesAndOverlongNames) {
    DialogDriver driver;
    std::string size;
    auto readSize = [&](HWND dialog) {
        size = ControlText(dialog, kSizeCombo);
        PressOK(dialog);
    };
    // "10.5" is no integer: the dialog opens at 11 pixels, as an 8-point
    // font does on a 96-DPI screen.
    driver.Then(readSize);
    const auto half = FontBox(driver, {"", face_, "10.5", "Normal", "", "", ""});
    const std::string halfShown = size;
    EXPECT_EQ(half[2], halfShown);
    EXPECT_EQ(half[3], "Normal");
    EXPECT_EQ(half[0], "Black");  // the last dialog colour at load
    const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value;
    }();
    if (dpi == 96) {
        driver.Then(readSize);
        FontBox(driver, {"", face_, "8", "Normal", "", "", ""});
        EXPECT_EQ(size, halfShown);
    }

    // A face name longer than the font record's field is cut, and the
    // dialog still opens and answers.
    driver.Then([](HWND dialog) { PressCancel(dialog); });
    EXPECT_EQ(FontBox(driver, {"", std::string(300, 'W'), "9", "", "", "", ""}),
              std::vector<std::string>(5, ""));
    EXPECT_GE(driver.opened().size(), 2u);
}

TEST_F(DialogActionsTest, FontBoxTakesTheUsersFace) {
    DialogDriver driver;
    std::string picked;
    driver.Then([&](HWND dialog) {
        const HWND faces = GetDlgItem(dialog, kFaceCombo);
        const auto count = static_cast<int>(SendMessageA(faces, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count && picked.empty(); ++i) {
            char text[LF_FACESIZE + 1] = {};
            if (SendMessageA(faces, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) > LF_FACESIZE)
                continue;
            SendMessageA(faces, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text));
            if (face_ != text) {
                picked = text;
                SendMessageA(faces, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFaceCombo, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(faces));
            }
        }
        PressOK(dialog);
    });
    const auto chosen = FontBox(driver, {"", face_, "9", "", "", "", ""});
    ASSERT_FALSE(picked.empty());
    EXPECT_EQ(chosen[1], picked);
}

}  // namespace
}  // namespace kvtest
