#include "host_bridge.h"

#include "host_text.h"
#include "param_text.h"
#include "plugin_state.h"
#include "subroutines.h"

namespace kv {

void SetVar(std::string_view name, std::string_view value) {
    const auto proc = State().HostSetVar;
    if (proc == nullptr) return;
    const std::string n(name);
    const std::string v(value);
    proc(n.c_str(), v.c_str());
}

std::string GetVar(std::string_view name) {
    const auto proc = State().HostGetVar;
    if (proc == nullptr) return {};
    const std::string n(name);
    char* slot = nullptr;
    proc(n.c_str(), &slot);
    return TakeHostText(&slot);
}

void SetVarHandle(std::string_view name, HWND handle) {
    SetVar(name, FormatUnsigned(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle))));
}

void SetVarBool(std::string_view name, bool value) { SetVar(name, BoolText(value)); }

void ReportError(std::string_view message) { SetVar("[LastError]", message); }

void RunHostScript(std::string_view script) {
    const auto proc = State().HostScriptProcessor;
    if (proc == nullptr) return;
    const std::string s(script);
    proc(s.c_str());
}

std::optional<InterfaceAnswer> AskHost(int32_t request, std::string_view input) {
    const auto proc = State().HostInterfaceAccess;
    if (proc == nullptr) return std::nullopt;
    char* slot = nullptr;
    if (!input.empty() && !SetHostText(&slot, input)) return std::nullopt;
    InterfaceAnswer answer;
    answer.result = proc(request, &slot) != 0;
    answer.text = TakeHostText(&slot);
    return answer;
}

std::string MakeGoSubText(std::string_view name) {
    PluginState& state = State();
    if (state.SubroutineList.empty()) {
        // Fetched once; subroutines added later are not seen.
        if (const auto answer = AskHost(5); answer && !answer->text.empty())
            state.SubroutineList = answer->text;
    }
    if (name.empty()) return {};
    if (!SubroutineListHas(state.SubroutineList, name)) return {};
    return GoSubLine(name);
}

}  // namespace kv
