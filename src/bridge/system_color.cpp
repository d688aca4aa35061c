#include "system_color.h"

#include <windows.h>

namespace kv {

uint32_t SystemColor(int index) { return ::GetSysColor(index); }

}  // namespace kv
