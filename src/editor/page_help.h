// The Help buttons of the properties dialogs: the page's topic in
// Kelvane.chm, by its context number, or by its file for a page without
// one. HtmlHelpA is reached through one function pointer that tests
// replace.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace kv::editor {

using HtmlHelpProc = HWND(WINAPI*)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);

// The function the Help buttons call; by default HtmlHelpA of hhctrl.ocx,
// loaded on first use.
HtmlHelpProc& HtmlHelpFunction();

// The full path of Kelvane.chm beside the plug-in when it is there, else
// the bare name (the system then looks in its own places).
std::string HelpFilePath();

// Shows the topic of a page: by `number` when it has one, else the topic
// file named after the action.
void ShowPageHelp(HWND owner, int32_t number, const char* action);

}  // namespace kv::editor
