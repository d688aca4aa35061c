#include "crc32.h"

#include <cstring>

#include "hash_kernels.h"

namespace kv {
namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u;

// Eight tables: table k advances a byte through k further zero bytes, so
// eight bytes are folded per step with eight independent lookups.
constexpr std::array<std::array<uint32_t, 256>, 8> MakeTables() {
    std::array<std::array<uint32_t, 256>, 8> tables{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit) value = (value >> 1) ^ ((value & 1u) ? kPolynomial : 0u);
        tables[0][i] = value;
    }
    for (size_t k = 1; k < 8; ++k) {
        for (size_t i = 0; i < 256; ++i) {
            const uint32_t prev = tables[k - 1][i];
            tables[k][i] = (prev >> 8) ^ tables[0][prev & 0xFF];
        }
    }
    return tables;
}

constexpr auto kTables = MakeTables();

uint32_t LoadLe32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

}  // namespace

const std::array<uint32_t, 256>& Crc32Table() { return kTables[0]; }

namespace detail {

uint32_t Crc32Bytewise(uint32_t crc, const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) crc = (crc >> 8) ^ kTables[0][(crc ^ data[i]) & 0xFF];
    return crc;
}

uint32_t Crc32Slicing8(uint32_t crc, const uint8_t* data, size_t size) {
    while (size >= 8) {
        const uint32_t low = LoadLe32(data) ^ crc;
        const uint32_t high = LoadLe32(data + 4);
        crc = kTables[7][low & 0xFF] ^ kTables[6][low >> 8 & 0xFF] ^ kTables[5][low >> 16 & 0xFF] ^
              kTables[4][low >> 24] ^ kTables[3][high & 0xFF] ^ kTables[2][high >> 8 & 0xFF] ^
              kTables[1][high >> 16 & 0xFF] ^ kTables[0][high >> 24];
        data += 8;
        size -= 8;
    }
    return Crc32Bytewise(crc, data, size);
}

}  // namespace detail

uint32_t Crc32Update(uint32_t crc, const void* data, size_t size) {
    return ~detail::crc32Kernel(~crc, static_cast<const uint8_t*>(data), size);
}

}  // namespace kv
