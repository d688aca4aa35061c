// The plug-in's own action table.
#pragma once

#include <cstdint>

#include "action_table.h"

namespace kv {

const ActionTable& PluginActions();

// Runs action `number` with the host's parameter array.
bool ExecAction(int32_t number, const char* const* params);

}  // namespace kv
