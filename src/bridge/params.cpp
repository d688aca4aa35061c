#include "params.h"

#include <windows.h>

#include "param_text.h"

namespace kv {

char RegionalDecimalSeparator() {
    // Read on every call: the user may change the setting while the host runs.
    char buffer[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1)
        return buffer[0];
    return '.';
}

bool ParseBoolParam(std::string_view text, bool& value) {
    return ParseBoolText(text, RegionalDecimalSeparator(), value);
}

bool ParseBoolOrFalse(std::string_view text) {
    bool value = false;
    return ParseBoolParam(text, value) && value;
}

}  // namespace kv
