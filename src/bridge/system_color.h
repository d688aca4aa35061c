// The system's side of the colour texts: system colour indexes resolved
// against the current colour scheme.
#pragma once

#include <cstdint>

#include "color_text.h"

namespace kv {

uint32_t SystemColor(int index);  // GetSysColor

inline ColorValue ResolveSystemColor(ColorValue value) {
    return ResolveSystemColor(value, &SystemColor);
}
inline std::string FormatColorHTML(ColorValue value) {
    return FormatColorHTML(value, &SystemColor);
}

}  // namespace kv
