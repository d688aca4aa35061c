// The two pages that do not fit the rows: the colour dialog's (a preset
// colour with its swatch, the position, the result form and variable) and
// the font dialog's (a colour and a font sample, each with its chooser).
#include <algorithm>

#include "color_text.h"
#include "common_dialogs.h"
#include "edit_box_form.h"
#include "editor_text.h"
#include "host_bridge.h"
#include "param_text.h"

namespace kv::editor {
namespace {

constexpr ColorValue kSilver = MakeRgb(192, 192, 192);
constexpr int kEditHeight = 21;

}  // namespace

void TEditBoxForm::SetSwatch(int32_t color) {
    swatchColor_ = color;
    pageText1_ = FormatSigned(color);
    if (const HWND swatch = Item(kColorSwatch)) ::InvalidateRect(swatch, nullptr, TRUE);
}

// The position fields beside the preset: a label, an edit that starts
// where the longer label ends, and the Insert Variable button.
void TEditBoxForm::SetupColorPage() {
    colorPageMode_ = true;
    footerTop_ = 155;
    constexpr DWORD labelStyle = WS_VISIBLE | SS_NOPREFIX;
    FitCaption(AddControl("STATIC", "Preset:", labelStyle, kLabel1, {15, 12, 80, 16}));
    FitCaption(
        AddControl("STATIC", "Position on the screen:", labelStyle, kLabel5, {187, 12, 140, 16}));
    AddControl("EDIT", Param(1), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kEdit1,
               {15, 35, 82, kEditHeight}, WS_EX_CLIENTEDGE);
    AddControl("STATIC", "", WS_VISIBLE | SS_OWNERDRAW, kColorSwatch, {100, 35, 23, kEditHeight});
    AddGlyphButton(kColorButton, "Select a color", "...", {125, 34, 23, 23});
    AddGlyphButton(kSpeedButton1, "Insert Variable", "[x]", {150, 34, 23, 23});

    const HWND left =
        AddControl("STATIC", "On The Left:", labelStyle, kLabel1 + 2, {187, 38, 45, 16});
    const HWND top = AddControl("STATIC", "Top:", labelStyle, kLabel1 + 3, {187, 69, 45, 16});
    FitCaption(left);
    FitCaption(top);
    // The edits start after the wider label.
    const int editLeft = LeftAfterLabels(left, top, 187, 232);
    const int editWidth = std::max(30, 292 - editLeft);
    AddControl("EDIT", Param(2), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kEdit1 + 1,
               {editLeft, 35, editWidth, kEditHeight}, WS_EX_CLIENTEDGE);
    AddGlyphButton(kSpeedButton1 + 1, "Insert Variable", "[x]", {295, 34, 23, 23});
    const int checkExtra = ::GetSystemMetrics(SM_CXMENUCHECK) + Scale(6);
    const HWND rgb = AddControl("BUTTON", "R,G,B", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                kCheckBox1, {20, 67, 50, 20});
    FitCaption(rgb, checkExtra);
    RECT rgbRect{};
    ::GetWindowRect(rgb, &rgbRect);
    const int htmlLeft =
        std::max(80, 20 + ::MulDiv(rgbRect.right - rgbRect.left, 96, Scale(96)) + 6);
    FitCaption(AddControl("BUTTON", "HTML", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                          kCheckBox1 + 1, {htmlLeft, 67, 50, 20}),
               checkExtra);
    AddControl("EDIT", Param(3), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kEdit1 + 2,
               {editLeft, 65, editWidth, kEditHeight}, WS_EX_CLIENTEDGE);
    AddGlyphButton(kSpeedButton1 + 2, "Insert Variable", "[x]", {295, 64, 23, 23});
    FitCaption(AddControl("STATIC", "Store the result in a variable:", labelStyle, kLabel1 + 1,
                          {15, 103, 200, 16}));
    AddControl("EDIT", Param(5), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kEdit1 + 3,
               {15, 125, 275, kEditHeight}, WS_EX_CLIENTEDGE);
    AddGlyphButton(kSpeedButton1 + 3, "Insert Variable", "[x]", {295, 124, 23, 23});
    for (int id = kEdit1; id < kEdit1 + 4; ++id)
        ::SendMessageA(Item(id), EM_SETLIMITTEXT, 0x7FFFFFFE, 0);

    SetSwatch(ParseColorTextOrDefault(Param(1), kSilver));
    const std::string& form = Param(4);
    if (EqualsNoCase(form, "R,G,B")) {
        ::SendMessageA(Item(kCheckBox1), BM_SETCHECK, BST_CHECKED, 0);
    } else if (EqualsNoCase(form, "HTML")) {
        ::SendMessageA(Item(kCheckBox1 + 1), BM_SETCHECK, BST_CHECKED, 0);
    } else {
        pageText2_ = form;
    }
}

void TEditBoxForm::WriteColorPage() {
    SetResult(1, TextOf(Item(kEdit1)));
    SetResult(2, TextOf(Item(kEdit1 + 1)));
    SetResult(3, TextOf(Item(kEdit1 + 2)));
    SetResult(5, TextOf(Item(kEdit1 + 3)));
    if (::SendMessageA(Item(kCheckBox1), BM_GETCHECK, 0, 0) == BST_CHECKED) {
        SetResult(4, "R,G,B");
    } else if (::SendMessageA(Item(kCheckBox1 + 1), BM_GETCHECK, 0, 0) == BST_CHECKED) {
        SetResult(4, "HTML");
    } else {
        SetResult(4, pageText2_);
    }
}

void TEditBoxForm::SetupFontPage() {
    colorPageMode_ = true;
    footerTop_ = 125;
    constexpr DWORD labelStyle = WS_VISIBLE | SS_NOPREFIX;
    FitCaption(AddControl("STATIC", "Preset:", labelStyle, kLabel1, {15, 12, 80, 16}));
    // The colour text lives in a hidden edit, as the colour page's does.
    AddControl("EDIT", "", ES_AUTOHSCROLL, kEdit1, {15, 35, 82, kEditHeight});
    AddControl("STATIC", "", WS_VISIBLE | SS_OWNERDRAW, kColorSwatch, {15, 35, 75, 23});
    AddControl("BUTTON", "Color", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kColorButton,
               {95, 35, 70, 23});
    AddControl("STATIC", "Abc", WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | WS_BORDER,
               kFontSample, {15, 63, 75, 55});
    AddControl("BUTTON", "Font", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kFontButton,
               {95, 63, 70, 23});

    FitCaption(
        AddControl("STATIC", "Position on the screen:", labelStyle, kLabel5, {190, 12, 140, 16}));
    const HWND left =
        AddControl("STATIC", "On The Left:", labelStyle, kLabel1 + 2, {190, 38, 45, 16});
    const HWND top = AddControl("STATIC", "Top:", labelStyle, kLabel1 + 3, {190, 72, 45, 16});
    FitCaption(left);
    FitCaption(top);
    // The edits start after the wider label.
    const int editLeft = LeftAfterLabels(left, top, 190, 235);
    const int editWidth = std::max(30, 295 - editLeft);
    AddControl("EDIT", Param(6), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kEdit1 + 1,
               {editLeft, 35, editWidth, kEditHeight}, WS_EX_CLIENTEDGE);
    AddGlyphButton(kSpeedButton1 + 1, "Insert Variable", "[x]", {298, 34, 23, 23});
    AddControl("EDIT", Param(7), WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, kEdit1 + 2,
               {editLeft, 68, editWidth, kEditHeight}, WS_EX_CLIENTEDGE);
    AddGlyphButton(kSpeedButton1 + 2, "Insert Variable", "[x]", {298, 67, 23, 23});

    auto orDefault = [&](int number, const char* fallback) {
        return Param(number).empty() ? std::string(fallback) : Param(number);
    };
    pageFontColor_ = orDefault(1, "Black");
    pageFontName_ = orDefault(2, "Arial");
    pageFontSize_ = orDefault(3, "9");
    pageFontStyle_ = orDefault(4, "Normal");
    pageFontCharset_ = orDefault(5, "DEFAULT_CHARSET");
    // Through the hidden edit, which updates the swatch.
    const std::string color = pageFontColor_;
    ::SendMessageA(Item(kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(color.c_str()));
    SetSwatch(ParseColorTextOrDefault(color, kSilver));
    pageFontColor_ = color;
    UpdateFontSample();
}

void TEditBoxForm::UpdateFontSample() {
    sampleName_ = pageFontName_;
    int32_t size = 0;
    if (ParseIntParam(pageFontSize_, size)) sampleSize_ = size;
    sampleStyle_ = TextToFontStyle(pageFontStyle_);
    sampleCharset_ = DEFAULT_CHARSET;
    for (size_t i = 0; i < kCharsetNameCount; ++i)
        if (EqualsNoCase(CharsetNames()[i].name, pageFontCharset_))
            sampleCharset_ = CharsetNames()[i].value;

    LOGFONTA font{};
    const size_t length = std::min(sampleName_.size(), sizeof(font.lfFaceName) - 1);
    std::copy_n(sampleName_.data(), length, font.lfFaceName);
    font.lfHeight = -::MulDiv(sampleSize_, Scale(96), 72);
    font.lfWeight = sampleStyle_.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = sampleStyle_.italic;
    font.lfUnderline = sampleStyle_.underline;
    font.lfStrikeOut = sampleStyle_.strikeout;
    font.lfCharSet = sampleCharset_;
    win::UniqueGdiObject made(::CreateFontIndirectA(&font));
    if (!made) return;
    ::SendMessageA(Item(kFontSample), WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
    sampleFont_ = std::move(made);  // the old font is released once the label lets go of it
}

void TEditBoxForm::WriteFontPage() {
    SetResult(1, TextOf(Item(kEdit1)));
    SetResult(2, sampleName_);
    SetResult(3, FormatSigned(sampleSize_));
    SetResult(4, FontStyleToText(sampleStyle_));
    SetResult(5, CharsetNameOf(sampleCharset_));
    SetResult(6, TextOf(Item(kEdit1 + 1)));
    SetResult(7, TextOf(Item(kEdit1 + 2)));
}

void TEditBoxForm::ChooseColor() {
    // The host's own colour chooser; only an integer answer is a colour.
    const std::optional<InterfaceAnswer> answer = AskHost(10, pageText1_);
    if (!answer) return;
    int32_t color = 0;
    if (!ParseIntParam(answer->text, color)) return;
    const std::string text = FormatColorNeo(color);
    if (colorPageMode_) {
        ::SendMessageA(Item(kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else {
        SetSwatch(color);
    }
    if (maskPageMode_)
        ::SendMessageA(Item(kEdit1 + 2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TEditBoxForm::ChooseFont() {
    const FontTexts preset{pageFontColor_, pageFontName_, pageFontSize_, pageFontStyle_,
                           pageFontCharset_};
    const std::optional<FontTexts> chosen = ShowFontDialog(preset, "", "", handle());
    if (!chosen) return;
    pageFontColor_ = chosen->color;
    pageFontName_ = chosen->name;
    pageFontSize_ = chosen->size;
    pageFontStyle_ = chosen->style;
    pageFontCharset_ = chosen->charset;
    const std::string color = pageFontColor_;
    ::SendMessageA(Item(kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(color.c_str()));
    UpdateFontSample();
}

}  // namespace kv::editor
