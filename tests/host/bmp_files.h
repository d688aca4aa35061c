// Small Windows bitmap files written by the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvtest {

// A 24-bit bottom-up .bmp of `pixels` (0x00RRGGBB, top row first).
std::string Bmp24(int width, int height, const std::vector<uint32_t>& pixels);

// A .bmp of any format: an info header of `header` bytes (12 for OS/2 1.x,
// else 40, 52, 56, 108 or 124), the colour table (0x00RRGGBB), or for
// BI_BITFIELDS the masks (after a 40-byte header, else inside it), then the
// pixel data as stored. The header counts the table's colours.
std::string BmpFile(int width, int height, int bits, uint32_t compression,
                    const std::vector<uint32_t>& table, const std::string& data,
                    uint32_t header = 40);

void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace kvtest
