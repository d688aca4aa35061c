// TEditBoxForm: the properties dialog every page is built on. It lays out
// the rows of one page (edit_pages.h), reads the parameter texts into the
// controls, serves the buttons that ask the host for variables, files,
// subroutines and colours, and on OK turns the controls back into texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialog_window.h"
#include "edit_pages.h"
#include "font_text.h"

namespace kv::editor {

// Control identifiers, by the role they play on a page.
enum EditControl : int {
    kEdit1 = 101,   // kEdit1 .. kEdit4: the rows' edits
    kLabel1 = 111,  // kLabel1 .. kLabel4, kLabel5 (spare label)
    kLabel5 = 115,
    kSpeedButton1 = 121,  // kSpeedButton1 .. 4: the rows' Insert Variable buttons
    kComboBox1 = 131,     // kComboBox1 .. 4: a list on row n
    kTrueButton = 141,
    kFalseButton = 142,
    kCheckBox1 = 151,  // kCheckBox1 .. 4
    kFileSelBtn = 161,
    kAdvFileBtn = 162,
    kObButton = 163,
    kObjButton2 = 164,
    kEmbeddedBtn = 165,
    kFolderBtn = 166,
    kColorButton = 171,  // "Select a color"
    kColorSwatch = 172,
    kFontButton = 173,
    kFontSample = 174,
    kMemo1 = 181,
    kIconPreview = 185,
    kActionName = 191,
    kHintLabel = 192,
    kVersionLabel = 193,
};

// What all properties dialogs of the process share.
struct EditorState {
    int objectButtonTarget = 1;  // 1: the object chooser fills Edit1; 2: Edit2
    bool iconPreviewSuspended = false;
    std::string fileSelectRequest;
    std::string fileOptionsRequest;
    bool hostHasFileChooser = false;
    bool hostHasFileOptions = false;
};
EditorState& Editor();

class TEditBoxForm : public DialogWindow {
public:
    // `texts` are the action's parameter texts, as many as it has.
    TEditBoxForm(const PageSpec& page, std::vector<std::string> texts);

    // After OK: the new text of each parameter, or nothing to keep the old.
    const std::vector<std::optional<std::string>>& results() const { return results_; }

protected:
    bool OnCreate() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    struct Field {
        const FieldSpec* spec;
        int control = 0;                 // the edit, list, check box or True button
        std::vector<std::string> items;  // keywords behind the list's entries
        std::string raw;                 // a text the control cannot show, kept as it was
    };

    const std::string& Param(int number) const;
    void SetResult(int number, std::string text);

    // The layout (edit_box_layout.cpp).
    void BuildHeader();
    void LayoutRows(int rows);
    void BuildField(Field& field);
    void BuildFooter(int top);
    void FitForm();

    // The texts into the controls and back (edit_box_texts.cpp).
    void ReadField(Field& field);
    void WriteField(const Field& field);

    // The colour and font pages (color_font_pages.cpp).
    void SetupColorPage();
    void SetupFontPage();
    void WriteColorPage();
    void WriteFontPage();
    void SetSwatch(int32_t color);
    void ChooseColor();
    void ChooseFont();
    void UpdateFontSample();

    void OnCommand(int id, int code, HWND control);
    INT_PTR ColorStatic(HDC dc, HWND control);

    // The couplings between controls (edit_box_couplings.cpp).
    void CoupleReadTexts();
    void PairClicked(int id);
    void ColorTextChanged(int id);
    void SetCheck(int id, bool checked);  // runs the couplings when the state changes
    void CheckBoxClicked(int id);
    void ListChanged(int id);
    void DefineImage();

    // The buttons (edit_box_buttons.cpp).
    void PrepareFileRequests();
    void ChooseRectangle();
    void ChooseEmbedded();
    void ChooseFolder();
    void InsertVariable(int row);
    void ChooseFile(bool withOptions);
    void ChooseObject();
    bool GetSubroutineList(int control);

    const PageSpec& page_;
    std::vector<std::string> texts_;
    std::vector<Field> fields_;
    std::vector<std::optional<std::string>> results_;
    int footerTop_ = 260;

    // The colour and font pages' working texts.
    std::string pageText1_;  // the current colour, in decimal
    std::string pageText2_;  // the kept result form of the colour page
    std::string pageFontColor_, pageFontName_, pageFontSize_, pageFontStyle_, pageFontCharset_;
    bool colorPageMode_ = false;
    bool maskPageMode_ = false;
    int32_t swatchColor_ = 0;
    win::UniqueGdiObject sampleFont_;
    std::string sampleName_;
    int sampleSize_ = 9;
    FontStyle sampleStyle_;
    uint8_t sampleCharset_ = 1;
    int32_t helpContextId_ = 0;
};

// Shows the page of `action` for the texts and returns the texts to write
// (nothing for Cancel, the close box, or an action without a page).
std::optional<std::vector<std::optional<std::string>>> EditActionTexts(
    int32_t action, std::vector<std::string> texts);

}  // namespace kv::editor
