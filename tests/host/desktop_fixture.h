// Tests that make real mouse input or change what the desktop shows. They
// share one display, so CTest runs them one at a time.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "input.h"

namespace kvtest {

using Lines = std::vector<std::string>;

// A visible, topmost window of the calling thread that answers hit tests,
// so the pointer over it reaches this thread. Counts left presses.
class TargetWindow {
public:
    TargetWindow(int x, int y, int width, int height, const char* title, bool doubleClicks = false);
    ~TargetWindow();
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;
    HWND get() const { return window_; }
    int presses() const;

private:
    HWND window_ = nullptr;
};

class DesktopTest : public HostTest {
protected:
    // The script lines the plug-in passed to the host so far.
    Lines ScriptLines() const { return host_->CallsOf("ScriptProcessor"); }
    // Pumps the host's loop until `count` script lines arrived (or 3 s went
    // by), then a little longer to catch lines that should not come.
    Lines PumpForLines(size_t count, int settleMs = 150);
    // Pumps until `done` holds or 3 s went by.
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
};

// "SetVar "[qvMouseCode]" "code""
std::string CodeLine(const char* code);

}  // namespace kvtest
