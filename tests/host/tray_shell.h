// A stand-in for the shell's notification area. Under Wine the real
// "Shell_TrayWnd" accepts requests but shows nothing and cannot be read
// back, so this topmost window of the same class, found first by
// FindWindow, takes the WM_COPYDATA blocks that shell32 sends, decodes
// them (Wine's private layout, which grew after Wine 8), keeps the icons
// as a shell does and answers as it does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kvtest {

struct ShellIcon {
    HWND owner = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0;
    std::string tip;  // ANSI, as the plug-in passed it
    std::string info, infoTitle;
    UINT timeout = 0;
    UINT version = 0;
    DWORD infoFlags = 0;
    UINT width = 0, height = 0, bpp = 0;
    std::vector<uint8_t> colourBits;  // top-down rows, as GetBitmapBits gives them
    // The colour of one pixel as 0xRRGGBB (32-bit icons only; else ~0u).
    uint32_t Pixel(UINT x, UINT y) const;
};

struct ShellRequest {
    DWORD message = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE, NIM_SETVERSION
    UINT flags = 0;
    bool answer = false;
};

class TrayShell {
public:
    TrayShell();
    ~TrayShell();
    TrayShell(const TrayShell&) = delete;
    TrayShell& operator=(const TrayShell&) = delete;

    HWND window() const { return window_; }
    // True when FindWindow("Shell_TrayWnd") answers this window.
    bool FoundFirst() const;
    // The block size this Wine's shell32 uses for a record without icon
    // bits (960 on Wine 8, 976 on later Wines), learnt from the blocks seen.
    uint32_t headerSize() const { return headerSize_; }
    const std::string& decodeError() const { return decodeError_; }

    const std::map<std::pair<HWND, UINT>, ShellIcon>& icons() const { return icons_; }
    const ShellIcon* only() const { return icons_.size() == 1 ? &icons_.begin()->second : nullptr; }
    std::vector<ShellRequest>& requests() { return requests_; }

    // What the shell posts to the icon's owner for a mouse or balloon event.
    void Event(UINT lparamEvent);
    // Plays a shell restart: forgets every icon and broadcasts "TaskbarCreated".
    void Restart();

    LRESULT OnCopyData(const COPYDATASTRUCT& data);

private:
    HWND window_ = nullptr;
    uint32_t headerSize_ = 0;
    std::string decodeError_;
    std::map<std::pair<HWND, UINT>, ShellIcon> icons_;
    std::vector<ShellRequest> requests_;
};

// Writes a 32 x 32, 32-bit icon file filled with one colour (0xRRGGBB).
bool WriteIconFile(const std::string& path, uint32_t rgb);

}  // namespace kvtest
