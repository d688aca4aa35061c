// One text converted by one mode: code pages, KOI8-R, character codes and
// colour forms. Texts that do not fit the mode give an empty result.
#pragma once

#include <string>

#include "string_convert.h"

namespace kv {

std::string ConvertText(ConvertMode mode, const std::string& text);

}  // namespace kv
