// The quick file fingerprint: little-endian 32-bit words summed modulo 2^32.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kv {

inline uint32_t WordSum(const uint8_t* bytes, size_t wordCount) {
    uint32_t sum = 0;
    for (size_t i = 0; i < wordCount; ++i, bytes += 4) {
        sum += uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
               uint32_t{bytes[3]} << 24;
    }
    return sum;
}

}  // namespace kv
