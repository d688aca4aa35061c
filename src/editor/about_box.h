// TAboutBoxForm, the box the host opens through nbAbout: the plug-in's
// name as a link to the maker's page, the author line and OK. It fades
// out when it closes, by OK or by its close box.
#pragma once

#include <windows.h>

#include <string>

#include "dialog_window.h"

namespace kv::editor {

enum AboutControl : int {
    kAboutIcon = 301,
    kAboutTitle = 302,  // the link
    kAboutAuthor = 303,
};

// The maker's page, as written and as handed to the shell.
inline constexpr const char* kMakerPage = "https://kelvane.org/";

using ShellExecuteProc = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                            LPCSTR folder, INT show);
// The shell call the link makes; tests put their own here.
ShellExecuteProc& ShellExecuteFunction();

// Opens the maker's page with the shell's "open" verb; a failure is ignored.
void OpenMakerPage();

class TAboutBoxForm : public DialogWindow {
public:
    explicit TAboutBoxForm(std::string author) : author_(std::move(author)) {}

protected:
    bool OnCreate() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void FadeAndClose(INT_PTR code);

    std::string author_;
    win::UniqueGdiObject bold_;
    bool hover_ = false;
    bool closing_ = false;
};

// Shows the about box modally over the active window.
void ShowAboutBox(const std::string& author);

}  // namespace kv::editor
