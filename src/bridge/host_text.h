// Texts cross the boundary in blocks of the process's global heap: the
// sender allocates them, the receiver releases them.
#pragma once

#include <string>
#include <string_view>

#include "borland.h"

namespace kv {

// Releases the text in the slot (if any) and stores a fresh copy of `text`.
// Returns false, leaving the slot empty, when memory runs out.
bool SetHostText(TextSlot slot, std::string_view text);

// Releases the text in the slot (if any) and empties the slot.
void FreeHostText(TextSlot slot);

// Copies the text in the slot, then releases it.
std::string TakeHostText(TextSlot slot);

}  // namespace kv
