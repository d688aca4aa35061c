// Texts the host reads are single-byte Windows-1251 where they hold Russian
// letters. AnsiText turns a UTF-8 literal into those bytes at compile time,
// so the source stays readable and the binary carries the host's bytes.
// Only ASCII and the Cyrillic letters of Windows-1251 are accepted; any
// other character stops the build.
#pragma once

#include <cstddef>

namespace kv {

template <std::size_t N>
struct AnsiText {
    char bytes[N] = {};
    std::size_t size = 0;

    consteval AnsiText(const char (&utf8)[N]) {
        std::size_t i = 0;
        while (i + 1 < N && utf8[i] != '\0') {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            if (lead < 0x80) {
                bytes[size++] = utf8[i++];
                continue;
            }
            if ((lead & 0xE0) != 0xC0 || i + 2 >= N) throw "not a two-byte UTF-8 letter";
            const auto trail = static_cast<unsigned char>(utf8[i + 1]);
            if ((trail & 0xC0) != 0x80) throw "broken UTF-8";
            const unsigned code = ((lead & 0x1Fu) << 6) | (trail & 0x3Fu);
            bytes[size++] = static_cast<char>(static_cast<unsigned char>(Cp1251Of(code)));
            i += 2;
        }
        bytes[size] = '\0';
    }

    constexpr const char* c_str() const { return bytes; }

private:
    static consteval unsigned Cp1251Of(unsigned code) {
        if (code >= 0x410 && code <= 0x44F) return code - 0x410 + 0xC0;  // А..я
        if (code == 0x401) return 0xA8;                                  // Ё
        if (code == 0x451) return 0xB8;                                  // ё
        throw "character outside Windows-1251 Cyrillic";
    }
};

}  // namespace kv
