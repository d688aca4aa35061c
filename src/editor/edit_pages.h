// The properties pages as data: for each action, the layout, the rows (a
// label, a kind of field, the parameter it shows, where it sits), the
// keyword lists, the description and the help number. One engine
// (edit_box_form) reads these rows; the colour and font pages add a
// small hook of their own.
#pragma once

#include <cstdint>
#include <span>

namespace kv::editor {

enum class FieldKind : uint8_t {
    Text,            // an edit with its Insert Variable button
    Variable,        // the same; Insert Variable replaces the whole text
    Object,          // the same with the object chooser instead
    Rectangle,       // the same with the rectangle object chooser instead
    Memo,            // a multi-line message; quotes and line breaks coded
    File,            // a narrowed edit with the file choosers beside it
    KeywordList,     // captions shown, keywords written
    WordList,        // the keywords themselves
    SubroutineList,  // the host's subroutines
    ThreeState,      // True/False pair; anything else is kept as typed
    TwoState,        // True/False pair
    FlagBox,         // a check box for "True"
    KeywordBox,      // a check box for a keyword
    OptionWord,      // a check box adding its keyword to a "+"-joined list
    Color,           // an edit for a colour with its swatch and chooser
};

struct WordList {
    std::span<const char* const> keywords;
    std::span<const char* const> captions;  // empty: the keywords are shown
    bool firstWhenNotFound = false;
    bool iconPreview = false;  // entries 1 to 4 show an icon beside the list
};

// The file chooser texts of a file row.
struct FileTexts {
    const char* title;
    const char* filter;
    const char* filterIndex;
    const char* fourth;
    const char* fifth;
};

// Positions are 96-DPI design pixels; 0 takes the row's default. Rows 5
// and 6 sit below the four of the layout.
struct FieldSpec {
    FieldKind kind;
    uint8_t param;                // parameter number, from 1
    uint8_t row;                  // layout row 1..4: the label's and the field's tops
    const char* label = nullptr;  // no label
    const WordList* list = nullptr;
    int16_t left = 0;
    int16_t top = 0;
    int16_t width = 0;
    const char* caption = nullptr;    // check boxes
    const char* keyword = nullptr;    // keyword boxes: the word written when checked
    bool keepRawUnchecked = true;     // keyword boxes: unchecked writes the kept text, else ""
    bool fixedList = false;           // subroutine lists: a drop-down list, not editable
    int16_t labelTop = 0;             // 0: the row's label top
    const char* needsWord = nullptr;  // option words: read only beside this word
};

enum class PageHook : uint8_t { None, Color, Font };

// Couplings between a page's controls.
enum PageMode : uint8_t {
    kFindOptionsMode = 1,      // check boxes 2 to 4 enable and check each other
    kFolderOperationMode = 2,  // entry 2 of a list enables check box 3, disables row 2
    kMaskPageMode = 4,         // check box 1 means "MainWindow" in Edit2; Edit3 is a colour
};

// Buttons no row brings.
enum PageExtra : uint8_t {
    kEmbeddedButton = 1,  // the host's embedded files, into Edit1
    kFolderButton = 2,    // the shell's folder chooser, into Edit1
};

enum class IconPreview : uint8_t { Keep, Suspend, Resume };

struct PageSpec {
    int32_t id;
    const char* action;
    uint8_t rows;  // layout: 1..4 rows
    const char* description;
    int32_t help;
    std::span<const FieldSpec> fields;
    const FileTexts* file = nullptr;
    PageHook hook = PageHook::None;
    uint8_t modes = 0;   // PageMode bits
    uint8_t extras = 0;  // PageExtra bits
    IconPreview iconPreview = IconPreview::Keep;
    int16_t footerTop = 0;   // 0: below the last row of the layout
    int8_t footerShift = 0;  // moves the footer (and so the form's height)
};

// The page of an action, or nullptr when it has none.
const PageSpec* FindPage(int32_t action);

}  // namespace kv::editor
