#include "md5.h"

#include <cstring>

namespace kv {
namespace {

constexpr std::array<uint32_t, 4> kInitial{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};

constexpr uint32_t Rotl(uint32_t x, int n) { return x << n | x >> (32 - n); }

uint32_t LoadLe32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);  // every target here is little-endian
    return v;
}

}  // namespace

Md5::Md5() : state_(kInitial) {}

void Md5::Blocks(const uint8_t* block, size_t count) {
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (; count > 0; --count, block += 64) {
        uint32_t x[16];
        for (int i = 0; i < 16; ++i) x[i] = LoadLe32(block + 4 * i);
        const uint32_t a0 = a, b0 = b, c0 = c, d0 = d;

// F and G in their cheapest forms: no NOT for F, and G's OR as an ADD of
// disjoint terms so the two halves can run in parallel.
#define KV_STEP(f, w, x, y, z, data, s) \
    w += f(x, y, z) + (data);           \
    w = Rotl(w, s) + x;
#define KV_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define KV_G(x, y, z) (((x) & (z)) + ((y) & ~(z)))
#define KV_H(x, y, z) ((x) ^ (y) ^ (z))
#define KV_I(x, y, z) ((y) ^ ((x) | ~(z)))

        KV_STEP(KV_F, a, b, c, d, x[0] + 0xd76aa478u, 7)
        KV_STEP(KV_F, d, a, b, c, x[1] + 0xe8c7b756u, 12)
        KV_STEP(KV_F, c, d, a, b, x[2] + 0x242070dbu, 17)
        KV_STEP(KV_F, b, c, d, a, x[3] + 0xc1bdceeeu, 22)
        KV_STEP(KV_F, a, b, c, d, x[4] + 0xf57c0fafu, 7)
        KV_STEP(KV_F, d, a, b, c, x[5] + 0x4787c62au, 12)
        KV_STEP(KV_F, c, d, a, b, x[6] + 0xa8304613u, 17)
        KV_STEP(KV_F, b, c, d, a, x[7] + 0xfd469501u, 22)
        KV_STEP(KV_F, a, b, c, d, x[8] + 0x698098d8u, 7)
        KV_STEP(KV_F, d, a, b, c, x[9] + 0x8b44f7afu, 12)
        KV_STEP(KV_F, c, d, a, b, x[10] + 0xffff5bb1u, 17)
        KV_STEP(KV_F, b, c, d, a, x[11] + 0x895cd7beu, 22)
        KV_STEP(KV_F, a, b, c, d, x[12] + 0x6b901122u, 7)
        KV_STEP(KV_F, d, a, b, c, x[13] + 0xfd987193u, 12)
        KV_STEP(KV_F, c, d, a, b, x[14] + 0xa679438eu, 17)
        KV_STEP(KV_F, b, c, d, a, x[15] + 0x49b40821u, 22)

        KV_STEP(KV_G, a, b, c, d, x[1] + 0xf61e2562u, 5)
        KV_STEP(KV_G, d, a, b, c, x[6] + 0xc040b340u, 9)
        KV_STEP(KV_G, c, d, a, b, x[11] + 0x265e5a51u, 14)
        KV_STEP(KV_G, b, c, d, a, x[0] + 0xe9b6c7aau, 20)
        KV_STEP(KV_G, a, b, c, d, x[5] + 0xd62f105du, 5)
        KV_STEP(KV_G, d, a, b, c, x[10] + 0x02441453u, 9)
        KV_STEP(KV_G, c, d, a, b, x[15] + 0xd8a1e681u, 14)
        KV_STEP(KV_G, b, c, d, a, x[4] + 0xe7d3fbc8u, 20)
        KV_STEP(KV_G, a, b, c, d, x[9] + 0x21e1cde6u, 5)
        KV_STEP(KV_G, d, a, b, c, x[14] + 0xc33707d6u, 9)
        KV_STEP(KV_G, c, d, a, b, x[3] + 0xf4d50d87u, 14)
        KV_STEP(KV_G, b, c, d, a, x[8] + 0x455a14edu, 20)
        KV_STEP(KV_G, a, b, c, d, x[13] + 0xa9e3e905u, 5)
        KV_STEP(KV_G, d, a, b, c, x[2] + 0xfcefa3f8u, 9)
        KV_STEP(KV_G, c, d, a, b, x[7] + 0x676f02d9u, 14)
        KV_STEP(KV_G, b, c, d, a, x[12] + 0x8d2a4c8au, 20)

        KV_STEP(KV_H, a, b, c, d, x[5] + 0xfffa3942u, 4)
        KV_STEP(KV_H, d, a, b, c, x[8] + 0x8771f681u, 11)
        KV_STEP(KV_H, c, d, a, b, x[11] + 0x6d9d6122u, 16)
        KV_STEP(KV_H, b, c, d, a, x[14] + 0xfde5380cu, 23)
        KV_STEP(KV_H, a, b, c, d, x[1] + 0xa4beea44u, 4)
        KV_STEP(KV_H, d, a, b, c, x[4] + 0x4bdecfa9u, 11)
        KV_STEP(KV_H, c, d, a, b, x[7] + 0xf6bb4b60u, 16)
        KV_STEP(KV_H, b, c, d, a, x[10] + 0xbebfbc70u, 23)
        KV_STEP(KV_H, a, b, c, d, x[13] + 0x289b7ec6u, 4)
        KV_STEP(KV_H, d, a, b, c, x[0] + 0xeaa127fau, 11)
        KV_STEP(KV_H, c, d, a, b, x[3] + 0xd4ef3085u, 16)
        KV_STEP(KV_H, b, c, d, a, x[6] + 0x04881d05u, 23)
        KV_STEP(KV_H, a, b, c, d, x[9] + 0xd9d4d039u, 4)
        KV_STEP(KV_H, d, a, b, c, x[12] + 0xe6db99e5u, 11)
        KV_STEP(KV_H, c, d, a, b, x[15] + 0x1fa27cf8u, 16)
        KV_STEP(KV_H, b, c, d, a, x[2] + 0xc4ac5665u, 23)

        KV_STEP(KV_I, a, b, c, d, x[0] + 0xf4292244u, 6)
        KV_STEP(KV_I, d, a, b, c, x[7] + 0x432aff97u, 10)
        KV_STEP(KV_I, c, d, a, b, x[14] + 0xab9423a7u, 15)
        KV_STEP(KV_I, b, c, d, a, x[5] + 0xfc93a039u, 21)
        KV_STEP(KV_I, a, b, c, d, x[12] + 0x655b59c3u, 6)
        KV_STEP(KV_I, d, a, b, c, x[3] + 0x8f0ccc92u, 10)
        KV_STEP(KV_I, c, d, a, b, x[10] + 0xffeff47du, 15)
        KV_STEP(KV_I, b, c, d, a, x[1] + 0x85845dd1u, 21)
        KV_STEP(KV_I, a, b, c, d, x[8] + 0x6fa87e4fu, 6)
        KV_STEP(KV_I, d, a, b, c, x[15] + 0xfe2ce6e0u, 10)
        KV_STEP(KV_I, c, d, a, b, x[6] + 0xa3014314u, 15)
        KV_STEP(KV_I, b, c, d, a, x[13] + 0x4e0811a1u, 21)
        KV_STEP(KV_I, a, b, c, d, x[4] + 0xf7537e82u, 6)
        KV_STEP(KV_I, d, a, b, c, x[11] + 0xbd3af235u, 10)
        KV_STEP(KV_I, c, d, a, b, x[2] + 0x2ad7d2bbu, 15)
        KV_STEP(KV_I, b, c, d, a, x[9] + 0xeb86d391u, 21)

#undef KV_STEP
#undef KV_F
#undef KV_G
#undef KV_H
#undef KV_I
        a += a0;
        b += b0;
        c += c0;
        d += d0;
    }
    state_ = {a, b, c, d};
}

void Md5::Update(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    const size_t buffered = bitsLow_ / 8 % 64;
    const auto addBits = static_cast<uint32_t>(size << 3);
    bitsLow_ += addBits;
    bitsHigh_ += static_cast<uint32_t>(uint64_t{size} >> 29) + (bitsLow_ < addBits ? 1u : 0u);

    size_t offset = 0;
    if (buffered > 0) {
        const size_t take = size < 64 - buffered ? size : 64 - buffered;
        std::memcpy(buffer_.data() + buffered, bytes, take);
        if (buffered + take < 64) return;
        Blocks(buffer_.data(), 1);
        offset = take;
    }
    const size_t whole = (size - offset) / 64;
    if (whole > 0) Blocks(bytes + offset, whole);
    offset += whole * 64;
    std::memcpy(buffer_.data(), bytes + offset, size - offset);
}

std::array<uint8_t, 16> Md5::Finish() {
    uint8_t length[8];
    for (int i = 0; i < 4; ++i) {
        length[i] = static_cast<uint8_t>(bitsLow_ >> (8 * i));
        length[4 + i] = static_cast<uint8_t>(bitsHigh_ >> (8 * i));
    }
    static constexpr uint8_t kPad[64] = {0x80};
    const size_t buffered = bitsLow_ / 8 % 64;
    Update(kPad, 1 + (119 - buffered) % 64);
    Update(length, 8);
    std::array<uint8_t, 16> digest;
    for (size_t i = 0; i < 4; ++i) {
        for (size_t k = 0; k < 4; ++k)
            digest[4 * i + k] = static_cast<uint8_t>(state_[i] >> (8 * k));
    }
    // Nothing of the message stays behind in the context.
    state_.fill(0);
    buffer_.fill(0);
    bitsLow_ = bitsHigh_ = 0;
    state_ = kInitial;
    return digest;
}

}  // namespace kv
