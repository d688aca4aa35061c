#include "string_actions.h"

#include "host_bridge.h"
#include "text_conversion.h"

namespace kv::actions {

bool qvConvertString(std::string mode, std::string text, std::string variable) {
    if (const std::optional<ConvertMode> known = ConvertModeOfName(mode)) {
        SetVar(variable, ConvertText(*known, text));
    }
    return true;
}

}  // namespace kv::actions
