// Shaping a publication window with a mask picture.
#pragma once

#include <string>

namespace kv::actions {

// Cuts the transparent-coloured pixels of a bitmap out of the window of an
// object (or of the main window), the picture laid over the client area.
bool qvSetCustomWindowMask(std::string picture, std::string object, std::string color);

}  // namespace kv::actions
