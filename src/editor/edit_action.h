// The design-time entry point: the properties page of one action over the
// host's parameter array.
#pragma once

#include <cstdint>

namespace kv::editor {

// Shows the page of `action` for the texts in `params` (elements 0 to
// `highIndex`, read and written no further). OK writes the page's texts
// back through the host's text slots and returns true; Cancel, the close
// box and actions without a page write nothing and return false.
bool EditActionDialog(int32_t action, char** params, int32_t highIndex);

}  // namespace kv::editor
