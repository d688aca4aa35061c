// A host that behaves like NeoBook towards the plug-in: it loads the DLL,
// calls its exports and serves its callbacks (through hand-written
// Borland-convention thunks), keeps the author's variables, answers the
// interface requests from a table, serves embedded files as streams and
// runs script lines with the script runner. Tests and the demo use it.
//
// The plug-in's callbacks carry no context, so one TestHost may be alive
// at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "script/script_runner.h"
#include "script/var_store.h"

namespace kvhost {

struct Registration {
    int32_t id = 0;
    std::string name;
    std::string hint;
    std::vector<uint8_t> codes;  // highIndex + 1 values
    int32_t highIndex = 0;
    int32_t numParams = 0;
    int32_t stackLeft = 0;  // bytes the plug-in's call left on our stack (always 0)
};

struct CallRecord {
    std::string callback;           // "GetVar", "SetVar", "ScriptProcessor", ...
    std::vector<std::string> args;  // texts as received
};

// What a Borland call did to the stack and registers.
struct CallCheck {
    int32_t stackLeft = 0;   // bytes the callee did not remove
    bool clobbered = false;  // a callee-saved register changed
};

struct StartOptions {
    bool registerScriptProcessor = true;
    bool registerInterfaceAccess = true;
    bool registerStreamAccess = true;
    bool sendStartMessage = true;  // nbMessage 1
};

class TestHost : public ScriptEnvironment {
public:
    TestHost();
    ~TestHost() override;
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    static TestHost* Current();

    // Loading and the start-up sequence.
    bool Load(const std::string& dllPath, std::string& error);
    void StartUp(const StartOptions& options = {});
    void EndRun();  // nbMessage 2
    // FreeLibrary, as the host does when it closes; Load again to go on.
    void Unload();
    bool loaded() const { return module_ != nullptr; }
    HMODULE module() const { return module_; }
    HWND MainWindow() const { return mainWindow_; }

    // Exports, called through the Borland thunk.
    void InitPlugIn();
    void RegisterPlugIn();
    void RegisterScriptProcessor();
    void RegisterInterfaceAccess();
    void RegisterStreamAccess();
    void SendMessage(int32_t message);
    bool ExecAction(int32_t action, const std::vector<std::string>& params);
    // Passes the array as given (nullptr allowed) with the highest index.
    bool ExecActionRaw(int32_t action, char** params, int32_t highIndex);
    bool EditAction(int32_t action, std::vector<std::string>& params);
    bool EditActionRaw(int32_t action, char** params, int32_t highIndex);
    void About();
    // The full EAX the last export left (a Boolean is only AL).
    uint32_t lastEax() const { return lastEax_; }
    const CallCheck& lastCheck() const { return lastCheck_; }
    // Calls the exports with the stack this many bytes below a 16-byte
    // boundary (0, 4, 8 or 12).
    void stackSkew(uint32_t bytes) { stackSkew_ = bytes & 12u; }

    // What the plug-in told us.
    std::string pluginName, pluginAuthor, pluginHint;
    const std::vector<Registration>& registrations() const { return registrations_; }
    const Registration* FindAction(const std::string& name) const;
    std::vector<CallRecord>& calls() { return calls_; }
    std::vector<std::string> CallsOf(const std::string& callback) const;

    // Interface requests: answer `request` with `text` and `result`. Request
    // 5 defaults to the loaded script's subroutine names; request 7 to the
    // object windows set here.
    void SetAnswer(int32_t request, std::string text, bool result = true);
    void ClearAnswer(int32_t request);
    void SetObjectWindow(const std::string& object, HWND window);
    // Embedded files are served from this folder.
    void SetFilesFolder(std::string folder) { filesFolder_ = std::move(folder); }

    // Scripts.
    bool LoadScript(std::string_view text, std::string& error);
    RunResult RunScript();
    ScriptRunner& runner() { return runner_; }
    std::vector<std::string>& printed() { return printed_; }
    void echo(bool on) { echo_ = on; }

    // ScriptEnvironment
    VarStore& Vars() override { return vars_; }
    ActionOutcome RunAction(const std::string& name,
                            const std::vector<std::string>& rawParams) override;
    void Print(const std::string& text) override;
    void Wait(int milliseconds) override;
    // Pumps messages until the plug-in has passed `script` to the script
    // processor (a call recorded at or after index `from` of calls()), or
    // until `milliseconds` have passed; true when it came.
    bool WaitForScript(const std::string& script, int milliseconds, size_t from = 0);
    void Message(int number) override { SendMessage(number); }

    // Called by the thunks.
    uint32_t OnCallback(uint32_t which, const uint32_t* args);

private:
    uint32_t CallExport(const char* name, std::vector<uint32_t> args);
    std::optional<ActionOutcome> RunHostCommand(const std::string& name,
                                                const std::vector<std::string>& rawParams);
    uint32_t OnAddAction(const uint32_t* args);
    uint32_t OnInterfaceAccess(int32_t request, char** slot);
    uint32_t OnStreamAccess(const char* fileName, void** slot);
    void Record(const char* callback, std::vector<std::string> args);

    HMODULE module_ = nullptr;
    HWND mainWindow_ = nullptr;
    VarStore vars_;
    ScriptRunner runner_;
    std::vector<Registration> registrations_;
    std::vector<CallRecord> calls_;
    std::vector<std::string> printed_;
    struct Answer {
        std::string text;
        bool result = true;
    };
    std::map<int32_t, Answer> answers_;
    std::map<std::string, HWND> objectWindows_;  // lower-case names
    std::string filesFolder_;
    std::unique_ptr<DialogDriver> dialogs_;  // made by the first HostDialog
    uint32_t lastEax_ = 0;
    CallCheck lastCheck_;
    uint32_t stackSkew_ = 0;
    bool echo_ = false;
    size_t waitMark_ = 0;  // HostWaitGoSub waits for calls from here on
};

// Copies a text into a block of the global heap, as the host hands texts.
char* GlobalText(std::string_view text);

}  // namespace kvhost
