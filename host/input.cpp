#include "input.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace kvhost {
namespace {

HDESK g_ownDesktop = nullptr;

bool Send(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
    // Wine 10 gives the input back to the user's desktop whenever its
    // desktop program starts again (another program needed it): a program
    // with a desktop of its own takes the input again before each event.
    if (g_ownDesktop != nullptr) SwitchDesktop(g_ownDesktop);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return SendInput(1, &input, sizeof input) == 1;
}

// Absolute coordinates run from 0 to 65535 over the screen; rounding up
// lands on the pixel asked for whichever way the system scales back.
LONG Normalized(int pixel, int extent) {
    if (extent <= 0) return 0;
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

}  // namespace

bool SendMouseMove(int x, int y) {
    return Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                Normalized(x, GetSystemMetrics(SM_CXSCREEN)),
                Normalized(y, GetSystemMetrics(SM_CYSCREEN)));
}

bool SendMouseButton(MouseButton button, bool down) {
    DWORD flags = 0;
    switch (button) {
    case MouseButton::Left:
        flags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        break;
    case MouseButton::Right:
        flags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
        break;
    case MouseButton::Middle:
        flags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
        break;
    }
    return Send(flags);
}

bool SendMouseWheel(int notches) {
    return Send(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(notches * WHEEL_DELTA));
}

bool SendMouseClick(int x, int y, MouseButton button) {
    return SendMouseMove(x, y) && SendMouseButton(button, true) && SendMouseButton(button, false);
}

namespace {

HDESK g_inputBefore = nullptr;

void GiveInputBack() {
    if (g_inputBefore != nullptr) SwitchDesktop(g_inputBefore);
}

}  // namespace

bool UseDesktopOfItsOwn(const char* name) {
    // The handle stays open for the thread's life: the desktop is its own.
    const HDESK desktop = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (desktop == nullptr || !SetThreadDesktop(desktop)) return false;
    // Windows, and Wine from version 9, take input only from threads on the
    // input desktop: this one becomes it until the program ends. (Wine 8
    // routes input by the sender's desktop and only pretends to switch.)
    g_inputBefore = OpenInputDesktop(0, FALSE, DESKTOP_SWITCHDESKTOP);
    if (SwitchDesktop(desktop) && g_inputBefore != nullptr) std::atexit(&GiveInputBack);
    g_ownDesktop = desktop;
    return true;
}

void PumpMessages(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const auto left = static_cast<int32_t>(end - GetTickCount());
        if (left <= 0) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

bool CopyText(const std::string& text, HWND owner) {
    bool open = false;
    for (int i = 0; i < 100 && !open; ++i) {
        open = OpenClipboard(owner) != FALSE;
        if (!open) Sleep(10);
    }
    if (!open) return false;
    bool done = false;
    const size_t size = text.size() + 1;
    if (EmptyClipboard()) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
        if (void* bytes = block != nullptr ? GlobalLock(block) : nullptr) {
            std::memcpy(bytes, text.c_str(), size);
            GlobalUnlock(block);
            done = SetClipboardData(CF_TEXT, block) != nullptr;
        }
        if (!done && block != nullptr) GlobalFree(block);  // the clipboard owns it once set
    }
    CloseClipboard();
    return done;
}

}  // namespace kvhost
