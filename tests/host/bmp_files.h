// Small Windows bitmap files written by the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvtest {

// A 24-bit bottom-up .bmp of `pixels` (0x00RRGGBB, top row first).
std::string Bmp24(int width, int height, const std::vector<uint32_t>& pixels);

void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace kvtest
