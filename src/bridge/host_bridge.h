// The plug-in's side of the host callbacks, in terms of strings. Every
// call checks that the callback is set, so a host that skipped a
// registration step gets nothing done rather than a crash.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "borland.h"

namespace kv {

void SetVar(std::string_view name, std::string_view value);
std::string GetVar(std::string_view name);
void SetVarHandle(std::string_view name, HWND handle);  // unsigned decimal
void SetVarBool(std::string_view name, bool value);     // "True" / "False"
void ReportError(std::string_view message);             // "[LastError]"

void RunHostScript(std::string_view script);

// Sends `request` with `input` in the slot; returns the host's Boolean and
// the text it left in the slot (released afterwards). Empty when the host
// never registered the callback.
struct InterfaceAnswer {
    bool result = false;
    std::string text;
};
std::optional<InterfaceAnswer> AskHost(int32_t request, std::string_view input = {});

// The script line that runs the author's subroutine `name`, or "" when the
// host has no such subroutine.
std::string MakeGoSubText(std::string_view name);

}  // namespace kv
