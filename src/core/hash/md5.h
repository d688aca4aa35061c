// MD5 (RFC 1321), streamed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kv {

class Md5 {
public:
    Md5();
    void Update(const void* data, size_t size);
    // The sixteen digest bytes; the context is wiped and restarted.
    std::array<uint8_t, 16> Finish();

private:
    void Blocks(const uint8_t* blocks, size_t count);

    std::array<uint32_t, 4> state_;
    uint32_t bitsLow_ = 0, bitsHigh_ = 0;  // message length in bits
    std::array<uint8_t, 64> buffer_{};
};

}  // namespace kv
