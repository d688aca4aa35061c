#include "hex_text.h"

namespace kv {
namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string HexUpper(const uint8_t* bytes, size_t size) {
    std::string text(size * 2, '0');
    for (size_t i = 0; i < size; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0xF];
    }
    return text;
}

std::string HexUpper32(uint32_t value) {
    std::string text(8, '0');
    for (size_t i = 0; i < 8; ++i) text[7 - i] = kDigits[value >> (4 * i) & 0xF];
    return text;
}

}  // namespace kv
