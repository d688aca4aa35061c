// A modal dialog built in code: an empty in-memory template, controls
// created at 96-DPI design positions scaled to the screen, the system's
// message font, glyph buttons with tooltips. The dialog procedure hands
// every message to the derived class inside a guard, so nothing thrown
// leaves it: a failure is reported and the dialog ends as cancelled.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "design_rect.h"
#include "unique_resource.h"

namespace kv::editor {

class DialogWindow {
public:
    DialogWindow() = default;
    virtual ~DialogWindow() = default;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Shows the dialog modally, owned by `owner`; returns the code it ended
    // with (IDOK, IDCANCEL), or -1 when it could not be made.
    INT_PTR RunModal(HWND owner);

    HWND handle() const { return window_; }
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }
    int Scale(int design) const { return ::MulDiv(design, dpi_, 96); }
    HFONT Font() const { return static_cast<HFONT>(font_.get()); }

protected:
    // Called once the window exists: create the controls here. Return
    // true to focus the first control in the tab order, false when the
    // code has set the focus itself.
    virtual bool OnCreate() = 0;
    // Every other message; true when handled, with `result` as the answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    // Controls. Texts are the system's ANSI bytes.
    HWND AddControl(const char* className, const std::string& text, DWORD style, int id,
                    const DesignRect& at, DWORD exStyle = 0);
    // A standard button drawn with a small glyph; its window text and its
    // tooltip are `hint`.
    HWND AddGlyphButton(int id, const char* hint, const char* glyph, const DesignRect& at);
    void SetGlyph(int id, const char* glyph);
    void MoveControl(int id, const DesignRect& at);
    // Widens a label, check box or radio button whose caption needs more
    // room than its design width.
    void FitCaption(HWND control, int extra = 0);
    // Client size in design pixels; centres the dialog on its monitor's
    // work area.
    void SetClientSize(int width, int height);
    // The design width that holds every control with a margin, at least
    // `minimum`: a caption grown past the design widens the dialog.
    int WidthHoldingControls(int minimum) const;
    // The design left at which edits start after the wider of two labels,
    // at least `minimum`.
    int LeftAfterLabels(HWND first, HWND second, int labelsLeft, int minimum) const;
    void SetTextW1251(int id, const char* cp1251);  // fixed Russian texts

    static std::string TextOf(HWND control);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void DrawGlyphButton(const DRAWITEMSTRUCT& item);
    const char* GlyphOf(int id) const;

    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    int dpi_ = 96;
    win::UniqueGdiObject font_;
    struct Glyph {
        int id;
        std::string text;
    };
    std::vector<Glyph> glyphs_;
};

}  // namespace kv::editor
