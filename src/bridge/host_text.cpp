#include "host_text.h"

#include <cstring>

namespace kv {

bool SetHostText(TextSlot slot, std::string_view text) {
    if (slot == nullptr) return false;
    FreeHostText(slot);
    auto* block = static_cast<char*>(::GlobalAlloc(GMEM_FIXED, text.size() + 1));
    if (block == nullptr) return false;
    if (!text.empty()) std::memcpy(block, text.data(), text.size());
    block[text.size()] = '\0';
    *slot = block;
    return true;
}

void FreeHostText(TextSlot slot) {
    if (slot == nullptr) return;
    if (*slot != nullptr) ::GlobalFree(*slot);
    *slot = nullptr;
}

std::string TakeHostText(TextSlot slot) {
    std::string text = (slot != nullptr && *slot != nullptr) ? std::string(*slot) : std::string();
    FreeHostText(slot);
    return text;
}

}  // namespace kv
