// The clipboard monitor through the DLL's exports, with changes made by
// another program, on both of its paths: the listener (Kelvane.dll) and the
// classic viewer chain (KelvaneChain.dll, a test build that does not look
// the listener up, as on systems without it).
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "desktop_fixture.h"
#include "other_program.h"
#include "tray_shell.h"

namespace kvtest {
namespace {

constexpr const char* kScript =
    "Exit\n"
    ":OnClip\n"
    "SetVar \"[log]\" \"[log]+\"\n"
    "Return\n"
    ":Other\n"
    "SetVar \"[log]\" \"[log]o\"\n"
    "Return\n"
    ":CopiesItself\n"
    "SetVar \"[log]\" \"[log]c\"\n"
    "HostCopyText \"from the subroutine\"\n"
    "Wait \"100\"\n"
    "HostCopyText \"again\"\n"
    "Return\n"
    ":Waits\n"
    "SetVar \"[log]\" \"[log]w\"\n"
    "Wait \"1000\"\n"
    "Return\n"
    ":StopsIt\n"
    "SetVar \"[log]\" \"[log]s\"\n"
    "qvClipboardMonitor \"False\" \"\"\n"
    "Return\n"
    ":Fails\n"
    "SetVar \"[log]\" \"[log]f\"\n"
    "NoSuchAction\n"
    "Return\n";

const char* const kId = "[qvClipboardMonitorID]";

std::string Copies(int count) {
    std::string script;
    for (int i = 0; i < count; ++i) script += "HostCopyText \"change " + std::to_string(i) + "\"\n";
    return script;
}

// A well-behaved viewer of the classic chain: counts the notices and
// passes every one on.
class TestViewer {
public:
    TestViewer() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KvTestViewer";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, "KvTestViewer", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TestViewer() {
        Leave();
        DestroyWindow(window_);
    }
    TestViewer(const TestViewer&) = delete;
    TestViewer& operator=(const TestViewer&) = delete;

    void Join() {
        next_ = SetClipboardViewer(window_);
        joined_ = true;
    }
    void Leave() {
        if (joined_) ChangeClipboardChain(window_, next_);
        joined_ = false;
    }
    int draws = 0;
    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
        auto* self = reinterpret_cast<TestViewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr) return DefWindowProcA(window, msg, wparam, lparam);
        if (msg == WM_DRAWCLIPBOARD) {
            ++self->draws;
            if (self->next_ != nullptr) SendMessageA(self->next_, msg, wparam, lparam);
            return 0;
        }
        if (msg == WM_CHANGECBCHAIN) {
            if (reinterpret_cast<HWND>(wparam) == self->next_)
                self->next_ = reinterpret_cast<HWND>(lparam);
            else if (self->next_ != nullptr)
                SendMessageA(self->next_, msg, wparam, lparam);
            return 0;
        }
        return DefWindowProcA(window, msg, wparam, lparam);
    }
    HWND window_ = nullptr;
    HWND next_ = nullptr;
    bool joined_ = false;
};

std::string ChainPluginPath() {
    std::string path = PluginPath();
    return path.substr(0, path.size() - std::string("Kelvane.dll").size()) + "KelvaneChain.dll";
}

class ClipboardMonitorTest : public DesktopTest, public ::testing::WithParamInterface<bool> {
protected:
    bool chain() const { return GetParam(); }
    std::string Dll() const { return chain() ? ChainPluginPath() : PluginPath(); }
    void SetUp() override {
        host_ = std::make_unique<kvhost::TestHost>();
        std::string error;
        ASSERT_TRUE(host_->Load(Dll(), error)) << error;
        Start(kScript);
    }
    void Monitor(const char* onOff, const char* sub = "OnClip") {
        ASSERT_TRUE(host_->ExecAction(51, {onOff, sub}));
    }
    std::string Log() { return host_->Vars().Get("[log]"); }
    // Changes made by another program; pumps until the log reads `expected`
    // (or 5 s went by), then a little longer for runs that should not come.
    void CopyElsewhere(int count, const std::string& expected, int line) {
        ASSERT_EQ(RunOtherProgram(Copies(count)), 0) << "line " << line;
        PumpUntil([&] { return Log() == expected; }, 5000);
        host_->Wait(300);
        EXPECT_EQ(Log(), expected) << "line " << line;
    }
};

TEST_P(ClipboardMonitorTest, SwitchOnRunsNothingThenEveryChangeRunsTheSubroutineOnce) {
    Monitor("True");
    const std::string id = host_->Vars().Get(kId);
    ASSERT_NE(id, "");
    EXPECT_NE(id, "0");
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(std::stoul(id))));
    host_->Wait(200);
    EXPECT_EQ(Log(), "") << "nothing runs at switch-on";
    CopyElsewhere(1, "+", __LINE__);  // the first change runs
    CopyElsewhere(3, "++++", __LINE__);

    // On again keeps the first subroutine; "1" is no Boolean: off.
    Monitor("true", "Other");
    EXPECT_EQ(host_->Vars().Get(kId), id);
    CopyElsewhere(1, "+++++", __LINE__);
    Monitor("1");
    EXPECT_EQ(host_->Vars().Get(kId), "");
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(std::stoul(id))));
    CopyElsewhere(1, "+++++", __LINE__);
    host_->Vars().Set(kId, "kept");
    Monitor("False");  // off when off: the variable is not touched
    EXPECT_EQ(host_->Vars().Get(kId), "kept");

    // The end of the run stops it; so does unloading.
    Monitor("True", "Other");
    host_->EndRun();
    EXPECT_EQ(host_->Vars().Get(kId), "");
    CopyElsewhere(1, "+++++", __LINE__);
    Monitor("True", "Other");
    const HWND window = reinterpret_cast<HWND>(std::stoul(host_->Vars().Get(kId)));
    host_->Unload();
    EXPECT_FALSE(IsWindow(window));
    ASSERT_EQ(RunOtherProgram(Copies(1)), 0);
}

TEST_P(ClipboardMonitorTest, ASubroutineThatCopiesOrWaitsRunsOncePerOutsideChange) {
    Monitor("True", "CopiesItself");
    CopyElsewhere(1, "c", __LINE__);
    CopyElsewhere(1, "cc", __LINE__);

    // The second change comes while the first run waits, pumping messages:
    // it runs the subroutine once more, whenever its notice arrives.
    Monitor("False");
    Monitor("True", "Waits");
    ASSERT_EQ(RunOtherProgram(Copies(1) + "Wait \"300\"\n" + Copies(1)), 0);
    PumpUntil([&] { return Log() == "ccww"; }, 5000);
    host_->Wait(300);
    EXPECT_EQ(Log(), "ccww");
}

TEST_P(ClipboardMonitorTest, ASubroutineThatStopsOrFailsLeavesNoHarm) {
    TestViewer before;
    before.Join();
    Monitor("True", "Fails");
    host_->Wait(100);
    int seen = before.draws;
    CopyElsewhere(2, "ff", __LINE__);
    EXPECT_EQ(before.draws, seen + 2);
    Monitor("False");
    Monitor("True", "StopsIt");
    host_->Wait(100);
    seen = before.draws;
    CopyElsewhere(1, "ffs", __LINE__);
    CopyElsewhere(1, "ffs", __LINE__);
    EXPECT_EQ(host_->Vars().Get(kId), "");
    EXPECT_EQ(before.draws, seen + 2) << "every notice goes on down the chain";
}

// In the chain, a viewer that joins passes its joining notice down to the
// monitor, which takes it for a change as every viewer of the chain does;
// the log is emptied after each join.
TEST_P(ClipboardMonitorTest, ViewersBeforeAndAfterKeepGettingEveryNotice) {
    TestViewer before, after;
    const auto settle = [&] {
        host_->Wait(150);
        host_->Vars().Set("[log]", "");
    };
    before.Join();
    Monitor("True");
    after.Join();
    settle();
    int b = before.draws, a = after.draws;
    CopyElsewhere(2, "++", __LINE__);
    EXPECT_EQ(before.draws, b + 2);
    EXPECT_EQ(after.draws, a + 2);

    // The viewer behind the monitor leaves, then the one in front.
    before.Leave();
    settle();
    b = before.draws;
    CopyElsewhere(1, "+", __LINE__);
    EXPECT_EQ(after.draws, a + 3);
    EXPECT_EQ(before.draws, b);
    before.Join();
    after.Leave();
    settle();
    b = before.draws;
    CopyElsewhere(1, "+", __LINE__);
    EXPECT_EQ(before.draws, b + 1);
    // The monitor leaves; the chain still reaches both viewers.
    after.Join();
    Monitor("False");
    settle();
    a = after.draws;
    b = before.draws;
    CopyElsewhere(1, "", __LINE__);
    EXPECT_EQ(after.draws, a + 1);
    EXPECT_EQ(before.draws, b + 1);
}

TEST_P(ClipboardMonitorTest, AThousandCyclesLeaveTheChainAndTheObjectCounts) {
    TestViewer viewer;
    viewer.Join();
    Monitor("True");
    Monitor("False");
    const HANDLE process = GetCurrentProcess();
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    for (int i = 0; i < 1000; ++i) {
        Monitor("True");
        Monitor("False");
        host_->calls().clear();
    }
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi + 2);
    EXPECT_LE(GetGuiResources(process, GR_USEROBJECTS), user + 2);
    EXPECT_EQ(GetClipboardViewer(), viewer.window());
    const int seen = viewer.draws;
    ASSERT_EQ(RunOtherProgram(Copies(1)), 0);
    EXPECT_TRUE(PumpUntil([&] { return viewer.draws == seen + 1; }));
}

// A host process that ends with the plug-in loaded and without message 2
// leaves neither its icon nor a broken chain behind.
TEST_P(ClipboardMonitorTest, AHostThatJustEndsTakesItsIconAndMonitorAlong) {
    TrayShell shell;
    ASSERT_TRUE(shell.FoundFirst());
    TestViewer viewer;
    viewer.Join();
    const std::string script =
        "qvClipboardMonitor \"True\" \"\"\n"
        "qvTrayIcon \"\" \"ghost\" \"\" \"\"\n"
        "HostExit \"3\"\n";
    ASSERT_EQ(RunOtherProgram(script, Dll()), 3);
    host_->Wait(100);
    EXPECT_TRUE(shell.icons().empty()) << "no ghost icon";
    bool added = false;
    for (const ShellRequest& request : shell.requests()) added |= request.message == NIM_ADD;
    EXPECT_TRUE(added);
    EXPECT_EQ(GetClipboardViewer(), viewer.window());
    const int seen = viewer.draws;
    ASSERT_EQ(RunOtherProgram(Copies(1)), 0);
    EXPECT_TRUE(PumpUntil([&] { return viewer.draws == seen + 1; })) << "the chain holds";
}

INSTANTIATE_TEST_SUITE_P(Paths, ClipboardMonitorTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "Chain" : "Listener";
                         });

}  // namespace
}  // namespace kvtest
