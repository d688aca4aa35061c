#include "sha1.h"

#include <algorithm>
#include <cstring>

#include "hash/hash_kernels.h"
#include "hash/hex_text.h"

namespace kv {
namespace {

constexpr std::array<uint32_t, 5> kInitial{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u,
                                           0xC3D2E1F0u};

constexpr uint32_t Rotl(uint32_t x, int n) { return x << n | x >> (32 - n); }

uint32_t LoadBe32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
}

}  // namespace

namespace detail {

// Eighty rounds over a rolling window of sixteen schedule words, fully
// unrolled so the window lives in registers and memory, never in an
// eighty-word array.
void Sha1BlocksScalar(uint32_t* state, const uint8_t* block, size_t count) {
    for (; count > 0; --count, block += 64) {
        uint32_t w[16];
        for (int i = 0; i < 16; ++i) w[i] = LoadBe32(block + 4 * i);
        uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];

#define KV_W(i) \
    (w[(i)&15] = Rotl(w[((i) + 13) & 15] ^ w[((i) + 8) & 15] ^ w[((i) + 2) & 15] ^ w[(i)&15], 1))
#define KV_R(v, x, y, z, u, f, k, wi)   \
    u += Rotl(v, 5) + (f) + (k) + (wi); \
    x = Rotl(x, 30);
#define KV_F1(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define KV_F2(x, y, z) ((x) ^ (y) ^ (z))
#define KV_F3(x, y, z) (((x) & (y)) | ((z) & ((x) | (y))))
#define KV_FIVE(i, F, k, W)                       \
    KV_R(a, b, c, d, e, F(b, c, d), k, W(i));     \
    KV_R(e, a, b, c, d, F(a, b, c), k, W(i + 1)); \
    KV_R(d, e, a, b, c, F(e, a, b), k, W(i + 2)); \
    KV_R(c, d, e, a, b, F(d, e, a), k, W(i + 3)); \
    KV_R(b, c, d, e, a, F(c, d, e), k, W(i + 4));
#define KV_W0(i) w[i]

        KV_FIVE(0, KV_F1, 0x5A827999u, KV_W0)
        KV_FIVE(5, KV_F1, 0x5A827999u, KV_W0)
        KV_FIVE(10, KV_F1, 0x5A827999u, KV_W0)
        KV_R(a, b, c, d, e, KV_F1(b, c, d), 0x5A827999u, w[15])
        KV_R(e, a, b, c, d, KV_F1(a, b, c), 0x5A827999u, KV_W(16))
        KV_R(d, e, a, b, c, KV_F1(e, a, b), 0x5A827999u, KV_W(17))
        KV_R(c, d, e, a, b, KV_F1(d, e, a), 0x5A827999u, KV_W(18))
        KV_R(b, c, d, e, a, KV_F1(c, d, e), 0x5A827999u, KV_W(19))
        KV_FIVE(20, KV_F2, 0x6ED9EBA1u, KV_W)
        KV_FIVE(25, KV_F2, 0x6ED9EBA1u, KV_W)
        KV_FIVE(30, KV_F2, 0x6ED9EBA1u, KV_W)
        KV_FIVE(35, KV_F2, 0x6ED9EBA1u, KV_W)
        KV_FIVE(40, KV_F3, 0x8F1BBCDCu, KV_W)
        KV_FIVE(45, KV_F3, 0x8F1BBCDCu, KV_W)
        KV_FIVE(50, KV_F3, 0x8F1BBCDCu, KV_W)
        KV_FIVE(55, KV_F3, 0x8F1BBCDCu, KV_W)
        KV_FIVE(60, KV_F2, 0xCA62C1D6u, KV_W)
        KV_FIVE(65, KV_F2, 0xCA62C1D6u, KV_W)
        KV_FIVE(70, KV_F2, 0xCA62C1D6u, KV_W)
        KV_FIVE(75, KV_F2, 0xCA62C1D6u, KV_W)

#undef KV_W
#undef KV_W0
#undef KV_R
#undef KV_F1
#undef KV_F2
#undef KV_F3
#undef KV_FIVE
        state[0] += a;
        state[1] += b;
        state[2] += c;
        state[3] += d;
        state[4] += e;
    }
}

}  // namespace detail

Sha1::Sha1() : state_(kInitial) {}

void Sha1::Update(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    length_ += size;
    if (buffered_ > 0) {
        const size_t take = std::min(size, buffer_.size() - buffered_);
        std::memcpy(buffer_.data() + buffered_, bytes, take);
        buffered_ += take;
        bytes += take;
        size -= take;
        if (buffered_ < buffer_.size()) return;
        detail::sha1Blocks(state_.data(), buffer_.data(), 1);
        buffered_ = 0;
    }
    if (size >= 64) {
        detail::sha1Blocks(state_.data(), bytes, size / 64);
        bytes += size / 64 * 64;
        size %= 64;
    }
    std::memcpy(buffer_.data(), bytes, size);
    buffered_ = size;
}

std::array<uint32_t, 5> Sha1::Finish() {
    const uint64_t bits = length_ * 8;
    static constexpr uint8_t kPad[64] = {0x80};
    Update(kPad, 1 + (119 - buffered_) % 64);
    uint8_t tail[8];
    for (int i = 0; i < 8; ++i) tail[i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
    Update(tail, 8);
    const std::array<uint32_t, 5> digest = state_;
    *this = Sha1();
    return digest;
}

std::string Sha1Text(const std::array<uint32_t, 5>& words) {
    uint8_t bytes[20];
    for (size_t i = 0; i < 5; ++i) {
        for (size_t k = 0; k < 4; ++k)
            bytes[4 * i + k] = static_cast<uint8_t>(words[i] >> (24 - 8 * k));
    }
    return HexUpper(bytes, sizeof bytes);
}

}  // namespace kv
