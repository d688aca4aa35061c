#include "tray_shell.h"

#include <shellapi.h>

#include <cstdlib>
#include <cstring>

namespace kvtest {
namespace {

constexpr const char* kTrayClass = "Shell_TrayWnd";

// Where the fields are. Wine 8 keeps the icon bitmap's size at the end of
// a 960-byte record; later Wines move it up after the callback message
// (so every text is 16 bytes further on) and end the 976-byte record with
// the balloon icon's size.
struct Layout {
    uint32_t header;
    size_t width, tip, info, timeout, infoTitle, infoFlags;
};
constexpr size_t kOwner = 0, kId = 4, kFlags = 8, kCallback = 12;
constexpr Layout kWine8{960, 944, 16, 280, 792, 796, 924};
constexpr Layout kWine9{976, 16, 32, 296, 808, 812, 940};
constexpr uint32_t kOldHeader = kWine8.header;

uint32_t U32(const uint8_t* block, size_t offset) {
    uint32_t value = 0;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

std::string Wide(const uint8_t* block, size_t offset, size_t chars) {
    std::wstring text(chars, L'\0');
    std::memcpy(text.data(), block + offset, chars * sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), chars));
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(), size,
                        nullptr, nullptr);
    return ansi;
}

uint32_t Bits(uint32_t planes, uint32_t width, uint32_t height, uint32_t bpp) {
    return (planes * width * height * bpp + 15) / 16 * 2;
}

// Wine's major version, from ntdll (0 when not under Wine).
int WineMajor() {
    using Fn = const char*(CDECL*)();
    const auto get = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return get != nullptr ? std::atoi(get()) : 0;
}

// Which layout a block has: the one of this Wine's version, confirmed by
// the block's size (the record alone, or the record and the icon's bits).
const Layout* FindLayout(uint32_t blockSize, const uint8_t* block, bool& hasIcon) {
    const Layout& layout = WineMajor() >= 9 ? kWine9 : kWine8;
    if (blockSize < layout.header) return nullptr;
    const uint32_t width = U32(block, layout.width), height = U32(block, layout.width + 4);
    const uint32_t planes = U32(block, layout.width + 8), bpp = U32(block, layout.width + 12);
    hasIcon = (U32(block, kFlags) & NIF_ICON) != 0 && width != 0;
    if (!hasIcon) return blockSize == layout.header ? &layout : nullptr;
    const uint32_t mask = Bits(1, width, bpp == 1 ? height * 2 : height, 1);
    const uint32_t colour = bpp == 1 ? 0 : Bits(planes, width, height, bpp);
    return blockSize == layout.header + mask + colour ? &layout : nullptr;
}

LRESULT CALLBACK TrayProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* shell = reinterpret_cast<TrayShell*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (msg == WM_COPYDATA && shell != nullptr)
        return shell->OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    return DefWindowProcA(window, msg, wparam, lparam);
}

}  // namespace

uint32_t ShellIcon::Pixel(UINT x, UINT y) const {
    if (bpp != 32 || x >= width || y >= height) return ~0u;
    const size_t at = (static_cast<size_t>(y) * width + x) * 4;
    if (at + 4 > colourBits.size()) return ~0u;
    return static_cast<uint32_t>(colourBits[at]) | colourBits[at + 1] << 8 |
           colourBits[at + 2] << 16;
}

TrayShell::TrayShell() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TrayProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kTrayClass;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTrayClass, "", WS_POPUP, 0, 0, 1,
                              1, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TrayShell::~TrayShell() {
    if (window_ != nullptr) DestroyWindow(window_);
    UnregisterClassA(kTrayClass, GetModuleHandleA(nullptr));
}

bool TrayShell::FoundFirst() const { return FindWindowA(kTrayClass, nullptr) == window_; }

LRESULT TrayShell::OnCopyData(const COPYDATASTRUCT& data) {
    const auto* block = static_cast<const uint8_t*>(data.lpData);
    const DWORD message = static_cast<DWORD>(data.dwData);
    if (block == nullptr || data.cbData < kOldHeader) {
        decodeError_ = "block of " + std::to_string(data.cbData) + " bytes";
        return FALSE;
    }
    const UINT flags = U32(block, kFlags);
    bool hasIcon = false;
    const Layout* layout = FindLayout(data.cbData, block, hasIcon);
    if (layout == nullptr) {
        decodeError_ = "unknown layout: block of " + std::to_string(data.cbData) + " bytes";
        return FALSE;
    }
    const uint32_t header = layout->header;
    headerSize_ = header;
    const auto key =
        std::make_pair(reinterpret_cast<HWND>(static_cast<uintptr_t>(U32(block, kOwner))),
                       static_cast<UINT>(U32(block, kId)));
    auto found = icons_.find(key);
    bool answer = true;
    if (message == NIM_ADD) {
        if (found != icons_.end())
            answer = false;
        else {
            ShellIcon added;
            added.owner = key.first;
            added.id = key.second;
            found = icons_.emplace(key, std::move(added)).first;
        }
    } else if (found == icons_.end()) {
        answer = false;
    }
    requests_.push_back({message, flags, answer});
    if (!answer) return FALSE;
    if (message == NIM_DELETE) {
        icons_.erase(found);
        return TRUE;
    }
    ShellIcon& icon = found->second;
    if (message == NIM_SETVERSION) {
        icon.version = U32(block, layout->timeout);
        return TRUE;
    }
    if (flags & NIF_MESSAGE) icon.callbackMessage = U32(block, kCallback);
    if (flags & NIF_TIP) icon.tip = Wide(block, layout->tip, 128);
    if (flags & NIF_INFO) {
        icon.info = Wide(block, layout->info, 256);
        icon.infoTitle = Wide(block, layout->infoTitle, 64);
        icon.timeout = U32(block, layout->timeout);
        icon.infoFlags = U32(block, layout->infoFlags);
    }
    if (flags & NIF_ICON) {
        icon.width = U32(block, layout->width);
        icon.height = U32(block, layout->width + 4);
        icon.bpp = U32(block, layout->width + 12);
        icon.colourBits.clear();
        if (hasIcon && icon.bpp != 1) {
            const uint32_t mask = Bits(1, icon.width, icon.height, 1);
            const uint8_t* colour = block + header + mask;
            icon.colourBits.assign(colour, block + data.cbData);
        }
    }
    return TRUE;
}

void TrayShell::Event(UINT lparamEvent) {
    for (const auto& [key, icon] : icons_)
        if (icon.callbackMessage != 0)
            PostMessageA(icon.owner, icon.callbackMessage, icon.id,
                         static_cast<LPARAM>(lparamEvent));
}

void TrayShell::Restart() {
    icons_.clear();
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}

bool WriteIconFile(const std::string& path, uint32_t rgb) {
    constexpr uint32_t kSize = 32;
    std::vector<uint8_t> file;
    auto put16 = [&](uint32_t v) {
        file.push_back(static_cast<uint8_t>(v));
        file.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const uint32_t pixels = kSize * kSize * 4, mask = kSize * 4;  // AND rows padded to 32 bits
    const uint32_t image = 40 + pixels + mask;
    put16(0), put16(1), put16(1);  // ICONDIR
    file.push_back(kSize), file.push_back(kSize), file.push_back(0), file.push_back(0);
    put16(1), put16(32), put32(image), put32(22);                    // ICONDIRENTRY
    put32(40), put32(kSize), put32(kSize * 2), put16(1), put16(32);  // BITMAPINFOHEADER
    put32(0), put32(pixels + mask), put32(0), put32(0), put32(0), put32(0);
    for (uint32_t i = 0; i < kSize * kSize; ++i) put32(0xFF000000u | rgb);
    for (uint32_t i = 0; i < mask; ++i) file.push_back(0);
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
        written == file.size();
    CloseHandle(out);
    return ok;
}

}  // namespace kvtest
