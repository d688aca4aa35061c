// SHA-1 (FIPS 180-1), streamed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

class Sha1 {
public:
    Sha1();
    void Update(const void* data, size_t size);
    // The five state words H0..H4 after the message completion.
    std::array<uint32_t, 5> Finish();

private:
    std::array<uint32_t, 5> state_;
    uint64_t length_ = 0;  // bytes so far
    std::array<uint8_t, 64> buffer_{};
    size_t buffered_ = 0;
};

// 40 upper-case hexadecimal digits, H0 first, each word big-endian.
std::string Sha1Text(const std::array<uint32_t, 5>& words);

}  // namespace kv
