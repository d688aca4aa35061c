// Parameter readers that depend on the user's regional settings.
#pragma once

#include <string_view>

namespace kv {

// The decimal separator of the user's regional settings ('.' when unknown).
char RegionalDecimalSeparator();

// "True"/"False" in any case, or a non-integer number (true when not zero)
// written with the regional decimal separator. Integer texts are refused.
bool ParseBoolParam(std::string_view text, bool& value);
bool ParseBoolOrFalse(std::string_view text);

}  // namespace kv
