// CRC-32 as zip and Ethernet use it: reflected, polynomial 0xEDB88320.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kv {

// Pass 0 to start and the previous result to continue.
uint32_t Crc32Update(uint32_t crc, const void* data, size_t size);
inline uint32_t Crc32(const void* data, size_t size) { return Crc32Update(0, data, size); }

// The byte table: entry i is i shifted right eight times, XORed with the
// polynomial whenever a 1 is shifted out.
const std::array<uint32_t, 256>& Crc32Table();

}  // namespace kv
