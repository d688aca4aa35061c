#include "tray_icon.h"

#include <shellapi.h>

#include <cstring>
#include <utility>

#include "host_bridge.h"
#include "message_window.h"
#include "plugin_state.h"
#include "tray_words.h"
#include "unique_resource.h"

namespace kv {
namespace {

// The record in its version with balloon fields, as every request sends it.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V2_SIZE;
static_assert(NOTIFYICONDATAA_V2_SIZE == 488);
constexpr UINT kTrayVersion = 3;

class TBalloonMessage;

// Module state. The record keeps the window and identifier of the last
// icon, and its tip and icon for a re-add after a shell restart.
NOTIFYICONDATAA g_data{};
TBalloonMessage* g_balloon = nullptr;
HWND g_window = nullptr;     // TrayIconWindow
win::UniqueIcon g_fileIcon;  // an icon loaded from a file; shared icons are not destroyed
bool g_present = false;      // TrayIconPresent
bool g_versionSet = false;
std::string g_leftScript, g_rightScript, g_balloonClickScript, g_balloonCloseScript;

void CopyText(char* field, size_t size, const std::string& text, size_t limit) {
    const std::string cut = CutText(text, limit < size ? limit : size - 1);
    std::memset(field, 0, size);
    std::memcpy(field, cut.data(), cut.size());
}

// Adds the icon as the record describes it, with the version when one was
// set (after a shell restart, the new shell knows nothing).
void AddIcon() {
    NOTIFYICONDATAA data = g_data;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    Shell_NotifyIconA(NIM_ADD, &data);
    if (g_versionSet) {
        data.uVersion = kTrayVersion;
        Shell_NotifyIconA(NIM_SETVERSION, &data);
    }
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

class TBalloonMessage final : public MessageHandler {
public:
    TBalloonMessage() { g_window = AllocateMessageWindow(*this); }
    ~TBalloonMessage() { DeallocateMessageWindow(std::exchange(g_window, nullptr)); }
    TBalloonMessage(const TBalloonMessage&) = delete;
    TBalloonMessage& operator=(const TBalloonMessage&) = delete;

    void HandleMessage(HWND window, MessageRecord& message) override {
        if (message.Msg == kTrayCallbackMessage) {
            message.Result = 0;
            // A copy: the script may delete or replace the icon, which
            // frees this object and its window.
            std::string script = ScriptFor(static_cast<UINT>(message.LParam & 0xFFFF));
            if (!script.empty()) RunHostScript(script);
            return;
        }
        if (message.Msg == TaskbarCreatedMessage() && TaskbarCreatedMessage() != 0) {
            if (g_present) AddIcon();
            return DefaultMessage(window, message);
        }
        DefaultMessage(window, message);
    }

private:
    static std::string ScriptFor(UINT event) {
        switch (event) {
        case WM_LBUTTONUP:
            return g_leftScript;
        case WM_RBUTTONUP:
            return g_rightScript;
        case NIN_BALLOONTIMEOUT:
            return g_balloonCloseScript;
        case NIN_BALLOONUSERCLICK:
            return g_balloonClickScript;
        default:
            return {};
        }
    }
};

bool IsFile(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Never an invisible icon: the file, the host's "MAINICON", the host
// window's own icon, the system's application icon.
HICON LoadTrayImage(const std::string& iconFile) {
    if (IsFile(iconFile)) {
        g_fileIcon.reset(static_cast<HICON>(LoadImageA(nullptr, iconFile.c_str(), IMAGE_ICON, 0, 0,
                                                       LR_LOADFROMFILE | LR_DEFAULTSIZE)));
        if (g_fileIcon) return g_fileIcon.get();
    }
    const HWND host = State().HostWindow;
    HINSTANCE module = nullptr;
    if (host != nullptr && IsWindow(host))
        module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(host, GWLP_HINSTANCE));
    if (module == nullptr) module = GetModuleHandleA(nullptr);
    if (HICON icon = LoadIconA(module, "MAINICON")) return icon;
    if (host != nullptr && IsWindow(host)) {
        if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(host, GCLP_HICON))) return icon;
        if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(host, GCLP_HICONSM))) return icon;
    }
    return LoadIconA(nullptr, IDI_APPLICATION);
}

// Shell first, then the window, then the icon the shell was showing.
void RemoveIcon() {
    if (g_balloon == nullptr && !g_present) return;
    NOTIFYICONDATAA data = g_data;
    data.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &data);
    g_present = false;
    g_versionSet = false;
    delete std::exchange(g_balloon, nullptr);
    g_fileIcon.reset();
}

}  // namespace

void ShowTrayIcon(const std::string& iconFile, const std::string& tip, std::string leftScript,
                  std::string rightScript) {
    RemoveIcon();
    g_balloon = new TBalloonMessage();
    g_leftScript = std::move(leftScript);
    g_rightScript = std::move(rightScript);
    const HICON icon = LoadTrayImage(iconFile);
    std::memset(&g_data, 0, sizeof g_data);
    g_data.cbSize = kRecordSize;
    g_data.hWnd = g_window;
    g_data.uID = kTrayIconId;
    g_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_data.uCallbackMessage = kTrayCallbackMessage;
    g_data.hIcon = icon;
    CopyText(g_data.szTip, sizeof g_data.szTip, tip, kTipLimit);
    Shell_NotifyIconA(NIM_ADD, &g_data);
    g_present = true;
}

bool ShowTrayBalloon(const std::string& title, const std::string& text, uint32_t iconKind,
                     std::string clickScript, std::string closeScript) {
    if (g_balloon == nullptr) ShowTrayIcon({}, {}, {}, {});
    g_balloonClickScript = std::move(clickScript);
    g_balloonCloseScript = std::move(closeScript);
    g_data.uFlags = NIF_INFO;
    CopyText(g_data.szInfo, sizeof g_data.szInfo, text, kBalloonTextLimit);
    CopyText(g_data.szInfoTitle, sizeof g_data.szInfoTitle, title, kBalloonTitleLimit);
    g_data.uTimeout = kBalloonTimeout;
    g_data.dwInfoFlags = iconKind;
    Shell_NotifyIconA(NIM_MODIFY, &g_data);
    g_data.uVersion = kTrayVersion;
    const bool accepted = Shell_NotifyIconA(NIM_SETVERSION, &g_data) != FALSE;
    if (accepted) {
        g_present = true;
        g_versionSet = true;
    }
    return accepted;
}

void DeleteTrayIcon() { RemoveIcon(); }

void EndRunTrayIcon() {
    if (g_present) RemoveIcon();
}

void ReleaseTrayIcon() { RemoveIcon(); }

HWND TrayIconWindowHandle() { return g_window; }

}  // namespace kv
