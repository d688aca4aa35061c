// Upper-case hexadecimal texts of digests and checksums, by table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

std::string HexUpper(const uint8_t* bytes, size_t size);  // two digits per byte
std::string HexUpper32(uint32_t value);                   // eight digits, zero-filled

}  // namespace kv
