// Works the modal dialogs the plug-in opens as a user would (the tests
// and the script command HostDialog use it): a CBT hook
// sees each dialog activate, and a timer in the dialog's own modal loop then
// runs the next scripted step on it (typing, clicking, pressing OK). A
// safety timer cancels every dialog still open after a time limit, so no
// test can hang on a dialog.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kvhost {

class DialogDriver {
public:
    using Step = std::function<void(HWND dialog)>;

    // A dialog still open `safetyMilliseconds` after the last one opened is
    // cancelled; steps run `stepDelay` milliseconds after their dialog shows.
    explicit DialogDriver(UINT safetyMilliseconds = 10000, UINT stepDelay = 30);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // The next dialog that opens gets this step (in order of opening).
    DialogDriver& Then(Step step);

    bool timedOut() const { return timedOut_; }
    const std::vector<HWND>& opened() const { return opened_; }
    size_t pendingSteps() const { return steps_.size(); }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK StepTimer(HWND window, UINT, UINT_PTR id, DWORD);
    static void CALLBACK SafetyTimer(HWND, UINT, UINT_PTR, DWORD);

    HHOOK hook_ = nullptr;
    UINT_PTR safety_ = 0;
    UINT safetyMilliseconds_;
    UINT stepDelay_;
    std::deque<Step> steps_;
    std::vector<std::pair<HWND, Step>> due_;
    std::vector<HWND> opened_;
    std::set<HWND> seen_;
    bool timedOut_ = false;
};

// Sets Wine's X11 driver to leave windows unmanaged (see the .cpp).
void UnmanagedWineWindows();

// User actions on a dialog's controls.
std::string ControlText(HWND dialog, int id);
void TypeText(HWND dialog, int id, const std::string& text);  // WM_SETTEXT + EN_UPDATE/EN_CHANGE
void SelectComboText(HWND dialog, int id, const std::string& text);  // exact entry + CBN_SELCHANGE
void Click(HWND dialog, int id);                                     // BM_CLICK
void PressOK(HWND dialog);
void PressCancel(HWND dialog);
bool IsDialogWindow(HWND window);
// A face every route has: Tahoma where the system has it, else the first
// TrueType face.
std::string TestFace();
std::string WindowClass(HWND window);

}  // namespace kvhost
