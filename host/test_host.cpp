#include "test_host.h"

#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "borland_thunks.h"
#include "input.h"

namespace kvhost {
namespace {

TestHost* g_current = nullptr;

constexpr const char* kWindowClass = "TKelvaneTestHost";

// Booleans come back in AL; the other bytes of EAX are deliberately not
// clean, so a plug-in that reads more than AL is caught.
uint32_t HostBoolean(bool value) { return 0xB0B0B000u | (value ? 1u : 0u); }

// The parameter array as the host passes it: one GlobalAlloc'd text per
// parameter (the plug-in may replace them at design time), released after.
class ParamArray {
public:
    explicit ParamArray(const std::vector<std::string>& params) {
        for (const std::string& p : params) texts_.push_back(GlobalText(p));
        if (texts_.empty()) texts_.push_back(nullptr);  // a valid address even for none
        highIndex_ = static_cast<int32_t>(params.size()) - 1;
    }
    ~ParamArray() {
        for (char* text : texts_)
            if (text) GlobalFree(text);
    }
    ParamArray(const ParamArray&) = delete;
    ParamArray& operator=(const ParamArray&) = delete;

    char** data() { return texts_.data(); }
    int32_t highIndex() const { return highIndex_; }
    std::string at(size_t i) const { return texts_[i] ? texts_[i] : ""; }

private:
    std::vector<char*> texts_;
    int32_t highIndex_ = -1;
};

std::string TextAt(uint32_t address) {
    const char* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(address));
    return text ? std::string(text) : std::string();
}

uint32_t Word(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

HWND CreateMainWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);  // fails harmlessly when already registered
    return CreateWindowExA(0, kWindowClass, "Kelvane Test Host", WS_OVERLAPPEDWINDOW, 100, 100, 640,
                           480, nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace

char* GlobalText(std::string_view text) {
    auto* block = static_cast<char*>(GlobalAlloc(GMEM_FIXED, text.size() + 1));
    if (block == nullptr) return nullptr;
    std::memcpy(block, text.data(), text.size());
    block[text.size()] = '\0';
    return block;
}

TestHost::TestHost() {
    g_current = this;
    mainWindow_ = CreateMainWindow();
}

TestHost::~TestHost() {
    if (module_ != nullptr) FreeLibrary(module_);
    if (mainWindow_ != nullptr) DestroyWindow(mainWindow_);
    if (g_current == this) g_current = nullptr;
}

TestHost* TestHost::Current() { return g_current; }

bool TestHost::Load(const std::string& dllPath, std::string& error) {
    module_ = LoadLibraryA(dllPath.c_str());
    if (module_ == nullptr) {
        error = "cannot load " + dllPath + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    for (const char* name : {"nbInitPlugIn", "nbRegisterPlugIn", "nbRegisterScriptProcessor",
                             "nbRegisterInterfaceAccess", "nbRegisterStreamAccess", "nbMessage",
                             "nbExecAction", "nbEditAction", "nbAbout"}) {
        if (GetProcAddress(module_, name) == nullptr) {
            error = std::string("missing export ") + name;
            return false;
        }
    }
    return true;
}

uint32_t TestHost::CallExport(const char* name, std::vector<uint32_t> args) {
    const auto count = static_cast<uint32_t>(args.size());
    if (args.size() < 3) args.resize(3, 0xCCCCCCCCu);  // registers the callee must ignore
    const auto proc = reinterpret_cast<const void*>(GetProcAddress(module_, name));
    if (proc == nullptr) return 0;
    int32_t status[2] = {0, 0};
    const uint32_t eax = kvh_borland_call(proc, args.data(), count, status, stackSkew_);
    lastEax_ = eax;
    lastCheck_ = {status[0], status[1] != 0};
    if (lastCheck_.stackLeft != 0 || lastCheck_.clobbered)
        std::fprintf(stderr, "host: %s broke the calling convention (stack %d, registers %d)\n",
                     name, lastCheck_.stackLeft, status[1]);
    return eax;
}

void TestHost::StartUp(const StartOptions& options) {
    InitPlugIn();
    RegisterPlugIn();
    if (options.registerScriptProcessor) RegisterScriptProcessor();
    if (options.registerInterfaceAccess) RegisterInterfaceAccess();
    if (options.registerStreamAccess) RegisterStreamAccess();
    if (options.sendStartMessage) SendMessage(1);
}

void TestHost::EndRun() { SendMessage(2); }

void TestHost::Unload() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
}

void TestHost::InitPlugIn() {
    // The slots start with texts of the host's own; the plug-in replaces them.
    char* name = GlobalText("host name");
    char* author = GlobalText("host author");
    char* hint = GlobalText("host hint");
    CallExport("nbInitPlugIn", {Word(mainWindow_), Word(&name), Word(&author), Word(&hint)});
    pluginName = name ? name : "";
    pluginAuthor = author ? author : "";
    pluginHint = hint ? hint : "";
    for (char* text : {name, author, hint})
        if (text) GlobalFree(text);
}

void TestHost::RegisterPlugIn() {
    registrations_.clear();
    CallExport("nbRegisterPlugIn", {Word(reinterpret_cast<void*>(&kvh_cb_add_action)),
                                    Word(reinterpret_cast<void*>(&kvh_cb_aux_proc)),
                                    Word(reinterpret_cast<void*>(&kvh_cb_get_var)),
                                    Word(reinterpret_cast<void*>(&kvh_cb_set_var))});
}

void TestHost::RegisterScriptProcessor() {
    CallExport("nbRegisterScriptProcessor",
               {Word(reinterpret_cast<void*>(&kvh_cb_script_processor))});
}

void TestHost::RegisterInterfaceAccess() {
    CallExport("nbRegisterInterfaceAccess",
               {Word(reinterpret_cast<void*>(&kvh_cb_interface_access))});
}

void TestHost::RegisterStreamAccess() {
    CallExport("nbRegisterStreamAccess", {Word(reinterpret_cast<void*>(&kvh_cb_stream_access))});
}

void TestHost::SendMessage(int32_t message) {
    CallExport("nbMessage", {static_cast<uint32_t>(message)});
}

bool TestHost::ExecActionRaw(int32_t action, char** params, int32_t highIndex) {
    const uint32_t eax = CallExport("nbExecAction", {static_cast<uint32_t>(action), Word(params),
                                                     static_cast<uint32_t>(highIndex)});
    return (eax & 0xFF) != 0;
}

bool TestHost::ExecAction(int32_t action, const std::vector<std::string>& params) {
    ParamArray array(params);
    return ExecActionRaw(action, array.data(), array.highIndex());
}

bool TestHost::EditAction(int32_t action, std::vector<std::string>& params) {
    ParamArray array(params);
    const uint32_t eax =
        CallExport("nbEditAction", {static_cast<uint32_t>(action), Word(array.data()),
                                    static_cast<uint32_t>(array.highIndex())});
    for (size_t i = 0; i < params.size(); ++i) params[i] = array.at(i);
    return (eax & 0xFF) != 0;
}

bool TestHost::EditActionRaw(int32_t action, char** params, int32_t highIndex) {
    const uint32_t eax = CallExport("nbEditAction", {static_cast<uint32_t>(action), Word(params),
                                                     static_cast<uint32_t>(highIndex)});
    return (eax & 0xFF) != 0;
}

void TestHost::About() { CallExport("nbAbout", {}); }

const Registration* TestHost::FindAction(const std::string& name) const {
    const std::string key = LowerAscii(name);
    for (const Registration& r : registrations_)
        if (r.id != 0 && LowerAscii(r.name) == key) return &r;
    return nullptr;
}

std::vector<std::string> TestHost::CallsOf(const std::string& callback) const {
    std::vector<std::string> out;
    for (const CallRecord& c : calls_) {
        if (c.callback != callback) continue;
        std::string joined;
        for (size_t i = 0; i < c.args.size(); ++i) joined += (i ? "|" : "") + c.args[i];
        out.push_back(joined);
    }
    return out;
}

void TestHost::SetAnswer(int32_t request, std::string text, bool result) {
    answers_[request] = {std::move(text), result};
}

void TestHost::ClearAnswer(int32_t request) { answers_.erase(request); }

void TestHost::SetObjectWindow(const std::string& object, HWND window) {
    objectWindows_[LowerAscii(object)] = window;
}

bool TestHost::LoadScript(std::string_view text, std::string& error) {
    return runner_.Load(text, error);
}

RunResult TestHost::RunScript() { return runner_.Run(*this); }

ActionOutcome TestHost::RunAction(const std::string& name,
                                  const std::vector<std::string>& rawParams) {
    if (const auto outcome = RunHostCommand(name, rawParams)) return *outcome;
    const Registration* action = FindAction(name);
    if (action == nullptr) return ActionOutcome::Unknown("unknown action " + name);
    if (static_cast<int32_t>(rawParams.size()) != action->numParams)
        return ActionOutcome::Fault(name + " takes " + std::to_string(action->numParams) +
                                    " parameters");
    // Variable-name parameters go to the plug-in as written; others expanded.
    std::vector<std::string> params;
    for (size_t i = 0; i < rawParams.size(); ++i) {
        const bool isVariable = i < action->codes.size() && action->codes[i] == 6;
        params.push_back(isVariable ? rawParams[i] : ExpandVariables(rawParams[i], vars_));
    }
    return ActionOutcome::Done(ExecAction(action->id, params));
}

// Commands that set up the host itself, so scripts can play the publication:
//   HostAnswer "request" "text" ["True"|"False"]   answer an interface request
//   HostObject "name" "window handle"              an object's window (request 7)
//   HostFiles "folder"                             where embedded files are served from
//   HostMainWindow "[var]"                         the host window's handle, into a variable
//   HostMouse "Move"|"Click"|"RightClick" "x" "y"  real mouse input at a screen point
//   HostMouse "Wheel" "notches"                    a wheel turn (negative: towards the user)
//   HostDialog "OK"|"Cancel" ["id=text" ...]       answers the next dialog that opens:
//                                                  types each text into control id, then
//                                                  presses the button
//   HostEdit "action" "[var]" ...                  nbEditAction over the variables' texts;
//                                                  writes them back, "[EditResult]" gets
//                                                  "True" or "False"
//   HostAbout                                      the host's about command (nbAbout)
std::optional<ActionOutcome> TestHost::RunHostCommand(const std::string& name,
                                                      const std::vector<std::string>& rawParams) {
    std::vector<std::string> p;
    for (const std::string& raw : rawParams) p.push_back(ExpandVariables(raw, vars_));
    const std::string command = LowerAscii(name);
    if (command == "hostanswer" && (p.size() == 2 || p.size() == 3)) {
        SetAnswer(std::stoi(p[0]), p[1], p.size() == 2 || LowerAscii(p[2]) == "true");
        return ActionOutcome::Done(true);
    }
    if (command == "hostobject" && p.size() == 2) {
        SetObjectWindow(p[0], reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoul(p[1]))));
        return ActionOutcome::Done(true);
    }
    if (command == "hostmainwindow" && rawParams.size() == 1) {
        vars_.Set(rawParams[0], std::to_string(reinterpret_cast<uintptr_t>(mainWindow_)));
        return ActionOutcome::Done(true);
    }
    if (command == "hostmouse" && !p.empty()) {
        const std::string what = LowerAscii(p[0]);
        bool sent = false;
        if (what == "wheel" && p.size() == 2) sent = SendMouseWheel(std::stoi(p[1]));
        if (p.size() == 3) {
            const int x = std::stoi(p[1]);
            const int y = std::stoi(p[2]);
            if (what == "move") sent = SendMouseMove(x, y);
            if (what == "click") sent = SendMouseClick(x, y);
            if (what == "rightclick") sent = SendMouseClick(x, y, MouseButton::Right);
        }
        if (!sent) return ActionOutcome::Fault("bad HostMouse line");
        return ActionOutcome::Done(true);
    }
    if (command == "hostfiles" && p.size() == 1) {
        SetFilesFolder(p[0]);
        return ActionOutcome::Done(true);
    }
    //   HostCopyText "text"         put a text on the clipboard, as any program would
    if (command == "hostcopytext" && p.size() == 1)
        return ActionOutcome::Done(CopyText(p[0], mainWindow_));
    //   HostExit "code"             end the process at once, the plug-in still loaded
    if (command == "hostexit" && p.size() == 1) ExitProcess(static_cast<UINT>(std::stoul(p[0])));
    //   HostWaitGoSub "name" "ms"   pump messages until the plug-in runs GoSub "name"
    if (command == "hostwaitgosub" && p.size() == 2) {
        const std::string line = "GoSub \"" + p[0] + "\"";
        if (!WaitForScript(line, std::stoi(p[1]), waitMark_))
            return ActionOutcome::Fault("no " + line + " within " + p[1] + " ms");
        waitMark_ = calls_.size();
        return ActionOutcome::Done(true);
    }
    if (command == "hostdialog" && !p.empty()) {
        const bool ok = LowerAscii(p[0]) == "ok";
        std::vector<std::pair<int, std::string>> typing;
        for (size_t i = 1; i < p.size(); ++i) {
            const size_t eq = p[i].find('=');
            if (eq == std::string::npos) return ActionOutcome::Fault("HostDialog wants id=text");
            typing.emplace_back(std::stoi(p[i].substr(0, eq)), p[i].substr(eq + 1));
        }
        if (!dialogs_) dialogs_ = std::make_unique<DialogDriver>();
        dialogs_->Then([ok, typing](HWND dialog) {
            for (const auto& [id, text] : typing) TypeText(dialog, id, text);
            if (ok) {
                PressOK(dialog);
            } else {
                PressCancel(dialog);
            }
        });
        return ActionOutcome::Done(true);
    }
    if (command == "hostabout" && p.empty()) {
        About();
        return ActionOutcome::Done(true);
    }
    if (command == "hostedit" && !p.empty()) {
        const Registration* action = FindAction(p[0]);
        if (action == nullptr) return ActionOutcome::Fault("unknown action " + p[0]);
        std::vector<std::string> texts;
        for (size_t i = 1; i < rawParams.size(); ++i) texts.push_back(vars_.Get(rawParams[i]));
        const bool result = EditAction(action->id, texts);
        for (size_t i = 1; i < rawParams.size(); ++i) vars_.Set(rawParams[i], texts[i - 1]);
        vars_.Set("[EditResult]", result ? "True" : "False");
        return ActionOutcome::Done(true);
    }
    if (command.rfind("host", 0) == 0 && FindAction(name) == nullptr)
        return ActionOutcome::Fault("bad host command " + name);
    return std::nullopt;
}

void TestHost::Print(const std::string& text) {
    printed_.push_back(text);
    if (echo_) {
        std::fputs(text.c_str(), stdout);
        std::fputs("\n", stdout);
        std::fflush(stdout);
    }
}

void TestHost::Wait(int milliseconds) {
    // Pump messages so that timers, hooks and posted notices can fire.
    PumpMessages(milliseconds);
}

bool TestHost::WaitForScript(const std::string& script, int milliseconds, size_t from) {
    const auto arrived = [&] {
        for (size_t i = from; i < calls_.size(); ++i)
            if (calls_[i].callback == "ScriptProcessor" && calls_[i].args.at(0) == script)
                return true;
        return false;
    };
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!arrived()) {
        const auto left = static_cast<int32_t>(end - GetTickCount());
        if (left <= 0) return false;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
        }
    }
    return true;
}

void TestHost::Record(const char* callback, std::vector<std::string> args) {
    calls_.push_back({callback, std::move(args)});
}

uint32_t TestHost::OnCallback(uint32_t which, const uint32_t* args) {
    switch (static_cast<Callback>(which)) {
    case Callback::AddAction:
        return OnAddAction(args);
    case Callback::AuxProc:
        Record("AuxProc", {});
        return 0;
    case Callback::GetVar: {
        const std::string name = TextAt(args[0]);
        auto** slot = reinterpret_cast<char**>(static_cast<uintptr_t>(args[1]));
        const std::string value = vars_.Get(name);
        Record("GetVar", {name});
        if (slot) *slot = GlobalText(value);
        return 0;
    }
    case Callback::SetVar: {
        const std::string name = TextAt(args[0]);
        const std::string value = TextAt(args[1]);
        Record("SetVar", {name, value});
        vars_.Set(name, value);
        return 0;
    }
    case Callback::ScriptProcessor: {
        const std::string script = TextAt(args[0]);
        Record("ScriptProcessor", {script});
        const RunResult result = runner_.RunLine(script, *this);
        if (!result.ok) Print("host: script line failed: " + result.error);
        return 0;
    }
    case Callback::InterfaceAccess:
        return OnInterfaceAccess(static_cast<int32_t>(args[0]),
                                 reinterpret_cast<char**>(static_cast<uintptr_t>(args[1])));
    case Callback::StreamAccess:
        return OnStreamAccess(reinterpret_cast<const char*>(static_cast<uintptr_t>(args[0])),
                              reinterpret_cast<void**>(static_cast<uintptr_t>(args[1])));
    }
    return 0;
}

uint32_t TestHost::OnAddAction(const uint32_t* args) {
    Registration r;
    r.id = static_cast<int32_t>(args[0]);
    r.name = TextAt(args[1]);
    r.hint = TextAt(args[2]);
    const auto* codes = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(args[3]));
    r.highIndex = static_cast<int32_t>(args[4]);
    r.numParams = static_cast<int32_t>(args[5]);
    if (codes != nullptr && r.highIndex >= 0 && r.highIndex < 64)
        r.codes.assign(codes, codes + r.highIndex + 1);
    registrations_.push_back(std::move(r));
    return 0;
}

uint32_t TestHost::OnInterfaceAccess(int32_t request, char** slot) {
    std::string input;
    if (slot != nullptr && *slot != nullptr) {
        input = *slot;
        GlobalFree(*slot);  // the host owns what it receives
        *slot = nullptr;
    }
    Record("InterfaceAccess", {std::to_string(request), input});

    bool result = false;
    std::string output;
    if (const auto it = answers_.find(request); it != answers_.end()) {
        result = it->second.result;
        output = it->second.text;
    } else if (request == 5) {
        for (const std::string& name : runner_.SubroutineNames()) {
            if (!output.empty()) output += "\r\n";
            output += name;
        }
        result = true;
    } else if (request == 7) {
        const auto it7 = objectWindows_.find(LowerAscii(input));
        if (it7 != objectWindows_.end()) {
            output = std::to_string(reinterpret_cast<uintptr_t>(it7->second));
            result = true;
        }
    }
    if (slot != nullptr && !output.empty()) *slot = GlobalText(output);
    return HostBoolean(result);
}

uint32_t TestHost::OnStreamAccess(const char* fileName, void** slot) {
    const std::string name = fileName ? fileName : "";
    Record("StreamAccess", {name});
    if (slot == nullptr || filesFolder_.empty() || name.empty()) return HostBoolean(false);
    std::string path = filesFolder_;
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    path += name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return HostBoolean(false);
    const DWORD size = GetFileSize(file, nullptr);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    bool ok = memory != nullptr;
    if (ok) {
        void* bytes = GlobalLock(memory);
        DWORD read = 0;
        ok = ReadFile(file, bytes, size, &read, nullptr) && read == size;
        GlobalUnlock(memory);
    }
    CloseHandle(file);
    IStream* stream = nullptr;
    if (ok && SUCCEEDED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        ULARGE_INTEGER length;
        length.QuadPart = size;
        stream->SetSize(length);
        *slot = stream;
        return HostBoolean(true);
    }
    if (memory) GlobalFree(memory);
    return HostBoolean(false);
}

}  // namespace kvhost

extern "C" uint32_t kvh_callback(uint32_t which, const uint32_t* args) {
    kvhost::TestHost* host = kvhost::TestHost::Current();
    if (host == nullptr) return 0;
    try {
        return host->OnCallback(which, args);
    } catch (...) {
        std::fprintf(stderr, "host: callback %u failed\n", which);
        return 0;
    }
}
